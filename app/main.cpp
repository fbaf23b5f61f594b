// Калькулятор расчета кабинета ОТ: one window, run until it is closed.
#include "window/app_setup.h"
#include "window/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kabinet-calc"));
    QApplication::setApplicationDisplayName(QString::fromUtf8("Калькулятор расчета кабинета ОТ"));
    window::setupApplication();
    TMain main;
    main.show();
    return app.exec();
}
