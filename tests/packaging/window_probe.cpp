// SPDX-License-Identifier: MIT
// Preloaded into the unpacked program (LD_PRELOAD) by package_test. Once the main window is
// shown it prints the window's title, presses "Распечатать" (which loads the office plugin and
// has the office build the printout), prints the file the plugin was loaded from, and closes
// the window as a user does; the program then ends through its own exit path.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

QByteArray loadedPlugin() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.endsWith("/kc_office_uno.so"))
            return line.mid(line.indexOf('/'));
    return {};
}

void printThenClose(QWidget* window) {
    std::fprintf(stderr, "window shown: %s\n", window->windowTitle().toUtf8().constData());
    if (auto* print = window->findChild<QAbstractButton*>(QStringLiteral("ButtonPrint")))
        print->click();
    std::fprintf(stderr, "plugin: %s\n", loadedPlugin().constData());
    window->close();
}

void probeWhenShown() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !w->windowTitle().isEmpty()) {
                poll->stop();
                printThenClose(w);
                return;
            }
    });
    poll->start(100);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(probeWhenShown)
