// SPDX-License-Identifier: MIT
#include "office/plugin_loader.h"

#include "office/log.h"
#include "office/office_locator.h"
#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#ifndef Q_OS_WIN
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace office {

namespace {
// The plugin's file name without its suffix, by system. Without one the calculator has no
// office and says so where an office job is asked for.
#ifdef Q_OS_WIN
const char* const pluginName = "kc_office_com";
const char* const pluginSuffix = ".dll";
#else
const char* const pluginName = "kc_office_uno";
const char* const pluginSuffix = ".so";
#endif

#ifndef Q_OS_WIN

// Loads the URE libraries of the office in programDir, so that the plugin, which names them
// without a path, binds to these. UNO's bootstrap then finds the office's unorc beside them.
// A process runs on one office: the first one loaded stays.
bool loadOfficeLibraries(const QString& programDir, QString* error) {
    static QString loadedFrom;
    if (!loadedFrom.isEmpty()) {
        if (loadedFrom != programDir)
            qCInfo(kcOffice) << "the URE libraries of" << loadedFrom << "are in use, not those of"
                             << programDir;
        return true;
    }
    for (const QString& name : officeUreLibraries) {
        const QString file = QDir(programDir).filePath(name);
        if (!dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_GLOBAL)) {
            *error = QString::fromLocal8Bit(dlerror());
            qCInfo(kcOffice) << "cannot load" << file << ":" << *error;
            return false;
        }
    }
    loadedFrom = programDir;
    return true;
}
#endif

// Readies what the plugin runs on; the reason when it cannot be had, else empty. LibreOffice
// on Linux: the office is found unless the options name its program folder, and its URE
// libraries are loaded, which the plugin names without a path. On Windows the servers are
// the plugin's own to find.
QString readyOffice([[maybe_unused]] SuiteOptions& options) {
    QString errors;
#ifndef Q_OS_WIN
    if (options.officeProgramDir.empty())
        options.officeProgramDir = findOfficeProgramDir().toStdString();
    // The folder as it is examined, links resolved, is the one the libraries and the office
    // come from: a link on the way cannot be turned elsewhere in between.
    else if (const QString canonical =
                 canonicalOfficeDir(QString::fromStdString(options.officeProgramDir));
             !canonical.isEmpty())
        options.officeProgramDir = canonical.toStdString();
    if (options.officeProgramDir.empty())
        errors = QStringLiteral("no usable office was found");
    else if (const QString refusal =
                 officeRefusal(QString::fromStdString(options.officeProgramDir));
             !refusal.isEmpty())
        errors = QString::fromStdString(options.officeProgramDir) + ": " + refusal;
    else if (!loadOfficeLibraries(QString::fromStdString(options.officeProgramDir), &errors))
        errors.prepend(QStringLiteral("the office's libraries cannot be loaded: "));
#endif
    return errors;
}
} // namespace

QStringList pluginSearchPath() {
    // An explicit folder is the only one searched.
    const QString fromEnv = qEnvironmentVariable("KC_OFFICE_PLUGIN_DIR");
    if (!fromEnv.isEmpty())
        return {fromEnv};
    QStringList dirs;
    const QString appDir = QCoreApplication::applicationDirPath();
    dirs << appDir << QDir::cleanPath(QDir(appDir).filePath(KC_OFFICE_PLUGIN_FROM_PROGRAM))
         << QStringLiteral(KC_OFFICE_PLUGIN_INSTALL_DIR);
    // An installed program never runs a plugin that a build left behind.
    const QString buildTree = QFileInfo(QStringLiteral(KC_BUILD_TREE)).canonicalFilePath();
    const QString program = QFileInfo(appDir).canonicalFilePath() + '/';
    if (!buildTree.isEmpty() && program.startsWith(buildTree + '/'))
        dirs << QStringLiteral(KC_OFFICE_PLUGIN_BUILD_DIR);
    return dirs;
}

#ifndef Q_OS_WIN
namespace {

// The random part of the profile's name, as the file keeps it; empty when it keeps none.
QString readProfileId(const QString& file) {
    QFile f(file);
    const QString id =
        f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.read(64)).trimmed() : QString();
    static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{16}$"));
    return hex.match(id).hasMatch() ? id : QString();
}

} // namespace
#endif

QString defaultProfileDir() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::temp().filePath(".cache");
    const QString own = QDir(cache).filePath(QString::fromUtf8(program::name));
#ifdef Q_OS_WIN
    // Excel and Word keep no profile of the calculator's.
    return own;
#else
    QDir().mkpath(cache);
    const QByteArray ownName = QFile::encodeName(own);
    struct stat st {};
    if (::mkdir(ownName.constData(), 0700) != 0 && ::lstat(ownName.constData(), &st) == 0 &&
        S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) != 0)
        ::chmod(ownName.constData(), 0700);
    // The office's single-instance pipe is named after the profile's address: a random part
    // in the profile's name, made once for the user and kept in the user's own folder, leaves
    // other accounts no name to take before the user's office first starts.
    const QString idFile = QDir(own).filePath(QStringLiteral("office-profile-id"));
    QString id = readProfileId(idFile);
    if (id.isEmpty()) {
        QTemporaryFile made(idFile + QStringLiteral(".XXXXXX"));
        if (made.open()) {
            const quint64 random = QRandomGenerator::system()->generate64();
            made.write(QByteArray::number(random, 16).rightJustified(16, '0') + '\n');
            made.close();
            // Two calculators starting at once agree on the first id written.
            const QByteArray from = QFile::encodeName(made.fileName());
            const QByteArray to = QFile::encodeName(idFile);
            if (::link(from.constData(), to.constData()) != 0 && readProfileId(idFile).isEmpty())
                ::rename(from.constData(), to.constData());
        }
        id = readProfileId(idFile);
        if (id.isEmpty())
            qCInfo(kcOffice) << "cannot keep the office profile's name in" << idFile;
    }
    return QDir(own).filePath(QStringLiteral("office-profile-") + id);
#endif
}

std::unique_ptr<Suite> loadSuite(const SuiteOptions& given, QString* error) {
    SuiteOptions options = given;
    QString errors = pluginName ? readyOffice(options) : QStringLiteral("no office plugin");
    if (!errors.isEmpty()) {
        if (error)
            *error = errors;
        return nullptr;
    }
    const QStringList searched = pluginSearchPath();
    qCInfo(kcOffice) << "the office plugin is looked for in" << searched;
    for (const QString& dir : searched) {
        const QString file = QDir(dir).filePath(QString::fromLatin1(pluginName) + pluginSuffix);
        if (!QFileInfo::exists(file))
            continue;
        QLibrary library(file);
        auto create = reinterpret_cast<KcOfficeCreate>(library.resolve("kc_office_create"));
        if (!create) {
            errors += library.errorString() + '\n';
            continue;
        }
        if (Suite* suite = create(&options))
            return std::unique_ptr<Suite>(suite);
        errors += file + ": the plugin could not start\n";
    }
    if (error)
        *error = errors.isEmpty() ? QStringLiteral("the office plugin was not found") : errors;
    return nullptr;
}

std::unique_ptr<Suite> loadSuite() {
    SuiteOptions options;
    options.profileDir = defaultProfileDir().toStdString();
    return loadSuite(options);
}

} // namespace office
