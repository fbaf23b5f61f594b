// A seller's long day in one process: request-then-load cycles and printouts through the real
// window, with the calculator's and the office's memory, the open descriptors and the zombie
// children printed as it goes. Run by scripts/long-session, not by the default run.
#include "tests/office/uno_support.h"
#include "tests/office/window_user.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace officetest;

namespace {

long rssKb(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

long openFds() {
    std::error_code ec;
    return long(std::distance(std::filesystem::directory_iterator("/proc/self/fd", ec),
                              std::filesystem::directory_iterator()));
}

struct Figures {
    long calculatorKb, officeKb, fds;
};

Figures figures() {
    return {rssKb(::getpid()), rssKb(suite().officePid()), openFds()};
}

void print(const char* when, int cycle, const Figures& f, int maxZombies) {
    std::printf("%-6s cycle %4d: calculator %7.1f MB, office %7.1f MB, %ld fds, zombies seen %d\n",
                when, cycle, f.calculatorKb / 1024.0, f.officeKb / 1024.0, f.fds, maxZombies);
    std::fflush(stdout);
}

TEST(LongSession, DISABLED_RequestsLoadsAndPrintouts) {
    const int cycles = qEnvironmentVariableIsSet("KC_LONG_CYCLES")
                           ? qEnvironmentVariableIntValue("KC_LONG_CYCLES")
                           : 300;
    killOffice(); // no test anchor: the office lives by what the user keeps open
    TMain w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QDir dir(scratchDir());
    // The seller keeps the first request open all day.
    {
        User user(dir.filePath("kept.xls"));
        w.ButtonRequestClick();
        ASSERT_TRUE(user.messages.isEmpty());
    }
    int maxZombies = 0, failures = 0;
    Figures start{};
    for (int i = 1; i <= cycles; ++i) {
        const QString path = dir.filePath(QStringLiteral("cycle.xls"));
        const QString area = QString::number(20 + i % 50);
        w.setControlValue(QStringLiteral("EditSquare"), area);
        {
            User user(path);
            w.ButtonRequestClick();
            failures += !user.messages.isEmpty();
        }
        suite().closeDocumentOf(path.toStdString()); // the user closes it
        w.setControlValue(QStringLiteral("EditSquare"), QStringLiteral("1"));
        {
            User user(path);
            w.ButtonLoadClick();
            failures +=
                !user.messages.isEmpty() || w.control<QLineEdit>("EditSquare")->text() != area;
        }
        w.ButtonPrintClick();
        failures += !w.control<QTextEdit>(QStringLiteral("RichEdit"))->textCursor().hasSelection();
        suite().discardWordDocument(); // the user closes the printout
        QFile::remove(path);
        maxZombies = std::max(maxZombies, zombieChildren());
        if (i == 1) {
            start = figures();
            print("start", i, start, maxZombies);
        } else if (i % 50 == 0 || i == cycles) {
            print(i == cycles ? "end" : "", i, figures(), maxZombies);
        }
    }
    const Figures end = figures();
    std::printf("calculator grew %.1f MB, office grew %.1f MB, fds %+ld, failed cycles %d\n",
                (end.calculatorKb - start.calculatorKb) / 1024.0,
                (end.officeKb - start.officeKb) / 1024.0, end.fds - start.fds, failures);
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(maxZombies, 0);
    EXPECT_LE(end.calculatorKb - start.calculatorKb, 10 * 1024);
    EXPECT_LE(end.fds, start.fds);
}

} // namespace
