#include "machinefiles/uknc.h"

#include <algorithm>
#include <vector>

#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr int kPairsPerLine = 9;
constexpr char kDirective[] = ".BYTE  ";
constexpr char kLineEnd[] = "\r\n";

void appendOctal(QByteArray& out, int value) {
    out.append(QByteArray::number(value, 8));
}

}  // namespace

QByteArray makeUkncSource(const PixelBuffer& buffer, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // Every row starts on a new byte; a row's last pixels sit in the low bits of a
    // partial byte, so B is W / 8 rounded up.
    const int bytesPerRow = (width + 7) / 8;
    const size_t planeSize = static_cast<size_t>(bytesPerRow) * static_cast<size_t>(height);
    std::vector<uint8_t> plane0(planeSize, 0);
    std::vector<uint8_t> plane1(planeSize, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t index = buffer.at(x + y * width);
            const size_t k = static_cast<size_t>(y) * bytesPerRow + static_cast<size_t>(x / 8);
            const int bit = x % 8;
            plane0[k] |= static_cast<uint8_t>((index & 1) << bit);
            plane1[k] |= static_cast<uint8_t>(((index >> 1) & 1) << bit);
        }
    }

    QByteArray out;
    out.reserve(static_cast<qsizetype>(planeSize) * 9 + 64);
    out.append(kDirective);
    appendOctal(out, bytesPerRow);
    out.append(", ");
    appendOctal(out, height);
    out.append(kLineEnd);

    QByteArray line = kDirective;
    int pairs = 0;
    for (size_t k = 0; k < planeSize; ++k) {
        if (pairs > 0) {
            line.append(", ");
        }
        appendOctal(line, plane1[k]);
        line.append(", ");
        appendOctal(line, plane0[k]);
        if (++pairs == kPairsPerLine) {
            out.append(line).append(kLineEnd);
            line = kDirective;
            pairs = 0;
        }
    }
    // The last line is written even when the pairs filled whole lines: then it is the
    // directive alone.
    out.append(line).append(kLineEnd);
    return out;
}

}  // namespace tovik
