// Feeds arbitrary bytes to the PNG decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. Each input is tried as
// it is and with its chunk checksums mended, so that changes reach Qt's reader behind the
// checksum test. A picture it accepts is fitted as loading fits it.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include <zlib.h>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/png.h"
#include "picture/error.h"
#include "seedpictures.h"

namespace {

// Small enough that a forged header cannot make each run allocate hundreds of megabytes.
constexpr qint64 kFuzzMaxPixels = 4'000'000;

// Every whole chunk's checksum recomputed.
QByteArray withMendedChecksums(QByteArray bytes) {
    auto* p = reinterpret_cast<uchar*>(bytes.data());
    qint64 at = 8;
    while (bytes.size() - at >= 12) {
        const quint32 length = quint32(p[at]) << 24 | quint32(p[at + 1]) << 16 |
                               quint32(p[at + 2]) << 8 | quint32(p[at + 3]);
        if (length > quint64(bytes.size() - at - 12)) {
            break;
        }
        const uLong crc = crc32(0, p + at + 4, uInt(length + 4));
        for (int k = 0; k < 4; ++k) {
            p[at + 8 + length + k] = uchar(crc >> (24 - 8 * k));
        }
        at += 12 + length;
    }
    return bytes;
}

void decode(const QByteArray& bytes) {
    try {
        checkDecodedPicture(tovik::decodePng(bytes, kFuzzMaxPixels));
    } catch (const tovik::Error&) {
    }
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {
        seedFile(seedRamp(5, 3, QImage::Format_RGB32), "png"),
        seedFile(seedRamp(6, 4, QImage::Format_ARGB32), "png"),
        seedFile(seedRamp(7, 3, QImage::Format_Indexed8), "png"),
        seedFile(seedRamp(9, 2, QImage::Format_Grayscale8), "png"),
        seedFile(seedRamp(4, 3, QImage::Format_Grayscale16), "png"),
        seedFile(seedRamp(3, 3, QImage::Format_RGBA64), "png"),
        seedFile(seedRamp(17, 2, QImage::Format_Mono), "png"),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    decode(bytes);
    decode(withMendedChecksums(bytes));
    return 0;
}
