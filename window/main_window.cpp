// The window: built from the layout table, start-up, window-level handlers and "Рассчитать".
#include "window/main_window.h"

#include "estimate/estimate.h"
#include "info/change_topics.h"
#include "info/link_label.h"
#include "window/accessibility.h"
#include "window/document_view.h"
#include "window/layout.h"
#include "window/pdf_save.h"
#include "window/widgets.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <exception>

using window::Kind;

namespace {

// The caption of a labelled edit stands this far above the edit: its height and 3 pixels.
constexpr int editLabelOffset = 13 + 3;

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

// Widens a check box or radio button whose caption would be cut at its right edge: the font
// draws a few captions a pixel or three wider than the boxes were laid out for.
void fitCaption(QAbstractButton* button) {
    QStyle::SubElement contents;
    if (qobject_cast<QCheckBox*>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(button))
        contents = QStyle::SE_RadioButtonContents;
    else
        return;
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const int ink = button->fontMetrics().tightBoundingRect(button->text()).right() + 1;
    if (ink > room.width())
        button->resize(button->width() + ink - room.width(), button->height());
}

} // namespace

TMain::TMain(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(utf8(window::windowCaption));
    FormCanResize(this);
    build();
    view_ = std::make_unique<window::DescriptionView>(
        control<QTextEdit>(QStringLiteral("RichEdit"))->document(),
        control<QLabel>(QStringLiteral("Image")));
    doc_.setObserver(view_.get());
    window::addPdfSave(*this);
    window::applyAccessibility(*this);
    FormCreate(this);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

TMain::~TMain() {
    // Children go first, while the document and its view still exist.
    doc_.setObserver(nullptr);
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

// ---------------------------------------------------------------------------------------------
// Building the window from the layout table

void TMain::build() {
    for (const window::ControlSpec& row : window::controls()) {
        QWidget* parent = this;
        if (qstrcmp(row.parent, "Main") != 0) {
            parent = control(utf8(row.parent));
            if (auto* scroll = qobject_cast<QScrollArea*>(parent))
                parent = scroll->widget();
        }
        QWidget* w = create(row, parent);
        w->setObjectName(utf8(row.name));
        if (*row.hint)
            w->setToolTip(utf8(row.hint));
        controls_.insert(w->objectName(), w);
        connectHandler(row, w);
    }
    placeLinkLabels();
}

QWidget* TMain::create(const window::ControlSpec& row, QWidget* parent) {
    const QRect place(row.x, row.y, row.w, row.h);
    const QString caption = utf8(row.caption);
    const QString initial = utf8(row.initial);
    QWidget* w = nullptr;
    switch (row.kind) {
    case Kind::Region:
        w = new window::BevelPanel(parent);
        break;
    case Kind::ScrollBox: {
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
        w = scroll;
        break;
    }
    case Kind::Section: {
        auto* panel = new window::BevelPanel(parent);
        panel->setFixedHeight(row.h);
        auto* layout = static_cast<QVBoxLayout*>(parent->layout());
        layout->insertWidget(layout->count() - 1, panel);
        return panel;
    }
    case Kind::GroupBox: {
        auto* frame = new QFrame(parent); // an etched frame without caption
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        frame->setLineWidth(1);
        frame->setMidLineWidth(0);
        w = frame;
        break;
    }
    case Kind::CheckBox: {
        auto* box = new QCheckBox(caption, parent);
        box->setChecked(initial == u"ticked");
        box->installEventFilter(this);
        w = box;
        break;
    }
    case Kind::RadioButton: {
        auto* radio = new QRadioButton(caption, parent);
        // The radio buttons of one container form a pair of their own.
        auto* pair = parent->findChild<QButtonGroup*>(QString(), Qt::FindDirectChildrenOnly);
        if (!pair)
            pair = new QButtonGroup(parent);
        pair->addButton(radio);
        radio->setChecked(initial == u"selected");
        radio->installEventFilter(this);
        w = radio;
        break;
    }
    case Kind::RadioGroup: {
        for (const window::RadioGroupSpec& g : window::radioGroups()) {
            if (qstrcmp(g.name, row.name) != 0)
                continue;
            auto* group = new window::RadioGroup(caption, g.columns, g.items, parent);
            group->setGeometry(place);
            group->setItemIndex(initial == u"none" ? -1 : initial.toInt());
            for (QAbstractButton* item : group->buttons()->buttons())
                item->installEventFilter(this);
            w = group;
        }
        Q_ASSERT(w);
        break;
    }
    case Kind::CountEdit:
    case Kind::Edit:
    case Kind::ResultEdit: {
        auto* edit = new QLineEdit(initial, parent);
        auto* label = new QLabel(caption, parent);
        label->setObjectName(utf8(row.name) + QStringLiteral("EditLabel"));
        label->move(row.x, row.y - editLabelOffset);
        label->adjustSize();
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->lower(); // a caption never covers a control
        if (row.kind == Kind::ResultEdit)
            edit->setReadOnly(true);
        else
            edit->setValidator(new window::TypingLimit(edit, row.maxLength));
        if (row.kind == Kind::CountEdit)
            countEdits_.insert(edit);
        edit->installEventFilter(this);
        w = edit;
        break;
    }
    case Kind::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, parent);
        slider->setRange(1, 10);
        slider->setSingleStep(1);
        slider->setPageStep(2);
        slider->setTickPosition(QSlider::TicksAbove);
        slider->setTickInterval(1);
        slider->setValue(initial.toInt());
        w = slider;
        break;
    }
    case Kind::Label:
    case Kind::WrapLabel: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.kind == Kind::WrapLabel);
        if (row.kind == Kind::Label) {
            // Sized to its text, never narrower than its place.
            label->setGeometry(place);
            label->setMinimumWidth(row.w);
            label->adjustSize();
            return label;
        }
        w = label;
        break;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (!initial.isEmpty())
            picture->setPixmap(QPixmap(initial));
        w = picture;
        break;
    }
    case Kind::RichText: {
        auto* text = new QTextEdit(parent);
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setLineWrapMode(QTextEdit::WidgetWidth);
        text->document()->setDocumentMargin(2);
        w = text;
        break;
    }
    case Kind::Button:
        w = new QPushButton(caption, parent);
        break;
    }
    w->setGeometry(place);
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        fitCaption(button);
    return w;
}

