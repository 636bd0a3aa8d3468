#pragma once

#include <QByteArray>
#include <QImage>

namespace tovik {

// An uncompressed 24-bit BMP of the image: 14-byte file header, 40-byte information
// header, rows bottom-up, each padded to a multiple of 4 bytes.
QByteArray encodeBmp24(const QImage& image);

}  // namespace tovik
