// SPDX-License-Identifier: MIT
// What the window needs from Qt that Qt 5.15 and Qt 6 spell differently. The only place in this
// folder, beside the accessibility files, that asks for Qt's version.
#pragma once

#include "info/qt_compat.h" // the event helpers, which the link labels use too

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QString>

namespace window::qt {

using info::qt::position;

// A position or length in a QString: int in Qt 5, qsizetype in Qt 6 (whose indexing operators
// are ambiguous for the other one).
using StringSize = decltype(QString().size());

// Qt's own translations folder (qtbase_ru.qm and friends).
inline QString translationsFolder() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

// Scaling for the screen's DPI, at the factor the system gives (125 %, 150 %): Qt 6 always does
// it, Qt 5 when asked, before the application object exists.
inline void scaleForScreens() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

// The system locale's decimal separator (a QChar in Qt 5, a QString in Qt 6).
inline QString decimalPoint() {
    return QString(QLocale::system().decimalPoint());
}

// The picture a label shows (Qt 5 gives a pointer, null for none).
inline QPixmap pixmapOf(const QLabel& label) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label.pixmap();
#else
    return label.pixmap(Qt::ReturnByValue);
#endif
}

// Marks every property of the font as set, so that a widget given it takes none from its parent
// or the application (Qt 5 spells the setter resolve()).
inline void setAllResolved(QFont& font) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    font.setResolveMask(QFont::AllPropertiesResolved);
#else
    font.resolve(QFont::AllPropertiesResolved);
#endif
}

} // namespace window::qt
