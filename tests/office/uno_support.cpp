// SPDX-License-Identifier: MIT
#include "tests/office/uno_support.h"

#include "app/app_setup.h"
#include "estimate/inputs.h"

#include "office/processes.h"
#include "office/request.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace officetest {

namespace {

office::Documents* docs = nullptr;
QTemporaryDir* scratch = nullptr;

class OfficeEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        office::SuiteOptions options;
        options.profileDir = testProfileDir().toStdString();
        options.callTimeoutMs = 5000;        // a hung office costs a test this long
        office::useSharedDocuments(options); // the window's handlers use the same office
        docs = &office::sharedDocuments();
        scratch = new QTemporaryDir;
        ASSERT_NE(docs->suite(), nullptr) << "the office plugin did not load";
        anchorOffice();
    }
    void TearDown() override {
        // The office stays for the next test process; office_stop ends it.
        delete scratch;
    }
};

} // namespace

// A /proc file of a process that may end meanwhile; a failed read gives what was read.
std::string procText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

QString testProfileDir() {
    return QStringLiteral(KC_TEST_BINARY_DIR "/office-profile");
}

QString readerProfileDir() {
    return QString::fromStdString(office::readerProfileDir(testProfileDir().toStdString()));
}

std::vector<pid_t> officesOnProfile(const QString& profile) {
    const std::string wanted = "-env:UserInstallation=" + office::profileUrl(profile.toStdString());
    std::vector<pid_t> pids;
    for (const auto& p : std::filesystem::directory_iterator("/proc")) {
        const std::string name = p.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string cmd = procText(p.path() / "cmdline");
        if (cmd.find(wanted + '\0') != std::string::npos)
            pids.push_back(std::stoi(name));
    }
    return pids;
}

int zombieChildren() {
    int zombies = 0;
    const std::string self = std::to_string(::getpid());
    for (const auto& p : std::filesystem::directory_iterator("/proc")) {
        const std::string stat = procText(p.path() / "stat");
        const auto paren = stat.rfind(')');
        if (paren == std::string::npos || paren + 2 >= stat.size())
            continue;
        std::istringstream rest(stat.substr(paren + 2));
        std::string state, ppid;
        rest >> state >> ppid;
        zombies += state == "Z" && ppid == self;
    }
    return zombies;
}

office::Documents& documents() {
    return *docs;
}
office::Suite& suite() {
    return *docs->suite();
}

QString scratchDir() {
    static int n = 0;
    const QString dir = scratch->filePath(QString::number(++n));
    QDir().mkpath(dir);
    return dir;
}

void anchorOffice() {
    suite().openWordDocument();
}

// Gone, or ended with all its threads and waiting for its parent (a zombie leader whose
// threads still exit cannot be reaped yet).
bool ended(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid);
    const std::string stat = procText(dir + "/stat");
    const auto paren = stat.rfind(')');
    if (stat.empty())
        return true;
    if (paren == std::string::npos || paren + 2 >= stat.size() ||
        (stat[paren + 2] != 'Z' && stat[paren + 2] != 'X'))
        return false;
    std::error_code ec;
    auto threads = std::distance(std::filesystem::directory_iterator(dir + "/task", ec),
                                 std::filesystem::directory_iterator());
    return ec || threads <= 1;
}

