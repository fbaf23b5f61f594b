// SPDX-License-Identifier: MIT
// svg2bmp: renders an SVG drawing at a fixed pixel size and writes it as
//   - a 24-bit uncompressed bottom-up BMP (output name ending in .bmp), the format the
//     calculator's pictures and the letterhead logo are stored in, or
//   - a 32-bit RGBA PNG (output name ending in .png), for the logo strip and the icon.
// Usage: svg2bmp <input.svg> <output.bmp|output.png> <width> <height>
#include "bmp24.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "svg2bmp: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // Painting paths into a QImage needs no application object nor platform plugin.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() != 5)
        return fail("usage: svg2bmp <input.svg> <output.bmp|output.png> <width> <height>");
    const QString input = args[1];
    const QString output = args[2];
    bool okW = false;
    bool okH = false;
    const int width = args[3].toInt(&okW);
    const int height = args[4].toInt(&okH);
    if (!okW || !okH || width <= 0 || height <= 0)
        return fail("bad size " + args[3] + " x " + args[4]);

    QSvgRenderer renderer(input);
    if (!renderer.isValid())
        return fail("cannot parse " + input);

    const bool png = output.endsWith(".png", Qt::CaseInsensitive);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    // A BMP has no alpha: anything the drawing leaves uncovered becomes white.
    image.fill(png ? Qt::transparent : Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, width, height));
    }

    if (png) {
        if (!image.convertToFormat(QImage::Format_RGBA8888).save(output, "PNG"))
            return fail("cannot write " + output);
        return 0;
    }
    QFile file(output);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail("cannot write " + output);
    const QByteArray bytes = kc::encodeBmp24(image);
    if (file.write(bytes) != bytes.size())
        return fail("short write to " + output);
    return 0;
}
