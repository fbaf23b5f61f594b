// SPDX-License-Identifier: MIT
// The request's cells and their reading, without an office: the written cells of a
// configuration, and a workbook's cells read back into a configuration.
#include "office/host.h"
#include "office/request.h"
#include "office/workflow.h"

#include <QFile>
#include <QFileInfo>

#include <QLocale>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

using estimate::CabinetConfig;
using office::CellValue;
using office::CellWrite;

namespace {

struct RussianLocale : ::testing::Environment {
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
};
const auto* const locale = ::testing::AddGlobalTestEnvironment(new RussianLocale);

std::map<std::string, std::variant<std::string, int>> written(const CabinetConfig& c) {
    std::map<std::string, std::variant<std::string, int>> out;
    for (const CellWrite& w : office::requestCells(c))
        out[w.address] = w.value;
    return out;
}

// ---- Writing: the edge cases of the request ----------------------------------------------

struct WriteCase {
    const char* name;
    std::function<void(CabinetConfig&)> set;
    std::map<std::string, std::variant<std::string, int>> cells;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class RequestCells : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RequestCells, WritesExactlyTheseCells) {
    CabinetConfig c;
    GetParam().set(c);
    EXPECT_EQ(written(c), GetParam().cells);
}

using S = std::string;
const WriteCase writeCases[] = {
    {"Defaults", [](CabinetConfig&) {}, {}},
    {"AreaZeroWithComma", [](CabinetConfig& c) { c.EditSquare = "0,00"; }, {}},
    {"AreaZero", [](CabinetConfig& c) { c.EditSquare = "0"; }, {}},
    {"AreaWithPointIsUnreadable", [](CabinetConfig& c) { c.EditSquare = "12.5"; }, {}},
    {"AreaDecimal", [](CabinetConfig& c) { c.EditSquare = "12,5"; }, {{"E14", S("12,5")}}},
    {"Services",
     [](CabinetConfig& c) { c.CB3d = c.CBDostavka = c.CBSborka = true; },
     {{"C17", 1}, {"D17", S("Да")}, {"E17", 1}}},
    {"ServicesIgnoreSwitches",
     [](CabinetConfig& c) {
         c.CBStend = c.CBPlakat = c.CBVitrin = c.CBMebel = c.CBComp = c.CBTeh = false;
         c.CBDostavka = true;
     },
     {{"D17", S("Да")}}},
    {"DoubleZeroCountIsWritten",
     [](CabinetConfig& c) { c.EditStendS = "00"; },
     {{"E26", S("00")}, {"F26", S("Золотой алюминиевый багет")}}},
    {"PlasticFrame",
     [](CabinetConfig& c) {
         c.EditStendP = "3";
         c.RBStendPlastic = true;
         c.RBStendAllum = false;
     },
     {{"E28", S("3")}, {"F26", S("Пластиковая рамка")}}},
    {"FrameWithBothButtonsOffNotWritten",
     [](CabinetConfig& c) {
         c.EditStendL = "4";
         c.RBStendAllum = false;
     },
     {{"E27", S("4")}}},
    {"StandCountsZeroNoFrame", [](CabinetConfig& c) { c.RBStendPlastic = true; }, {}},
    {"StandsSwitchedOff",
     [](CabinetConfig& c) {
         c.CBStend = false;
         c.EditStendS = "5";
     },
     {}},
    {"Posters",
     [](CabinetConfig& c) {
         c.EditPlakatA4 = "10";
         c.EditPlakatA2 = "999";
     },
     {{"E37", S("10")}, {"E39", S("999")}}},
    {"OnlyMannequins", [](CabinetConfig& c) { c.EditVitrinManeken = "2"; }, {{"E55", S("2")}}},
    {"EmptyShowcasesBringTheType",
     [](CabinetConfig& c) {
         c.EditVitrinPusto = "1";
         c.RGVitrinTip = 0;
     },
     {{"E54", S("1")}, {"F49", S("Витрина-шкаф")}}},
    {"ShowcaseFlags",
     [](CabinetConfig& c) { c.CBVitrinGO = c.CBVitrinPM = true; },
     {{"E50", 1}, {"E53", 1}, {"F49", S("Витрина-прилавок с накопителем")}}},
    {"ShowcasesSwitchedOff",
     [](CabinetConfig& c) {
         c.CBVitrin = false;
         c.CBVitrinSIZ = true;
         c.EditVitrinManeken = "3";
     },
     {}},
    {"TeacherPlace",
     [](CabinetConfig& c) {
         c.CBMebelPrepod = true;
         c.TrackMebel = 7;
     },
     {{"E66", 1}, {"H66", 70}}},
    {"StudentPlacesNeedTheBox", [](CabinetConfig& c) { c.EditMebelMest = "12"; }, {}},
    {"StudentPlaces",
     [](CabinetConfig& c) {
         c.CBMebelStudent = true;
         c.EditMebelMest = "12";
         c.RBMebelParta = true;
         c.RBMebelKreslo = false;
     },
     {{"E67", S("12")}, {"F67", S("Парта")}, {"H66", 10}}},
    {"StudentBoxWithZeroCount", [](CabinetConfig& c) { c.CBMebelStudent = true; }, {}},
    {"OnlyTheNetwork",
     [](CabinetConfig& c) {
         c.CBCompNet = true;
         c.RBCompNetWifi = false;
         c.RBCompNetProvod = true;
         c.TrackComp = 4;
     },
     {{"E82", 1}, {"F82", S("Проводная сеть")}}},
    {"Computers",
     [](CabinetConfig& c) {
         c.CBCompPrepod = true;
         c.RBCompPrepodNote = true;
         c.RBCompPrepodStatic = false;
         c.CBCompStudent = true;
         c.EditCompStudent = "9";
         c.CBCompAudio = true;
         c.TrackComp = 10;
     },
     {{"E80", 1},
      {"F80", S("Ноутбук")},
      {"E81", S("9")},
      {"F81", S("Стационарный компьютер")},
      {"E87", 1},
      {"H80", 100}}},
    {"TrainingAids",
     [](CabinetConfig& c) {
         c.CBTehBoard = c.CBTehTest = true;
         c.TrackTeh = 3;
     },
     {{"E97", 1}, {"E102", 1}, {"H97", 30}}},
    {"TrainingAidsSwitchedOff",
     [](CabinetConfig& c) {
         c.CBTeh = false;
         c.CBTehBook = true;
     },
     {}},
};

INSTANTIATE_TEST_SUITE_P(Office, RequestCells, ::testing::ValuesIn(writeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Reading: the rules per cell ----------------------------------------------------------

struct ReadCase {
    const char* name;
    std::map<std::string, CellValue> cells;
    std::function<bool(const CabinetConfig&)> check; // on the record read
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadRequest : public ::testing::TestWithParam<ReadCase> {};

CellValue text(const char* t) {
    return CellValue::ofText(t);
}
CellValue number(double n) {
    return CellValue::ofNumber(n);
}

CabinetConfig readFrom(const std::map<std::string, CellValue>& cells, CabinetConfig current = {}) {
    return office::readRequest(
        [&](std::string_view a) {
            auto it = cells.find(std::string(a));
            return it == cells.end() ? CellValue{} : it->second;
        },
        current);
}

TEST_P(ReadRequest, ReadsByTheRules) {
    EXPECT_TRUE(GetParam().check(readFrom(GetParam().cells)));
}

const ReadCase readCases[] = {
    {"EmptyWorkbook",
     {},
     [](const CabinetConfig& c) {
         return c.EditSquare.empty() && c.EditStendS.empty() && !c.CB3d && !c.CBDostavka &&
                !c.RBStendPlastic && !c.RBStendAllum && !c.RBMebelKreslo && !c.RBCompPrepodStatic &&
                !c.RBCompNetWifi && c.TrackMebel == 1 && c.RGVitrinTip == 5 && c.CBStend;
     }},
    {"AreaNumberInLocale",
     {{"E14", number(12.5)}},
     [](const CabinetConfig& c) { return c.EditSquare == "12,5"; }},
    {"WholeNumberWithoutFraction",
     {{"E26", number(7)}, {"E14", number(1500)}},
     [](const CabinetConfig& c) { return c.EditStendS == "7" && c.EditSquare == "1500"; }},
    {"DeliveryAnyText",
     {{"D17", text("нет")}},
     [](const CabinetConfig& c) { return c.CBDostavka; }},
    {"FlagAsNumberText",
     {{"E49", text("1")}, {"E50", text("0")}},
     [](const CabinetConfig& c) { return c.CBVitrinSIZ && !c.CBVitrinGO; }},
    {"SilverFrame",
     {{"F26", text("Серебряный алюминиевый багет")}},
     [](const CabinetConfig& c) { return c.RBStendAllum && !c.RBStendPlastic; }},
    {"GoldFrame",
     {{"F26", text("Золотой алюминиевый багет")}},
     [](const CabinetConfig& c) { return c.RBStendAllum && !c.RBStendPlastic; }},
    {"PlasticFrame",
     {{"F26", text("Пластиковая рамка")}},
     [](const CabinetConfig& c) { return !c.RBStendAllum && c.RBStendPlastic; }},
    {"WordsAreCaseSensitive",
     {{"F67", text("парта")}},
     [](const CabinetConfig& c) { return !c.RBMebelParta && !c.RBMebelKreslo; }},
    {"UnknownShowcaseTypeKeepsTheGroup",
     {{"F49", text("Витрина-сейф")}},
     [](const CabinetConfig& c) { return c.RGVitrinTip == 5; }},
    {"ShowcaseType",
     {{"F49", text("Витрина-прилавок со стендовой частью")}},
     [](const CabinetConfig& c) { return c.RGVitrinTip == 6; }},
    {"Level0", {{"H66", number(0)}}, [](const CabinetConfig& c) { return c.TrackMebel == 1; }},
    {"Level45", {{"H66", number(45)}}, [](const CabinetConfig& c) { return c.TrackMebel == 4; }},
    {"Level55", {{"H80", number(55)}}, [](const CabinetConfig& c) { return c.TrackComp == 6; }},
    {"Level100", {{"H97", number(100)}}, [](const CabinetConfig& c) { return c.TrackTeh == 10; }},
    {"Level250", {{"H66", number(250)}}, [](const CabinetConfig& c) { return c.TrackMebel == 10; }},
    {"LevelAsText",
     {{"H66", text("70")}},
     [](const CabinetConfig& c) { return c.TrackMebel == 7; }},
    {"StudentCountAlsoTicksTheBox",
     {{"E67", text("12")}},
     [](const CabinetConfig& c) { return c.CBMebelStudent && c.EditMebelMest == "12"; }},
    {"NetworkWords",
     {{"F82", text("Проводная сеть")}, {"F80", text("Ноутбук")}},
     [](const CabinetConfig& c) {
         return c.RBCompNetProvod && !c.RBCompNetWifi && c.RBCompPrepodNote &&
                !c.RBCompPrepodStatic;
     }},
};

INSTANTIATE_TEST_SUITE_P(Office, ReadRequest, ::testing::ValuesIn(readCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadCell {
    const char* name;
    const char* cell;
    CellValue value;
};

void PrintTo(const BadCell& c, std::ostream* os) {
    *os << c.name;
}

class ReadRequestFails : public ::testing::TestWithParam<BadCell> {};

TEST_P(ReadRequestFails, Throws) {
    EXPECT_THROW(readFrom({{GetParam().cell, GetParam().value}}), office::ReadError);
}

const BadCell badCells[] = {
    {"FlagWord", "E49", text("да")},
    {"ServiceWord", "C17", text("x")},
    {"LevelWord", "H80", text("высокий")},
    {"NumberInTypeCell", "F26", number(1)},
    {"NumberInSeatType", "F67", number(2)},
    {"NumberInDelivery", "D17", number(0)},
    {"LevelNan", "H66", text("nan")},
    {"LevelInfinity", "H97", text("inf")},
    {"FlagMinusInfinity", "E49", text("-inf")},
};

INSTANTIATE_TEST_SUITE_P(Office, ReadRequestFails, ::testing::ValuesIn(badCells),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadRequest, SwitchesAndClassAreLeftAlone) {
    CabinetConfig current;
    current.CBStend = current.CBTeh = false;
    current.RGClass = 2;
    const CabinetConfig c = readFrom({}, current);
    EXPECT_FALSE(c.CBStend);
    EXPECT_FALSE(c.CBTeh);
    EXPECT_TRUE(c.CBPlakat);
    EXPECT_EQ(c.RGClass, 2);
}

TEST(ReadRequest, ControlSettingsStartWithTheArea) {
    const auto settings = office::controlSettings(CabinetConfig{});
    ASSERT_FALSE(settings.empty());
    EXPECT_EQ(settings.front(), std::make_pair(std::string("EditSquare"), std::string("0,00")));
    EXPECT_EQ(settings.size(), 52u); // one per row of the loading order
}

// ---- The host ------------------------------------------------------------------------------

TEST(Host, UserNameIsKnown) {
    EXPECT_FALSE(office::CurrentUserName().empty());
    EXPECT_NE(office::CurrentUserName(), "Unknown");
}

class FileInUse : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("kc-inuse-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        file = (dir / "заявка.xls").string();
        std::ofstream(file) << "x";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void lock(const std::string& host, const std::string& profile,
              const std::string& user = office::CurrentUserName()) {
        std::ofstream(office::lockFilePath(file))
            << "," << user << "," << host << ",01.01.2026 10:00," << profile << ";";
    }
    static std::string thisHost() {
        char n[256] = {};
        gethostname(n, sizeof n - 1);
        return n;
    }
    std::filesystem::path dir;
    std::string file;
};

TEST_F(FileInUse, MissingFileIsNotInUse) {
    EXPECT_FALSE(office::FileInUse(file + ".no"));
}

TEST_F(FileInUse, PlainFileIsFree) {
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, StaleLockOfDeadOfficeDoesNotCount) {
    lock(thisHost(), "file:///nonexistent/profile");
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, OwnStaleLockDoesNotCount) {
    lock(thisHost(), "file:///own/profile");
    EXPECT_FALSE(office::FileInUse(file, "file:///own/profile"));
}

TEST_F(FileInUse, EmptyLockOfAnOfficeKilledWhileWritingItDoesNotCount) {
    std::ofstream{office::lockFilePath(file)};
    EXPECT_FALSE(office::FileInUse(file));
}

TEST_F(FileInUse, LockFromAnotherHostCounts) {
    lock("other-host.example", "file:///home/x/.config/libreoffice/4");
    EXPECT_TRUE(office::FileInUse(file));
}

TEST_F(FileInUse, LockOfAnotherAccountCounts) {
    lock(thisHost(), "file:///nonexistent/profile", "someone-else");
    EXPECT_TRUE(office::FileInUse(file));
}

// Whether the office a lock names runs is asked of the user's own processes only, and of at
// most 64 KiB of a command line: another account's process that names the profile is no
// office of the user's.
struct OfficeProcessCase {
    const char* name;
    uid_t uid;      // the process's account; 0 for the tests' own (root)
    size_t padding; // bytes of arguments before the profile's
    bool inUse;
};

void PrintTo(const OfficeProcessCase& c, std::ostream* os) {
    *os << c.name;
}

class FileInUseByProcess : public FileInUse,
                           public ::testing::WithParamInterface<OfficeProcessCase> {};

TEST_P(FileInUseByProcess, OnlyTheUsersOwnOfficeCounts) {
    const OfficeProcessCase& c = GetParam();
    const std::string profile = "file:///tmp/kc-test-office-profile";
    lock(thisHost(), profile);
    std::string padding(c.padding, 'x');
    std::string option = "-env:UserInstallation=" + profile;
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0); // ended with its shell's sleep below
        if (c.uid != 0 && setuid(c.uid) != 0)
            _exit(1);
        std::string script = "sleep 30; true", name = "soffice.bin";
        char* argv[] = {
            const_cast<char*>("sh"), const_cast<char*>("-c"), script.data(), name.data(),
            padding.data(),          option.data(),           nullptr};
        execv("/bin/sh", argv);
        _exit(1);
    }
    ASSERT_GT(child, 0);
    for (int i = 0; i < 200; ++i) { // until the child runs the shell
        std::ifstream cmdline("/proc/" + std::to_string(child) + "/cmdline");
        std::string first;
        std::getline(cmdline, first, '\0');
        if (first == "sh")
            break;
        usleep(5000);
    }
    EXPECT_EQ(office::FileInUse(file), c.inUse);
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Office, FileInUseByProcess,
    ::testing::Values(OfficeProcessCase{"OwnOffice", 0, 1, true},
                      OfficeProcessCase{"ProcessOfAnotherAccount", 65534, 1, false},
                      OfficeProcessCase{"ProfileBeyond64KiB", 0, 70000, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileInUse, OpenInAnotherProcessCounts) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    if (child == 0) {
        std::ifstream hold(file);
        (void)!write(fds[1], "r", 1);
        pause(); // holds the file until killed
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(fds[0], &c, 1), 1);
    EXPECT_TRUE(office::FileInUse(file));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(fds[0]);
    close(fds[1]);
    EXPECT_FALSE(office::FileInUse(file));
}

// ---- Without LibreOffice ------------------------------------------------------------------

// Either the plugin or a usable office is missing; both fail the same way.
enum class Missing { Plugin, Office };

class WithoutOffice : public ::testing::TestWithParam<Missing> {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() / ("kc-nooffice-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        office::SuiteOptions options;
        options.profileDir = (dir / "profile").string();
        if (GetParam() == Missing::Plugin)
            qputenv("KC_OFFICE_PLUGIN_DIR", "/nonexistent/kabinet-calc");
        else
            options.officeProgramDir = (dir / "no-office").string();
        docs = std::make_unique<office::Documents>(options);
    }
    void TearDown() override {
        qunsetenv("KC_OFFICE_PLUGIN_DIR");
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;
    std::unique_ptr<office::Documents> docs;
};

TEST_P(WithoutOffice, RequestWritesTheTemplateThenCannotLoad) {
    const QString path = QString::fromStdString((dir / "blank.xls").string());
    EXPECT_EQ(docs->writeRequest(path, {}), QStringList{office::msgCannotLoad});
    EXPECT_EQ(QFileInfo(path).size(), QFile(":/templates/BLANK").size());
    EXPECT_EQ(docs->suite(), nullptr);
}

TEST_P(WithoutOffice, LoadCannotLoad) {
    const QString path = QString::fromStdString((dir / "blank.xls").string());
    QFile::copy(":/templates/BLANK", path);
    QStringList messages;
    EXPECT_FALSE(docs->readRequestFile(path, {}, messages));
    EXPECT_EQ(messages, QStringList{office::msgCannotLoad});
}

TEST_P(WithoutOffice, PrintoutDoesNothing) {
    estimate::DescriptionDocument d;
    d.append("x");
    EXPECT_FALSE(docs->printout(d));
}

INSTANTIATE_TEST_SUITE_P(Office, WithoutOffice, ::testing::Values(Missing::Plugin, Missing::Office),
                         [](const auto& info) {
                             return info.param == Missing::Plugin ? "PluginMissing"
                                                                  : "OfficeMissing";
                         });

} // namespace
