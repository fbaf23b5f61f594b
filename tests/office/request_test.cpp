// SPDX-License-Identifier: MIT
// "Заявка" and "Загрузить" against a real office: the written workbook checked by an
// independent conversion to CSV, and the workbook read back into a configuration.
#include "estimate/inputs.h"
#include "office/host.h"
#include "office/request.h"
#include "tests/office/uno_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>
#include <unistd.h>

using estimate::CabinetConfig;
using estimate::Cell;
using namespace officetest;

namespace {

std::string expectedText(const std::variant<std::string, int>& v) {
    return std::holds_alternative<int>(v) ? std::to_string(std::get<int>(v))
                                          : std::get<std::string>(v);
}

// The cells of the workbook that the configuration must have written, every other input
// cell empty, as the template leaves it.
void expectFormSheet(const std::map<std::string, std::string>& sheet, const CabinetConfig& c,
                     const std::string& label) {
    std::map<std::string, std::string> expected;
    for (const auto& w : office::requestCells(c))
        expected[w.address] = expectedText(w.value);
    for (const std::string& cell : inputCells()) {
        const auto it = sheet.find(cell);
        const std::string got = it == sheet.end() ? "" : it->second;
        const auto want = expected.find(cell);
        EXPECT_EQ(got, want == expected.end() ? "" : want->second) << label << " cell " << cell;
    }
}

// Written and read back, the configuration writes the same cells again: every written value
// came back into its control, and everything not written came back off, unselected or "0".
void expectReadBack(const CabinetConfig& loaded, const CabinetConfig& written,
                    const std::string& label) {
    CabinetConfig allOn = windowCorrected(loaded);
    allOn.CBStend = allOn.CBPlakat = allOn.CBVitrin = allOn.CBMebel = allOn.CBComp = allOn.CBTeh =
        true;
    EXPECT_EQ(office::requestCells(allOn), office::requestCells(written)) << label;
    EXPECT_EQ(loaded.CBStend, written.CBStend) << label; // switches are not loaded
    EXPECT_EQ(loaded.RGClass, written.RGClass) << label;
}

CabinetConfig writeAndReadBack(const CabinetConfig& c, const QString& path) {
    const QStringList messages = documents().writeRequest(path, c);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(", ").toStdString();
    suite().closeDocumentOf(path.toStdString()); // the user closes the visible workbook
    QStringList loadMessages;
    const auto loaded = documents().readRequestFile(path, c, loadMessages);
    EXPECT_TRUE(loadMessages.isEmpty()) << loadMessages.join(", ").toStdString();
    return loaded.value_or(CabinetConfig{});
}

// Every option box of the sections and the services: the check boxes with a cell.
std::vector<estimate::Flag> optionBoxes() {
    std::vector<estimate::Flag> out;
    for (const estimate::InputRow& r : estimate::inputs())
        if (r.cell == Cell::One || r.cell == Cell::Yes || r.cell == Cell::Gate)
            out.push_back(std::get<estimate::Flag>(r.member));
    return out;
}

CabinetConfig everything() {
    CabinetConfig c;
    for (estimate::Flag f : optionBoxes())
        c.*f = true;
    c.EditSquare = "48,5";
    c.EditStendS = "10";
    c.EditStendL = "7";
    c.EditStendP = "17";
    c.EditPlakatA4 = "100";
    c.EditPlakatA3 = "20";
    c.EditPlakatA2 = "3";
    c.EditVitrinPusto = "2";
    c.EditVitrinManeken = "1";
    c.EditMebelMest = "32";
    c.EditCompStudent = "9";
    c.RGVitrinTip = 3;
    c.TrackMebel = 8;
    c.TrackComp = 5;
    c.TrackTeh = 2;
    return c;
}

CabinetConfig randomConfig(std::mt19937& rng) {
    auto coin = [&](int percent) { return int(rng() % 100) < percent; };
    auto count = [&](int max) {
        return coin(40) ? std::string("0") : std::to_string(rng() % (max + 1));
    };
    CabinetConfig c = everything();
    for (const estimate::SectionSwitch& s : estimate::sectionSwitches)
        c.*s.enabled = coin(50);
    for (estimate::Flag f : optionBoxes())
        c.*f = coin(50);
    const char* areas[] = {"0,00", "0", "10", "12,5", "100", "6,25", "0,75", "999"};
    c.EditSquare = areas[rng() % 8];
    c.EditStendS = coin(10) ? "00" : count(99);
    c.EditStendL = count(99);
    c.EditStendP = count(99);
    c.EditPlakatA4 = count(999);
    c.EditPlakatA3 = coin(10) ? "007" : count(999);
    c.EditPlakatA2 = count(999);
    c.EditVitrinPusto = count(99);
    c.EditVitrinManeken = count(99);
    // Loading ticks the student boxes from these counts, so they keep no leading zero.
    c.EditMebelMest = count(999);
    c.EditCompStudent = count(9);
    auto pair = [&](bool& a, bool& b) {
        const int pick = int(rng() % 10);
        a = pick < 5;
        b = pick >= 5 && pick < 9; // one in ten: both off, as after loading an empty type
    };
    pair(c.RBStendPlastic, c.RBStendAllum);
    pair(c.RBMebelParta, c.RBMebelKreslo);
    pair(c.RBCompPrepodNote, c.RBCompPrepodStatic);
    pair(c.RBCompStudentNote, c.RBCompStudentStatic);
    pair(c.RBCompNetWifi, c.RBCompNetProvod);
    c.RGVitrinTip = int(rng() % 8);
    c.TrackMebel = 1 + int(rng() % 10);
    c.TrackComp = 1 + int(rng() % 10);
    c.TrackTeh = 1 + int(rng() % 10);
    return c;
}

struct NamedConfig {
    const char* name;
    std::function<void(CabinetConfig&)> set;
};

void PrintTo(const NamedConfig& c, std::ostream* os) {
    *os << c.name;
}

const NamedConfig namedConfigs[] = {
    {"Defaults", [](CabinetConfig&) {}},
    {"Everything", [](CabinetConfig& c) { c = everything(); }},
    {"AreaZero", [](CabinetConfig& c) { c.EditSquare = "0,00"; }},
    {"DoubleZeroCounts",
     [](CabinetConfig& c) { c.EditStendS = c.EditPlakatA3 = c.EditVitrinPusto = "00"; }},
    {"SectionsOff",
     [](CabinetConfig& c) {
         c = everything();
         c.CBStend = c.CBVitrin = c.CBComp = false;
     }},
    {"OnlyMannequins", [](CabinetConfig& c) { c.EditVitrinManeken = "4"; }},
    {"OnlyTheNetwork",
     [](CabinetConfig& c) {
         c.CBCompNet = true;
         c.TrackComp = 9;
     }},
    {"PlasticAndDesks",
     [](CabinetConfig& c) {
         c = everything();
         c.RBStendPlastic = c.RBMebelParta = c.RBCompPrepodNote = c.RBCompStudentNote =
             c.RBCompNetProvod = true;
         c.RBStendAllum = c.RBMebelKreslo = c.RBCompPrepodStatic = c.RBCompStudentStatic =
             c.RBCompNetWifi = false;
     }},
    {"EveryShowcaseType",
     [](CabinetConfig& c) {
         c.CBVitrinEB = true;
         c.RGVitrinTip = 7;
     }},
};

class RequestRoundTrip : public ::testing::TestWithParam<NamedConfig> {};

TEST_P(RequestRoundTrip, WritesTheCellsAndReadsThemBack) {
    CabinetConfig c;
    GetParam().set(c);
    const QString path = QDir(scratchDir()).filePath("заявка.xls");
    expectReadBack(writeAndReadBack(c, path), c, GetParam().name);
    expectFormSheet(formSheets({path}).at(0), c, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Office, RequestRoundTrip, ::testing::ValuesIn(namedConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RequestRoundTrip, TwoHundredRandomConfigurations) {
    const int count = qEnvironmentVariableIntValue("KC_RANDOM_REQUESTS") > 0
                          ? qEnvironmentVariableIntValue("KC_RANDOM_REQUESTS")
                          : 200;
    std::mt19937 rng(20261209);
    const QString dir = scratchDir();
    QStringList files;
    std::vector<CabinetConfig> configs;
    for (int i = 0; i < count; ++i) {
        const CabinetConfig c = randomConfig(rng);
        const QString path = QDir(dir).filePath(QString("r%1.xls").arg(i));
        expectReadBack(writeAndReadBack(c, path), c, "random " + std::to_string(i));
        files << path;
        configs.push_back(c);
    }
    const auto sheets = formSheets(files);
    for (int i = 0; i < count; ++i)
        expectFormSheet(sheets.at(i), configs[i], "random " + std::to_string(i));
}

// The request takes the chosen name whole, with the mode the user's umask gives; the user sees
// the workbook of that name (a save goes there), and what the office makes beside it, its lock,
// is the user's alone.
TEST(Request, ExistingFileIsReplacedWholeAndShownUnderItsName) {
    const QDir dir(scratchDir());
    const QString path = dir.filePath("blank - user.xls");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }
    CabinetConfig c;
    c.CB3d = true;
    const mode_t umask = ::umask(027);
    const QStringList messages = documents().writeRequest(path, c);
    ::umask(umask);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(", ").toStdString();
    EXPECT_NE(suite().windowTitle(path.toStdString()).find("blank - user"), std::string::npos);
    const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QString lock = QString::fromStdString(office::lockFilePath(path.toStdString()));
    EXPECT_EQ(dir.entryList(all), (QStringList{QFileInfo(lock).fileName(), "blank - user.xls"}));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << std::oct << st.st_mode;
    ASSERT_EQ(::stat(QFile::encodeName(lock).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << std::oct << st.st_mode;
    suite().closeDocumentOf(path.toStdString());
    EXPECT_EQ(dir.entryList(all), QStringList{"blank - user.xls"});
    expectFormSheet(formSheets({path}).at(0), c, "replaced");
}

// A link that another account put where the user saves is replaced by the request; the file it
// points to stays as it was.
TEST(Request, LinkOfAnotherIsReplacedNotFollowed) {
    const QString target = QDir(scratchDir()).filePath("precious.txt");
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    const QString path = QDir(scratchDir()).filePath("blank - linked.xls");
    ASSERT_TRUE(QFile::link(target, path));
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    CabinetConfig c;
    c.CBSborka = true;
    EXPECT_TRUE(documents().writeRequest(path, c).isEmpty());
    suite().closeDocumentOf(path.toStdString());
    EXPECT_FALSE(QFileInfo(path).isSymLink());
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));
    expectFormSheet(formSheets({path}).at(0), c, "over a link");
}

TEST(Request, FileOpenInTheOfficeIsInUse) {
    const QString path = QDir(scratchDir()).filePath("open.xls");
    CabinetConfig c;
    ASSERT_TRUE(documents().writeRequest(path, c).isEmpty()); // left open and visible
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    c.CBSborka = true;
    EXPECT_EQ(documents().writeRequest(path, c), QStringList{office::msgFileInUse});
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before); // untouched, not truncated
    // Loading it while it is open does nothing at all.
    QStringList messages;
    EXPECT_FALSE(documents().readRequestFile(path, {}, messages));
    EXPECT_TRUE(messages.isEmpty());
    suite().closeDocumentOf(path.toStdString());
}

TEST(Request, TwoRequestsStayOpen) {
    const QString a = QDir(scratchDir()).filePath("a.xls");
    const QString b = QDir(scratchDir()).filePath("b.xls");
    ASSERT_TRUE(documents().writeRequest(a, {}).isEmpty());
    ASSERT_TRUE(documents().writeRequest(b, {}).isEmpty());
    EXPECT_TRUE(office::FileInUse(a.toStdString()));
    EXPECT_TRUE(office::FileInUse(b.toStdString()));
    suite().closeDocumentOf(a.toStdString());
    suite().closeDocumentOf(b.toStdString());
    EXPECT_FALSE(office::FileInUse(a.toStdString(), documents().profileUrl()));
}

} // namespace
