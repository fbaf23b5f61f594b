// SPDX-License-Identifier: MIT
// The folder the window's file dialogs ("Заявка", "Загрузить", "Сохранить как PDF…") start in.
#pragma once

#include <QString>

namespace window {

// The program's own folder when the user may write into it (a copy unpacked somewhere), else
// the user's documents folder, else the home folder. An installed program's folder (/usr/bin,
// Program Files) can take no file of the user's. Without a trailing separator.
QString dialogStartFolder(const QString& programFolder);

// Whether a new file can be made in the folder: tried, since permission bits tell nothing of
// ACLs, read-only mounts or (on Windows) Program Files.
bool folderTakesFiles(const QString& folder);

} // namespace window
