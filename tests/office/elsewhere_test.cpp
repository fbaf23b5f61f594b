// SPDX-License-Identifier: MIT
// An office installed somewhere else: a copy of the installed office (symlinks to its files;
// the office program and the URE libraries copied, so that their use shows) named by UNO_PATH
// serves "Заявка" and "Загрузить". A process of its own: the URE libraries a process loads stay.
#include "office/office_locator.h"
#include "office/workflow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

const QString copyRoot = QStringLiteral(KC_TEST_BINARY_DIR "/office-elsewhere");

// The office's folder mirrored as symlinks, except the files in `copied`.
void mirror(const QDir& from, const QDir& to, const QStringList& copied) {
    QDir().mkpath(to.path());
    for (const QFileInfo& entry : from.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                     QDir::System | QDir::Hidden)) {
        const QString target = to.filePath(entry.fileName());
        if (entry.fileName() == "program" && entry.isDir())
            mirror(QDir(entry.absoluteFilePath()), QDir(target), copied);
        else if (copied.contains(entry.fileName()))
            ASSERT_TRUE(QFile::copy(entry.absoluteFilePath(), target)) << target.toStdString();
        else
            ASSERT_TRUE(QFile::link(entry.absoluteFilePath(), target)) << target.toStdString();
    }
}

bool mapped(const QString& file) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(file));
}

TEST(OfficeElsewhere, RequestAndLoadRunOnTheOfficeUnoPathNames) {
    office::OfficeSearch search = office::defaultOfficeSearch();
    search.unoPath.clear();
    const QString installed = office::findOfficeProgramDir(search);
    ASSERT_FALSE(installed.isEmpty()) << "no office installed";
    QDir(copyRoot).removeRecursively();
    mirror(QDir(installed + "/.."), QDir(copyRoot),
           QStringList{"soffice.bin"} + office::officeUreLibraries);
    const QString program = copyRoot + "/program";
    qputenv("UNO_PATH", QFile::encodeName(program));

    const QString profile = QStringLiteral(KC_TEST_BINARY_DIR "/office-elsewhere-profile");
    QDir(profile).removeRecursively();
    office::SuiteOptions options;
    options.profileDir = profile.toStdString();
    office::Documents docs(options);
    const QString path = copyRoot + "/request.xls";
    estimate::CabinetConfig c;
    c.EditSquare = "42";
    c.EditStendS = "3";
    EXPECT_EQ(docs.writeRequest(path, c), QStringList());
    ASSERT_NE(docs.suite(), nullptr);
    const long pid = docs.suite()->officePid();
    EXPECT_EQ(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget(),
              program + "/soffice.bin");
    EXPECT_TRUE(mapped(program + "/libuno_cppuhelpergcc3.so.3"));

    docs.suite()->openWordDocument(); // keeps the office running for the load
    docs.suite()->closeDocumentOf(path.toStdString());
    QStringList messages;
    const auto loaded = docs.readRequestFile(path, {}, messages);
    EXPECT_EQ(messages, QStringList());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->EditSquare, "42");
    EXPECT_EQ(loaded->EditStendS, "3");
    EXPECT_EQ(docs.suite()->officePid(), pid);

    docs.suite()->discardWordDocument();
    docs.suite()->shutdown();
    if (pid > 0)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// What listens on the office's pipe, takes the bridge's connection and never answers: a start
// that hangs half-way. The connect step is an office call under the call deadline like any
// other: the process is ended then, through its pidfd, and the job fails instead of waiting
// for ever.
const char* const silentOffice = R"(#!/usr/bin/python3
import os, socket, sys, time
name = next(a for a in sys.argv if a.startswith("--accept=")).split("name=")[1].split(";")[0]
open(os.path.join(os.path.dirname(sys.argv[0]), "pid"), "w").write(str(os.getpid()))
s = socket.socket(socket.AF_UNIX)
s.bind("/tmp/OSL_PIPE_%d_%s" % (os.getuid(), name))
s.listen(8)
held = []
while True:
    held.append(s.accept()[0])
)";

TEST(OfficeElsewhere, OfficeThatNeverAnswersTheConnectionIsEndedAtTheCallDeadline) {
    office::OfficeSearch search = office::defaultOfficeSearch();
    search.unoPath.clear();
    const QString installed = office::findOfficeProgramDir(search);
    ASSERT_FALSE(installed.isEmpty()) << "no office installed";
    const QString root = QStringLiteral(KC_TEST_BINARY_DIR "/office-silent");
    QDir(root).removeRecursively();
    mirror(QDir(installed + "/.."), QDir(root), QStringList{"soffice.bin"});
    const QString program = root + "/program";
    QFile fake(program + "/soffice.bin");
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fake.write(silentOffice);
    fake.close();

    office::SuiteOptions options;
    options.profileDir = (root + "/profile").toStdString();
    options.officeProgramDir = program.toStdString();
    options.callTimeoutMs = 2000;
    office::Documents docs(options);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(docs.OpenWordDocument());
    EXPECT_GE(timer.elapsed(), options.callTimeoutMs);
    EXPECT_LT(timer.elapsed(), options.startTimeoutMs / 2);
    QFile pidFile(program + "/pid");
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = pid_t(pidFile.readAll().toInt());
    ASSERT_GT(pid, 0);
    // Its socket closes as it exits, a moment before it has ended.
    const auto ended = [pid] {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        return !stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z");
    };
    bool gone = false;
    for (int i = 0; i < 200 && !(gone = ended()); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(gone) << "the silent office still runs";
    if (!gone)
        ::kill(pid, SIGKILL);
    const QString socket = QStringLiteral("OSL_PIPE_*_kc_office_%1_*").arg(::getpid());
    for (const QString& left : QDir(QStringLiteral("/tmp")).entryList({socket}, QDir::System))
        QFile::remove(QStringLiteral("/tmp/") + left);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
