// SPDX-License-Identifier: MIT
// Where the office is looked for: fake office trees in a temporary folder, one search each;
// and the folder of the office's profile, made or refused.
#include "office/office_locator.h"
#include "office/private_folder.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>
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
    // symbolic links below the root: {link, target}, the target relative to the root
    std::vector<std::pair<const char*, const char*>> links = {};
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
    {"WritableFolderHigherUpRefused", // anyone may rename usr/lib/libreoffice away
     {{usrLib, "7.4"}, {usrLib64, "7.6"}},
     "",
     {},
     usrLib64,
     "usr/lib",
     "usr/lib is writable by group or others"},
    {"LinkedUnoPathGivesTheRealFolder",
     {{"opt/libreoffice7.6/program", "7.6"}},
     "office/program",
     {},
     "opt/libreoffice7.6/program",
     "",
     "",
     {{"office", "opt/libreoffice7.6"}}},
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
    for (const auto& [link, target] : c.links)
        ASSERT_TRUE(QFile::link(dir.filePath(QString::fromLatin1(target)),
                                dir.filePath(QString::fromLatin1(link))));
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

// The profile folder <root>/cache/kabinet-calc/office-profile, with what is there already:
// "d X" a folder, "f X" a file, "l X Y" a link X to Y, "o X" X open to all, "g X" X handed to
// another account (65534, nobody: the tests run as root, who may).
struct ProfileCase {
    const char* name;
    std::vector<const char*> before;
    const char* refused; // what the refusal says, "" when the folder is used
};

void PrintTo(const ProfileCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const profileDir = "cache/kabinet-calc/office-profile";

const ProfileCase profileCases[] = {
    {"MadeFresh", {}, ""},
    {"OwnOpenFolderTightened",
     {"d cache/kabinet-calc/office-profile", "o cache/kabinet-calc/office-profile"},
     ""},
    {"OwnLinkAboveIsFollowed",
     {"d big-disk/cache", "l cache big-disk/cache"},
     ""}, // ~/.cache moved
    {"FolderOfAnotherOnTheWay",
     {"d cache/kabinet-calc", "g cache/kabinet-calc"}, // a shared cache
     "kabinet-calc belongs to user 65534"},
    {"ProfileOfAnother",
     {"d cache/kabinet-calc/office-profile", "g cache/kabinet-calc/office-profile"},
     "office-profile belongs to user 65534"},
    {"LinkOfAnotherOnTheWay",
     {"d cache", "d theirs", "l cache/kabinet-calc theirs", "g cache/kabinet-calc"},
     "kabinet-calc is a link of user 65534"},
    {"LinkWhereTheProfileGoes",
     {"d cache/kabinet-calc", "d theirs", "l cache/kabinet-calc/office-profile theirs"},
     "office-profile is a symbolic link"},
    {"FileInTheWay", {"d cache", "f cache/kabinet-calc"}, "kabinet-calc is not a folder"},
};

class ProfileFolder : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileFolder, IsTheUsersOwnOrRefused) {
    QTemporaryDir root;
    const QDir dir(root.path());
    const auto apply = [&dir](const QStringList& w) {
        const QByteArray path = QFile::encodeName(dir.filePath(w[1]));
        if (w[0] == "d")
            return dir.mkpath(w[1]);
        if (w[0] == "f")
            return QFile(dir.filePath(w[1])).open(QIODevice::WriteOnly);
        if (w[0] == "l")
            return QFile::link(dir.filePath(w[2]), dir.filePath(w[1]));
        if (w[0] == "o")
            return ::chmod(path.constData(), 0777) == 0;
        return ::lchown(path.constData(), 65534, 65534) == 0;
    };
    for (const char* step : GetParam().before)
        ASSERT_TRUE(apply(QString::fromLatin1(step).split(' '))) << step;
    const QString profile = dir.filePath(profileDir);
    const std::string refusal = office::makePrivateFolder(profile.toStdString());
    if (*GetParam().refused) {
        EXPECT_NE(refusal.find(GetParam().refused), std::string::npos) << refusal;
        EXPECT_TRUE(QDir(dir.filePath("theirs")).isEmpty()); // nothing made through a link
        return;
    }
    EXPECT_EQ(refusal, "");
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(profile).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

INSTANTIATE_TEST_SUITE_P(Office, ProfileFolder, ::testing::ValuesIn(profileCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
