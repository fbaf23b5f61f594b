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
// The window icon: 32 x 32 RGBA PNG.
inline constexpr char appIcon[] = ":/icon/app";

// Names of all topic pictures carried, in alphabetical order.
QStringList pictureNames();

} // namespace kc::resources
