// SPDX-License-Identifier: MIT
#include "office/plugin_loader.h"

#include "office/log.h"
#include "office/office_locator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>
#include <dlfcn.h>

namespace office {

namespace {
const char* const pluginName = "kc_office_uno";

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

QString defaultProfileDir() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::temp().filePath(".cache");
    return QDir(cache).filePath("kabinet-calc/office-profile");
}

std::unique_ptr<Suite> loadSuite(const SuiteOptions& given, QString* error) {
    SuiteOptions options = given;
    if (options.officeProgramDir.empty())
        options.officeProgramDir = findOfficeProgramDir().toStdString();
    // The folder as it is examined, links resolved, is the one the libraries and the office
    // come from: a link on the way cannot be turned elsewhere in between.
    else if (const QString canonical =
                 canonicalOfficeDir(QString::fromStdString(options.officeProgramDir));
             !canonical.isEmpty())
        options.officeProgramDir = canonical.toStdString();
    QString errors;
    if (options.officeProgramDir.empty())
        errors = QStringLiteral("no usable office was found");
    else if (const QString refusal =
                 officeRefusal(QString::fromStdString(options.officeProgramDir));
             !refusal.isEmpty())
        errors = QString::fromStdString(options.officeProgramDir) + ": " + refusal;
    else if (!loadOfficeLibraries(QString::fromStdString(options.officeProgramDir), &errors))
        errors.prepend(QStringLiteral("the office's libraries cannot be loaded: "));
    if (!errors.isEmpty()) {
        if (error)
            *error = errors;
        return nullptr;
    }
    const QStringList searched = pluginSearchPath();
    qCInfo(kcOffice) << "the office plugin is looked for in" << searched;
    for (const QString& dir : searched) {
        const QString file = QDir(dir).filePath(QString::fromLatin1(pluginName) + ".so");
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
