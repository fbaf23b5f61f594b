// SPDX-License-Identifier: MIT
// A seller's long day in one process: request-then-load cycles and printouts through the real
// window, with the calculator's and the office's memory, the open descriptors and the zombie
// children printed as it goes. `office_uno_test --long-session N`, run by scripts/long-session.
#include "app/app_setup.h"
#include "office/host.h"
#include "tests/office/uno_support.h"
#include "tests/office/window_user.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>

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
    size_t heapKb; // what the calculator's allocator has handed out and not had back
};

Figures figures(const office::Suite& suite) {
    return {rssKb(::getpid()), rssKb(suite.officePid()), openFds(), mallinfo2().uordblks / 1024};
}

void print(const char* when, int cycle, const Figures& f, int maxZombies) {
    std::printf("%-6s cycle %4d: calculator %6.1f MB (heap %6.1f MB), office %6.1f MB, %ld fds, "
                "zombies seen %d\n",
                when, cycle, f.calculatorKb / 1024.0, f.heapKb / 1024.0, f.officeKb / 1024.0, f.fds,
                maxZombies);
    std::fflush(stdout);
}

} // namespace

namespace officetest {

int runLongSession(int cycles) {
    const bool printouts = !qEnvironmentVariableIsSet("KC_LONG_NO_PRINTOUTS");
    // An office of its own, without the tests' anchor: it lives by what the user keeps open.
    office::SuiteOptions options;
    options.profileDir = KC_TEST_BINARY_DIR "/long-session-profile";
    office::useSharedDocuments(options);
    office::Suite& suite = *office::sharedDocuments().suite();
    app::setupApplication(); // as the program itself starts
    TMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return 1;
    QTemporaryDir files;
    const QDir dir(files.path());
    // The seller keeps the first request open all day.
    {
        User user(dir.filePath("kept.xls"));
        w.ButtonRequestClick();
        if (!user.messages.isEmpty())
            return 1;
    }
    int maxZombies = 0, failures = 0;
    Figures start{};
    for (int i = 1; i <= cycles; ++i) {
        const QString path = dir.filePath(QStringLiteral("cycle.xls"));
        const QString area = QString::number(20 + i % 50);
        w.control<QLineEdit>(QStringLiteral("EditSquare"))->setText(area);
        {
            User user(path);
            w.ButtonRequestClick();
            failures += !user.messages.isEmpty();
        }
        suite.closeDocumentOf(path.toStdString()); // the user closes it
        w.control<QLineEdit>(QStringLiteral("EditSquare"))->setText(QStringLiteral("1"));
        {
            User user(path);
            w.ButtonLoadClick();
            failures +=
                !user.messages.isEmpty() || w.control<QLineEdit>("EditSquare")->text() != area;
        }
        if (printouts) {
            w.ButtonPrintClick();
            failures +=
                !w.control<QTextEdit>(QStringLiteral("RichEdit"))->textCursor().hasSelection();
            suite.discardWordDocument(); // the user closes the printout
        }
        QFile::remove(path);
        maxZombies = std::max(maxZombies, zombieChildren());
        if (i == 1) {
            start = figures(suite);
            print("start", i, start, maxZombies);
        } else if (i % 50 == 0 || i == cycles) {
            print(i == cycles ? "end" : "", i, figures(suite), maxZombies);
        }
    }
    const Figures end = figures(suite);
    std::printf("calculator grew %.1f MB (heap %.1f MB), office grew %.1f MB, fds %+ld, failed "
                "cycles %d\n",
                (end.calculatorKb - start.calculatorKb) / 1024.0,
                (double(end.heapKb) - double(start.heapKb)) / 1024.0,
                (end.officeKb - start.officeKb) / 1024.0, end.fds - start.fds, failures);
    std::printf("office %ld shows the request kept open: %s\n", suite.officePid(),
                office::FileInUse(dir.filePath("kept.xls").toStdString()) ? "yes" : "no");
    office::sharedDocuments().reader()->shutdown(); // as the program ends it when it quits
    const bool ok = failures == 0 && maxZombies == 0 &&
                    end.calculatorKb - start.calculatorKb <= 10 * 1024 && end.fds <= start.fds;
    std::printf("%s\n", ok ? "within the goals" : "OUTSIDE THE GOALS");
    return ok ? 0 : 1;
}

} // namespace officetest
