#include "load/fit.h"

#include <algorithm>

#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

namespace {

constexpr int kLongSide = 256;

// The scaled shorter side: side / (other / 256), truncated. For whole sizes that is the
// integer quotient below, with no rounding error to worry about. A strip more than 256
// times longer than wide would truncate to nothing and load as an empty picture, so the
// side is at least 1.
int scaledSide(int side, int other) {
    return std::max(1, static_cast<int>(static_cast<long long>(kLongSide) * side / other));
}

}  // namespace

FitResult fitPicture(int width, int height) {
    if (width == height && width > kLongSide) {
        return {kLongSide, kLongSide, false};
    }
    if (width > height && width > kLongSide) {
        return {kLongSide, scaledSide(height, width), false};
    }
    if (height > width && height > kLongSide) {
        if (width >= kLongSide) {
            return {scaledSide(width, height), kLongSide, false};
        }
        // Narrow and tall: the width stays and the height may pass 256 while the picture
        // still fits the buffer. The bound uses the width the spin edit will really hold
        // (at least 8), so W*H stays within the buffer even for a very narrow picture.
        const int bound = PixelBuffer::kSize / std::max(width, 8);
        return {width, std::min(height, bound), true};
    }
    return {width, height, false};
}

QImage stretchNearest(const QImage& picture, int width, int height) {
    if (picture.isNull() || width <= 0 || height <= 0) {
        return QImage();
    }
    QImage target(width, height, QImage::Format_RGB32);
    stretchInto(picture, target);
    return target;
}

}  // namespace tovik
