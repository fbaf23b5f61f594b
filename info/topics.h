// SPDX-License-Identifier: MIT
// Information topics: the picture and short text that explain each control of the window.
#pragma once

#include "estimate/document.h"

#include <string_view>

namespace info {

// Shows the topic of the control with this object name (for example "CB3d", "EditSquare").
// Returns false, and leaves the document alone, when the control has no topic.
bool showTopic(std::string_view controlName, estimate::DescriptionDocument& doc);

// True for the edits whose whole text is selected before their topic is shown.
bool selectsAllOnClick(std::string_view controlName);

} // namespace info
