// SPDX-License-Identifier: MIT
// The catalogue of information topics: for each check box, radio button and labelled edit of
// the window, the picture and the short text that explain it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace info {

// The event of the control that shows the topic.
enum class Event { MouseDown, Click };

enum class LineKind { Bullet, Plain, Empty };

struct TopicLine {
    LineKind kind;
    std::string text; // empty for LineKind::Empty
};

struct Topic {
    std::string_view control; // object name of the control, e.g. "CB3d"
    Event event;
    std::string_view picture; // picture resource name, e.g. "PROJECT"
    // Empty for the topics that only show their picture (the text follows on the click).
    std::string_view title;
    // Centred lines after the title; an empty string is an empty line.
    std::vector<std::string_view> centred;
    // Left-aligned lines after the centred ones.
    std::vector<TopicLine> body;
    // The edit's whole text is selected before the topic is shown.
    bool selectsAll = false;

    bool pictureOnly() const { return title.empty(); }
    // The handler's name: the control's name followed by the event ("CB3dMouseDown").
    std::string handler() const;
};

// Every topic, grouped by the panel that holds its control, in the window's order.
const std::vector<Topic>& topicCatalogue();

// The topic of the control with this object name, or nullptr.
const Topic* findTopic(std::string_view controlName);

} // namespace info
