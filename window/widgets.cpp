// SPDX-License-Identifier: MIT
#include "window/widgets.h"

#include "window/qt_compat.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <qdrawutil.h>

#include <algorithm>

namespace window {

BevelPanel::BevelPanel(QWidget* parent)
    : QFrame(parent) {
    // A raised box draws a light outer and a dark inner line on the top left and the reverse on
    // the bottom right: raised outside, lowered inside.
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setMidLineWidth(0);
}

RadioGroup::RadioGroup(const QString& caption, int columns, const QStringList& items,
                       QWidget* parent)
    : QGroupBox(caption, parent)
    , buttons_(new QButtonGroup(this))
    , columns_(std::max(1, columns)) {
    int id = 0;
    for (const QString& item : items) {
        auto* b = new QRadioButton(item, this);
        buttons_->addButton(b, id++);
    }
    arrange();
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (index == itemIndex())
        return;
    if (QAbstractButton* b = buttons_->button(index)) {
        b->setChecked(true);
    } else if (QAbstractButton* current = buttons_->checkedButton()) {
        setRadioChecked(current, false);
    }
}

QString RadioGroup::itemCaption(int index) const {
    const QAbstractButton* b = buttons_->button(index);
    return b ? b->text() : QString();
}

int RadioGroup::itemCount() const {
    return static_cast<int>(buttons_->buttons().size());
}

void RadioGroup::resizeEvent(QResizeEvent* e) {
    QGroupBox::resizeEvent(e);
    arrange();
}

void RadioGroup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QFontMetrics fm = fontMetrics();
    // An etched frame, as the group boxes without caption have.
    qDrawShadeRect(&p, rect().adjusted(0, fm.height() / 2, 0, 0), palette(), true, 1, 0);
    const QRect caption(8, 0, fm.horizontalAdvance(title()), fm.height());
    p.fillRect(caption, palette().window());
    style()->drawItemText(&p, caption, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                          title(), QPalette::WindowText);
}

void RadioGroup::arrange() {
    // The classic arrangement: the caption line on top, then equal cells column by column.
    const QList<QAbstractButton*> items = buttons_->buttons();
    if (items.isEmpty())
        return;
    const int count = static_cast<int>(items.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int textHeight = QFontMetrics(font()).height();
    const int cellWidth = (width() - 10) / columns_;
    const int free = height() - textHeight - 5;
    const int cellHeight = free / perColumn;
    const int top = textHeight + 1 + (free % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        items[i]->setGeometry((i / perColumn) * cellWidth + 8, (i % perColumn) * cellHeight + top,
                              cellWidth, cellHeight);
}

TypingLimit::TypingLimit(QLineEdit* edit, int limit)
    : QValidator(edit)
    , edit_(edit)
    , limit_(limit)
    , before_(edit->text()) {
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
}

QValidator::State TypingLimit::validate(QString& input, int& pos) const {
    // A program-set text comes with an empty undo history; the user's edits never do.
    const bool byUser = edit_->isUndoAvailable();
    if (!byUser || limit_ <= 0 || input.size() <= limit_)
        return Acceptable;
    // The edit replaced a stretch of the old text by what ends at the cursor; the old text's
    // head and tail are around it. Equal characters at the seam make the split ambiguous, but
    // not the text that results.
    const qt::StringSize tail = input.size() - pos;
    const qt::StringSize headLimit =
        std::min<qt::StringSize>(pos, std::max<qt::StringSize>(0, before_.size() - tail));
    qt::StringSize head = 0;
    while (head < headLimit && input[head] == before_[head])
        ++head;
    const qt::StringSize inserted = pos - head;
    const qt::StringSize kept = input.size() - inserted;
    const qt::StringSize room = std::clamp<qt::StringSize>(limit_ - kept, 0, inserted);
    if (room == 0)
        return Invalid; // nothing fits: the edit is undone
    input.remove(head + room, inserted - room);
    pos = int(head + room);
    return Acceptable;
}

void setRadioChecked(QAbstractButton* button, bool checked) {
    if (button->isChecked() == checked)
        return;
    if (checked) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its checked button: lift the rule for the moment.
    if (QButtonGroup* group = button->group()) {
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
    } else {
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(exclusive);
    }
}

} // namespace window
