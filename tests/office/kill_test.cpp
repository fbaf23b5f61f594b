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

bool lockExists(const QString& path) {
    return QFile::exists(QString::fromStdString(office::lockFilePath(path.toStdString())));
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
        // The next request works on a new office.
        const QString path = QDir(scratchDir()).filePath("after.xls");
        EXPECT_TRUE(documents().writeRequest(path, big()).isEmpty());
        suite().closeDocumentOf(path.toStdString());
        anchorOffice();
        EXPECT_EQ(zombieChildren(), 0); // every killed office was reaped
    }
};

TEST_F(OfficeKilled, DuringARequest) {
    const QString path = QDir(scratchDir()).filePath("request.xls");
    QStringList messages;
    {
        Killer k([&] { return lockExists(path); });
        messages = documents().writeRequest(path, big());
    }
    // Killed while the workbook opened, or once it was open and the cells were written.
    EXPECT_TRUE(messages == QStringList{office::msgFileInUse} ||
                messages == QStringList{office::msgCannotLoad})
        << messages.join(", ").toStdString();
    EXPECT_FALSE(office::FileInUse(path.toStdString(), documents().profileUrl()));
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

TEST_F(OfficeKilled, HungOfficeIsKilledAfterTheCallDeadline) {
    estimate::DescriptionDocument doc;
    doc.append("x");
    ASSERT_TRUE(documents().printout(doc, false));
    const pid_t pid = pid_t(suite().officePid());
    ASSERT_GT(pid, 0);
    ::kill(pid, SIGSTOP); // the office stops answering
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(documents().printout(doc, false));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(documents().options().callTimeoutMs));
    EXPECT_LT(waited, std::chrono::milliseconds(documents().options().callTimeoutMs + 3000));
    killOffice(); // gone already, killed by the deadline
}

TEST(OfficeLifetime, LoadEndsAnOfficeThatShowsNothingElse) {
    const QString path = QDir(scratchDir()).filePath("alone.xls");
    ASSERT_TRUE(documents().writeRequest(path, big()).isEmpty());
    suite().closeDocumentOf(path.toStdString());
    killOffice(); // no anchor: the next office shows nothing but the load
    QStringList messages;
    EXPECT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
    EXPECT_EQ(suite().officePid(), 0);
    // A request keeps its workbook open: a load afterwards must not close it.
    const QString shown = QDir(scratchDir()).filePath("shown.xls");
    ASSERT_TRUE(documents().writeRequest(shown, big()).isEmpty());
    EXPECT_TRUE(documents().readRequestFile(path, {}, messages).has_value());
    EXPECT_NE(suite().officePid(), 0);
    EXPECT_TRUE(office::FileInUse(shown.toStdString()));
    suite().closeDocumentOf(shown.toStdString());
    anchorOffice();
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
