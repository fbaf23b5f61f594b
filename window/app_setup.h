// SPDX-License-Identifier: MIT
// What the application needs before the window is built: the window font, the style and Qt's
// own texts in Russian, the interfaces screen readers get.
#pragma once

#include "window/platform.h"

#include <QFont>
#include <QString>

class QStyle;

namespace window {

// The panel's face: the font file loaded at start, and the family used when it is missing (see
// platform.h).
using platform::panelFontFile;
inline constexpr const char* fallbackFamily = platform::panelFamily;
inline constexpr int fontPixelSize = 11;
inline constexpr int pixmapCacheKb = 2048; // the shared pixmap cache's limit
// Qt's own texts (context menus, file dialogs, message box buttons), in Russian whatever the
// user's locale: the catalogue's name in Qt's translations folder.
inline constexpr const char* qtTranslation = "qtbase_ru";

// Loads the font, makes it the application font at 11 pixels and chooses the Fusion style and
// the window icon, bounds the shared pixmap cache, installs Qt's Russian translation and the
// window's accessibility (installAccessibility). The font file goes to the offices the calculator
// starts, for the printout's body. Call once, after the QApplication exists and before the window
// is built. Returns the font family in use.
QString setupApplication();

// The window's own face: the font loaded by setupApplication (the fallback family before it) at
// 11 pixels, every property set, so that a widget given it keeps it whatever fonts a platform
// theme or the desktop gives the application, at start or later.
QFont windowFont();

// A new instance of the window's style: Fusion with the classic check and radio marks. The
// caller owns it.
QStyle* makeWindowStyle();

// The interfaces screen readers get for the calculator's window. Process-wide, once, before the
// first window takes its title; setupApplication does it.
void installAccessibility();

} // namespace window
