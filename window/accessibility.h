// SPDX-License-Identifier: MIT
// What screen readers and keyboard users get from the window, drawn from the layout table:
// accessible names from the captions, descriptions from the hints, and a tab order that runs
// as a person reads the window (top to bottom, left to right, region by region; hidden
// section panels drop out). Applied once the window is built.
#pragma once

class TMain;

namespace window {

void applyAccessibility(TMain& main);

// Tab and Shift+Tab: moves the focus to the next or previous control in reading order that
// takes it. False when the focus is not on one of the window's controls.
bool focusNextInReadingOrder(TMain& main, bool next);

} // namespace window
