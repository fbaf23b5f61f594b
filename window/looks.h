// SPDX-License-Identifier: MIT
// How the window meets the desktop it runs on: colours of the desktop's scheme that keep its
// texts readable, and bitmaps for the screen's device pixel ratio.
#pragma once

#include "info/contrast.h"

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace window {

// The roles of `scheme` that the window changes so that each text role reads at least
// info::textContrast : 1 on its background role in every colour group (a scheme's disabled text
// often does not); only those roles are set in the result. Empty for a scheme that reads well.
QPalette readablePalette(const QPalette& scheme);

// The bitmap at `path` for a screen of `ratio` device pixels per pixel: the bitmap itself up
// to 1, above it the bitmap of twice the size (`path` and "@2x"), scaled smoothly to the ratio
// when that is not 2, with the ratio set. A null pixmap when the program does not carry it.
QPixmap pictureFor(const QString& path, qreal ratio);

// The mean colour of the opaque pixels of the bitmap at `path` within `area` (in its pixels),
// what a text drawn over that part stands on; invalid when there are none.
QColor meanColour(const QString& path, const QRect& area);

} // namespace window
