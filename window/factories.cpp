// SPDX-License-Identifier: MIT
#include "window/factories.h"

#include "estimate/inputs.h"

#include "window/looks.h"
#include "window/widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace window {

namespace {

// The caption of a labelled edit stands this far above the edit: its height and 3 pixels.
constexpr int editLabelOffset = 13 + 3;

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

QRect placeOf(const ControlSpec& row) {
    return {row.x, row.y, row.w, row.h};
}

// Widens a check box or radio button whose caption would be cut at its right edge: the font
// draws a few captions a pixel or three wider than the boxes were laid out for.
void fitCaption(QAbstractButton* button, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const int ink = button->fontMetrics().tightBoundingRect(button->text()).right() + 1;
    if (ink > room.width())
        button->resize(button->width() + ink - room.width(), button->height());
}

QWidget* makeScrollBox(QWidget* parent) {
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    auto* stack = new QWidget;
    auto* layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(); // panels stay at the top; hidden ones leave no gap
    scroll->setWidget(stack);
    return scroll;
}

// Docked to the top of the scroll area's stack, below the sections before it: height only.
QWidget* makeSection(const ControlSpec& row, QWidget* stack) {
    auto* panel = new BevelPanel(stack);
    panel->setFixedHeight(row.h);
    auto* layout = static_cast<QVBoxLayout*>(stack->layout());
    layout->insertWidget(layout->count() - 1, panel);
    return panel;
}

QWidget* makeGroupBox(QWidget* parent) {
    auto* frame = new QFrame(parent); // an etched frame without caption
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setMidLineWidth(0);
    return frame;
}

QWidget* makeCheckBox(const ControlSpec& row, QWidget* parent, QObject* inputFilter) {
    auto* box = new QCheckBox(utf8(row.caption), parent);
    box->installEventFilter(inputFilter);
    box->setGeometry(placeOf(row));
    fitCaption(box, QStyle::SE_CheckBoxContents);
    return box;
}

QWidget* makeRadioButton(const ControlSpec& row, QWidget* parent, QObject* inputFilter) {
    auto* radio = new QRadioButton(utf8(row.caption), parent);
    // The radio buttons of one container form a pair of their own.
    auto* pair = parent->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (!pair)
        pair = new QButtonGroup(parent);
    pair->addButton(radio);
    radio->installEventFilter(inputFilter);
    radio->setGeometry(placeOf(row));
    fitCaption(radio, QStyle::SE_RadioButtonContents);
    return radio;
}

QWidget* makeRadioGroup(const ControlSpec& row, QWidget* parent, QObject* inputFilter) {
    for (const RadioGroupSpec& g : radioGroups()) {
        if (qstrcmp(g.name, row.name) != 0)
            continue;
        auto* group = new RadioGroup(utf8(row.caption), g.columns, g.items, parent);
        group->setGeometry(placeOf(row));
        for (QAbstractButton* item : group->buttons()->buttons())
            item->installEventFilter(inputFilter);
        group->setGeometry(placeOf(row));
        return group;
    }
    Q_ASSERT_X(false, "makeRadioGroup", row.name);
    return nullptr;
}

// An edit with its caption above it.
QWidget* makeEdit(const ControlSpec& row, QWidget* parent, QObject* inputFilter) {
    auto* edit = new QLineEdit(parent);
    auto* label = new QLabel(utf8(row.caption), parent);
    label->setObjectName(utf8(row.name) + QStringLiteral("EditLabel"));
    label->move(row.x, row.y - editLabelOffset);
    label->adjustSize();
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->lower(); // a caption never covers a control
    if (row.kind == Kind::ResultEdit)
        edit->setReadOnly(true);
    else
        edit->setValidator(new TypingLimit(edit, estimate::input(row.name)->maxLength));
    edit->installEventFilter(inputFilter);
    edit->setGeometry(placeOf(row));
    return edit;
}

QWidget* makeSlider(const ControlSpec& row, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(1, estimate::levelCount);
    slider->setSingleStep(1);
    slider->setPageStep(2);
    slider->setTickPosition(QSlider::TicksAbove);
    slider->setTickInterval(1);
    slider->setGeometry(placeOf(row));
    return slider;
}

QWidget* makeLabel(const ControlSpec& row, QWidget* parent) {
    auto* label = new QLabel(utf8(row.caption), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(row.kind == Kind::WrapLabel);
    label->setGeometry(placeOf(row));
    if (row.kind == Kind::Label) {
        // Sized to its text, never narrower than its place.
        label->setMinimumWidth(row.w);
        label->adjustSize();
    }
    return label;
}

QWidget* makePicture(const ControlSpec& row, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (*row.caption)
        picture->setPixmap(pictureFor(utf8(row.caption), parent->devicePixelRatioF()));
    picture->setGeometry(placeOf(row));
    return picture;
}

QWidget* makeRichText(const ControlSpec& row, QWidget* parent) {
    auto* text = new QTextEdit(parent);
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setLineWrapMode(QTextEdit::WidgetWidth);
    text->document()->setDocumentMargin(2);
    text->setGeometry(placeOf(row));
    return text;
}

QWidget* placed(QWidget* w, const ControlSpec& row) {
    w->setGeometry(placeOf(row));
    return w;
}

} // namespace

QWidget* makeWidget(const ControlSpec& row, QWidget* parent, QObject* inputFilter) {
    switch (row.kind) {
    case Kind::Region:
        return placed(new BevelPanel(parent), row);
    case Kind::ScrollBox:
        return placed(makeScrollBox(parent), row);
    case Kind::Section:
        return makeSection(row, parent);
    case Kind::GroupBox:
        return placed(makeGroupBox(parent), row);
    case Kind::CheckBox:
        return makeCheckBox(row, parent, inputFilter);
    case Kind::RadioButton:
        return makeRadioButton(row, parent, inputFilter);
    case Kind::RadioGroup:
        return makeRadioGroup(row, parent, inputFilter);
    case Kind::CountEdit:
    case Kind::Edit:
    case Kind::ResultEdit:
        return makeEdit(row, parent, inputFilter);
    case Kind::Slider:
        return makeSlider(row, parent);
    case Kind::Label:
    case Kind::WrapLabel:
        return makeLabel(row, parent);
    case Kind::Picture:
        return makePicture(row, parent);
    case Kind::RichText:
        return makeRichText(row, parent);
    case Kind::Button:
        return placed(new QPushButton(utf8(row.caption), parent), row);
    }
    return nullptr;
}

} // namespace window
