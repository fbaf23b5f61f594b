// SPDX-License-Identifier: MIT
#include "office/save_place.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace office {

namespace fs = std::filesystem;

namespace {
fs::path toPath(const QString& s) {
    return fs::path(s.toStdU16String());
}
QString fromPath(const fs::path& p) {
    return QString::fromStdU16String(p.u16string());
}
} // namespace

bool trustedLink(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat link {
    }, folder{};
    const QByteArray name = QFile::encodeName(path);
    const QByteArray parent = QFile::encodeName(QFileInfo(path).absolutePath());
    return ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode) &&
           link.st_uid == ::geteuid() && ::stat(parent.constData(), &folder) == 0 &&
           folder.st_uid == ::geteuid() && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
#else
    (void)path;
    return false; // who made a link cannot be told here: it is replaced
#endif
}

QString saveDestination(const QString& path) {
    fs::path current = toPath(QFileInfo(path).absoluteFilePath());
    for (int hop = 0; hop < 40 && trustedLink(fromPath(current)); ++hop) {
        std::error_code ec;
        const fs::path target = fs::read_symlink(current, ec);
        if (ec)
            break;
        current = (current.parent_path() / target).lexically_normal();
    }
    return fromPath(current);
}

QString saveFileName(const QString& destination) {
    if (!QFileInfo(destination).isSymLink())
        return destination;
    const QFileInfo link(destination);
    return link.absoluteDir().filePath(
        QStringLiteral(".%1.%2.part")
            .arg(link.fileName(), QString::number(QRandomGenerator::global()->generate64(), 36)));
}

bool placeSaved(const QString& written, const QString& destination) {
    if (written == destination)
        return true;
    std::error_code ec;
    // Over a link: the link goes, whatever it pointed to stays.
    fs::rename(toPath(written), toPath(destination), ec);
    if (ec)
        QFile::remove(written);
    return !ec;
}

} // namespace office
