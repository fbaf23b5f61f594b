// SPDX-License-Identifier: MIT
#include "window/pdf_save.h"

#include "window/main_window.h"
#include "window/offer_pdf.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTextEdit>

namespace window {

namespace {

QString askPdfPath(TMain* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PdfSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDirectory(parent->saveDialogFolder());
    dialog.selectFile(QString::fromUtf8(savePdfFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void savePdf(TMain& main) {
    const QString path = askPdfPath(&main);
    if (path.isEmpty())
        return;
    auto* text = main.control<QTextEdit>(QStringLiteral("RichEdit"));
    const QString error = writeOfferPdf(path, main.description(), text->font());
    if (error.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), error,
                    QMessageBox::Ok, &main);
    box.setObjectName(QStringLiteral("PdfMessage"));
    box.exec();
}

} // namespace

void addPdfSave(TMain& main) {
    auto* action = new QAction(QString::fromUtf8(savePdfCaption), &main);
    action->setObjectName(QStringLiteral("SavePdf"));
    action->setShortcut(QKeySequence::Save);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &main, [&main] { savePdf(main); });
    main.addAction(action);

    auto* text = main.control<QTextEdit>(QStringLiteral("RichEdit"));
    text->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(text, &QWidget::customContextMenuRequested, text, [text, action](QPoint at) {
        QMenu* menu = text->createStandardContextMenu();
        menu->setObjectName(QStringLiteral("RichEditMenu"));
        menu->addSeparator();
        menu->addAction(action);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(text->viewport()->mapToGlobal(at));
    });
}

} // namespace window
