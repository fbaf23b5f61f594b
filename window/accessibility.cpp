// SPDX-License-Identifier: MIT
#include "window/accessibility.h"

#include "window/accessibility_notice.h"
#include "window/accessible_controls.h"
#include "window/layout.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTextEdit>

#include <algorithm>
#include <vector>

namespace window {

namespace {

QString utf8(const char* s) {
    return QString::fromUtf8(s);
}

// The caption that names a row: its own, or for a blank caption the nearest caption before it
// in the same parent (the control to the left of the edit). A slider is named by the label
// above it, without the level it shows ("уровень комфорта = 10%" names "уровень комфорта").
QString nameOf(std::span<const ControlSpec> rows, size_t index) {
    const ControlSpec& row = rows[index];
    const QString own = utf8(row.caption).trimmed();
    if (!own.isEmpty() && row.kind != Kind::Slider)
        return own;
    if (row.kind == Kind::GroupBox) { // named by its first control
        for (size_t i = index + 1; i < rows.size(); ++i)
            if (qstrcmp(rows[i].parent, row.name) == 0)
                return utf8(rows[i].caption).trimmed();
        return {};
    }
    for (size_t i = index; i-- > 0;) {
        if (qstrcmp(rows[i].parent, row.parent) != 0)
            continue;
        const QString caption = utf8(rows[i].caption).trimmed();
        if (!caption.isEmpty())
            return row.kind == Kind::Slider ? caption.section(QStringLiteral(" ="), 0, 0) : caption;
    }
    return {};
}

// Reading order inside one container: rows from the top (widgets whose keys lie within
// `rowTolerance` of the row's first one), each row from the left. A widget's key is its
// middle; a radio group that stands beside a column of controls (on its left, within its
// height) is read after that column, so its key is its bottom.
constexpr int rowTolerance = 8;

std::vector<QWidget*> readingOrder(std::vector<QWidget*> widgets) {
    const auto middle = [](const QWidget* w) { return w->y() + w->height() / 2; };
    const auto key = [&](const QWidget* w) {
        if (!qobject_cast<const RadioGroup*>(w))
            return middle(w);
        const bool beside = std::any_of(widgets.begin(), widgets.end(), [&](const QWidget* o) {
            return o->x() + o->width() <= w->x() && middle(o) >= w->y() &&
                   middle(o) <= w->y() + w->height();
        });
        return beside ? w->y() + w->height() : middle(w);
    };
    std::vector<std::pair<int, QWidget*>> keyed;
    for (QWidget* w : widgets)
        keyed.emplace_back(key(w), w);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto row = keyed.begin(); row != keyed.end();) {
        const int top = row->first;
        auto end = std::find_if(row, keyed.end(),
                                [&](const auto& k) { return k.first - top > rowTolerance; });
        std::stable_sort(
            row, end, [](const auto& a, const auto& b) { return a.second->x() < b.second->x(); });
        row = end;
    }
    for (size_t i = 0; i < keyed.size(); ++i)
        widgets[i] = keyed[i].second;
    return widgets;
}

// A link label that stands for its whole panel, not for one item of it.
bool isPanelLink(const QWidget* w) {
    for (const LinkLabelSpec& link : linkLabels())
        if (w->objectName() == utf8(link.name))
            return !*link.item;
    return false;
}

void collect(QWidget* container, QWidgetList& out);

// A section panel as its meaning runs: the level slider, then the equipment in reading order
// (a link that belongs to an item stands beside it, so it follows it), then the panel's links.
void collectSection(QWidget* panel, QWidgetList& out) {
    QWidgetList controls;
    collect(panel, controls);
    const auto rank = [](const QWidget* w) {
        return qobject_cast<const QSlider*>(w) ? 0 : isPanelLink(w) ? 2 : 1;
    };
    std::stable_sort(controls.begin(), controls.end(),
                     [&](const QWidget* a, const QWidget* b) { return rank(a) < rank(b); });
    out << controls;
}

// The focusable controls inside `container`, in reading order; containers in it are read
// where they stand. A radio group counts as the buttons it holds, in item order.
void collect(QWidget* container, QWidgetList& out) {
    std::vector<QWidget*> children;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children.push_back(child);
    for (QWidget* child : readingOrder(children)) {
        if (auto* group = qobject_cast<RadioGroup*>(child)) {
            for (QAbstractButton* item : group->buttons()->buttons())
                out << item;
        } else if (child->focusPolicy() & Qt::TabFocus) {
            out << child;
        } else {
            collect(child, out);
        }
    }
}

// Whether Tab stops at the control: shown, enabled, and of a radio group only the selected
// button (the first one while none is); the arrow keys move within the group.
bool takesTab(const TMain& main, QWidget* w) {
    if (!w->isVisibleTo(&main) || !w->isEnabled())
        return false;
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio || !radio->group() || !radio->group()->exclusive())
        return true;
    const QAbstractButton* checked = radio->group()->checkedButton();
    return checked ? checked == radio : radio->group()->buttons().constFirst() == radio;
}

// The regions as a person reads the window: the top, the switches on the left, the sections,
// the description on the right, the buttons and links at the bottom.
const char* const regionOrder[] = {"TopPanel", "LeftPanel", "ScrollBox", "MemoPanel",
                                   "BottomPanel"};

