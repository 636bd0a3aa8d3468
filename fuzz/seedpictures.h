#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <string>

// Seed pictures for the readers' fuzzers, made by Qt's writers from our own pixels.

// A small picture whose every pixel differs, alpha included, in the given format.
inline QImage seedRamp(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgba(x * 37, y * 53, (x ^ y) * 11, 255 - x * y % 256));
        }
    }
    return image.convertToFormat(format);
}

// The picture as Qt's writer for `format` writes it; compression as that writer numbers
// it (for TIFF: 0 none, 1 LZW), -1 for the writer's own choice.
inline std::string seedFile(const QImage& image, const char* format, int compression = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (compression >= 0) {
        writer.setCompression(compression);
    }
    writer.write(image);
    return bytes.toStdString();
}
