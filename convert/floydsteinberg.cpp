#include "convert/floydsteinberg.h"

#include <algorithm>
#include <array>

#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

// Byte offsets of the channels inside an RGB32 pixel on this platform.
constexpr int kBlue = 0;
constexpr int kGreen = 1;
constexpr int kRed = 2;

// Where a pixel's error goes, in this order, in sixteenths. The order matters only
// because each addition is saturated on its own.
struct Share {
    int dx;
    int dy;
    int sixteenths;
};
constexpr std::array<Share, 4> kShares = {{{1, 0, 7}, {1, 1, 1}, {0, 1, 5}, {-1, 1, 3}}};

// Entry of pixel (x, y) with stride width, or -1 when it lies outside the buffer.
int entryOf(int x, int y, int width) {
    const long long entry = static_cast<long long>(y) * width + x;
    return entry >= 0 && entry < PixelBuffer::kSize ? static_cast<int>(entry) : -1;
}

// One diffusion pass over one channel of the visited region (rows 0..h-2, columns
// 1..w-2). mark(x, y, on) sets the pixel's index before its error moves on.
template <typename Mark>
void diffuseChannel(QImage& source, int channel, int threshold, Mark mark) {
    const int w = source.width();
    const int h = source.height();
    uchar* bits = source.bits();
    const qsizetype stride = source.bytesPerLine();
    auto byteAt = [&](int x, int y) -> uchar& { return bits[y * stride + 4 * x + channel]; };

    for (int y = 0; y + 1 < h; ++y) {
        for (int x = 1; x + 1 < w; ++x) {
            const int v = byteAt(x, y);
            const bool on = v > threshold;
            const int error = on ? v - 255 : v;
            mark(x, y, on);
            for (const Share& share : kShares) {
                uchar& neighbour = byteAt(x + share.dx, y + share.dy);
                // The new value is old + weight x error taken exactly (in sixteenths), then
                // truncated toward zero as a whole: 100 - 67.8 gives 32, not 33.
                const int value = (16 * neighbour + error * share.sixteenths) / 16;
                neighbour = static_cast<uchar>(std::clamp(value, 0, 255));
            }
        }
    }
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

    diffuseChannel(source, kGreen, threshold,
                   [&](int x, int y, bool on) { buffer.set(entry(x, y), on ? 2 : 0); });
    if (settings.monochrome) {
        return;
    }
    // Red mixes into green as a checkerboard: on odd pixels red wins, on even ones the
    // green already there stays. The passes read the index the earlier pass left in the
    // buffer itself.
    diffuseChannel(source, kRed, threshold, [&](int x, int y, bool on) {
        const int e = entry(x, y);
        if (on && (buffer.at(e) == 0 || (x + y) % 2 == 1)) {
            buffer.set(e, 3);
        }
    });
    diffuseChannel(source, kBlue, threshold, [&](int x, int y, bool on) {
        const int e = entry(x, y);
        if (on && buffer.at(e) == 0) {
            buffer.set(e, 1);
        }
    });
}

}  // namespace tovik
