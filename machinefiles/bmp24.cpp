#include "machinefiles/bmp24.h"

#include <QtEndian>

namespace tovik {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

void put16(QByteArray& out, int offset, quint16 value) {
    qToLittleEndian<quint16>(value, out.data() + offset);
}
void put32(QByteArray& out, int offset, quint32 value) {
    qToLittleEndian<quint32>(value, out.data() + offset);
}

}  // namespace

QByteArray encodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (3 * width + 3) & ~3;
    const int pixelOffset = kFileHeaderSize + kInfoHeaderSize;
    const int imageSize = stride * height;

    // Zero-filled, so the row padding and the unused header fields need no stores.
    QByteArray out(pixelOffset + imageSize, '\0');
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, static_cast<quint32>(out.size()));
    put32(out, 10, pixelOffset);
    put32(out, 14, kInfoHeaderSize);
    put32(out, 18, static_cast<quint32>(width));
    put32(out, 22, static_cast<quint32>(height));  // positive: rows go bottom-up
    put16(out, 26, 1);                             // planes
    put16(out, 28, 24);                            // bits per pixel
    put32(out, 30, 0);                             // BI_RGB
    put32(out, 34, static_cast<quint32>(imageSize));

    char* data = out.data() + pixelOffset;
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        char* row = data + static_cast<qsizetype>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<char>(qBlue(in[x]));
            row[3 * x + 1] = static_cast<char>(qGreen(in[x]));
            row[3 * x + 2] = static_cast<char>(qRed(in[x]));
        }
    }
    return out;
}

}  // namespace tovik
