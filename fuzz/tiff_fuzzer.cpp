// Feeds arbitrary bytes to the TIFF decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. A picture it accepts is
// fitted as loading fits it.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/tiff.h"
#include "picture/error.h"
#include "seedpictures.h"

namespace {

constexpr qint64 kFuzzMaxPixels = 4'000'000;

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {
        seedFile(seedRamp(5, 3, QImage::Format_RGB32), "tiff", 0),
        seedFile(seedRamp(6, 4, QImage::Format_ARGB32), "tiff", 1),
        seedFile(seedRamp(7, 3, QImage::Format_Indexed8), "tiff", 0),
        seedFile(seedRamp(9, 2, QImage::Format_Grayscale8), "tiff", 1),
        seedFile(seedRamp(4, 3, QImage::Format_Grayscale16), "tiff", 0),
        seedFile(seedRamp(17, 2, QImage::Format_Mono), "tiff", 0),
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
