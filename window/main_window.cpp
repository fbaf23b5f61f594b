// SPDX-License-Identifier: MIT
// The window: built from the layout table and bound to its handlers; the window-level handlers.
#include "window/main_window.h"

#include "access/access.h"
#include "estimate/inputs.h"
#include "info/change_topics.h"
#include "info/link_label.h"
#include "offer/document_view.h"
#include "offer/pdf_save.h"
#include "program.h"
#include "resources/kc_resources.h"
#include "window/accessibility.h"
#include "window/face.h"
#include "window/factories.h"
#include "window/layout.h"
#include "window/looks.h"
#include "window/start_folder.h"
#include "window/widgets.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QTextEdit>

using window::Kind;

namespace {

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// The handler of each control that has one: run on a click, a toggle, a selected item, a
// changed text or a moved slider. Every count edit corrects its text with EditStendSChange.
const std::pair<const char*, TMain::Handler> kHandlers[] = {
    {"RGClass", &TMain::RGClassClick},
    {"EditSquare", &TMain::EditSquareChange},
    {"CBDostavka", &TMain::CBDostavkaClick},
    {"CBSborka", &TMain::CBSborkaClick},
    {"CBStend", &TMain::CBStendClick},
    {"CBPlakat", &TMain::CBPlakatClick},
    {"CBVitrin", &TMain::CBVitrinClick},
    {"CBMebel", &TMain::CBMebelClick},
    {"CBComp", &TMain::CBCompClick},
    {"CBTeh", &TMain::CBTehClick},
    {"RGVitrinTip", &TMain::RGVitrinTipClick},
    {"TrackMebel", &TMain::TrackMebelChange},
    {"TrackComp", &TMain::TrackCompChange},
    {"TrackTeh", &TMain::TrackTehChange},
    {"ButtonCalc", &TMain::ButtonCalcClick},
    {"ButtonClear", &TMain::ButtonClearClick},
    {"ButtonRequest", &TMain::ButtonRequestClick},
    {"ButtonLoad", &TMain::ButtonLoadClick},
    {"ButtonPrint", &TMain::ButtonPrintClick},
    {"ButtonClose", &TMain::ButtonCloseClick},
};

TMain::Handler handlerOf(const window::ControlSpec& row) {
    if (row.kind == Kind::CountEdit)
        return &TMain::EditStendSChange;
    for (const auto& [name, handler] : kHandlers)
        if (qstrcmp(name, row.name) == 0)
            return handler;
    return nullptr;
}

// The window's controls by name, for the accessibility functions.
window::ControlLookup lookup(const TMain* main) {
    return [main](const QString& name) { return main->control(name); };
}

// The description's picture in the picture control, for the screen's pixel ratio.
offer::DescriptionView::ShowPicture showIn(QLabel* image) {
    return [image](const std::string& name) {
        if (name.empty()) {
            image->clear();
            return;
        }
        // A picture that the program does not carry shows nothing; the document keeps its name.
        image->setPixmap(window::pictureFor(kc::resources::picture(QString::fromStdString(name)),
                                            image->devicePixelRatioF()));
    };
}

} // namespace

TMain::TMain(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(utf8(program::title));
    // The fixed layout holds in its own face only: the window keeps it, and every control
    // inherits it, whatever font the application gets from a platform theme.
    setFont(window::windowFont());
    FormCanResize(this);
    build();
    auto* panel = control<QTextEdit>(QStringLiteral("RichEdit"));
    view_ = std::make_unique<offer::DescriptionView>(
        panel->document(), showIn(control<QLabel>(QStringLiteral("Image"))));
    view_->keepCaretAtStart(panel);
    doc_.setObserver(view_.get());
    offer::addPdfSave({this, panel, &doc_, &saveDialogFolder_});
    window::describeControls(this, lookup(this));
    FormCreate(this);
    keepOwnLooks();
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}

TMain::~TMain() {
    // Children go first, while the document and its view still exist.
    doc_.setObserver(nullptr);
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
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
        QWidget* w = window::makeWidget(row, parent, this);
        w->setObjectName(utf8(row.name));
        if (row.kind == Kind::CountEdit)
            countEdits_.insert(w);
        if (*row.hint)
            w->setToolTip(utf8(row.hint));
        controls_.insert(w->objectName(), w);
    }
    // The section panels stack in the order of their switches.
    auto* stack = static_cast<QBoxLayout*>(control<QScrollArea>("ScrollBox")->widget()->layout());
    for (const estimate::SectionSwitch& s : estimate::sectionSwitches) {
        QWidget* panel = control(QString::fromUtf8(s.panel.data(), qsizetype(s.panel.size())));
        stack->removeWidget(panel);
        stack->insertWidget(int(&s - estimate::sectionSwitches), panel);
    }
    applyConfig(estimate::CabinetConfig{}); // the initial values, before any handler is bound
    for (const window::ControlSpec& row : window::controls())
        connectHandler(row, control(utf8(row.name)));
    placeLinkLabels();
}

