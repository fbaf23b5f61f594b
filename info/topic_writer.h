// SPDX-License-Identifier: MIT
// Writes a topic into the description document the way every topic of the panel is written:
// clear, size 10, bold, then paragraphs, each centred or left-aligned, with or without a bullet.
#pragma once

#include "estimate/document.h"

#include <string_view>

namespace info {

class TopicWriter {
  public:
    explicit TopicWriter(estimate::DescriptionDocument& doc)
        : doc_(doc) {
        doc_.clear();
        doc_.setSize(10);
        doc_.addStyle(estimate::Bold);
    }

    TopicWriter& centred(std::string_view text) {
        return line(estimate::Align::Center, false, text);
    }
    TopicWriter& left(std::string_view text) { return line(estimate::Align::Left, false, text); }
    TopicWriter& bullet(std::string_view text) { return line(estimate::Align::Left, true, text); }
    // Switches the bullet off, so whatever is appended next starts without one.
    void finish() { doc_.setBullets(false); }

  private:
    TopicWriter& line(estimate::Align align, bool bullets, std::string_view text) {
        doc_.setAlignment(align);
        if (doc_.currentFormat().bullets != bullets)
            doc_.setBullets(bullets);
        doc_.append(text);
        return *this;
    }

    estimate::DescriptionDocument& doc_;
};

} // namespace info
