// SPDX-License-Identifier: MIT
#include "window/accessibility.h"

#include "access/access.h"
#include "info/link_label.h"
#include "window/layout.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTextEdit>

#include <algorithm>

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

// A link label that stands for its whole panel, not for one item of it.
bool isPanelLink(const QWidget* w) {
    const info::Link* link = info::findLink(w->objectName().toStdString());
    return link && link->item.empty();
}

// The regions as a person reads the window: the top, the switches on the left, the sections,
// the description on the right, the buttons and links at the bottom.
const char* const regionOrder[] = {"TopPanel", "LeftPanel", "ScrollBox", "MemoPanel",
                                   "BottomPanel"};

// What a control is for, told to screen readers.
QString descriptionOf(const ControlSpec& row) {
    return utf8(*row.description ? row.description : row.hint);
}

} // namespace

void describeControls(QWidget* window, const ControlLookup& control) {
    accessibility::selectAfterFocus(window);
    const std::span<const ControlSpec> rows = controls();
    QStringList switches; // the section switches name the section panels, in order
    for (const ControlSpec& row : rows)
        if (row.kind == Kind::CheckBox && qstrcmp(row.parent, "LeftPanel") == 0)
            switches << utf8(row.caption);
    int section = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlSpec& row = rows[i];
        QWidget* w = control(utf8(row.name));
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
            for (QWidget* item : w->findChildren<QAbstractButton*>())
                item->setAccessibleDescription(utf8(row.hint));
            break;
        default:
            w->setAccessibleName(nameOf(rows, i));
        }
        if (const QString description = descriptionOf(row); !description.isEmpty())
            w->setAccessibleDescription(description);
    }
}

// A link that belongs to an item stands beside it, so it follows it in reading order.
QWidgetList tabOrder(const ControlLookup& control) {
    QWidgetList chain;
    for (const char* region : regionOrder) {
        auto* scroll = qobject_cast<QScrollArea*>(control(utf8(region)));
        if (!scroll) {
            chain << accessibility::readingOrder(control(utf8(region)));
            continue;
        }
        // The section panels in the order they stack, which is the order they were made.
        for (QWidget* panel :
             scroll->widget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            QWidgetList controls = accessibility::readingOrder(panel);
            const auto rank = [](const QWidget* w) {
                return qobject_cast<const QSlider*>(w) ? 0 : isPanelLink(w) ? 2 : 1;
            };
            std::stable_sort(controls.begin(), controls.end(),
                             [&](const QWidget* a, const QWidget* b) { return rank(a) < rank(b); });
            chain << controls;
        }
    }
    return chain;
}

void tellResults(QWidget* window, const ControlLookup& control) {
    QStringList results;
    for (const ControlSpec& row : controls()) {
        if (row.kind != Kind::ResultEdit)
            continue;
        const QString value = static_cast<QLineEdit*>(control(utf8(row.name)))->text().trimmed();
        const QString caption = utf8(row.caption);
        if (!value.isEmpty())
            results << (results.isEmpty() ? caption : caption.left(1).toLower() + caption.mid(1)) +
                           u' ' + value;
    }
    QWidget* holder = window->focusWidget();
    if (!qobject_cast<QPushButton*>(holder))
        holder = control(QStringLiteral("ButtonCalc"));
    accessibility::tellResults(holder, results.join(QStringLiteral(", ")));
}

} // namespace window
