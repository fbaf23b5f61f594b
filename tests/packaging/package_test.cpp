// SPDX-License-Identifier: MIT
// The built package, unpacked with dpkg-deb into a temporary root: the program starts from there,
// tells its version, opens its window, prints through the office plugin of its own tree on the
// installed office, and closes. The package comes from scripts/package.
#include "window/layout.h"

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

QString packageFile() {
    const QDir dir(QStringLiteral(KC_PACKAGE_DIR));
    const QStringList debs =
        dir.entryList({QStringLiteral("kabinet-calc_" KC_VERSION "_*.deb")}, QDir::Files);
    return debs.isEmpty() ? QString() : dir.filePath(debs.first());
}

class Package : public ::testing::Test {
  protected:
    void SetUp() override {
        deb = packageFile();
        if (deb.isEmpty())
            GTEST_SKIP() << "no package in " KC_PACKAGE_DIR ": run scripts/package";
        ASSERT_TRUE(root.isValid());
        ASSERT_EQ(QProcess::execute("dpkg-deb", {"-x", deb, root.path()}), 0);
        program = root.filePath("usr/bin/kabinet-calc");
    }
    QString deb;
    QTemporaryDir root;
    QString program;
};

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST_F(Package, ProgramControlAndMetainfoTellTheProjectVersion) {
    EXPECT_EQ(run(program, {"--version"}), "kabinet-calc " KC_VERSION);
    EXPECT_EQ(run("dpkg-deb", {"-f", deb, "Version"}), KC_VERSION);
    QFile metainfo(root.filePath("usr/share/metainfo/" KC_APP_ID ".metainfo.xml"));
    ASSERT_TRUE(metainfo.open(QIODevice::ReadOnly));
    EXPECT_TRUE(metainfo.readAll().contains("<release version=\"" KC_VERSION "\""));
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
TEST_F(Package, WindowPrintsThroughItsOwnPluginAndCloses) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LD_PRELOAD", KC_WINDOW_PROBE);
    env.insert("XDG_CACHE_HOME", root.filePath("cache")); // the office profile
    env.remove("KC_OFFICE_PLUGIN_DIR");
    p.setProcessEnvironment(env);
    p.start(program, {});
    const bool finished = p.waitForFinished(90000);
    const QByteArray err = p.readAllStandardError();
    for (pid_t pid : officesBelow(root.path()))
        ::kill(pid, SIGKILL);
    ASSERT_TRUE(finished) << err.toStdString();
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QByteArray("window shown: ") + window::windowCaption + "\n"))
        << err.toStdString();
    EXPECT_TRUE(err.contains("plugin: " + QFile::encodeName(root.path()) + "/usr/lib/"))
        << err.toStdString();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
