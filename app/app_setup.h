// SPDX-License-Identifier: MIT
// What the application needs before the window is built: the window font, the style and Qt's
// own texts in Russian, the interfaces screen readers get.
#pragma once

#include <QString>

namespace app {

inline constexpr int pixmapCacheKb = 2048; // the shared pixmap cache's limit
// Qt's own texts (context menus, file dialogs, message box buttons), in Russian whatever the
// user's locale: the catalogue's name in Qt's translations folder.
inline constexpr const char* qtTranslation = "qtbase_ru";

// Loads the window's font (window/face.h), makes it the application font at 11 pixels and
// chooses the window's style and icon, bounds the shared pixmap cache, installs Qt's Russian
// translation and the window's accessibility (installAccessibility). The font file goes to the
// offices the calculator starts, for the printout's body. Call once, after the QApplication
// exists and before the window is built. Returns the font family in use.
QString setupApplication();

// The interfaces screen readers get for the calculator's window. Process-wide, once, before the
// first window takes its title; setupApplication does it.
void installAccessibility();

} // namespace app
