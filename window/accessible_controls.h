// SPDX-License-Identifier: MIT
// What the window's edits and level sliders tell a screen reader, in place of Qt's own
// interfaces: an edit gives its text as one whole attribute run (Qt 6.4 reports runs of no
// length, and screen readers then drop the value's last character, or a one-digit value
// altogether); a level slider gives the percentage that its label shows, 10 to 100, instead
// of its position 1 to 10.
#pragma once

#include <QAccessible>

namespace window {

// An accessibility factory (QAccessible::installFactory) for the line edits and sliders of the
// calculator's window; nullptr for every other object.
QAccessibleInterface* controlAccessible(const QString& className, QObject* object);

// The percentage a level slider stands for at a position: 10 per step.
constexpr int levelPercent(int position) {
    return position * 10;
}

} // namespace window