void TMain::connectHandler(const window::ControlSpec& row, QWidget* w) {
    const Handler handler = handlerOf(row);
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
    for (const info::Link& row : info::links()) {
        auto* label = new info::LinkLabel(row, control(utf8(row.panel)));
        label->adjustSize();
        label->move(row.rightAligned ? row.x - label->width() : row.x, row.y);
        controls_.insert(label->objectName(), label);
        // The contact labels stand on the logo: their hover colour reads on it.
        const auto* logo = control<QLabel>(QStringLiteral("ImageLogo"));
        if (logo && logo->parentWidget() == label->parentWidget() &&
            logo->geometry().intersects(label->geometry()))
            label->setBackdrop(window::meanColour(QString::fromUtf8(kc::resources::logoStrip),
                                                  label->geometry().translated(-logo->pos())));
    }
}

// The window's style on every control, so that a style the desktop gives the application
// while the program runs does not reach the fixed layout; its colours come from the desktop's
// scheme, with the texts that would not read well made readable.
void TMain::keepOwnLooks() {
    style_ = window::makeWindowStyle();
    style_->setParent(this);
    setStyle(style_);
    for (QWidget* w : findChildren<QWidget*>())
        w->setStyle(style_);
    setPalette(window::readablePalette(QApplication::palette(this)));
    showPictures();
}

void TMain::showPictures() {
    for (const window::ControlSpec& row : window::controls())
        if (row.kind == Kind::Picture && *row.caption)
            control<QLabel>(utf8(row.name))
                ->setPixmap(window::pictureFor(utf8(row.caption), devicePixelRatioF()));
    view_->pictureChanged(doc_.picture());
}

// ---------------------------------------------------------------------------------------------
// Window handlers

void TMain::FormCreate(QObject*) {
    // Whether the program's folder takes files is asked once, not at every reset.
    static const QString startFolder =
        window::dialogStartFolder(QCoreApplication::applicationDirPath()) + u'/';
    saveDialogFolder_ = startFolder;

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

void TMain::tellResults() {
    window::tellResults(this, lookup(this));
}

void TMain::ButtonCloseClick(QObject*) {
    close();
}

bool TMain::focusNextPrevChild(bool next) {
    return accessibility::moveFocus(window::tabOrder(lookup(this)), next) ||
           QWidget::focusNextPrevChild(next);
}

bool TMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate(this);
    const bool done = QWidget::event(e);
    if (!style_)
        return done; // still being built
    if (e->type() == QEvent::ApplicationPaletteChange)
        setPalette(window::readablePalette(QApplication::palette(this))); // a new scheme
    else if (e->type() == QEvent::ScreenChangeInternal)
        showPictures(); // another screen, perhaps another pixel ratio
    return done;
}

// ---------------------------------------------------------------------------------------------
// Reading and setting the inputs by the catalogue of estimate/inputs.h

estimate::CabinetConfig TMain::readConfig() const {
    estimate::CabinetConfig c;
    for (const estimate::InputRow& row : estimate::inputs()) {
        QWidget* w = control(utf8(row.name));
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(c.*member)>;
                if constexpr (std::is_same_v<T, bool>)
                    c.*member = static_cast<QAbstractButton*>(w)->isChecked();
                else if constexpr (std::is_same_v<T, std::string>)
                    c.*member = static_cast<QLineEdit*>(w)->text().toStdString();
                else if (auto* slider = qobject_cast<QSlider*>(w))
                    c.*member = slider->value();
                else
                    c.*member = static_cast<window::RadioGroup*>(w)->itemIndex();
            },
            row.member);
    }
    return c;
}

void TMain::applyConfig(const estimate::CabinetConfig& c) {
    for (const estimate::InputRow& row : estimate::inputs()) {
        QWidget* w = control(utf8(row.name));
        std::visit(
            [&](auto member) {
                const auto& value = c.*member;
                using T = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<T, bool>) {
                    if (auto* radio = qobject_cast<QRadioButton*>(w))
                        window::setRadioChecked(radio, value);
                    else
                        static_cast<QAbstractButton*>(w)->setChecked(value);
                } else if constexpr (std::is_same_v<T, std::string>) {
                    auto* edit = static_cast<QLineEdit*>(w);
                    if (const QString text = QString::fromStdString(value); edit->text() != text)
                        edit->setText(text);
                } else if (auto* slider = qobject_cast<QSlider*>(w)) {
                    slider->setValue(value);
                } else {
                    static_cast<window::RadioGroup*>(w)->setItemIndex(value);
                }
            },
            row.member);
    }
}

int TMain::itemIndex(const QString& radioGroup) const {
    const auto* group = control<window::RadioGroup>(radioGroup);
    return group ? group->itemIndex() : -1;
}
