// SPDX-License-Identifier: MIT
// The showcase types, by item index of RGVitrinTip: one row each, for the selector, the
// offer, the request workbook and the type's topic.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace estimate {

struct ShowcaseType {
    std::string_view caption;    // the item of RGVitrinTip, and the type's word in the request
    std::string_view offerLabel; // follows the name of each filled showcase in the offer
    std::int64_t price;          // one showcase, empty; the contents are priced on top
    std::int64_t weight;         // grams, one showcase
    std::int64_t volume;         // cubic centimetres, one showcase
    std::string_view picture;
    bool cabinet; // a cabinet showcase, else a counter showcase: decides the size lines
    std::vector<std::string_view> features;
};

std::span<const ShowcaseType> showcaseTypes();

// The type of an item index, nullptr for none (-1) or an index past the last type.
const ShowcaseType* showcaseType(int index);

} // namespace estimate