void TMain::connectHandler(const window::ControlSpec& row, QWidget* w) {
    const window::Handler handler = row.handler;
    if (!handler)
        return;
    const auto run = [this, handler, w] { (this->*handler)(w); };
    switch (row.kind) {
    case Kind::CheckBox:
        connect(static_cast<QCheckBox*>(w), &QCheckBox::toggled, this, run);
        break;
    case Kind::RadioGroup:
        connect(static_cast<window::RadioGroup*>(w)->buttons(), &QButtonGroup::idToggled, this,
                [run](int, bool checked) {
                    if (checked)
                        run();
                });
        break;
    case Kind::CountEdit:
    case Kind::Edit:
        connect(static_cast<QLineEdit*>(w), &QLineEdit::textChanged, this, run);
        break;
    case Kind::Slider:
        connect(static_cast<QSlider*>(w), &QSlider::valueChanged, this, run);
        break;
    case Kind::Button:
        connect(static_cast<QPushButton*>(w), &QPushButton::clicked, this, run);
        break;
    default:
        Q_ASSERT_X(false, "TMain::connectHandler", row.name);
    }
}

void TMain::placeLinkLabels() {
    for (const window::LinkLabelSpec& row : window::linkLabels()) {
        const QString name = utf8(row.name);
        auto* label = new info::LinkLabel(name, control(utf8(row.parent)));
        label->adjustSize();
        label->move(row.rightAligned ? row.x - label->width() : row.x, row.y);
        controls_.insert(name, label);
    }
}

// ---------------------------------------------------------------------------------------------
// Window handlers

void TMain::FormCreate(QObject*) {
    saveDialogFolder_ = QCoreApplication::applicationDirPath() + u'/';

    info::showWelcomeTopic(doc_);
}

void TMain::FormActivate(QObject*) {
    // The two edits in the 24-pixel group boxes fit inside their frames.
    for (const QString& name :
         {QStringLiteral("EditMebelMest"), QStringLiteral("EditCompStudent")}) {
        QWidget* edit = control(name);
        edit->resize(edit->width(), 18);
    }
}

void TMain::FormCanResize(QObject*) {
    // Every resize is refused: a fixed size, and no maximise button.
    setFixedSize(window::clientWidth, window::clientHeight);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void TMain::ButtonCloseClick(QObject*) {
    close();
}

bool TMain::focusNextPrevChild(bool next) {
    return window::focusNextInReadingOrder(*this, next) || QWidget::focusNextPrevChild(next);
}

bool TMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate(this);
    return QWidget::event(e);
}

// ---------------------------------------------------------------------------------------------
// "Рассчитать"

void TMain::ButtonCalcClick(QObject*) {
    try {
        const estimate::ResultFields r =
            estimate::calculate(readConfig(), doc_, QLocale::system().decimalPoint().toStdString());
        control<QLineEdit>(QStringLiteral("EditPrice"))->setText(QString::fromStdString(r.price));
        control<QLineEdit>(QStringLiteral("EditVolume"))->setText(QString::fromStdString(r.volume));
        control<QLineEdit>(QStringLiteral("EditWeight"))->setText(QString::fromStdString(r.weight));
        control<QLineEdit>(QStringLiteral("EditTime"))->setText(QString::fromStdString(r.time));
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(),
                              QString::fromUtf8(e.what()));
    }
}
