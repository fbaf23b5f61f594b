// SPDX-License-Identifier: MIT
// Pictures of the description panel showing three telling topics, for review:
//   info_topic_screenshots <output folder>
// topic-trenajer.png (an empty line between two bullet groups), topic-maneken.png (centred lines
// after the title) and topic-square.png (plain lines, no bullets).
#include "app/app_setup.h"
#include "window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::setupApplication();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());

    TMain main;
    main.show();
    if (!QTest::qWaitForWindowExposed(&main))
        return 1;

    struct Shot {
        const char* control;
        const char* file;
    };
    int failures = 0;
    for (const Shot& shot :
         {Shot{"CBTehTrenajer", "topic-trenajer.png"},
          Shot{"EditVitrinManeken", "topic-maneken.png"}, Shot{"EditSquare", "topic-square.png"}}) {
        QWidget* control = main.control(QString::fromLatin1(shot.control));
        if (!control) {
            ++failures;
            continue;
        }
        QTest::mouseClick(control, Qt::RightButton); // presses show a topic with any button
        QTest::mouseClick(control, Qt::LeftButton);  // edits show theirs on a click
        QTest::qWait(50);
        const QString path = folder.filePath(QString::fromLatin1(shot.file));
        const bool ok = main.control(QStringLiteral("MemoPanel"))->grab().save(path);
        std::printf("%s %s\n", ok ? "wrote" : "FAILED to write", qPrintable(path));
        failures += !ok;
    }
    return failures == 0 ? 0 : 1;
}
