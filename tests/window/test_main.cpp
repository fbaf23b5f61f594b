// SPDX-License-Identifier: MIT
// Runs the window tests in one QApplication, set up as the program sets itself up.
#include "app/app_setup.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    app::setupApplication();
    return RUN_ALL_TESTS();
}
