#pragma once

#include <QImage>
#include <algorithm>
#include <array>
#include <cstdint>

namespace tovik {

// Byte offsets of the channels inside an RGB32 pixel on this platform.
constexpr int kBlueByte = 0;
constexpr int kGreenByte = 1;
constexpr int kRedByte = 2;

// Where a pixel's error goes, in this order, in sixteenths: right, below-right, below,
// below-left. The order matters because each neighbour is saturated on its own.
struct DiffusionShare {
    int dx;
    int dy;
    int sixteenths;
};
constexpr std::array<DiffusionShare, 4> kDiffusionShares = {
    {{1, 0, 7}, {1, 1, 1}, {0, 1, 5}, {-1, 1, 3}}};

// A byte after its share of the error: old + error * sixteenths / 16 taken exactly, then
// truncated toward zero as a whole (100 - 67.8 gives 32, not 33) and kept in 0..255.
// Clamping the sixteenths to 0..4095 before the shift gives the same byte without a
// branch: a negative sum truncates to 0 or below either way.
inline uint8_t diffusedByte(int old, int error, int sixteenths) {
    return static_cast<uint8_t>(std::min(std::max(16 * old + error * sixteenths, 0), 4095) >> 4);
}

// One Floyd–Steinberg pass over one channel of the visited region, rows 0..h-2 and
// columns 1..w-2, left to right: a byte above the threshold is on with error v - 255,
// otherwise off with error v. mark(x, y, on) runs before the error moves on; the pixel's
// own byte is not changed.
template <typename Mark>
void diffuseChannel(QImage& source, int channel, int threshold, Mark mark) {
    const int w = source.width();
    const int h = source.height();
    for (int y = 0; y + 1 < h; ++y) {
        uchar* rows[2] = {source.scanLine(y), source.scanLine(y + 1)};
        for (int x = 1; x + 1 < w; ++x) {
            const int v = rows[0][4 * x + channel];
            const bool on = v > threshold;
            const int error = on ? v - 255 : v;
            mark(x, y, on);
#pragma GCC unroll 4
            for (const DiffusionShare& share : kDiffusionShares) {
                uchar& neighbour = rows[share.dy][4 * (x + share.dx) + channel];
                neighbour = diffusedByte(neighbour, error, share.sixteenths);
            }
        }
    }
}

}  // namespace tovik
