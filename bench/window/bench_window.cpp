// SPDX-License-Identifier: MIT
// Figures of the window, printed as medians:
//  - cold start: from starting the program's process to the window's first paint, 5 runs
//    (each run is a child process that starts exactly as the program does);
//  - resident memory of the idle window, in each child after its first paint;
//  - "Рассчитать" on the premium configuration until the description panel is laid out (and,
//    separately, also repainted).
// Run it under the platform to measure, for example: xvfb-run -a build/bench/window/bench_window
#include "program.h"
#include "app/app_setup.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC: the same clock in every process

long long nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

// Sees the window's first paint through.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(long long startNs)
        : startNs_(startNs) {}

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After this paint and its flush to the screen.
            QTimer::singleShot(0, [this] {
                const double ms = (nowNs() - startNs_) / 1e6;
                // Idle for a while, then the resident memory.
                QTimer::singleShot(500, [ms] {
                    std::printf("%.2f %ld\n", ms, residentKb());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return false;
    }

  private:
    long long startNs_;
    bool seen_ = false;
};

// One start, as the program's main() does it.
int child(int argc, char** argv, long long startNs) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kabinet-calc"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(program::title));
    app::setupApplication();
    TMain main;
    FirstPaint probe(startNs);
    main.installEventFilter(&probe);
    main.show();
    return app.exec();
}

void startFigures(const char* self) {
    std::vector<double> ms;
    std::vector<double> kb;
    for (int run = 0; run < 5; ++run) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const long long start = nowNs();
        p.start(QString::fromLocal8Bit(self), {QStringLiteral("--child"), QString::number(start)});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            std::printf("start run %d failed\n", run);
            continue;
        }
        const QList<QByteArray> fields = p.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 2)
            continue;
        ms.push_back(fields[0].toDouble());
        kb.push_back(fields[1].toDouble());
        std::printf("  start run %d: %.1f ms to first paint, %.1f MB resident when idle\n", run,
                    ms.back(), kb.back() / 1024);
    }
    if (ms.empty())
        return;
    std::printf("cold start to first paint: median %.1f ms (%zu runs; goal <= 150 ms)\n",
                median(ms), ms.size());
    std::printf("idle window resident memory: median %.1f MB (goal <= 60 MB)\n", median(kb) / 1024);
}

void calcFigures() {
    TMain main;
    main.show();
    QCoreApplication::processEvents();
    main.control<QLineEdit>(QStringLiteral("EditSquare"))->setText(QStringLiteral("50"));
    main.control<window::RadioGroup>(QStringLiteral("RGClass"))->setItemIndex(0);
    auto* text = main.control<QTextEdit>(QStringLiteral("RichEdit"));
    std::vector<double> laidOut;
    std::vector<double> painted;
    for (int i = 0; i < 300; ++i) {
        const long long t0 = nowNs();
        main.ButtonCalcClick();
        // Back in the event loop, as after a click: the write-up is laid out.
        QCoreApplication::processEvents();
        text->document()->documentLayout()->documentSize();
        const long long t1 = nowNs();
        text->viewport()->repaint();
        const long long t2 = nowNs();
        laidOut.push_back((t1 - t0) / 1e6);
        painted.push_back((t2 - t0) / 1e6);
    }
    std::printf("\"Рассчитать\" (premium, area 50) to the laid-out panel: median %.3f ms "
                "(300 runs; goal <= 3 ms)\n",
                median(laidOut));
    std::printf("  ... and repainted: median %.3f ms; %d paragraphs\n", median(painted),
                int(main.description().paragraphs().size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QByteArray(argv[2]).toLongLong());
    QApplication app(argc, argv);
    app::setupApplication();
    std::printf("platform %s\n", qPrintable(QGuiApplication::platformName()));
    startFigures(argv[0]);
    calcFigures();
    return 0;
}
