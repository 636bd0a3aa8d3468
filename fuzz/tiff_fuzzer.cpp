// Feeds arbitrary bytes to the TIFF decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. A picture it accepts is
// fitted as loading fits it.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/tiff.h"
#include "picture/error.h"

namespace {

constexpr qint64 kFuzzMaxPixels = 4'000'000;

// compression: 0 none, 1 LZW, as Qt's writer numbers them.
std::string tiff(const QImage& image, int compression) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    writer.setCompression(compression);
    writer.write(image);
    return bytes.toStdString();
}

QImage ramp(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgba(x * 37, y * 53, (x ^ y) * 11, 255 - x * y % 256));
        }
    }
    return image.convertToFormat(format);
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {
        tiff(ramp(5, 3, QImage::Format_RGB32), 0),
        tiff(ramp(6, 4, QImage::Format_ARGB32), 1),
        tiff(ramp(7, 3, QImage::Format_Indexed8), 0),
        tiff(ramp(9, 2, QImage::Format_Grayscale8), 1),
        tiff(ramp(4, 3, QImage::Format_Grayscale16), 0),
        tiff(ramp(17, 2, QImage::Format_Mono), 0),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        checkDecodedPicture(tovik::decodeTiff(bytes, kFuzzMaxPixels));
    } catch (const tovik::Error&) {
    }
    return 0;
}
