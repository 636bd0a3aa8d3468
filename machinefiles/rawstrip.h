#pragma once

#include <QByteArray>

namespace tovik {

class PixelBuffer;

// The raw one-bit strip, 8 pixels wide: byte y is row y, bit 7 the leftmost pixel; a set
// bit gives index 2, a clear one 0. Writes entries 0..8*height-1; rows past the end of
// the file are 0.
void readRawStrip(const QByteArray& bytes, int height, PixelBuffer& buffer);

}  // namespace tovik
