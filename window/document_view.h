// Draws the description document into the rich-text control and the picture control as the
// document is written: each appended paragraph becomes one text block.
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

  private:
    QTextEdit* text_;
    QLabel* picture_;
    QTextCursor cursor_;
    QTextList* list_ = nullptr; // the bulleted run being written
    int listIndent_ = 0;
    bool empty_ = true;
};

} // namespace window
