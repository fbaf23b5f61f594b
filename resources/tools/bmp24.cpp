// SPDX-License-Identifier: MIT
#include "bmp24.h"

#include <QtEndian>

namespace kc {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int pixelsPerMetre = 3780; // 96 dots per inch

void put16(QByteArray& out, int offset, quint16 value) {
    qToLittleEndian(value, out.data() + offset);
}

void put32(QByteArray& out, int offset, quint32 value) {
    qToLittleEndian(value, out.data() + offset);
}

} // namespace

QByteArray encodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const int offset = fileHeaderSize + infoHeaderSize;
    const int fileSize = offset + rowSize * height;

    QByteArray out(fileSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, fileSize);
    put32(out, 10, offset);
    put32(out, 14, infoHeaderSize);
    put32(out, 18, width);
    put32(out, 22, height); // positive: rows bottom-up
    put16(out, 26, 1);      // planes
    put16(out, 28, 24);     // bits per pixel
    put32(out, 30, 0);      // BI_RGB, uncompressed
    put32(out, 34, rowSize * height);
    put32(out, 38, pixelsPerMetre);
    put32(out, 42, pixelsPerMetre);

    for (int y = 0; y < height; ++y) {
        const uchar* src = rgb.constScanLine(y);
        char* dst = out.data() + offset + (height - 1 - y) * rowSize;
        for (int x = 0; x < width; ++x) {
            dst[3 * x + 0] = static_cast<char>(src[3 * x + 2]); // blue
            dst[3 * x + 1] = static_cast<char>(src[3 * x + 1]); // green
            dst[3 * x + 2] = static_cast<char>(src[3 * x + 0]); // red
        }
    }
    return out;
}

} // namespace kc
