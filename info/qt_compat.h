// SPDX-License-Identifier: MIT
// What the link labels need from Qt that Qt 5.15 and Qt 6 spell differently. The only place in
// this folder that asks for Qt's version.
#pragma once

#include <QtGlobal>
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QEnterEvent>
#else
#include <QEvent>
#endif
#include <QMouseEvent>
#include <QPoint>

namespace info::qt {

// The event a widget's enterEvent() takes.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using EnterEvent = QEnterEvent;
#else
using EnterEvent = QEvent;
#endif

// Where a mouse event happened, in the widget's coordinates.
inline QPoint position(const QMouseEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event.position().toPoint();
#else
    return event.pos();
#endif
}

} // namespace info::qt
