// SPDX-License-Identifier: MIT
// The focus for keyboard users: Tab in reading order, and edits entered so that a screen reader
// says them.
#include "access/access.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace accessibility {

namespace {

// Reading order inside one container: rows from the top (widgets whose keys lie within
// `rowTolerance` of the row's first one), each row from the left. A widget's key is its
// middle; a group box that stands beside a column of controls (on its left, within its height)
// is read after that column, so its key is its bottom.
constexpr int rowTolerance = 8;

std::vector<QWidget*> sorted(std::vector<QWidget*> widgets) {
    const auto middle = [](const QWidget* w) { return w->y() + w->height() / 2; };
    const auto key = [&](const QWidget* w) {
        if (!qobject_cast<const QGroupBox*>(w))
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

void collect(QWidget* container, QWidgetList& out) {
    std::vector<QWidget*> children;
    for (QWidget* child : container->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children.push_back(child);
    for (QWidget* child : sorted(children)) {
        if (child->focusPolicy() & Qt::TabFocus)
            out << child;
        else
            collect(child, out);
    }
}

bool takesTab(QWidget* w) {
    if (!w->isVisibleTo(w->window()) || !w->isEnabled())
        return false;
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio || !radio->group() || !radio->group()->exclusive())
        return true;
    const QAbstractButton* checked = radio->group()->checkedButton();
    return checked ? checked == radio : radio->group()->buttons().constFirst() == radio;
}

// Tab into a line edit selects its text, and Qt reports that selection before the focus. Orca
// 43 with Qt 5.15 or 6.4 (Debian 12) then takes the edit as announced already and says nothing
// (an empty result field stays silent) or says the value twice; Orca 48 with Qt 6.8 (Debian 13)
// says each edit once without this. The edit takes such a focus as a plain one and selects its
// text once the focus has been reported.
constexpr bool selectionBeforeFocus = QT_VERSION < QT_VERSION_CHECK(6, 8, 0);

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

} // namespace

void selectAfterFocus(QWidget* window) {
    if (!selectionBeforeFocus)
        return;
    auto* filter = new SelectAfterFocus(window);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>())
        edit->installEventFilter(filter);
}

QWidgetList readingOrder(QWidget* container) {
    QWidgetList out;
    collect(container, out);
    return out;
}

bool moveFocus(const QWidgetList& chain, bool next) {
    const qsizetype at = chain.indexOf(QApplication::focusWidget());
    if (at < 0)
        return false;
    const qsizetype n = chain.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* w = chain[((next ? at + step : at - step) % n + n) % n];
        if (takesTab(w)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

} // namespace accessibility
