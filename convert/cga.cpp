#include "convert/cga.h"

#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

namespace {

// A channel that must be off is below this, one that must be on is above kOn.
constexpr int kOff = 90;
constexpr int kOn = 150;

// Index of the colour, or -1 for a colour that matches none of the four.
int cgaIndex(int red, int green, int blue) {
    if (green < kOff && blue > kOn && red > kOn) {
        return 1;  // magenta
    }
    if (red < kOff && blue > kOn && green > kOn) {
        return 2;  // cyan
    }
    if (blue > kOn && green > kOn && red > kOn) {
        return 3;  // white
    }
    if (blue <= kOn && green <= kOn && red <= kOn) {
        return 0;  // black
    }
    return -1;
}

}  // namespace

void convertCga(const QImage& loaded, QImage& source, int pictureWidth, PixelBuffer& buffer) {
    if (source.isNull()) {
        return;
    }
    if (source.format() != QImage::Format_RGB32) {
        source.convertTo(QImage::Format_RGB32);
    }
    // Other conversions diffuse error into the source; start again from the file's pixels.
    stretchInto(loaded, source);

    for (int y = 0; y < source.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int index = cgaIndex(qRed(row[x]), qGreen(row[x]), qBlue(row[x]));
            const long long entry = static_cast<long long>(y) * pictureWidth + x;
            if (index >= 0 && entry >= 0 && entry < PixelBuffer::kSize) {
                buffer.set(static_cast<int>(entry), index);
            }
        }
    }
}

}  // namespace tovik
