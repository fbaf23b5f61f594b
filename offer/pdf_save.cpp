// SPDX-License-Identifier: MIT
#include "offer/pdf_save.h"

#include "offer/offer_pdf.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTextEdit>

namespace offer {

namespace {

QString askPdfPath(const PdfSource& source) {
    QFileDialog dialog(source.window);
    dialog.setObjectName(QStringLiteral("PdfSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("PDF (*.pdf)"));
    dialog.setDirectory(*source.startFolder);
    dialog.selectFile(QString::fromUtf8(savePdfFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void savePdf(const PdfSource& source) {
    const QString path = askPdfPath(source);
    if (path.isEmpty())
        return;
    const QString error = writeOfferPdf(path, *source.description, source.panel->font());
    if (error.isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), error,
                    QMessageBox::Ok, source.window);
    box.setObjectName(QStringLiteral("PdfMessage"));
    box.exec();
}

} // namespace

void addPdfSave(const PdfSource& source) {
    auto* action = new QAction(QString::fromUtf8(savePdfCaption), source.window);
    action->setObjectName(QStringLiteral("SavePdf"));
    action->setShortcut(QKeySequence::Save);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, source.window, [source] { savePdf(source); });
    source.window->addAction(action);

    QTextEdit* text = source.panel;
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

} // namespace offer
