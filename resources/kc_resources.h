// SPDX-License-Identifier: MIT
// Paths of the bitmaps the program carries. Link the kc_resources target to get them.
#pragma once

#include <QString>
#include <QStringList>

namespace kc::resources {

// A topic picture: 122 x 92, 24-bit BMP, e.g. picture("V4") == ":/pictures/V4".
inline QString picture(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

// The seller's logo of the description panel: 263 x 92 PNG with alpha.
inline constexpr char logoStrip[] = ":/logo/strip";
// The letterhead logo of the printout: 239 x 52, 24-bit BMP.
inline constexpr char letterheadLogo[] = ":/logo/LOGO";
// The same logo for the PDF: 956 x 208 PNG, 384 dots per inch at the printed size.
inline constexpr char letterheadLogoPrint[] = ":/logo/LOGO@4x";
// The window icon: 32 x 32 RGBA PNG.
inline constexpr char appIcon[] = ":/icon/app";

// The twice-as-large PNG of a picture, the logo strip or the icon, for high-DPI screens:
// twice(picture("V4")) == ":/pictures/V4@2x". Read with QImageReader (or QImage, QPixmap),
// it comes with a device pixel ratio of 2.
inline QString twice(const QString& path) {
    return path + QStringLiteral("@2x");
}

// Names of all topic pictures carried, in alphabetical order (not their "@2x" sizes).
QStringList pictureNames();

} // namespace kc::resources
