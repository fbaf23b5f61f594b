// SPDX-License-Identifier: MIT
// kc_contact_sheet: draws every topic picture the program carries (":/pictures/*") in a grid
// with its name, then the description panel's picture strip (a picture, the logo strip and
// the four contact labels as the window places them), the letterhead logo and the icon.
// Usage: kc_contact_sheet <output.png> [zoom]
#include "kc_resources.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int columns = 8;
constexpr int pictureW = 122;
constexpr int pictureH = 92;
constexpr int gap = 10;
constexpr int labelH = 16;
constexpr int cellW = pictureW + gap;
constexpr int cellH = pictureH + labelH + gap;

// The contact labels over the logo strip: caption and top edge in the picture strip; their
// right edges sit at x = 385 of the 391-pixel strip.
struct ContactLabel {
    const char* text;
    int top;
};
constexpr ContactLabel contactLabels[] = {
    {"ВЕДРАМО", 4},
    {KC_SELLER_MAIL_PUBLIC, 23},
    {KC_SELLER_MAIL_SALES, 42},
    {KC_SELLER_PHONE, 63},
};

QFont labelFont(bool bold) {
    static const bool loaded = [] {
        QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahoma.ttf");
        QFontDatabase::addApplicationFont("/usr/share/wine/fonts/tahomabd.ttf");
        return true;
    }();
    Q_UNUSED(loaded);
    QFont font("Tahoma");
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

void drawStrip(QPainter& p, QPoint origin, const QImage& picture, const QImage& logo) {
    p.save();
    p.translate(origin);
    p.fillRect(0, 0, 391, 96, QColor(0xF0, 0xF0, 0xF0));
    p.drawImage(2, 2, picture);
    p.drawImage(125, 2, logo);
    p.setFont(labelFont(true));
    p.setPen(Qt::white);
    const QFontMetrics metrics(p.font());
    for (const ContactLabel& label : contactLabels) {
        const QString text = QString::fromUtf8(label.text);
        const int width = metrics.horizontalAdvance(text);
        p.drawText(385 - width, label.top + metrics.ascent(), text);
    }
    p.restore();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kc_contact_sheet <output.png> [zoom]\n");
        return 2;
    }
    const int zoom = args.size() > 2 ? qMax(1, args[2].toInt()) : 1;

    const QStringList names = kc::resources::pictureNames();
    const QImage logo(kc::resources::logoStrip);
    const QImage letterhead(kc::resources::letterheadLogo);
    const QImage icon(kc::resources::appIcon);

    const int rows = (int(names.size()) + columns - 1) / columns;
    const int gridH = rows * cellH;
    const int sheetW = gap + columns * cellW;
    const int sheetH = gap + gridH + 96 + labelH + gap;
    QImage sheet(sheetW, sheetH, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(labelFont(false));
    p.setPen(Qt::black);

    int failures = 0;
    for (int i = 0; i < names.size(); ++i) {
        const QPoint at(gap + (i % columns) * cellW, gap + (i / columns) * cellH);
        const QImage picture(kc::resources::picture(names[i]));
        if (picture.isNull()) {
            std::fprintf(stderr, "cannot decode :/pictures/%s\n", qPrintable(names[i]));
            ++failures;
            p.fillRect(QRect(at, QSize(pictureW, pictureH)), Qt::red);
        } else {
            p.drawImage(at, picture);
        }
        p.drawText(QRect(at.x(), at.y() + pictureH, pictureW, labelH), Qt::AlignCenter, names[i]);
    }

    const int bottom = gap + gridH;
    const QImage first =
        names.contains("KABINET") ? QImage(kc::resources::picture("KABINET")) : QImage();
    drawStrip(p, QPoint(gap, bottom), first, logo);
    p.drawImage(gap + 391 + gap, bottom + 2, letterhead);
    const int iconX = gap + 391 + gap + 239 + gap;
    p.drawImage(iconX, bottom + 2, icon);
    p.drawImage(QRect(iconX + 32 + gap, bottom + 2, 96, 96), icon);
    p.drawText(gap, bottom + 96 + labelH - 3,
               QString("%1 pictures; strip %2x%3, LOGO %4x%5, icon %6x%7")
                   .arg(names.size())
                   .arg(logo.width())
                   .arg(logo.height())
                   .arg(letterhead.width())
                   .arg(letterhead.height())
                   .arg(icon.width())
                   .arg(icon.height()));
    p.end();

    const QImage out = zoom == 1 ? sheet : sheet.scaled(sheet.size() * zoom);
    if (!out.save(args[1], "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
