// Draws the description document into the rich-text control and the picture control as the
// document is written: each appended paragraph becomes one text block at once. The blocks of
// one write-up are laid out together, when the handler that writes them has finished.
#pragma once

#include "estimate/document.h"

#include <QTextCursor>

class QLabel;
class QTextEdit;
class QTextList;

namespace window {

class DescriptionView : public estimate::DocumentObserver {
  public:
    DescriptionView(QTextEdit* text, QLabel* picture);

    void documentCleared() override;
    void paragraphAppended(const estimate::Paragraph& p) override;
    void pictureChanged(const std::string& name) override;

    // Lays out what was written since the last clear; happens by itself once the running
    // handler has returned to the event loop.
    void flush();

  private:
    void beginBatch();

    QTextEdit* text_;
    QLabel* picture_;
    QTextCursor cursor_;
    QTextList* list_ = nullptr; // the bulleted run being written
    int listIndent_ = 0;
    bool empty_ = true;
    bool batching_ = false;
};

} // namespace window
