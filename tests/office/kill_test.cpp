// SPDX-License-Identifier: MIT
// The office process killed in the middle of a job: the calculator survives, says what the
// job says on failure, and the next job runs on a new office.
#include "office/host.h"
#include "office/processes.h"
#include "tests/office/uno_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <iostream>
#include <sys/stat.h>
#include <thread>

using estimate::CabinetConfig;
using namespace officetest;

namespace {

// Kills the office as soon as `ready` says so, from another thread.
class Killer {
  public:
    explicit Killer(std::function<bool()> ready)
        : thread_([this, ready] {
            for (int i = 0; i < 2000 && !stop_ && !ready(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (!stop_)
                killOffice();
        }) {}
    ~Killer() {
        stop_ = true;
        thread_.join();
    }

  private:
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

CabinetConfig big() {
    CabinetConfig c;
    c.EditSquare = "50";
    c.EditStendS = c.EditStendL = "5";
    c.CBVitrinSIZ = c.CBMebelPrepod = c.CBCompNet = c.CBTehBoard = true;
    return c;
}

class OfficeKilled : public ::testing::Test {
  protected:
    void TearDown() override {
        // The next request and load work on new offices.
        const QString path = QDir(scratchDir()).filePath("after.xls");
        EXPECT_TRUE(documents().writeRequest(path, big()).isEmpty());
        suite().closeDocumentOf(path.toStdString());
        QStringList messages;
        EXPECT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
        anchorOffice();
        EXPECT_EQ(zombieChildren(), 0); // every killed office was reaped
    }
};

// The user's older workbook of the chosen name is never destroyed, and nothing is left beside it:
// killed before the request took the chosen name, the file is as it was; after, it is the whole
// request.
TEST_F(OfficeKilled, DuringARequest) {
    const QString dir = scratchDir();
    const QString path = QDir(dir).filePath("request.xls");
    const QByteArray older(5000, 'o');
    write(path, older);
    QStringList messages;
    {
        // The request's own file and then its lock beside the chosen one: it is open.
        Killer k([&] { return entries(dir).size() > 2; });
        messages = documents().writeRequest(path, big());
    }
    EXPECT_TRUE(messages == QStringList{office::msgFileInUse} ||
                messages == QStringList{office::msgCannotLoad})
        << messages.join(", ").toStdString();
    EXPECT_EQ(entries(dir), QStringList{"request.xls"});
    if (bytesOf(path) != older) {
        QStringList read;
        const auto loaded = documents().readRequestFile(path, {}, read);
        ASSERT_TRUE(loaded.has_value()) << read.join(", ").toStdString();
        EXPECT_EQ(loaded->EditSquare, big().EditSquare);
    }
}

TEST_F(OfficeKilled, DuringALoad) {
    const QString source = QDir(scratchDir()).filePath("load.xls");
    ASSERT_TRUE(documents().writeRequest(source, big()).isEmpty());
    suite().closeDocumentOf(source.toStdString());
    QStringList messages;
    std::optional<CabinetConfig> loaded;
    {
        // A load for reading writes no lock: the office holding the file tells it is loading.
        Killer k([&] { return office::openElsewhere(source.toStdString()); });
        loaded = documents().readRequestFile(source, CabinetConfig{}, messages);
    }
    if (!loaded) { // killed before or after opening the workbook
        EXPECT_TRUE(messages == QStringList{office::msgCannotRead} ||
                    messages == QStringList{office::msgCannotLoad})
            << messages.join(", ").toStdString();
    }
}

TEST_F(OfficeKilled, DuringAPrintout) {
    estimate::DescriptionDocument doc;
    doc.setSize(10);
    for (int i = 0; i < 200; ++i)
        doc.append("Строка описания " + std::to_string(i));
    const long pid = suite().officePid();
    bool shown = true;
    {
        Killer k([&, start = std::chrono::steady_clock::now()] {
            return std::chrono::steady_clock::now() - start > std::chrono::milliseconds(150);
        });
        shown = documents().printout(doc, false);
    }
    EXPECT_FALSE(shown);
    EXPECT_NE(pid, 0);
    // A printout right after works on a new office.
    EXPECT_TRUE(documents().printout(doc, false));
}

TEST_F(OfficeKilled, BetweenJobs) {
    killOffice();
    const QString path = QDir(scratchDir()).filePath("between.xls");
    const QStringList messages = documents().writeRequest(path, big());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(", ").toStdString();
    suite().closeDocumentOf(path.toStdString());
}

// An office that aborted while starting left LibreOffice's Safe Mode flag in the profile: the
// next office starts normally, on the profile's recorded settings.
TEST_F(OfficeKilled, WhileStartingLeavingTheSafeModeFlag) {
    killOffice();
    QFile flag(QDir(testProfileDir()).filePath("safemode"));
    ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
    flag.close();
    const QString path = QDir(scratchDir()).filePath("after-safe-mode.xls");
    EXPECT_TRUE(documents().writeRequest(path, big()).isEmpty());
    const std::string title = suite().windowTitle(path.toStdString());
    EXPECT_EQ(title.find("Safe Mode"), std::string::npos) << title;
    EXPECT_NE(title.find("after-safe-mode"), std::string::npos) << title;
    EXPECT_FALSE(flag.exists());
    QFile config(QDir(testProfileDir()).filePath("user/registrymodifications.xcu"));
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("ooSetupLastVersion"));
    suite().closeDocumentOf(path.toStdString());
}

// ---- An office that stops answering -----------------------------------------------------------

// A job whose office stops answering ends in that job's message within the call deadline. The
// office that shows the user's documents is left as it is, still showing them; the office that
// reads workbooks is ended. The chosen request file is untouched either way.
struct HangCase {
    const char* name;
    bool reader; // the office that reads workbooks hangs, else the one that shows them
    std::function<QStringList(office::Documents&, const QString& request)> job;
    QStringList messages;
};

void PrintTo(const HangCase& c, std::ostream* os) {
    *os << c.name;
}

estimate::DescriptionDocument line() {
    estimate::DescriptionDocument doc;
    doc.append("x");
    return doc;
}

const HangCase hangCases[] = {
    {"Printout",
     false,
     [](office::Documents& d, const QString&) {
         return d.printout(line(), false) ? QStringList{"shown"} : QStringList{};
     },
     {}},
    {"Request",
     false,
     [](office::Documents& d, const QString& request) { return d.writeRequest(request, {}); },
     {office::msgCannotLoad}},
    {"Load",
     true,
     [](office::Documents& d, const QString& request) {
         QStringList messages;
         d.readRequestFile(request, {}, messages);
         return messages;
     },
     {office::msgCannotLoad}},
};

class OfficeHangs : public OfficeKilled, public ::testing::WithParamInterface<HangCase> {};

TEST_P(OfficeHangs, TheJobEndsInItsMessage) {
    const QString dir = scratchDir();
    const QString request = QDir(dir).filePath("request.xls");
    ASSERT_TRUE(documents().writeRequest(request, big()).isEmpty());
    suite().closeDocumentOf(request.toStdString());
    const QByteArray before = bytesOf(request);
    const QString shown = QDir(scratchDir()).filePath("shown.xls"); // the user's document
    ASSERT_TRUE(documents().writeRequest(shown, {}).isEmpty());
    QStringList messages;
    ASSERT_TRUE(documents().readRequestFile(request, {}, messages).has_value());
    const pid_t pid = pid_t(GetParam().reader ? documents().reader()->officePid()
                                              : documents().suite()->officePid());
    ASSERT_GT(pid, 0);

    ::kill(pid, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    messages = GetParam().job(documents(), request);
    const auto waited = std::chrono::steady_clock::now() - start;
    ::kill(pid, SIGCONT);

    EXPECT_EQ(messages, GetParam().messages);
    const int deadline = documents().options().callTimeoutMs;
    EXPECT_GE(waited, std::chrono::milliseconds(deadline));
    EXPECT_LT(waited, std::chrono::milliseconds(deadline + 3000));
    EXPECT_EQ(entries(dir), QStringList{"request.xls"});
    EXPECT_EQ(bytesOf(request), before);
    for (int i = 0; i < 500 && GetParam().reader && !ended(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(ended(pid), GetParam().reader);
    EXPECT_TRUE(office::FileInUse(shown.toStdString())); // still shown to the user
    EXPECT_NE(suite().windowTitle(shown.toStdString()).find("shown"), std::string::npos);
    suite().closeDocumentOf(shown.toStdString());
    // The next load works, on a new reading office when the last one was ended.
    EXPECT_TRUE(documents().readRequestFile(request, {}, messages).has_value());
}

INSTANTIATE_TEST_SUITE_P(Office, OfficeHangs, ::testing::ValuesIn(hangCases),
                         [](const auto& info) { return std::string(info.param.name); });

// "Загрузить" reads the workbook in an office of its own, on a profile of its own, which stays
// for the next load and ends, showing nothing, when it is no longer needed.
TEST(OfficeLifetime, LoadReadsInAnOfficeOfItsOwn) {
    const QString path = QDir(scratchDir()).filePath("read.xls");
    ASSERT_TRUE(documents().writeRequest(path, big()).isEmpty());
    suite().closeDocumentOf(path.toStdString());
    const QString shown = QDir(scratchDir()).filePath("shown.xls");
    ASSERT_TRUE(documents().writeRequest(shown, big()).isEmpty());
    const long showing = suite().officePid();
    QStringList messages;
    ASSERT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
    const pid_t reader = pid_t(documents().reader()->officePid());
    EXPECT_GT(reader, 0);
    EXPECT_NE(reader, showing);
    EXPECT_EQ(officesOnProfile(readerProfileDir()), std::vector<pid_t>{reader});
    EXPECT_EQ(suite().officePid(), showing);
    EXPECT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
    EXPECT_EQ(documents().reader()->officePid(), reader); // kept for the next load
    documents().reader()->shutdown();                     // as after a while idle
    EXPECT_EQ(documents().reader()->officePid(), 0);
    for (int i = 0; i < 500 && !ended(reader); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(ended(reader));
    EXPECT_TRUE(office::FileInUse(shown.toStdString()));
    suite().closeDocumentOf(shown.toStdString());
}

// The first start of an office on a profile runs its graphics self-test (seconds), which
// writes user/GraphicsRenderTests.log before the office takes calls; the profile's version
// record spares every later start of it. The record must be on disk as soon as the first
// start is over, or an office killed then leaves the next start the self-test again. The first
// start runs under umask 000, on a profile whose path the office's URL must escape: the office
// takes that folder, which stays the user's alone, as the office's pipes do.
TEST(OfficeLifetime, NextStartAfterAKillSkipsTheFirstStartSelfTest) {
    QTemporaryDir dir;
    office::SuiteOptions options;
    options.profileDir = dir.filePath("profile %41 #1").toStdString();
    office::Documents d(options);
    const QString selfTestLog = dir.filePath("profile %41 #1/user/GraphicsRenderTests.log");
    auto start = std::chrono::steady_clock::now();
    const mode_t umask = ::umask(0);
    const bool started = d.OpenWordDocument();
    ::umask(umask);
    ASSERT_TRUE(started);
    const auto first = std::chrono::steady_clock::now() - start;
    struct stat st {};
    ASSERT_EQ(::stat(options.profileDir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << "profile mode " << std::oct << st.st_mode;
    // The pipe of the bridge, and the one through which a later start hands over its arguments.
    const auto sockets = office::socketsOf(pid_t(d.suite()->officePid()));
    EXPECT_GE(sockets.size(), 2u);
    for (const std::string& socket : sockets) {
        ASSERT_EQ(::lstat(socket.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 077, 0u) << socket << " mode " << std::oct << st.st_mode;
    }
    ASSERT_TRUE(QFile::exists(selfTestLog)); // the first start ran the self-test
    const auto killAndWait = [&] {
        const pid_t pid = pid_t(d.suite()->officePid());
        ASSERT_GT(pid, 0);
        ::kill(pid, SIGKILL);
        for (int i = 0; i < 500 && !ended(pid); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    killAndWait();
    ASSERT_TRUE(QFile::remove(selfTestLog));

    start = std::chrono::steady_clock::now();
    ASSERT_TRUE(d.OpenWordDocument());
    const auto next = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(QFile::exists(selfTestLog)); // the next one did not
    using ms = std::chrono::milliseconds;
    std::cout << "[ figures  ] first start " << std::chrono::duration_cast<ms>(first).count()
              << " ms, next cold start after a kill "
              << std::chrono::duration_cast<ms>(next).count() << " ms\n";
    killAndWait();
}

} // namespace
