// SPDX-License-Identifier: MIT
#include "offer/offer_pdf.h"

#include "offer/document_view.h"
#include "office/save_place.h"
#include "office/workflow.h"
#include "resources/kc_resources.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>
#include <cmath>

namespace offer {

namespace {

// Everything is laid out in pixels at 96 dpi, as the description panel is.
constexpr int dpi = 96;
constexpr double pixelsPerPoint = dpi / 72.0;
// The word processor's default gap between the page header and the body, in points.
constexpr double headerSpacing = 7;

// The header table: the logo centred in the left cell, the letterhead lines in the right one.
void writeLetterhead(QTextDocument& head, const office::Letterhead& letterhead, double width) {
    head.setDocumentMargin(0);
    head.setTextWidth(width);
    QTextCursor cursor(&head);
    QTextTableFormat table;
    table.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 50),
                                     QTextLength(QTextLength::PercentageLength, 50)});
    table.setBorder(1); // a thin line round the table and between its cells
    table.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    table.setBorderBrush(Qt::black);
    table.setBorderCollapse(true);
    table.setCellSpacing(0);
    table.setCellPadding(0.1 * 72 / 2.54 * pixelsPerPoint); // 0.1 cm, as the word processor
    QTextTable* t = cursor.insertTable(1, 2, table);

    QTextTableCellFormat logoCell;
    logoCell.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    t->cellAt(0, 0).setFormat(logoCell);
    // The logo at print resolution where the program carries it, else the printout's own.
    QImage logo(QString::fromUtf8(kc::resources::letterheadLogoPrint));
    if (logo.isNull())
        logo = QImage::fromData(letterhead.logo.data(), static_cast<int>(letterhead.logo.size()));
    if (!logo.isNull()) {
        const QString name = QStringLiteral("letterhead-logo");
        head.addResource(QTextDocument::ImageResource, QUrl(name), logo);
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(letterhead.logoWidthPx);
        image.setHeight(letterhead.logoHeightPx);
        t->cellAt(0, 0).firstCursorPosition().insertImage(image);
    }

    QTextCharFormat small;
    small.setFontPointSize(office::letterheadPoints);
    QString lines = QString::fromStdString(letterhead.text);
    lines.replace(u'\n', QChar::LineSeparator); // one paragraph, as in the printout
    t->cellAt(0, 1).firstCursorPosition().insertText(lines, small);
}

// Draws the lines of `body` whose tops fall in [top, bottom): each line on one page only. The
// paragraphs that begin there go through the document's layout, which adds their bullets; of
// a paragraph begun on an earlier page, only its own lines here are drawn, line by line, since
// the layout, drawing a paragraph cut by the clip, also draws its line above the clip.
void drawBodyPage(QTextDocument& body, double top, double bottom, QPainter& painter) {
    QAbstractTextDocumentLayout::PaintContext context;
    painter.setPen(context.palette.color(QPalette::Text));
    double firstBegun = bottom; // the top of the first paragraph that begins on this page
    for (QTextBlock block = body.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* text = block.layout();
        if (text->lineCount() == 0)
            continue;
        const QPointF at = text->position();
        const double begins = at.y() + text->lineAt(0).y();
        if (begins >= bottom)
            break;
        if (begins >= top) {
            firstBegun = std::min(firstBegun, begins);
            continue;
        }
        for (int i = 1; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const double y = at.y() + line.y();
            if (y >= top && y < bottom)
                line.draw(&painter, at);
        }
    }
    if (firstBegun >= bottom)
        return;
    // Half a pixel in: the paragraph ended just above is left out, and a line that starts right
    // at the page's end belongs to the next page only.
    context.clip = QRectF(0, firstBegun + 0.5, body.pageSize().width(), bottom - firstBegun - 1);
    body.documentLayout()->draw(&painter, context);
}

QString reasonFor(const QSaveFile& file) {
    const QFileInfo folder(QFileInfo(file.fileName()).absolutePath());
    if (!folder.exists() || !folder.isDir())
        return QStringLiteral("папка для файла не существует");
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("нет прав на запись в эту папку или в этот файл");
    case QFileDevice::OpenError:
        return QStringLiteral("файл нельзя открыть для записи");
    case QFileDevice::NoError: // a short write
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
        return QStringLiteral("запись не удалась: возможно, на диске нет места");
    case QFileDevice::RenameError:
        return QStringLiteral("не удалось заменить прежний файл");
    default:
        return QStringLiteral("запись не удалась");
    }
}

QString failure(const QSaveFile& file, const QString& path) {
    return QStringLiteral("Не удалось сохранить файл PDF «%1»: %2.")
        .arg(QFileInfo(path).fileName(), reasonFor(file));
}

} // namespace

QString writeOfferPdf(const QString& path, const estimate::DescriptionDocument& description,
                      const QFont& font) {
    const QString destination = office::saveDestination(path);
    QSaveFile file(office::saveFileName(destination));
    if (!file.open(QIODevice::WriteOnly))
        return failure(file, path);
    // Made in memory and written whole with its length checked: Qt (5.15 and 6.4 alike) takes a
    // short write of more than its buffer (a full disk, the file size limit) for a success, and
    // the PDF writer does not count what it wrote, so a truncated file would be kept.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(dpi);
        pdf.setTitle(QStringLiteral("Коммерческое предложение"));
        pdf.setCreator(QGuiApplication::applicationDisplayName());
        pdf.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(office::printoutMargins.left, office::printoutMargins.top,
                                  office::printoutMargins.right, office::printoutMargins.bottom),
                        QPageLayout::Point));
        const QRect paint = pdf.pageLayout().paintRectPixels(dpi);
        const double width = paint.width();

        QTextDocument head;
        head.setDefaultFont(font);
        head.documentLayout()->setPaintDevice(&pdf);
        writeLetterhead(head, office::sellerLetterhead(), width);
        const double bodyTop = head.size().height() + headerSpacing * pixelsPerPoint;

        QTextDocument body;
        body.setDefaultFont(font);
        body.documentLayout()->setPaintDevice(&pdf);
        body.setDocumentMargin(0);
        DescriptionView view(&body);
        view.replay(description);
        // Whole pixels: the layout's fixed-point page breaks then fall exactly on the clip.
        const double pageHeight = std::floor(paint.height() - bodyTop);
        body.setPageSize(QSizeF(width, pageHeight));

        QPainter painter(&pdf);
        painter.setRenderHint(QPainter::LosslessImageRendering); // the logo without JPEG
        for (int page = 0; page < body.pageCount(); ++page) {
            if (page > 0)
                pdf.newPage();
            head.drawContents(&painter);
            painter.save();
            const double top = page * pageHeight;
            painter.translate(0, bodyTop - top);
            painter.setClipRect(QRectF(0, top, width, pageHeight));
            drawBodyPage(body, top, top + pageHeight, painter);
            painter.restore();
        }
        if (!painter.end())
            return failure(file, path);
    }
    if (file.write(bytes.data()) != bytes.size() || !file.commit())
        return failure(file, path);
    if (!office::placeSaved(file.fileName(), destination))
        return QStringLiteral(
                   "Не удалось сохранить файл PDF «%1»: не удалось заменить прежний файл.")
            .arg(QFileInfo(path).fileName());
    return {};
}

} // namespace offer
