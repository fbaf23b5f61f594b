// SPDX-License-Identifier: MIT
// The description document: the paragraphs of the description panel and the name of the
// picture shown beside them. Writers clear it, switch the current format and append
// paragraphs; every appended paragraph takes a copy of the current format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace estimate {

enum class Align { Left, Center };

enum Style : unsigned { Regular = 0, Bold = 1, Italic = 2 };

struct ParagraphFormat {
    static constexpr int defaultSize = 8;   // the panel font, Tahoma 8 pt
    static constexpr int bulletIndent = 10; // points

    Align align = Align::Left;
    bool bullets = false;
    int leftIndent = 0; // points
    int size = defaultSize;
    unsigned style = Regular; // a set of Style flags

    bool bold() const { return style & Bold; }
    bool italic() const { return style & Italic; }
    bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
    std::string text; // UTF-8
    ParagraphFormat format;
    bool operator==(const Paragraph&) const = default;
};

// Told about every change, so that a view can follow the document as it is written.
class DocumentObserver {
  public:
    virtual ~DocumentObserver() = default;
    virtual void documentCleared() = 0;
    virtual void paragraphAppended(const Paragraph& p) = 0;
    virtual void pictureChanged(const std::string& name) = 0; // empty: no picture
};

class DescriptionDocument {
  public:
    // Removes every paragraph and returns the current format to the panel's defaults.
    void clear();
    void setAlignment(Align a) { current_.align = a; }
    void setBullets(bool on);
    void setSize(int points) { current_.size = points; }
    void addStyle(Style s) { current_.style |= s; }
    void append(std::string_view text);
    void appendEmpty() { append({}); }
    // Names the picture resource to show; an empty name removes the picture.
    void showPicture(std::string_view name);

    const std::vector<Paragraph>& paragraphs() const { return paragraphs_; }
    const ParagraphFormat& currentFormat() const { return current_; }
    const std::string& picture() const { return picture_; }

    // The paragraphs' texts joined by '\n', as plain text.
    std::string plainText() const;

    void setObserver(DocumentObserver* o) { observer_ = o; }

  private:
    std::vector<Paragraph> paragraphs_;
    ParagraphFormat current_;
    std::string picture_;
    DocumentObserver* observer_ = nullptr;
};

// Inserts a blank before every third digit counted from the right: "150000" -> " 150 000".
std::string groupDigits(std::string_view digits);

} // namespace estimate
