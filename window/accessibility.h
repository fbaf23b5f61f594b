// SPDX-License-Identifier: MIT
// The window to screen readers and keyboard users, drawn from the layout table: accessible
// names from the captions, descriptions from the hints, Tab region by region as a person reads
// the window, and the results told after an estimate. The accessibility layer (access/) tells
// them and keeps the reading order inside a region.
#pragma once

#include <QWidgetList>

#include <functional>

namespace window {

// A control of the window by its name in the layout table.
using ControlLookup = std::function<QWidget*(const QString& name)>;

// Names and descriptions of every control; called once, when the window is built.
void describeControls(QWidget* window, const ControlLookup& control);

// The controls in the order Tab visits them: the regions as a person reads the window; inside a
// section panel the level slider first, then the equipment row by row, the panel's own links
// last.
QWidgetList tabOrder(const ControlLookup& control);

// "Стоимость 44 000 руб., объем 0,42 м3, вес 85 кг, время монтажа 1 дней", told on the window's
// focused button (on "Рассчитать" when no button has it), also while a dialog of "Загрузить" has
// just closed and the window is not active again yet; withdrawn while the fields are empty.
void tellResults(QWidget* window, const ControlLookup& control);

} // namespace window
