// Feeds arbitrary bytes to the GIF decoder: it must either return a picture or throw the
// program's error, never crash, hang or write outside its buffers. A picture it accepts is
// fitted as loading fits it.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/gif.h"
#include "picture/error.h"

namespace {

constexpr qint64 kFuzzMaxPixels = 4'000'000;

void putU16(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

// A GIF of four colours whose codes never grow past 3 bits: a clear code before every
// second pixel keeps the table from filling. `frames` frames of the same pixels.
std::string gif(unsigned width, unsigned height, int frames, bool interlaced) {
    std::string b = "GIF89a";
    putU16(b, width);
    putU16(b, height);
    b += "\x81";  // a global table of 4 colours
    b += std::string("\0\0", 2);
    b += std::string("\0\0\0\xFF\0\0\0\xFF\0\xFF\xFF\xFF", 12);
    for (int frame = 0; frame < frames; ++frame) {
        b += std::string("\x21\xF9\x04\x05\x00\x00\x03\x00", 8);  // index 3 transparent
        b += "\x2C";
        putU16(b, 0);
        putU16(b, 0);
        putU16(b, width);
        putU16(b, height);
        b += interlaced ? "\x40" : std::string(1, '\0');
        b += "\x02";
        std::string codes;
        unsigned pending = 0, bits = 0;
        const auto put = [&](unsigned code) {
            pending |= code << bits;
            for (bits += 3; bits >= 8; bits -= 8, pending >>= 8) {
                codes += static_cast<char>(pending & 0xFF);
            }
        };
        for (unsigned i = 0; i < width * height; ++i) {
            if (i % 2 == 0) {
                put(4);
            }
            put((i * 7 + static_cast<unsigned>(frame)) % 4);
        }
        put(5);
        if (bits > 0) {
            codes += static_cast<char>(pending & 0xFF);
        }
        for (size_t at = 0; at < codes.size(); at += 255) {
            const std::string block = codes.substr(at, 255);
            b += static_cast<char>(block.size());
            b += block;
        }
        b += std::string(1, '\0');
    }
    return b + "\x3B";
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {gif(5, 3, 1, false), gif(16, 9, 1, true), gif(4, 4, 2, false), gif(1, 1, 1, false)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        checkDecodedPicture(tovik::decodeGif(bytes, kFuzzMaxPixels));
    } catch (const tovik::Error&) {
    }
    return 0;
}
