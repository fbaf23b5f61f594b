// SPDX-License-Identifier: MIT
// The window's own face and style, which it keeps whatever a platform theme or the desktop gives
// the application.
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

// The family of windowFont from now on: the one of the font file once it is loaded.
void useWindowFamily(const QString& family);

// The window's own face: the family given to useWindowFamily (the fallback family before it)
// at 11 pixels, every property set, so that a widget given it keeps it whatever fonts a
// platform theme or the desktop gives the application, at start or later.
QFont windowFont();

// A new instance of the window's style: Fusion with the classic check and radio marks. The
// caller owns it.
QStyle* makeWindowStyle();

} // namespace window
