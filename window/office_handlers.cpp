// SPDX-License-Identifier: MIT
// "Заявка", "Загрузить" and "Распечатать": the dialogs and messages of the window around the
// office jobs of office/workflow.h.
#include "window/main_window.h"

#include "office/host.h"
#include "office/workflow.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextEdit>

namespace {

const QString requestFilter = QStringLiteral("*.xls");

void showMessages(QWidget* parent, const QStringList& messages) {
    for (const QString& text : messages) {
        QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                        QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("OfficeMessage"));
        box.exec();
    }
}

// The file dialogs of the window; each is made per use, as the window has no other state.
QString askPath(QWidget* parent, QFileDialog::AcceptMode mode, const QString& folder,
                const QString& file) {
    QFileDialog dialog(parent);
    dialog.setObjectName(mode == QFileDialog::AcceptSave ? QStringLiteral("SaveDialog")
                                                         : QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("xls"));
    dialog.setNameFilter(requestFilter);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!file.isEmpty())
        dialog.selectFile(file);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void TMain::ButtonRequestClick(QObject*) {
    const QString name =
        QStringLiteral("blank - ") + QString::fromStdString(office::CurrentUserName());
    const QString path = askPath(this, QFileDialog::AcceptSave, saveDialogFolder(), name);
    if (path.isEmpty())
        return;
    showMessages(this, office::sharedDocuments().writeRequest(path, readConfig()));
}

void TMain::ButtonLoadClick(QObject*) {
    office::sharedDocuments().prepareLoad();
    const QString path = askPath(this, QFileDialog::AcceptOpen, saveDialogFolder(), {});
    if (path.isEmpty())
        return;
    QStringList messages;
    const auto loaded = office::sharedDocuments().readRequestFile(path, readConfig(), messages);
    showMessages(this, messages);
    if (!loaded)
        return; // every cell is read before any control changes
    // The area first: its rule rewrites four counts, which the file's values then replace.
    applyConfig(*loaded);
    ButtonCalcClick();
}

void TMain::ButtonPrintClick(QObject*) {
    auto* text = control<QTextEdit>(QStringLiteral("RichEdit"));
    // The body in the face the panel draws it in.
    const QString family = text ? text->font().family() : QString();
    if (office::sharedDocuments().printout(description(), true, family) && text)
        text->selectAll();
}
