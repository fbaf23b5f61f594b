// SPDX-License-Identifier: MIT
// Takes screenshots of the window under a real X server and checks that the window manager
// cannot maximise or resize it. Usage: window_screenshots <output folder>
#include "app/app_setup.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <cstdio>

namespace {

void settle(int ms = 300) {
    QTest::qWait(ms);
    QApplication::processEvents();
}

bool save(const QString& folder, const QString& name, const QWidget& w) {
    const QString path = QDir(folder).filePath(name);
    // The whole screen, so the window manager's frame shows too.
    const QPixmap shot = w.screen()->grabWindow(0);
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED to write", qPrintable(path));
    return ok;
}

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const QString family = app::setupApplication();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    std::printf("platform %s, font %s\n", qPrintable(QGuiApplication::platformName()),
                qPrintable(family));

    TMain main;
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;
    settle(700);
    int failures = 0;
    failures += !save(folder, QStringLiteral("01-opened.png"), main);

    // The window manager must not change the size: maximise, then a plain resize request.
    const QSize before = main.size();
    main.showMaximized();
    settle(700);
    const QSize maximised = main.size();
    main.showNormal();
    settle(300);
    main.windowHandle()->resize(900, 500);
    settle(500);
    const QSize resized = main.size();
    std::printf("client area %dx%d; after maximise %dx%d; after resize %dx%d\n", before.width(),
                before.height(), maximised.width(), maximised.height(), resized.width(),
                resized.height());
    if (maximised != before || resized != before) {
        std::printf("FAILED: the window size changed\n");
        ++failures;
    }

    auto* classes = main.control<window::RadioGroup>(QStringLiteral("RGClass"));
    click(classes->buttons()->button(0));
    click(main.control<QWidget>(QStringLiteral("ButtonCalc")));
    settle();
    failures += !save(folder, QStringLiteral("02-premium-calculated.png"), main);

    click(main.control<QCheckBox>(QStringLiteral("CBPlakat")));
    click(main.control<QCheckBox>(QStringLiteral("CBMebel")));
    settle();
    failures += !save(folder, QStringLiteral("03-two-sections-off.png"), main);
    return failures == 0 ? 0 : 1;
}
