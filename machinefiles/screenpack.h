#pragma once

#include <QByteArray>
#include <cstdint>

namespace tovik {

class PixelBuffer;

// The BIN headers: the load address word, the length word (the packed picture's bytes),
// and for "BIN с палитрой" twelve fixed bytes after them that the length leaves out.
constexpr int kBinHeaderSize = 4;
constexpr int kBinPaletteHeaderSize = 16;
constexpr uint16_t kBinHeaderLoadAddress = 0x4000;   // 040000
constexpr uint16_t kBinPaletteLoadAddress = 0x3FF0;  // 037760
constexpr unsigned char kBinPaletteBytes[12] = {0xDF, 0x15, 0x00, 0x0B, 0xB2, 0xFF,
                                                0x01, 0x00, 0x57, 0x00, 0x00, 0xA0};

// Four colour indices into one screen byte, the first pixel in bits 0-1.
uint8_t packScreenByte(int p0, int p1, int p2, int p3);

// The packed picture: N = W*H/4 bytes, byte g from entries 4g..4g+3 in buffer order
// (groups run on across row ends); the last W*H mod 4 pixels are not exported.
QByteArray packPicture(const PixelBuffer& buffer, int width, int height);

// "Дамп (бинарный)": the packed picture alone.
QByteArray makeScreenDump(const PixelBuffer& buffer, int width, int height);

// "BIN с заголовком": load address 040000, length N, packed picture.
QByteArray makeBinWithHeader(const PixelBuffer& buffer, int width, int height);

// "BIN с палитрой": load address 037760, length N, twelve fixed bytes, packed picture.
QByteArray makeBinWithPalette(const PixelBuffer& buffer, int width, int height);

}  // namespace tovik
