#include "machinefiles/screenpack.h"

#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr int kDumpHeaderSize = 0;
constexpr int kBinHeaderSize = 4;
constexpr int kBinPaletteHeaderSize = 16;

// The words the target machine runs before the picture lands in screen memory; the
// same in every file, whatever palette the picture is shown in.
constexpr unsigned char kPaletteBytes[12] = {0xDF, 0x15, 0x00, 0x0B, 0xB2, 0xFF,
                                             0x01, 0x00, 0x57, 0x00, 0x00, 0xA0};

// The whole file in one zero-filled buffer: the header slot first, the packed picture
// after it, the length word set to N modulo 65536.
QByteArray packedFile(const PixelBuffer& buffer, int width, int height, int headerSize,
                      uint16_t loadAddress) {
    const QByteArray packed = packPicture(buffer, width, height);
    QByteArray out(headerSize, '\0');
    if (headerSize >= 4) {
        const auto length = static_cast<uint16_t>(packed.size() & 0xFFFF);
        out[0] = static_cast<char>(loadAddress & 0xFF);
        out[1] = static_cast<char>(loadAddress >> 8);
        out[2] = static_cast<char>(length & 0xFF);
        out[3] = static_cast<char>(length >> 8);
    }
    out.append(packed);
    return out;
}

}  // namespace

uint8_t packScreenByte(int p0, int p1, int p2, int p3) {
    return static_cast<uint8_t>(((p3 & 3) << 6) | ((p2 & 3) << 4) | ((p1 & 3) << 2) | (p0 & 3));
}

QByteArray packPicture(const PixelBuffer& buffer, int width, int height) {
    const int groups = pictureEntries(width, height) / 4;
    QByteArray out(groups, '\0');
    const uint8_t* p = buffer.data();
    for (int g = 0; g < groups; ++g, p += 4) {
        out[g] = static_cast<char>(packScreenByte(p[0], p[1], p[2], p[3]));
    }
    return out;
}

QByteArray makeScreenDump(const PixelBuffer& buffer, int width, int height) {
    return packedFile(buffer, width, height, kDumpHeaderSize, 0);
}

QByteArray makeBinWithHeader(const PixelBuffer& buffer, int width, int height) {
    return packedFile(buffer, width, height, kBinHeaderSize, 0x4000);
}

QByteArray makeBinWithPalette(const PixelBuffer& buffer, int width, int height) {
    QByteArray out = packedFile(buffer, width, height, kBinPaletteHeaderSize, 0x3FF0);
    for (int i = 0; i < 12; ++i) {
        out[4 + i] = static_cast<char>(kPaletteBytes[i]);
    }
    return out;
}

}  // namespace tovik
