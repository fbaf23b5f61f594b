// SPDX-License-Identifier: MIT
// Two calculators of one user at once: each a process of its own on the same office profile,
// requesting, loading and printing at the same time; one of them ends while the other goes on.
#include "office/host.h"
#include "tests/office/uno_support.h"
#include "tests/office/window_user.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <cstdio>

using namespace officetest;

namespace officetest {

// Each round: a request left open for the user, a request that the user closes and loads
// back, and a printout. Prints "ready" and, with --hold, runs until its input closes.
int runCalculator(const QStringList& args) {
    const QDir dir(args.value(0));
    const int rounds = args.value(1).toInt();
    office::SuiteOptions options;
    options.profileDir = testProfileDir().toStdString();
    office::useSharedDocuments(options);
    TMain w;
    w.show();
    int failures = 0;
    const auto fail = [&](const QString& what) {
        std::fprintf(stderr, "%s\n", qPrintable(what));
        ++failures;
    };
    for (int i = 0; i < rounds; ++i) {
        const QString area = QString::number(30 + i);
        w.control<QLineEdit>(QStringLiteral("EditSquare"))->setText(area);
        for (const char* name : {"shown", "loaded"}) {
            User user(dir.filePath(QStringLiteral("%1-%2.xls").arg(QLatin1String(name)).arg(i)));
            w.ButtonRequestClick();
            if (!user.messages.isEmpty())
                fail(QStringLiteral("request: ") + user.messages.join(", "));
        }
        const QString loaded = dir.filePath(QStringLiteral("loaded-%1.xls").arg(i));
        office::sharedDocuments().suite()->closeDocumentOf(loaded.toStdString());
        w.control<QLineEdit>(QStringLiteral("EditSquare"))->setText(QStringLiteral("1"));
        {
            User user(loaded);
            w.ButtonLoadClick();
            if (!user.messages.isEmpty() || w.control<QLineEdit>("EditSquare")->text() != area)
                fail(QStringLiteral("load: ") + user.messages.join(", "));
        }
        w.control<QTextEdit>(QStringLiteral("RichEdit"))->moveCursor(QTextCursor::Start);
        w.ButtonPrintClick();
        if (!w.control<QTextEdit>(QStringLiteral("RichEdit"))->textCursor().hasSelection())
            fail(QStringLiteral("printout"));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    if (args.contains(QStringLiteral("--hold")))
        while (std::getchar() != EOF) {
        }
    return failures == 0 ? 0 : 1;
}

} // namespace officetest

namespace {

bool readyWithin(QProcess& p, int ms) {
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    while (!out.contains("ready") && timer.elapsed() < ms && p.state() == QProcess::Running) {
        p.waitForReadyRead(200);
        out += p.readAllStandardOutput();
    }
    return out.contains("ready");
}

TEST(TwoCalculators, WorkAtOnceAndLeaveEachOthersDocumentsOpen) {
    killOffice(); // both find no office and start one at the same moment
    const QString dirA = scratchDir(), dirB = scratchDir();
    constexpr int rounds = 3;
    QProcess a, b;
    // Under AddressSanitizer the leak check's tracer can crash while it stops a helper's
    // office bridge threads at exit; the helpers' memory is checked by the other tests.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
    for (QProcess* p : {&a, &b}) {
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->setProcessEnvironment(env);
    }
    a.start(QCoreApplication::applicationFilePath(),
            {"--calculator", dirA, QString::number(rounds), "--hold"});
    b.start(QCoreApplication::applicationFilePath(),
            {"--calculator", dirB, QString::number(rounds)});
    ASSERT_TRUE(a.waitForStarted() && b.waitForStarted());
    ASSERT_TRUE(b.waitForFinished(180000)) << "the second calculator hangs";
    EXPECT_EQ(b.exitCode(), 0);
    ASSERT_TRUE(readyWithin(a, 180000)) << "the first calculator hangs";

    const auto shown = [](const QString& dir, int i) {
        return QDir(dir).filePath(QStringLiteral("shown-%1.xls").arg(i)).toStdString();
    };
    // The second calculator has ended: every workbook the user sees is still open.
    for (int i = 0; i < rounds; ++i) {
        EXPECT_TRUE(office::FileInUse(shown(dirA, i))) << i;
        EXPECT_TRUE(office::FileInUse(shown(dirB, i))) << i;
    }
    a.closeWriteChannel();
    ASSERT_TRUE(a.waitForFinished(30000));
    EXPECT_EQ(a.exitCode(), 0);
    for (int i = 0; i < rounds; ++i)
        EXPECT_TRUE(office::FileInUse(shown(dirA, i))) << i;

    for (const QString& dir : {dirA, dirB})
        for (int i = 0; i < rounds; ++i)
            suite().closeDocumentOf(shown(dir, i));
    killOffice(); // and the printouts with it
    anchorOffice();
}

} // namespace
