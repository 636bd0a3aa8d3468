#pragma once

#include <QByteArray>
#include <cstdint>

namespace tovik {

class PixelBuffer;

// Four colour indices into one screen byte, the first pixel in bits 0-1.
uint8_t packScreenByte(int p0, int p1, int p2, int p3);

// The packed picture: N = W*H/4 bytes, byte g from entries 4g..4g+3 in buffer order
// (groups run on across row ends); the last W*H mod 4 pixels are not exported.
QByteArray packPicture(const PixelBuffer& buffer, int width, int height);

// "Дамп (бинарный)": the packed picture alone.
QByteArray makeScreenDump(const PixelBuffer& buffer, int width, int height);

// "BIN с заголовком": load address 0x4000, length N, packed picture.
QByteArray makeBinWithHeader(const PixelBuffer& buffer, int width, int height);

// "BIN с палитрой": load address 0x3FF0, length N, twelve fixed bytes, packed picture.
QByteArray makeBinWithPalette(const PixelBuffer& buffer, int width, int height);

}  // namespace tovik
