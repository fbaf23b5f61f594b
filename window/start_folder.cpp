// SPDX-License-Identifier: MIT
#include "window/start_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace window {

bool folderTakesFiles(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kc-write-test-XXXXXX")));
    return probe.open(); // removed again when the probe goes
}

QString dialogStartFolder(const QString& programFolder) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    for (const QString& folder : {programFolder, documents})
        if (folderTakesFiles(folder))
            return QDir::cleanPath(folder);
    return QDir::homePath();
}

} // namespace window
