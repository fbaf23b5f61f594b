// SPDX-License-Identifier: MIT
// The request's cells and their reading, without an office: the written cells of a
// configuration, and a workbook's cells read back into a configuration.
#include "estimate/inputs.h"
#include "office/host.h"
#include "office/request.h"
#include "office/workflow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QLocale>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
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

TEST(ReadRequest, TheAreaIsLoadedFirst) {
    std::vector<std::string_view> loaded;
    for (const estimate::InputRow& row : estimate::inputs())
        if (row.cell != estimate::Cell::None)
            loaded.push_back(row.name);
    ASSERT_FALSE(loaded.empty());
    EXPECT_EQ(loaded.front(), "EditSquare");
    EXPECT_EQ(loaded.size(), 52u); // one per row of the loading order
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

// The user's older workbook of the chosen name stays byte for byte, and nothing is left beside
// it; a new name leaves nothing at all.
TEST_P(WithoutOffice, FailedRequestLeavesTheChosenFileAsItWas) {
    const QDir folder(QString::fromStdString((dir / "work").string()));
    ASSERT_TRUE(folder.mkpath("."));
    const QString older = folder.filePath("blank.xls");
    const QByteArray bytes("an older workbook of the user's");
    {
        QFile f(older);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    for (const QString& name : {older, folder.filePath("new.xls")})
        EXPECT_EQ(docs->writeRequest(name, {}), QStringList{office::msgCannotLoad});
    QFile f(older);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_EQ(
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList{"blank.xls"});
    EXPECT_EQ(docs->suite(), nullptr);
}

TEST_P(WithoutOffice, LoadCannotLoad) {
    const QString path = QString::fromStdString((dir / "blank.xls").string());
    QFile::copy(":/templates/BLANK", path);
    // A copy of a resource is read-only, which on Windows keeps it from being removed.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
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
