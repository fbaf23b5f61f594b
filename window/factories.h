// SPDX-License-Identifier: MIT
// The widgets of the layout table, one small factory per kind of control.
#pragma once

#include "window/layout.h"

class QObject;
class QWidget;

namespace window {

// Makes the widget of a layout row in its parent, placed, with its caption; an input gets its
// initial value from the window afterwards.
// Check boxes, radio buttons, radio items and edits get `inputFilter` as their event filter.
// The caller names the widget, sets its hint and connects its handler.
QWidget* makeWidget(const ControlSpec& row, QWidget* parent, QObject* inputFilter);

} // namespace window
