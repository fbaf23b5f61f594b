// SPDX-License-Identifier: MIT
// A user at the real window: answers the dialogs that a handler opens and reads its message
// boxes; sets the window's inputs from a configuration.
#pragma once

#include "estimate/config.h"
#include "office/request.h"
#include "window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace officetest {

// Answers the dialogs that a handler opens: the file dialog gets `file` (or is cancelled when
// it is empty), every message box is read and closed.
class User {
  public:
    explicit User(QString file)
        : file_(std::move(file)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(10);
    }
    QStringList messages;

  private:
    void answer() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
            dialogName = dialog->objectName();
            // A name that the dialog does not take (it reads quotes as a list of names)
            // would be answered for ever: give up like a user would.
            if (file_.isEmpty() || ++fileAnswers_ > 50) {
                dialog->reject();
            } else {
                // Typed into the dialog's file name field, as a user would.
                dialog->setDirectory(QFileInfo(file_).absolutePath());
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(QFileInfo(file_).fileName());
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
            if (qobject_cast<QFileDialog*>(box->parentWidget())) {
                if (QAbstractButton* yes = box->button(QMessageBox::Yes)) {
                    replaceAsked = true; // the save dialog's own question: replace the file
                    yes->click();
                } else { // the dialog's own complaint about the name
                    dialogMessages << box->text();
                    box->accept();
                }
                return;
            }
            messages << box->text();
            box->accept();
        }
    }

  public:
    QString dialogName;
    QStringList dialogMessages; // what the file dialog itself said
    bool replaceAsked = false;

  private:
    QString file_;
    int fileAnswers_ = 0;
    QTimer timer_;
};

// Sets every input as the configuration holds it; the window's handlers run.
inline void setInputs(TMain& w, const estimate::CabinetConfig& c) {
    estimate::CabinetConfig inputs = c;
    inputs.RGClass = w.itemIndex(QStringLiteral("RGClass")); // a class would set more
    w.applyConfig(inputs);
}

} // namespace officetest
