// SPDX-License-Identifier: MIT
#include "office/office_locator.h"

#include "office/log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace office {

namespace {

// The folders a place stands for: itself, or for a place with a '*' every existing match,
// the newest office first.
QStringList expand(const QString& place) {
    const int star = place.indexOf('*');
    if (star < 0)
        return {place};
    const int before = place.lastIndexOf('/', star);
    const int after = place.indexOf('/', star);
    const QString parent = place.left(before);
    const QString pattern = place.mid(before + 1, after < 0 ? -1 : after - before - 1);
    const QString rest = after < 0 ? QString() : place.mid(after);
    QStringList found;
    for (const QString& name : QDir(parent).entryList({pattern}, QDir::Dirs | QDir::NoDotAndDotDot))
        found << parent + '/' + name + rest;
    std::stable_sort(found.begin(), found.end(), [](const QString& a, const QString& b) {
        return officeVersion(a) > officeVersion(b);
    });
    return found;
}

// The program folders a shell script runs an office from: every absolute
// ".../program/soffice" (or soffice.bin) in its text. None for a file that is not a script.
QStringList programDirsRunBy(const QString& file) {
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = script.read(64 * 1024);
    if (!text.startsWith("#!"))
        return {};
    // A comment names no folder that the script runs (an old place, an example).
    static const QRegularExpression comment(QStringLiteral(R"((^|\s)#.*$)"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression run(
        QStringLiteral(R"((/[^\s"'`;|&<>()$]*/program)/soffice(?:\.bin)?(?![\w.-]))"));
    QStringList dirs;
    for (auto it = run.globalMatch(QString::fromLocal8Bit(text).remove(comment)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString dir = QDir::cleanPath(m.captured(1));
        if (!dirs.contains(dir))
            dirs << dir;
    }
    return dirs;
}

// The program folders an office program found on the search path stands for: the ones a
// wrapper script runs, else the folder of the program itself, symlinks resolved.
QStringList programDirsOnPath(const QString& name, const QStringList& pathDirs) {
    QStringList absolute;
    for (const QString& dir : pathDirs) {
        // A relative entry names a different folder in every working folder.
        if (QDir::isAbsolutePath(dir))
            absolute << dir;
        else
            qCInfo(kcOffice) << "relative PATH entry" << dir << "skipped";
    }
    if (absolute.isEmpty())
        return {};
    const QString found = QStandardPaths::findExecutable(name, absolute);
    if (found.isEmpty())
        return {};
    const QString resolved = QFileInfo(found).canonicalFilePath();
    const QString own = QFileInfo(resolved).absolutePath();
    QStringList run = programDirsRunBy(resolved);
    run.removeAll(own);
    if (run.isEmpty())
        return {own};
    qCInfo(kcOffice) << found << "is a script that runs an office from" << run;
    return run;
}

// Why office code from this folder could be another user's: the folder belongs to someone
// other than root and this user, or others may write into it. A folder on the way to the
// office may be a sticky one of root's (/tmp): others may add names there but not replace the
// ones on the way. Empty when it is safe.
QString folderRefusal(const QString& dir, bool onTheWay) {
    struct stat st {};
    if (::lstat(QFile::encodeName(dir).constData(), &st) != 0)
        return dir + QStringLiteral(" cannot be examined");
    if (st.st_uid != 0 && st.st_uid != ::geteuid())
        return QStringLiteral("%1 belongs to user %2").arg(dir).arg(st.st_uid);
    const bool sticky = (st.st_mode & S_ISVTX) != 0 && st.st_uid == 0;
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && !(onTheWay && sticky))
        return QStringLiteral("%1 is writable by group or others").arg(dir);
    return {};
}

} // namespace

OfficeSearch defaultOfficeSearch() {
    OfficeSearch search;
    search.unoPath = qEnvironmentVariable("UNO_PATH");
    search.pathDirs = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    search.knownPlaces = officeKnownPlaces;
    return search;
}

QVersionNumber officeVersion(const QString& programDir) {
    // "ProductKey=LibreOffice 7.4" in the distributions' and the project's own packages.
    QFile file(QDir(programDir).filePath(QStringLiteral("bootstraprc")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("ProductKey=")))
            return QVersionNumber::fromString(line.section(' ', -1));
    }
    return {};
}

QString canonicalOfficeDir(const QString& programDir) {
    return QFileInfo(programDir).canonicalFilePath();
}

QString officeRefusal(const QString& programDir) {
    const QDir dir(programDir);
    if (!QFileInfo(programDir).isDir())
        return QStringLiteral("no such folder");
    // Every folder from / down: whoever may rename one of them may put another office there.
    // The path has no links, and it is the one used from here on (canonicalOfficeDir).
    const QString program = canonicalOfficeDir(programDir);
    const QString office = QFileInfo(program).absolutePath();
    for (QDir folder(program);; folder.cdUp()) {
        const QString path = folder.absolutePath();
        if (const QString refusal = folderRefusal(path, path != program && path != office);
            !refusal.isEmpty())
            return refusal;
        if (folder.isRoot())
            break;
    }
    if (!QFileInfo(dir.filePath(QStringLiteral("soffice.bin"))).isExecutable())
        return QStringLiteral("no soffice.bin");
    if (!QFileInfo::exists(dir.filePath(QStringLiteral("types/offapi.rdb"))) &&
        !QFileInfo::exists(dir.filePath(QStringLiteral("types.rdb"))))
        return QStringLiteral("no office types (types/offapi.rdb or types.rdb)");
    const QVersionNumber version = officeVersion(programDir);
    if (version.isNull())
        return QStringLiteral("no version in bootstraprc");
    if (version < minimumOfficeVersion)
        return QStringLiteral("version %1 is older than %2")
            .arg(version.toString(), minimumOfficeVersion.toString());
    return {};
}

QString findOfficeProgramDir(const OfficeSearch& search) {
    QStringList candidates;
    if (!search.unoPath.isEmpty())
        candidates << search.unoPath;
    for (const char* name : {"soffice", "libreoffice"})
        candidates << programDirsOnPath(QString::fromLatin1(name), search.pathDirs);
    for (const QString& place : search.knownPlaces)
        candidates << expand(place);
    for (const QString& candidate : candidates) {
        const QString dir = QDir::cleanPath(candidate);
        const QString refusal = officeRefusal(dir);
        if (refusal.isEmpty()) {
            const QString canonical = canonicalOfficeDir(dir);
            qCInfo(kcOffice) << "office found in" << dir << "=" << canonical;
            return canonical;
        }
        qCInfo(kcOffice) << "office folder" << dir << "refused:" << refusal;
    }
    qCInfo(kcOffice) << "no usable office found";
    return {};
}

} // namespace office
