// SPDX-License-Identifier: MIT
// An office installed somewhere else: a copy of the installed office (symlinks to its files;
// the office program and the URE libraries copied, so that their use shows) named by UNO_PATH
// serves "Заявка" and "Загрузить". A process of its own: the URE libraries a process loads stay.
#include "office/office_locator.h"
#include "office/workflow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>

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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
