// SPDX-License-Identifier: MIT
// Where the office is looked for: fake office trees in a temporary folder, one search each.
#include "office/office_locator.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <vector>

namespace {

struct FakeOffice {
    const char* programDir;                 // below the temporary root
    const char* version;                    // bootstraprc's ProductKey, "" for none
    const char* types = "types/offapi.rdb"; // "" for none
    bool binary = true;
};

struct LocatorCase {
    const char* name;
    std::vector<FakeOffice> offices;
    const char* unoPath = ""; // "" for unset
    // bin/<name>: a symlink to the target, or a script with this text when it starts with "#!"
    // ("{root}" in it stands for the temporary root)
    std::vector<std::pair<const char*, const char*>> onPath;
    const char* expected = "";      // "" for none found
    const char* groupWritable = ""; // a folder below the root that its group may write into
    const char* logged = "";        // what kc.office must tell
};

void PrintTo(const LocatorCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const usrLib = "usr/lib/libreoffice/program";
const char* const usrLib64 = "usr/lib64/libreoffice/program";
const char* const altFresh = "usr/lib64/LibreOffice/program";
const char* const altStill = "usr/lib64/LibreOffice-still/program";

const LocatorCase locatorCases[] = {
    {"UnoPathFirst",
     {{"mine/program", "7.5"}, {"opt/libreoffice24.2/program", "24.2"}, {usrLib, "7.4"}},
     "mine/program",
     {{"soffice", "../opt/libreoffice24.2/program/soffice"}},
     "mine/program"},
    {"UnusableUnoPathFallsThrough", {{usrLib, "7.4"}}, "nothing/here", {}, usrLib},
    {"SofficeOnPathResolved",
     {{"opt/libreoffice7.6/program", "7.6"}, {usrLib, "7.4"}},
     "",
     {{"soffice", "../opt/libreoffice7.6/program/soffice"}},
     "opt/libreoffice7.6/program"},
    {"LibreofficeOnPathResolved",
     {{"opt/libreoffice7.6/program", "7.6"}, {usrLib, "7.4"}},
     "",
     {{"libreoffice", "../opt/libreoffice7.6/program/soffice"}},
     "opt/libreoffice7.6/program"},
    {"ScriptOnPathRunsItsOffice",
     {{usrLib, "7.4"}, {altStill, "24.2"}},
     "",
     {{"soffice", "#!/bin/sh\nexec {root}/usr/lib64/LibreOffice-still/program/soffice \"$@\"\n"}},
     altStill},
    {"ScriptNamingNoFolderFallsThrough",
     {{usrLib64, "7.6"}},
     "",
     {{"libreoffice", "#!/bin/sh\nexec {root}/usr/lib64/LibreOffice/program/soffice \"$@\"\n"}},
     usrLib64},
    {"AltCurrentBeforeStill", {{altStill, "24.2"}, {altFresh, "24.8"}}, "", {}, altFresh},
    {"AltStill", {{altStill, "24.2"}}, "", {}, altStill},
    {"UsrLibBeforeUsrLib64", {{usrLib, "7.4"}, {usrLib64, "7.6"}}, "", {}, usrLib},
    {"UsrLib64", {{usrLib64, "7.6"}}, "", {}, usrLib64},
    {"OptNewestFirst",
     {{"opt/libreoffice7.6/program", "7.6"},
      {"opt/libreoffice24.8/program", "24.8"},
      {"opt/libreoffice24.2/program", "24.2"}},
     "",
     {},
     "opt/libreoffice24.8/program"},
    {"TooOldSkipped",
     {{usrLib, "6.4"}, {"opt/libreoffice7.0/program", "7.0"}},
     "",
     {},
     "opt/libreoffice7.0/program"},
    {"MissingTypesSkipped", {{usrLib, "7.4", ""}, {usrLib64, "7.4"}}, "", {}, usrLib64},
    {"OlderSingleTypesFile", {{usrLib, "7.4", "types.rdb"}}, "", {}, usrLib},
    {"MissingVersionSkipped", {{usrLib, ""}, {usrLib64, "7.4"}}, "", {}, usrLib64},
    {"MissingBinarySkipped", {{usrLib, "7.4", "types/offapi.rdb", false}}, "", {}, ""},
    {"None", {}, "", {}, ""},
    {"GroupWritableOfficeFolderRefused",
     {{usrLib, "7.4"}, {usrLib64, "7.6"}},
     "",
     {},
     usrLib64,
     "usr/lib/libreoffice",
     "usr/lib/libreoffice is writable by group or others"},
    {"CommentsOfAScriptSkipped",
     {{usrLib, "7.4"}, {altStill, "24.2"}},
     "",
     {{"soffice", "#!/bin/sh\n# was {root}/usr/lib/libreoffice/program/soffice\n"
                  "exec {root}/usr/lib64/LibreOffice-still/program/soffice \"$@\"\n"}},
     altStill},
};

QStringList officeLog; // what the search told

class Locator : public ::testing::TestWithParam<LocatorCase> {};

void writeFile(const QString& path, const QByteArray& content = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

TEST_P(Locator, FindsTheFirstUsableOffice) {
    const LocatorCase& c = GetParam();
    const mode_t umask = ::umask(022); // folders as a package makes them
    QTemporaryDir root;
    const QDir dir(root.path());
    for (const FakeOffice& o : c.offices) {
        const QDir program(dir.filePath(QString::fromLatin1(o.programDir)));
        writeFile(program.filePath("soffice"), "#!/bin/sh\n");
        QFile::setPermissions(program.filePath("soffice"), QFile::ReadOwner | QFile::ExeOwner);
        if (o.binary) {
            writeFile(program.filePath("soffice.bin"));
            QFile::setPermissions(program.filePath("soffice.bin"),
                                  QFile::ReadOwner | QFile::ExeOwner);
        }
        if (*o.types)
            writeFile(program.filePath(QString::fromLatin1(o.types)));
        if (*o.version)
            writeFile(program.filePath("bootstraprc"),
                      QByteArray("[Bootstrap]\nProductKey=LibreOffice ") + o.version + "\n");
    }
    QDir().mkpath(dir.filePath("bin"));
    for (const auto& [name, target] : c.onPath) {
        const QString file = dir.filePath(QStringLiteral("bin/") + QString::fromLatin1(name));
        QByteArray text(target);
        if (!text.startsWith("#!")) {
            ASSERT_TRUE(QFile::link(QString::fromLatin1(target), file));
            continue;
        }
        writeFile(file, text.replace("{root}", QFile::encodeName(dir.canonicalPath())));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::ExeOwner);
    }

    if (*c.groupWritable)
        ::chmod(QFile::encodeName(dir.filePath(c.groupWritable)).constData(), 0775);

    office::OfficeSearch search;
    if (*c.unoPath)
        search.unoPath = dir.filePath(QString::fromLatin1(c.unoPath));
    search.pathDirs = QStringList{dir.filePath("bin")};
    for (const QString& place : office::officeKnownPlaces)
        search.knownPlaces << dir.filePath(place.mid(1));

    officeLog.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("kc.office.info=true"));
    qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { officeLog << message; });
    const QString found = office::findOfficeProgramDir(search);
    qInstallMessageHandler(nullptr);
    QLoggingCategory::setFilterRules({});
    ::umask(umask);
    EXPECT_EQ(found, *c.expected ? QDir(dir.canonicalPath()).filePath(c.expected) : QString());
    EXPECT_TRUE(officeLog.join('\n').contains(QString::fromUtf8(c.logged)))
        << officeLog.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Office, Locator, ::testing::ValuesIn(locatorCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
