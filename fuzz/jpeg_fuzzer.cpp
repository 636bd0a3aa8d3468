// Feeds arbitrary bytes to the JPEG decoder: it must either return a picture or throw
// the program's error, never crash, hang or write outside its buffers.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "convert/loadpicture.h"
#include "picture/error.h"

namespace {

// Small enough that a forged header cannot make each run allocate hundreds of megabytes,
// large enough for every picture the fuzzer can reach in practice.
constexpr qint64 kFuzzMaxPixels = 4'000'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = tovik::decodeJpeg(bytes, kFuzzMaxPixels);
        if (image.format() != QImage::Format_RGB32 || image.width() <= 0 || image.height() <= 0) {
            __builtin_trap();  // a decoded picture is always RGB32 and not empty
        }
    } catch (const tovik::Error&) {
    }
    return 0;
}
