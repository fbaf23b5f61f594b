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

// The profile folder <root>/cache/kabinet-calc/office-profile. The tests run as root, who may
// hand a folder or link to another account (65534, nobody).
struct ProfileCase {
    const char* name;
    std::function<void(const QDir&)> before; // what is there already
    const char* refused;                     // what the refusal says, "" when the folder is used
};

void PrintTo(const ProfileCase& c, std::ostream* os) {
    *os << c.name;
}

void giveAway(const QString& path) {
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
}

const ProfileCase profileCases[] = {
    {"MadeFresh", [](const QDir&) {}, ""},
    {"OwnOpenFolderTightened",
     [](const QDir& d) {
         d.mkpath("cache/kabinet-calc/office-profile");
         ::chmod(QFile::encodeName(d.filePath("cache/kabinet-calc/office-profile")).constData(),
                 0777);
     },
     ""},
    {"OwnLinkAboveIsFollowed", // ~/.cache moved to another disk by the user
     [](const QDir& d) {
         d.mkpath("big-disk/cache");
         QFile::link(d.filePath("big-disk/cache"), d.filePath("cache"));
     },
     ""},
    {"FolderOfAnotherOnTheWay", // made first in a shared cache folder
     [](const QDir& d) {
         d.mkpath("cache/kabinet-calc");
         giveAway(d.filePath("cache/kabinet-calc"));
     },
     "kabinet-calc belongs to user 65534"},
    {"ProfileOfAnother",
     [](const QDir& d) {
         d.mkpath("cache/kabinet-calc/office-profile");
         giveAway(d.filePath("cache/kabinet-calc/office-profile"));
     },
     "office-profile belongs to user 65534"},
    {"LinkOfAnotherOnTheWay",
     [](const QDir& d) {
         d.mkpath("cache");
         d.mkpath("theirs");
         QFile::link(d.filePath("theirs"), d.filePath("cache/kabinet-calc"));
         giveAway(d.filePath("cache/kabinet-calc"));
     },
     "kabinet-calc is a link of user 65534"},
    {"LinkWhereTheProfileGoes",
     [](const QDir& d) {
         d.mkpath("cache/kabinet-calc");
         d.mkpath("theirs");
         QFile::link(d.filePath("theirs"), d.filePath("cache/kabinet-calc/office-profile"));
     },
     "office-profile is a symbolic link"},
    {"FileInTheWay",
     [](const QDir& d) {
         d.mkpath("cache");
         QFile f(d.filePath("cache/kabinet-calc"));
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
     },
     "kabinet-calc is not a folder"},
};

class ProfileFolder : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileFolder, IsTheUsersOwnOrRefused) {
    QTemporaryDir root;
    const QDir dir(root.path());
    GetParam().before(dir);
    const QString profile = dir.filePath("cache/kabinet-calc/office-profile");
    const std::string refusal = office::makePrivateFolder(profile.toStdString());
    EXPECT_NE(refusal.find(GetParam().refused), std::string::npos) << refusal;
    if (*GetParam().refused) {
        EXPECT_FALSE(refusal.empty());
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
