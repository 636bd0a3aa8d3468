// Feeds arbitrary bytes to the WebP decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. Each input is tried as
// it is and with its RIFF length mended, so that changes reach Qt's reader behind the
// length test. A picture it accepts is fitted as loading fits it.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/webp.h"
#include "picture/error.h"
#include "seedpictures.h"

namespace {

constexpr qint64 kFuzzMaxPixels = 4'000'000;

// The RIFF length set to what follows it in the bytes.
QByteArray withMendedLength(QByteArray bytes) {
    if (bytes.size() >= 8) {
        const quint32 length = quint32(bytes.size() - 8);
        for (int k = 0; k < 4; ++k) {
            bytes[4 + k] = char(length >> (8 * k));
        }
    }
    return bytes;
}

void decode(const QByteArray& bytes) {
    try {
        checkDecodedPicture(tovik::decodeWebp(bytes, kFuzzMaxPixels));
    } catch (const tovik::Error&) {
    }
}

// The picture as Qt's WebP writer writes it at this quality (100: lossless).
std::string webpSeed(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "webp");
    writer.setQuality(quality);
    writer.write(image);
    return bytes.toStdString();
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {
        webpSeed(seedRamp(5, 3, QImage::Format_RGB32), 100),
        webpSeed(seedRamp(6, 4, QImage::Format_ARGB32), 100),
        webpSeed(seedRamp(7, 3, QImage::Format_RGB32), 75),
        webpSeed(seedRamp(9, 2, QImage::Format_ARGB32), 50),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    decode(bytes);
    decode(withMendedLength(bytes));
    return 0;
}
