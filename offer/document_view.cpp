// SPDX-License-Identifier: MIT
#include "offer/document_view.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTimer>

#include <utility>

namespace offer {

namespace {

constexpr double pixelsPerPoint = 96.0 / 72.0;

// A paragraph is one block: line breaks inside it stay soft.
QString blockText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(u'\r', QChar::LineSeparator);
    s.replace(u'\n', QChar::LineSeparator);
    return s;
}

QTextCharFormat charFormat(const estimate::ParagraphFormat& f) {
    QTextCharFormat c;
    c.setFontPointSize(f.size);
    c.setFontWeight(f.bold() ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.italic());
    return c;
}

QTextBlockFormat blockFormat(const estimate::ParagraphFormat& f) {
    QTextBlockFormat b;
    b.setAlignment(f.align == estimate::Align::Center ? Qt::AlignHCenter : Qt::AlignLeft);
    if (!f.bullets && f.leftIndent > 0)
        b.setLeftMargin(f.leftIndent * pixelsPerPoint);
    return b;
}

} // namespace

DescriptionView::DescriptionView(QTextDocument* text, ShowPicture showPicture)
    : text_(text)
    , showPicture_(std::move(showPicture))
    , cursor_(text) {
    text_->setUndoRedoEnabled(false);
    // Bullets stand in the indent, the text starts at the paragraph's left indent.
    text_->setIndentWidth(estimate::ParagraphFormat::bulletIndent * pixelsPerPoint + 5);
}

void DescriptionView::replay(const estimate::DescriptionDocument& doc) {
    documentCleared();
    for (const estimate::Paragraph& p : doc.paragraphs())
        paragraphAppended(p);
    flush();
}

void DescriptionView::documentCleared() {
    flush();
    text_->clear();
    cursor_ = QTextCursor(text_);
    list_ = nullptr;
    empty_ = true;
}

void DescriptionView::beginBatch() {
    if (batching_)
        return;
    batching_ = true;
    cursor_.beginEditBlock();
    QTimer::singleShot(0, text_, [this] { flush(); });
}

void DescriptionView::flush() {
    if (!batching_)
        return;
    batching_ = false;
    cursor_.endEditBlock();
    if (caretOwner_)
        caretOwner_->moveCursor(QTextCursor::Start);
}

void DescriptionView::paragraphAppended(const estimate::Paragraph& p) {
    const QTextCharFormat chars = charFormat(p.format);
    const QTextBlockFormat block = blockFormat(p.format);
    beginBatch();
    cursor_.movePosition(QTextCursor::End);
    if (empty_) {
        cursor_.setBlockFormat(block);
        cursor_.setBlockCharFormat(chars);
        empty_ = false;
    } else {
        cursor_.insertBlock(block, chars);
    }
    if (!p.format.bullets) {
        list_ = nullptr;
    } else if (list_ && listIndent_ == p.format.leftIndent) {
        list_->add(cursor_.block());
    } else {
        QTextListFormat lf;
        lf.setStyle(QTextListFormat::ListDisc);
        lf.setIndent(1);
        list_ = cursor_.createList(lf);
        listIndent_ = p.format.leftIndent;
    }
    cursor_.insertText(blockText(p.text), chars);
}

void DescriptionView::pictureChanged(const std::string& name) {
    if (showPicture_)
        showPicture_(name);
}

} // namespace offer
