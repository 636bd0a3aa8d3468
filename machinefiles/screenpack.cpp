#include "machinefiles/screenpack.h"

#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr int kDumpHeaderSize = 0;

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
    return packedFile(buffer, width, height, kBinHeaderSize, kBinHeaderLoadAddress);
}

QByteArray makeBinWithPalette(const PixelBuffer& buffer, int width, int height) {
    QByteArray out =
        packedFile(buffer, width, height, kBinPaletteHeaderSize, kBinPaletteLoadAddress);
    // The same twelve bytes in every file, whatever palette the picture is shown in.
    for (int i = 0; i < 12; ++i) {
        out[4 + i] = static_cast<char>(kBinPaletteBytes[i]);
    }
    return out;
}

}  // namespace tovik
