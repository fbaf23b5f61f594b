// SPDX-License-Identifier: MIT
// The window's link labels, one row each: where the label stands, what it shows and what a
// click on it opens.
#pragma once

#include <span>
#include <string_view>

namespace info {

// Contact labels stand in white on the logo; the others are drawn in the highlight colour.
enum class Pair { Contact, Blue };

// What a click opens: the site with a path, a new mail message, or nothing.
enum class Opens { Site, Mail, Nothing };

// How the caption shows: as written, in capitals, or never (the label stays hidden).
enum class Show { AsWritten, Capitals, Never };

struct Link {
    std::string_view name;  // the label's object name, "LabelVedramo"
    std::string_view panel; // the panel it stands on
    int x, y;
    bool rightAligned;     // stands with its right edge at x (the contact labels on the logo)
    std::string_view item; // the control the link belongs to; empty for a link of its panel
    std::string_view caption;
    std::string_view hint;
    Opens opens;
    std::string_view argument; // path after the site address, or what follows "?subject="
    Pair pair;
    Show show = Show::AsWritten;
};

// Every link label in creation order.
std::span<const Link> links();

// The link label of this name, or nullptr.
const Link* findLink(std::string_view name);

} // namespace info
