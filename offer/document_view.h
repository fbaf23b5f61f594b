// SPDX-License-Identifier: MIT
// Draws the description document into a text document (the rich-text control's, or one for
// the PDF), and has its picture shown, as the document is written: each appended paragraph
// becomes one text block at once. The blocks of one write-up are laid out together, when the
// handler that writes them has finished.
#pragma once

#include "estimate/document.h"

#include <QTextCursor>

#include <functional>
#include <string>

class QTextDocument;
class QTextEdit;
class QTextList;

namespace offer {

class DescriptionView : public estimate::DocumentObserver {
  public:
    // Shows the picture of the given name, or none for an empty name.
    using ShowPicture = std::function<void(const std::string& name)>;

    // Without `showPicture` pictures are not shown.
    explicit DescriptionView(QTextDocument* text, ShowPicture showPicture = {});

    // Writes the paragraphs a document already holds, as if they were appended now.
    void replay(const estimate::DescriptionDocument& doc);

    void documentCleared() override;
    void paragraphAppended(const estimate::Paragraph& p) override;
    void pictureChanged(const std::string& name) override;

    // Lays out what was written since the last clear; happens by itself once the running
    // handler has returned to the event loop. The caret of the edit given to keepCaretAtStart
    // then goes to the start of the text, where the view shows it and where a screen reader
    // begins to read (it followed the writing to the end).
    void flush();
    void keepCaretAtStart(QTextEdit* edit) { caretOwner_ = edit; }

  private:
    void beginBatch();

    QTextDocument* text_;
    ShowPicture showPicture_;
    QTextEdit* caretOwner_ = nullptr;
    QTextCursor cursor_;
    QTextList* list_ = nullptr; // the bulleted run being written
    int listIndent_ = 0;
    bool empty_ = true;
    bool batching_ = false;
};

} // namespace offer
