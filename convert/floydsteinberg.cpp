#include "convert/floydsteinberg.h"

#include "convert/diffusion.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

// Entry of pixel (x, y) with stride width, or -1 when it lies outside the buffer.
int entryOf(int x, int y, int width) {
    const long long entry = static_cast<long long>(y) * width + x;
    return entry >= 0 && entry < PixelBuffer::kSize ? static_cast<int>(entry) : -1;
}

}  // namespace

void convertFloydSteinberg(QImage& source, const FloydSteinbergSettings& settings, int pictureWidth,
                           PixelBuffer& buffer) {
    if (source.isNull()) {
        return;
    }
    if (source.format() != QImage::Format_RGB32) {
        source.convertTo(QImage::Format_RGB32);
    }
    const int threshold = settings.threshold;
    auto entry = [pictureWidth](int x, int y) { return entryOf(x, y, pictureWidth); };

    diffuseChannel(source, kGreenByte, threshold,
                   [&](int x, int y, bool on) { buffer.set(entry(x, y), on ? 2 : 0); });
    if (settings.monochrome) {
        return;
    }
    // Red mixes into green as a checkerboard: on odd pixels red wins, on even ones the
    // green already there stays. The passes read the index the earlier pass left in the
    // buffer itself.
    diffuseChannel(source, kRedByte, threshold, [&](int x, int y, bool on) {
        const int e = entry(x, y);
        if (on && (buffer.at(e) == 0 || (x + y) % 2 == 1)) {
            buffer.set(e, 3);
        }
    });
    diffuseChannel(source, kBlueByte, threshold, [&](int x, int y, bool on) {
        const int e = entry(x, y);
        if (on && buffer.at(e) == 0) {
            buffer.set(e, 1);
        }
    });
}

}  // namespace tovik
