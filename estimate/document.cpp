// SPDX-License-Identifier: MIT
#include "estimate/document.h"

namespace estimate {

void DescriptionDocument::clear() {
    paragraphs_.clear();
    current_ = ParagraphFormat{};
    if (observer_)
        observer_->documentCleared();
}

void DescriptionDocument::setBullets(bool on) {
    current_.bullets = on;
    if (!on)
        current_.leftIndent = 0;
    else if (current_.leftIndent < ParagraphFormat::bulletIndent)
        current_.leftIndent = ParagraphFormat::bulletIndent;
}

void DescriptionDocument::append(std::string_view text) {
    paragraphs_.push_back(Paragraph{std::string(text), current_});
    if (observer_)
        observer_->paragraphAppended(paragraphs_.back());
}

void DescriptionDocument::showPicture(std::string_view name) {
    picture_ = name;
    if (observer_)
        observer_->pictureChanged(picture_);
}

std::string DescriptionDocument::plainText() const {
    std::string out;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i)
            out += '\n';
        out += paragraphs_[i].text;
    }
    return out;
}

std::string groupDigits(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t k = n - i; // position counted from the right
        if (k % 3 == 0)
            out += ' ';
        out += digits[i];
    }
    return out;
}

} // namespace estimate
