// SPDX-License-Identifier: MIT
// What screen readers and keyboard users get from the window, drawn from the layout table:
// accessible names from the captions, descriptions from the hints, and a tab order that runs
// as a person reads the window, region by region (hidden section panels drop out); inside a
// section panel the level slider first, then the equipment row by row, the panel's own links
// last. Applied once the window is built.
#pragma once

class TMain;

namespace window {

// Before the window takes its title: Qt keeps the first interface it makes for an object, and
// Qt 6.8 makes the window's when the title is set (the window would be a filler, not a frame,
// to screen readers).
void installAccessibleInterfaces();
void applyAccessibility(TMain& main);

// Lets a screen reader say the result fields without the focus leaving the button that
// started the estimate: "Стоимость 44 000 руб., объем 0,42 м3, вес 85 кг, время монтажа 1
// дней" becomes the accessible description of the window's focused button (or of "Рассчитать",
// when no button has the focus), and screen readers speak a changed description of the object
// in focus. With the fields empty every button has its own description again.
void describeResults(TMain& main);

// Tab and Shift+Tab: moves the focus to the next or previous control in reading order that
// takes it. False when the focus is not on one of the window's controls.
bool focusNextInReadingOrder(TMain& main, bool next);

} // namespace window
