// SPDX-License-Identifier: MIT
// "Рассчитать" and "Сброс": the estimate of the inputs into the result edits and the
// description, and the reset of the inputs.
#include "estimate/estimate.h"
#include "estimate/inputs.h"
#include "window/main_window.h"
#include "window/qt_compat.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>

#include <exception>

void TMain::ButtonCalcClick(QObject*) {
    try {
        const estimate::ResultFields r =
            estimate::calculate(readConfig(), doc_, window::qt::decimalPoint().toStdString());
        control<QLineEdit>(QStringLiteral("EditPrice"))->setText(QString::fromStdString(r.price));
        control<QLineEdit>(QStringLiteral("EditVolume"))->setText(QString::fromStdString(r.volume));
        control<QLineEdit>(QStringLiteral("EditWeight"))->setText(QString::fromStdString(r.weight));
        control<QLineEdit>(QStringLiteral("EditTime"))->setText(QString::fromStdString(r.time));
        tellResults();
    } catch (const std::exception& e) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(),
                              QString::fromUtf8(e.what()));
    }
}

void TMain::ButtonClearClick(QObject*) {
    for (const char* result : {"EditPrice", "EditVolume", "EditWeight", "EditTime"})
        control<QLineEdit>(QString::fromUtf8(result))->clear();
    // The area, the four counts derived from it, the section switches and CBCompTelephone
    // keep their values.
    applyConfig(estimate::reset(readConfig()));
    doc_.showPicture("");
    doc_.clear();
    FormCreate(this);
    tellResults();
}
