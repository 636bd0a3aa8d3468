#pragma once

#include <QByteArray>

namespace tovik {

class PixelBuffer;

// The UKNC assembler source: two bit planes of eight pixels a byte, each row starting on a
// new byte (a row's remaining pixels in the low bits of a last partial byte), written as
// ".BYTE  " lines of octal numbers, nine plane-1/plane-0 pairs a line, CR LF line ends.
QByteArray makeUkncSource(const PixelBuffer& buffer, int width, int height);

}  // namespace tovik
