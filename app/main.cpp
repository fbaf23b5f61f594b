// SPDX-License-Identifier: MIT
// The calculator: one window, run until it is closed.
#include "program.h"
#include "app/app_setup.h"
#include "window/main_window.h"
#include "window/qt_compat.h"

#include <QApplication>
#include <QCommandLineParser>
#include <memory>

namespace {

// --help and --version need no display: they are answered before the window's application
// exists, which would fail to start without one.
bool onlyAsksForText(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
            arg == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QString::fromUtf8(program::name));
    QCoreApplication::setApplicationVersion(QString::fromUtf8(program::version));
    window::qt::scaleForScreens();
    std::unique_ptr<QCoreApplication> app;
    if (onlyAsksForText(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromUtf8(program::title));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(*app); // answers --help and --version, refuses unknown options

    QApplication::setApplicationDisplayName(QString::fromUtf8(program::title));
    app::setupApplication();
    TMain main;
    main.show();
    return app->exec();
}
