// SPDX-License-Identifier: MIT
// Encoding of an image as a Windows BMP file: 14-byte file header, 40-byte
// BITMAPINFOHEADER, 24 bits per pixel, no compression, rows bottom-up and padded to 4 bytes.
#pragma once

#include <QByteArray>
#include <QImage>

namespace kc {

QByteArray encodeBmp24(const QImage& image);

} // namespace kc
