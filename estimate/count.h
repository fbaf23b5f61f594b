// SPDX-License-Identifier: MIT
// The one reading of a count edit's text, for the estimate and for the edits' own rule.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace estimate {

// A count text read as a whole number: an optional plus sign and decimal digits within the
// range of a 32-bit integer. Anything else reads as nothing.
std::optional<std::int64_t> readCount(std::string_view text);

} // namespace estimate