QWidgetList focusChain(const TMain& main) {
    QWidgetList chain;
    for (const char* region : regionOrder) {
        QWidget* w = main.control(utf8(region));
        if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
            // The section panels in the order they stack, which is the order they were made.
            for (QWidget* section :
                 scroll->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                collectSection(section, chain);
        } else {
            collect(w, chain);
        }
    }
    return chain;
}

// What screen readers call the window's containers: the window a window, not a plain pane;
// the panels panes and the frames round a row groupings, not window frames.
QAccessibleInterface* containerAccessible(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType()) // the application object is asked too
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (className == QLatin1String(TMain::staticMetaObject.className()))
        return new QAccessibleWidget(w, QAccessible::Window);
    if (!qobject_cast<TMain*>(w->window()))
        return nullptr;
    if (className == QLatin1String(BevelPanel::staticMetaObject.className()))
        return new QAccessibleWidget(w, QAccessible::Pane);
    if (className == QLatin1String("QFrame"))
        return new QAccessibleWidget(w, QAccessible::Grouping);
    return nullptr;
}

// Tab into a line edit selects its text, and Qt reports that selection before the focus; a
// screen reader then takes the edit as announced already and says nothing (an empty result
// field stays silent). The edit takes such a focus as a plain one and selects its text once
// the focus has been reported.
class SelectAfterFocus : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
            reason != Qt::ShortcutFocusReason)
            return false;
        auto* edit = static_cast<QLineEdit*>(watched);
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(edit, &plain);
        QMetaObject::invokeMethod(
            edit,
            [edit] {
                if (edit->hasFocus() && !edit->hasSelectedText())
                    edit->selectAll();
            },
            Qt::QueuedConnection);
        return true;
    }
};

// What a control is for, told to screen readers: its hint, or for the one control without a
// hint a sentence of its own.
QString descriptionOf(const ControlSpec& row) {
    if (*row.hint || qstrcmp(row.name, "ButtonClose") != 0)
        return utf8(row.hint);
    return utf8("Закрыть калькулятор; введенные данные не сохраняются");
}

} // namespace

void installAccessibleInterfaces() {
    QAccessible::installFactory(containerAccessible); // each is installed once
    QAccessible::installFactory(controlAccessible);
}

void applyAccessibility(TMain& main) {
    auto* selectAfterFocus = new SelectAfterFocus(&main);
    for (QLineEdit* edit : main.findChildren<QLineEdit*>())
        edit->installEventFilter(selectAfterFocus);
    const std::span<const ControlSpec> rows = controls();
    QStringList switches; // the section switches name the section panels, in order
    for (const ControlSpec& row : rows)
        if (row.kind == Kind::CheckBox && qstrcmp(row.parent, "LeftPanel") == 0)
            switches << utf8(row.caption);
    int section = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlSpec& row = rows[i];
        QWidget* w = main.control(utf8(row.name));
        switch (row.kind) {
        case Kind::Section:
            w->setAccessibleName(switches.value(section++));
            break;
        case Kind::RichText:
            w->setAccessibleName(utf8(row.hint));
            static_cast<QTextEdit*>(w)->setTabChangesFocus(true);
            break;
        case Kind::ScrollBox:
            w->setFocusPolicy(Qt::NoFocus); // its panels' controls take the focus, not the area
            break;
        case Kind::Region:
        case Kind::Label:
        case Kind::WrapLabel:
        case Kind::Picture:
            break;
        case Kind::RadioGroup:
            w->setAccessibleName(nameOf(rows, i));
            for (QAbstractButton* item : static_cast<RadioGroup*>(w)->buttons()->buttons())
                item->setAccessibleDescription(utf8(row.hint));
            break;
        default:
            w->setAccessibleName(nameOf(rows, i));
        }
        if (const QString description = descriptionOf(row); !description.isEmpty())
            w->setAccessibleDescription(description);
    }
}

void describeResults(TMain& main) {
    QStringList results;
    for (const ControlSpec& row : controls()) {
        if (row.kind != Kind::ResultEdit)
            continue;
        const QString value = main.control<QLineEdit>(utf8(row.name))->text().trimmed();
        if (value.isEmpty())
            continue;
        const QString caption = utf8(row.caption);
        results << (results.isEmpty() ? caption : caption.left(1).toLower() + caption.mid(1)) +
                       u' ' + value;
    }
    // The window's focus, also while a dialog of "Загрузить" has just closed and the window
    // is not active again yet.
    QWidget* holder = main.focusWidget();
    if (!qobject_cast<QPushButton*>(holder))
        holder = main.control(QStringLiteral("ButtonCalc"));
    for (const ControlSpec& row : controls()) {
        QWidget* button = main.control(utf8(row.name));
        const QString own = descriptionOf(row);
        if (row.kind == Kind::Button && (button != holder || results.isEmpty()) &&
            button->accessibleDescription() != own)
            button->setAccessibleDescription(own);
    }
    if (results.isEmpty())
        return;
    // Told also when the results are the same as before.
    const QString text = results.join(QStringLiteral(", "));
    if (holder->accessibleDescription() != text)
        holder->setAccessibleDescription(text);
    noticeDescription(holder);
}

bool focusNextInReadingOrder(TMain& main, bool next) {
    const QWidgetList chain = focusChain(main);
    const qsizetype at = chain.indexOf(QApplication::focusWidget());
    if (at < 0)
        return false;
    const qsizetype n = chain.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* w = chain[((next ? at + step : at - step) % n + n) % n];
        if (takesTab(main, w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace window
