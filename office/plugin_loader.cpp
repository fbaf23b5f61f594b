#include "office/plugin_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QStandardPaths>

namespace office {

namespace {
const char* const pluginName = "kc_office_uno";
}

QStringList pluginSearchPath() {
    // An explicit folder is the only one searched.
    const QString fromEnv = qEnvironmentVariable("KC_OFFICE_PLUGIN_DIR");
    if (!fromEnv.isEmpty())
        return {fromEnv};
    QStringList dirs;
    const QString appDir = QCoreApplication::applicationDirPath();
    dirs << appDir << QDir(appDir).filePath("../lib/kabinet-calc")
         << QStringLiteral(KC_OFFICE_PLUGIN_INSTALL_DIR)
         << QStringLiteral(KC_OFFICE_PLUGIN_BUILD_DIR);
    return dirs;
}

QString defaultProfileDir() {
    QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty())
        cache = QDir::temp().filePath(".cache");
    return QDir(cache).filePath("kabinet-calc/office-profile");
}

std::unique_ptr<Suite> loadSuite(const SuiteOptions& options, QString* error) {
    QString errors;
    for (const QString& dir : pluginSearchPath()) {
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
