// SPDX-License-Identifier: MIT
// The built packages, the .deb and the .rpm, each unpacked into a temporary root (dpkg-deb,
// rpm2cpio | cpio): the program starts from there, tells its version, opens its window, prints
// through the office plugin of its own tree on the installed office, and closes. The packages
// come from scripts/package and scripts/package rpm.
#include "program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace {

// A kind of package: its file name, how it is unpacked into a folder, how it tells its version
// and what it asks for.
struct PackageKind {
    const char* name;
    const char* fileName;       // a wildcard pattern in KC_PACKAGE_DIR; empty: none for this Qt
    const char* unpack;         // a shell command; $1 is the package, run in the target folder
    const char* version;        // a shell command that prints the version of package $1
    const char* needs;          // a shell command that lists the packages that package $1 asks for
    const char* qtTranslations; // the distribution's package of Qt's translations
};

void PrintTo(const PackageKind& k, std::ostream* os) {
    *os << k.name;
}

const PackageKind packageKinds[] = {
    {"deb", KC_DEB_FILE, "dpkg-deb -x \"$1\" .", "dpkg-deb -f \"$1\" Version",
     "dpkg-deb -f \"$1\" Depends", KC_DEB_QT_TRANSLATIONS},
    {"rpm", KC_RPM_FILE, "rpm2cpio \"$1\" | cpio -idm --quiet", "rpm -qp --qf '%{VERSION}' \"$1\"",
     "rpm -qp --requires --recommends \"$1\"", "qt6-qttranslations"},
};

QString packageFile(const PackageKind& kind) {
    const QDir dir(QStringLiteral(KC_PACKAGE_DIR));
    const QStringList files = dir.entryList({QString::fromLatin1(kind.fileName)}, QDir::Files);
    return files.isEmpty() ? QString() : dir.filePath(files.first());
}

// Runs a shell command with the package as $1.
int shell(const char* command, const QString& package, const QString& workDir = {},
          QByteArray* out = nullptr) {
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(QStringLiteral("sh"), {"-c", QString::fromLatin1(command), "sh", package});
    if (!p.waitForFinished(60000))
        return -1;
    if (out)
        *out = p.readAllStandardOutput().trimmed();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

class Package : public ::testing::TestWithParam<PackageKind> {
  protected:
    void SetUp() override {
        if (!*GetParam().fileName)
            GTEST_SKIP() << "no " << GetParam().name << " package is made with Qt "
                         << QT_VERSION_STR;
        file = packageFile(GetParam());
        if (file.isEmpty())
            GTEST_SKIP() << "no " << GetParam().name << " package in " KC_PACKAGE_DIR
                         << ": run scripts/package " << GetParam().name;
        ASSERT_TRUE(root.isValid());
        ASSERT_EQ(shell(GetParam().unpack, file, root.path()), 0);
        program = root.filePath("usr/bin/kabinet-calc");
    }
    QString file;
    QTemporaryDir root;
    QString program;
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST_P(Package, ProgramControlAndMetainfoTellTheProjectVersion) {
    EXPECT_EQ(run(program, {"--version"}), "kabinet-calc " KC_VERSION);
    QByteArray version;
    EXPECT_EQ(shell(GetParam().version, file, {}, &version), 0);
    EXPECT_EQ(version, KC_VERSION);
    QFile metainfo(root.filePath("usr/share/metainfo/" KC_APP_ID ".metainfo.xml"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains("<release version=\"" KC_VERSION "\""));
}

// The program loads Qt's Russian texts from the system's Qt translations.
TEST_P(Package, AsksForQtsTranslations) {
    QByteArray needs;
    EXPECT_EQ(shell(GetParam().needs, file, {}, &needs), 0);
    EXPECT_TRUE(needs.contains(GetParam().qtTranslations)) << needs.toStdString();
}

// The Qt libraries it asks for are those of the Qt it was built with; the other Qt's would stop
// it from installing where that one is missing (Qt 6 on Astra Linux 1.8).
TEST_P(Package, AsksForTheQtItWasBuiltWith) {
    QByteArray needs;
    EXPECT_EQ(shell(GetParam().needs, file, {}, &needs), 0);
    needs = needs.toLower();
    EXPECT_TRUE(needs.contains("libqt" + QByteArray::number(QT_VERSION_MAJOR)))
        << needs.toStdString();
    EXPECT_FALSE(needs.contains("libqt" + QByteArray::number(QT_VERSION_MAJOR == 5 ? 6 : 5)))
        << needs.toStdString();
}

// Offices started on a profile below this folder.
std::vector<pid_t> officesBelow(const QString& dir) {
    std::vector<pid_t> pids;
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile cmdline("/proc/" + pid + "/cmdline");
        if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) &&
            cmdline.readAll().contains(QFile::encodeName(dir)))
            pids.push_back(pid.toInt());
    }
    return pids;
}

// The window opens, "Распечатать" runs through the plugin of the unpacked tree and the installed
// office, and the window closes.
TEST_P(Package, WindowPrintsThroughItsOwnPluginAndCloses) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", KC_WINDOW_PROBE);
    env.insert("XDG_CACHE_HOME", root.filePath("cache")); // the office profile
    env.remove("KC_OFFICE_PLUGIN_DIR");
    p.setProcessEnvironment(env);
    p.start(program, QStringList());
    const bool finished = p.waitForFinished(90000);
    const QByteArray err = p.readAllStandardError();
    for (pid_t pid : officesBelow(root.path()))
        ::kill(pid, SIGKILL);
    ASSERT_TRUE(finished) << err.toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QByteArray("window shown: ") + program::title + "\n"))
        << err.toStdString();
    EXPECT_TRUE(err.contains("plugin: " + QFile::encodeName(root.path()) + "/usr/lib/"))
        << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, Package, ::testing::ValuesIn(packageKinds),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
