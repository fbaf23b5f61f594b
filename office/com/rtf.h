// SPDX-License-Identifier: MIT
// The description's paragraphs as RTF, the rich text Word pastes whole: alignment, bullets
// with their indent, bold and italic, sizes, the body's face and the Russian language.
#pragma once

#include "estimate/document.h"

#include <windows.h>

#include <string>
#include <vector>

namespace kccom {

// The printout's language as Windows names it (ru-RU).
LCID printoutLcid();

// `family`: the face of every paragraph; Word's default when empty. Pure ASCII: every other
// character is written as \uN.
std::string toRtf(const std::vector<estimate::Paragraph>& body, const std::string& family);

} // namespace kccom
