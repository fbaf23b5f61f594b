// SPDX-License-Identifier: MIT
// "Загрузить" on workbooks whose cells were set by hand, and on files that are no request.
#include "office/host.h"
#include "office/office_locator.h"
#include "tests/office/uno_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <random>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using estimate::CabinetConfig;
using office::CellValue;
using namespace officetest;

namespace {

// A request workbook from the template with these cells set (texts, or whole numbers).
QString workbookWith(const std::map<std::string, CellValue>& cells) {
    const QString path = QDir(scratchDir()).filePath("hand.xls");
    QFile::remove(path);
    EXPECT_TRUE(QFile::copy(":/templates/BLANK", path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    suite().openWorkbook(path.toStdString());
    for (const auto& [cell, v] : cells) {
        if (v.kind == CellValue::Kind::Number)
            suite().setCell(cell, static_cast<int>(v.number));
        else
            suite().setCell(cell, v.text);
    }
    suite().saveWorkbook();
    suite().closeWorkbook();
    return path;
}

CabinetConfig startState() {
    CabinetConfig c;
    c.EditSquare = "77";
    c.CBVitrinSIZ = c.CBMebelPrepod = true;
    c.EditStendS = "9";
    c.RGVitrinTip = 2;
    c.TrackMebel = 4;
    return c;
}

struct LoadCase {
    const char* name;
    std::map<std::string, CellValue> cells;
    std::function<bool(const CabinetConfig&)> check; // empty: the load must fail
    std::function<void(const char* lock)> lock = {}; // makes the lock beside the workbook
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

CellValue t(const char* s) {
    return CellValue::ofText(s);
}
CellValue n(int v) {
    return CellValue::ofNumber(v);
}

const auto loads = [](const CabinetConfig&) { return true; };

const LoadCase loadCases[] = {
    {"EmptyRequest",
     {},
     [](const CabinetConfig& c) {
         const CabinetConfig w = windowCorrected(c);
         return w.EditSquare == "0" && w.EditStendS == "0" && !c.CBVitrinSIZ && !c.CBMebelPrepod &&
                !c.RBStendAllum && !c.RBStendPlastic && c.TrackMebel == 1 && c.RGVitrinTip == 2;
     }},
    {"H66Is0", {{"H66", n(0)}}, [](const CabinetConfig& c) { return c.TrackMebel == 1; }},
    {"H66Is45", {{"H66", n(45)}}, [](const CabinetConfig& c) { return c.TrackMebel == 4; }},
    {"H66Is55", {{"H66", n(55)}}, [](const CabinetConfig& c) { return c.TrackMebel == 6; }},
    {"H66Is100", {{"H66", n(100)}}, [](const CabinetConfig& c) { return c.TrackMebel == 10; }},
    {"H66Is250", {{"H66", n(250)}}, [](const CabinetConfig& c) { return c.TrackMebel == 10; }},
    {"EmptyTypeCells",
     {{"E26", t("3")}, {"E67", t("5")}},
     [](const CabinetConfig& c) {
         return !c.RBStendPlastic && !c.RBStendAllum && !c.RBMebelParta && !c.RBMebelKreslo &&
                !c.RBCompNetWifi && !c.RBCompNetProvod && c.EditStendS == "3";
     }},
    {"SilverFrame",
     {{"F26", t("Серебряный алюминиевый багет")}},
     [](const CabinetConfig& c) { return c.RBStendAllum && !c.RBStendPlastic; }},
    {"UnknownShowcaseType",
     {{"F49", t("Витрина-аквариум")}},
     [](const CabinetConfig& c) { return c.RGVitrinTip == 2; }},
    {"KnownShowcaseType",
     {{"F49", t("Витрина-шкаф с подсветкой")}, {"E49", n(1)}},
     [](const CabinetConfig& c) { return c.RGVitrinTip == 2 && c.CBVitrinSIZ; }},
    {"NumbersTypedByAUser",
     {{"E14", n(35)},
      {"E26", n(5)},
      {"E37", n(120)},
      {"E67", n(12)},
      {"H80", n(70)},
      {"C17", n(1)},
      {"E98", n(2)}},
     [](const CabinetConfig& c) {
         return c.EditSquare == "35" && c.EditStendS == "5" && c.EditPlakatA4 == "120" &&
                c.EditMebelMest == "12" && c.CBMebelStudent && c.TrackComp == 7 && c.CB3d &&
                c.CBTehProgramma;
     }},
    {"FlagsTypedAsText",
     {{"E49", t("1")}, {"E97", t("0")}},
     [](const CabinetConfig& c) { return c.CBVitrinSIZ && !c.CBTehBoard; }},
    {"FlagWordDa", {{"E26", t("4")}, {"E50", t("да")}}, nullptr},
    {"NumberInD17", {{"D17", n(1)}}, nullptr},
    {"LevelWord", {{"H97", t("много")}}, nullptr},
    // Names that are no lock: nothing waits on them or reads them.
    {"BesideANamedPipeLock", {}, loads, [](const char* l) { ::mkfifo(l, 0600); }},
    {"BesideALockLinkedToDevZero", {}, loads, [](const char* l) { ::symlink("/dev/zero", l); }},
};

class LoadRequest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadRequest, ReadsTheCellsOrFailsWithoutChange) {
    const QString path = workbookWith(GetParam().cells);
    if (GetParam().lock)
        GetParam().lock(office::lockFilePath(path.toStdString()).c_str());
    // Read only: no lock file, nor anything else, appears beside the workbook.
    const int created = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(created, QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                        IN_CREATE);
    QStringList messages;
    const auto loaded = documents().readRequestFile(path, startState(), messages);
    char event[4096];
    EXPECT_LT(::read(created, event, sizeof event), 0) << "a file appeared beside the workbook";
    ::close(created);
    if (GetParam().check) {
        ASSERT_TRUE(loaded.has_value()) << messages.join(", ").toStdString();
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_TRUE(GetParam().check(*loaded));
    } else {
        EXPECT_FALSE(loaded.has_value());
        EXPECT_EQ(messages, QStringList{office::msgCannotRead});
    }
    EXPECT_FALSE(office::FileInUse(path.toStdString(), documents().profileUrl()));
}

INSTANTIATE_TEST_SUITE_P(Office, LoadRequest, ::testing::ValuesIn(loadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Files that are no request --------------------------------------------------------------

struct BadFile {
    const char* name;
    std::function<void(const QString& path)> make;
    QStringList messages; // what the user is shown
};

void PrintTo(const BadFile& c, std::ostream* os) {
    *os << c.name;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray templateBytes() {
    QFile f(":/templates/BLANK");
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// A listener on 127.0.0.1 that a stranger's workbook names: nothing may ever connect to it.
const int listener = [] {
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(s, 16);
    return s;
}();

int connectionsTaken() {
    int n = 0;
    for (int c; (c = ::accept(listener, nullptr, nullptr)) >= 0; ++n)
        ::close(c);
    return n;
}

// A stranger's spreadsheet named .xls, calling the listener (data/strangers-workbook.fods).
void strangersWorkbook(const QString& path) {
    sockaddr_in a{};
    socklen_t size = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &size);
    QFile data(KC_TEST_SOURCE_DIR "/data/strangers-workbook.fods");
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(ntohs(a.sin_port));
    write(path, QString::fromUtf8(data.readAll()).arg(path.toHtmlEscaped(), url).toUtf8());
}

const BadFile badFiles[] = {
    {"Missing", [](const QString&) {}, {}},
    {"Empty", [](const QString& p) { write(p, {}); }, {office::msgCannotLoad}},
    {"RandomBytes",
     [](const QString& p) {
         std::mt19937 rng(5);
         QByteArray b(20000, 0);
         for (auto& ch : b)
             ch = char(rng());
         write(p, b);
     },
     {office::msgCannotLoad}},
    {"Truncated",
     [](const QString& p) { write(p, templateBytes().left(3000)); },
     {office::msgCannotLoad}},
    {"PasswordProtected",
     [](const QString& p) { QFile::copy(KC_TEST_SOURCE_DIR "/data/password.xls", p); },
     {office::msgCannotLoad}},
    {"NewerFormatRenamed",
     [](const QString& p) { QFile::copy(KC_TEST_SOURCE_DIR "/data/newer-format.xls", p); },
     {office::msgCannotLoad}},
    {"TextFile", [](const QString& p) { write(p, "E14;12\nE26;5\n"); }, {office::msgCannotLoad}},
    {"StrangersWorkbook", strangersWorkbook, {office::msgCannotLoad}},
};

class LoadBadFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(LoadBadFile, ShowsItsMessageAndChangesNothing) {
    const QString path = QDir(scratchDir()).filePath("bad.xls");
    GetParam().make(path);
    QStringList messages;
    const auto loaded = documents().readRequestFile(path, startState(), messages);
    EXPECT_FALSE(loaded.has_value());
    EXPECT_EQ(messages, GetParam().messages);
    // Whatever the file holds, nothing of it ran.
    EXPECT_EQ(connectionsTaken(), 0);
    EXPECT_FALSE(QFile::exists(path + ".ran"));
    // The office survived and still works.
    EXPECT_TRUE(documents().readRequestFile(workbookWith({}), {}, messages).has_value());
}

INSTANTIATE_TEST_SUITE_P(Office, LoadBadFile, ::testing::ValuesIn(badFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadBadFile, OpenInAnotherOfficeDoesNothing) {
    const QString path = workbookWith({{"E26", CellValue::ofText("5")}});
    const QString profile = scratchDir();
    QProcess other;
    const std::string lock = office::lockFilePath(path.toStdString());
    for (int start = 0; start < 2 && !QFile::exists(QString::fromStdString(lock)); ++start) {
        // A new profile makes the first start end with code 81: start once more.
        other.start(office::findOfficeProgramDir() + "/soffice.bin",
                    {"-env:UserInstallation=file://" + profile, "--headless", "--norestore",
                     "--nologo", path});
        ASSERT_TRUE(other.waitForStarted());
        for (int i = 0; i < 600 && !QFile::exists(QString::fromStdString(lock)) &&
                        other.state() == QProcess::Running;
             ++i)
            other.waitForFinished(50);
    }
    ASSERT_TRUE(office::FileInUse(path.toStdString(), documents().profileUrl()));

    QStringList messages;
    EXPECT_FALSE(documents().readRequestFile(path, startState(), messages).has_value());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(documents().writeRequest(path, {}), QStringList{office::msgFileInUse});

    other.kill();
    other.waitForFinished();
    // Its lock is now stale and no longer counts.
    EXPECT_FALSE(office::FileInUse(path.toStdString(), documents().profileUrl()));
    EXPECT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
}

} // namespace
