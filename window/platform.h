// SPDX-License-Identifier: MIT
// What the window does differently on Windows and on Linux: the panel's face and where Qt's
// translations are. The only place in this folder that asks which system it runs on.
#pragma once

#include "window/qt_compat.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace window::platform {

#ifdef Q_OS_WIN
// Windows' own Tahoma, loaded from its file as on Linux, so that the bold and italic are derived
// from the regular face alike on both systems; the family by name when the file is missing.
inline QString panelFontFile() {
    return QDir(qEnvironmentVariable("WINDIR")).filePath(QStringLiteral("Fonts/tahoma.ttf"));
}
inline constexpr const char* panelFamily = "Tahoma";
// Qt's translations travel with the program, in the translations folder beside it.
inline QString qtTranslationsFolder() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"));
}
#else
// The Tahoma-compatible font of the wine fonts, loaded at start. Only the regular face: the
// package's bold file draws thin, widely spaced glyphs, while the bold and italic that Qt
// derives from the regular face look the part.
inline QString panelFontFile() {
    return QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");
}
// A metric-compatible family used when the file is missing.
inline constexpr const char* panelFamily = "Liberation Sans";
// Qt's own folder, which the distribution's translations package fills.
inline QString qtTranslationsFolder() {
    return qt::translationsFolder();
}
#endif

} // namespace window::platform
