// SPDX-License-Identifier: MIT
#include "window/accessibility.h"

#include "window/layout.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>
#include <QScrollArea>
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

// Reading order inside one container: rows from the top (widgets whose middles lie within
// `rowTolerance` of the row's first one), each row from the left.
constexpr int rowTolerance = 8;

std::vector<QWidget*> readingOrder(std::vector<QWidget*> widgets) {
    const auto middle = [](const QWidget* w) { return w->y() + w->height() / 2; };
    std::stable_sort(widgets.begin(), widgets.end(),
                     [&](QWidget* a, QWidget* b) { return middle(a) < middle(b); });
    for (auto row = widgets.begin(); row != widgets.end();) {
        const int top = middle(*row);
        auto end = std::find_if(row, widgets.end(),
                                [&](QWidget* w) { return middle(w) - top > rowTolerance; });
        std::stable_sort(row, end, [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        row = end;
    }
    return widgets;
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
        } else if (auto* scroll = qobject_cast<QScrollArea*>(child)) {
            collect(scroll->widget(), out);
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
        if (auto* scroll = qobject_cast<QScrollArea*>(w))
            collect(scroll->widget(), chain);
        else
            collect(w, chain);
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

} // namespace

void applyAccessibility(TMain& main) {
    static const bool factoryOnce = (QAccessible::installFactory(containerAccessible), true);
    Q_UNUSED(factoryOnce);
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
        if (*row.hint)
            w->setAccessibleDescription(utf8(row.hint));
    }
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
