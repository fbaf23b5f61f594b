// SPDX-License-Identifier: MIT
// What screen readers and keyboard users get from the calculator's window beyond Qt's own: its
// containers' roles, level sliders in percent, the results told where the focus stays, Tab in
// reading order, and the work-arounds of Qt's faults, each on only for the Qt versions that have
// it. The window hands in its widgets; nothing here knows the window's class.
#pragma once

#include <QAccessible>
#include <QWidgetList>

#include <span>

namespace accessibility {

// A widget class and the role screen readers know it by.
struct ClassRole {
    const char* className;
    QAccessible::Role role;
};

// Process-wide, once, before the first window takes its title: Qt keeps the first interface it
// makes for an object, and Qt 6.8 makes a window's when its title is set. A window whose class
// has the role QAccessible::Window in `roles` is the calculator's: inside it the other classes
// of `roles` get theirs, and its line edits and sliders get this layer's interfaces (a slider
// gives the percentage of its level); other windows (the file dialogs) keep Qt's.
void install(std::span<const ClassRole> roles);

// Every line edit in `window`: for the Qt versions that need it, Tab into one selects its text
// only after its focus has been told.
void selectAfterFocus(QWidget* window);

// Tells screen readers `results` without the focus leaving `holder`, the window's focused
// button; an empty text withdraws what was told.
void tellResults(QWidget* holder, const QString& results);

// The controls inside `container` that take the focus, in reading order: rows from the top,
// each from the left; containers in it are read where they stand. A group box that stands
// beside a column of controls is read after that column.
QWidgetList readingOrder(QWidget* container);

// Moves the focus to the next (or previous) control of `chain`, round and round, that is shown,
// enabled and, of an exclusive radio group, the selected button (the first while none is).
// False when the focus is not in `chain`.
bool moveFocus(const QWidgetList& chain, bool next);

} // namespace accessibility