void killOffice() {
    auto pids = officesOnProfile();
    for (pid_t reader : officesOnProfile(readerProfileDir()))
        pids.push_back(reader);
    for (pid_t pid : pids)
        ::kill(pid, SIGKILL);
    for (pid_t pid : pids)
        for (int i = 0; i < 500 && !ended(pid); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

void stopOffices() {
    office::SuiteOptions options;
    options.profileDir = testProfileDir().toStdString();
    office::Documents d(options);
    docs = &d;
    killOffice();
    docs = nullptr;
    for (const auto& e : std::filesystem::directory_iterator("/tmp"))
        if (e.path().filename().string().rfind("OSL_PIPE_", 0) == 0 &&
            e.path().filename().string().find("kc_office_") != std::string::npos)
            std::filesystem::remove(e.path());
}

estimate::CabinetConfig windowCorrected(estimate::CabinetConfig c) {
    for (auto* count : {&c.EditStendS, &c.EditStendL, &c.EditStendP, &c.EditPlakatA4,
                        &c.EditPlakatA3, &c.EditPlakatA2, &c.EditVitrinPusto, &c.EditVitrinManeken,
                        &c.EditMebelMest, &c.EditCompStudent})
        if (count->empty())
            *count = "0";
    bool ok = false;
    const double area = QLocale().toDouble(QString::fromStdString(c.EditSquare), &ok);
    if (!ok || area < 0)
        c.EditSquare = "0";
    return c;
}

const std::vector<std::string>& inputCells() {
    static const std::vector<std::string> cells = [] {
        std::set<std::string> all;
        for (const estimate::InputRow& row : estimate::inputs())
            if (row.cell != estimate::Cell::None)
                all.emplace(row.address);
        return std::vector<std::string>(all.begin(), all.end());
    }();
    return cells;
}

namespace {

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"')
                out.back() += '"', ++i;
            else if (ch == '"')
                quoted = false;
            else
                out.back() += ch;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            out.emplace_back();
        } else {
            out.back() += ch;
        }
    }
    return out;
}

} // namespace

namespace {

// An office runs its graphics self-test on every start until its profile records the version
// it last ran, which a headless office never records by itself (about 3 s a start). The
// converting office's profile gets the record of the test office's profile, which has it.
void recordVersionOnConvertProfile(const QString& profile) {
    const QString config = profile + "/user/registrymodifications.xcu";
    QFile own(config);
    if (own.open(QIODevice::ReadOnly) && own.readAll().contains("ooSetupLastVersion"))
        return;
    own.close();
    QFile tests(testProfileDir() + "/user/registrymodifications.xcu");
    if (!tests.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression record(
        QStringLiteral("<item oor:path=\"/org.openoffice.Setup/Product\">"
                       "<prop oor:name=\"ooSetupLastVersion\".*?</item>"));
    const auto found = record.match(QString::fromUtf8(tests.readAll()));
    if (!found.hasMatch())
        return;
    QDir(profile).removeRecursively();
    QDir().mkpath(profile + "/user");
    QFile out(config);
    if (!out.open(QIODevice::WriteOnly))
        return;
    out.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
              "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
              "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n");
    out.write(found.captured().toUtf8() + "\n</oor:items>\n");
}

} // namespace

std::vector<std::map<std::string, std::string>> formSheets(const QStringList& xlsFiles) {
    const QString out = scratchDir();
    recordVersionOnConvertProfile(QStringLiteral(KC_TEST_BINARY_DIR "/convert-profile"));
    QStringList args = {"-env:UserInstallation=file://" KC_TEST_BINARY_DIR "/convert-profile",
                        "--headless", "--norestore", "--convert-to",
                        // UTF-8, every sheet to a file of its own
                        "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,"
                        "false,-1",
                        "--outdir", out};
    args += xlsFiles;
    QProcess p;
    p.start("soffice", args);
    if (!p.waitForFinished(120000))
        p.kill();
    std::vector<std::map<std::string, std::string>> sheets;
    for (const QString& file : xlsFiles) {
        const QString csv =
            QDir(out).filePath(QFileInfo(file).completeBaseName() + "-Бланк-заказ.csv");
        std::ifstream in(csv.toStdString());
        std::map<std::string, std::string> cells;
        std::string line;
        for (int row = 1; std::getline(in, line); ++row) {
            const auto fields = csvFields(line);
            for (size_t col = 0; col < fields.size() && col < 26; ++col)
                if (!fields[col].empty())
                    cells[std::string(1, char('A' + col)) + std::to_string(row)] = fields[col];
        }
        sheets.push_back(cells);
    }
    return sheets;
}

} // namespace officetest

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::installAccessibility(); // the windows its tests build are the program's
    if (argc > 1 && QString(argv[1]) == "--calculator")
        return officetest::runCalculator(app.arguments().mid(2));
    if (argc > 2 && QString(argv[1]) == "--long-session")
        return officetest::runLongSession(QString(argv[2]).toInt());
    if (argc > 1 && QString(argv[1]) == "--stop-office") {
        officetest::stopOffices();
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new officetest::OfficeEnvironment);
    return RUN_ALL_TESTS();
}
