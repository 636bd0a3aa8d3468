// Feeds arbitrary bytes to the BMP decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. A picture it accepts
// is fitted as loading fits it.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/bmp.h"
#include "load/jpeg.h"
#include "load/picturefile.h"
#include "picture/error.h"

namespace {

// Small enough that a forged header cannot make each run allocate hundreds of megabytes.
constexpr qint64 kFuzzMaxPixels = 4'000'000;

void putU16(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void putU32(std::string& b, uint32_t v) {
    putU16(b, v & 0xFFFF);
    putU16(b, v >> 16);
}

// A BMP with a 40-byte header; the colour table holds `colours` entries and the pixel
// data follows it as given.
std::string bmp(int32_t width, int32_t height, unsigned bitCount, uint32_t compression,
                unsigned colours, const std::string& pixels) {
    const uint32_t offset = 14 + 40 + 4 * colours;
    std::string b = "BM";
    putU32(b, offset + static_cast<uint32_t>(pixels.size()));
    putU32(b, 0);
    putU32(b, offset);
    putU32(b, 40);
    putU32(b, static_cast<uint32_t>(width));
    putU32(b, static_cast<uint32_t>(height));
    putU16(b, 1);
    putU16(b, bitCount);
    putU32(b, compression);
    putU32(b, static_cast<uint32_t>(pixels.size()));
    putU32(b, 2835);
    putU32(b, 2835);
    putU32(b, colours);
    putU32(b, 0);
    for (unsigned i = 0; i < colours; ++i) {
        putU32(b, i * 0x00102030u);
    }
    return b + pixels;
}

std::string ramp(size_t size) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        s[i] = static_cast<char>(i * 13);
    }
    return s;
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {
        bmp(5, 3, 24, 0, 0, ramp(16 * 3)),
        bmp(5, -3, 24, 0, 0, ramp(16 * 3)),
        bmp(3, 2, 32, 0, 0, ramp(12 * 2)),
        bmp(7, 3, 8, 0, 16, ramp(8 * 3)),
        bmp(7, 3, 4, 0, 16, ramp(4 * 3)),
        bmp(17, 2, 1, 0, 2, ramp(4 * 2)),
        bmp(6, 2, 8, 1, 4,
            std::string("\x03\x01\x00\x03\x02\x03\x01\x00\x00\x00\x06\x02\x00\x01", 14)),
        bmp(6, 2, 4, 2, 4, std::string("\x06\x12\x00\x00\x00\x02\x01\x00\x00\x01", 10)),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        checkDecodedPicture(tovik::decodeBmp(bytes, kFuzzMaxPixels));
    } catch (const tovik::Error&) {
    }
    return 0;
}
