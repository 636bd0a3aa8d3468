#include "convert/chunks.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "convert/diffusion.h"
#include "picture/pixelbuffer.h"

namespace tovik {

const std::array<std::array<uint8_t, 4>, 16> kChunkPatterns = {{
    {0, 0, 0, 0},  // black
    {0, 0, 0, 1},  // black, one blue pixel
    {3, 3, 3, 3},  // red
    {3, 0, 0, 3},  // red and black checkerboard
    {2, 2, 2, 2},  // green
    {2, 0, 0, 2},  // green and black checkerboard
    {1, 1, 1, 1},  // blue
    {1, 0, 0, 1},  // blue and black checkerboard
    {3, 2, 2, 3},  // red and green checkerboard
    {3, 2, 0, 3},  // two red, one green, one black
    {2, 1, 1, 2},  // green and blue checkerboard
    {2, 1, 1, 0},  // one green, two blue, one black
    {1, 3, 3, 1},  // blue and red checkerboard
    {1, 3, 0, 1},  // two blue, one red, one black
    {1, 2, 0, 3},  // blue, black, green, red
    {1, 2, 2, 3},  // one blue, two green, one red
}};

const ChunkReferences kChunkStartReferences = {{
    {10, 10, 10},
    {40, 40, 40},
    {220, 50, 50},
    {127, 50, 50},
    {50, 220, 50},
    {50, 100, 50},
    {50, 50, 220},
    {10, 10, 127},
    {220, 220, 50},
    {124, 127, 20},
    {50, 200, 200},
    {20, 100, 100},
    {200, 50, 200},
    {127, 50, 127},
    {100, 100, 100},
    {255, 255, 255},
}};

const ChunkReferences kChunkResetReferences = [] {
    ChunkReferences reset = kChunkStartReferences;
    reset[9].red = 127;
    return reset;
}();

namespace {

// Sets entry (x, y) with stride width when the column is inside the picture width and
// the entry inside the buffer; anything else would land on another row or past the end.
void setInside(PixelBuffer& buffer, int width, long long x, long long y, int value) {
    if (x < 0 || x >= width || y < 0 || y >= PixelBuffer::kSize) {
        return;
    }
    const long long entry = y * width + x;
    if (entry < PixelBuffer::kSize) {
        buffer.set(static_cast<int>(entry), value);
    }
}

// The distance of chunkDistance, inlined into the pattern search.
inline int distanceOf(ChunkColour reference, ChunkColour colour, bool squared) {
    const int dRed = reference.red - colour.red;
    const int dGreen = reference.green - colour.green;
    const int dBlue = reference.blue - colour.blue;
    if (squared) {
        return 30 * dRed * dRed + 59 * dGreen * dGreen + 11 * dBlue * dBlue;
    }
    return std::abs(dRed) + std::abs(dGreen) + std::abs(dBlue);
}

ChunkColour colourAt(const uchar* pixel) {
    return ChunkColour{pixel[kRedByte], pixel[kGreenByte], pixel[kBlueByte]};
}

void patternPass(const QImage& source, const ChunkSettings& settings, int pictureWidth,
                 PixelBuffer& buffer) {
    // The register carries the last pixel read across rows; a chunk's colour is the mean
    // of its top-left pixel and the pixel read just before it. Starting at black fixes
    // the colour of chunk (0, 0).
    ChunkColour previous{0, 0, 0};
    const int w = source.width(), h = source.height();
    for (int y = 0; y + 1 < h; ++y) {
        const uchar* row = source.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            const ChunkColour pixel = colourAt(row + 4 * x);
            if (x % 2 == 0 && y % 2 == 0) {
                previous.red = static_cast<uint8_t>((previous.red + pixel.red) / 2);
                previous.green = static_cast<uint8_t>((previous.green + pixel.green) / 2);
                previous.blue = static_cast<uint8_t>((previous.blue + pixel.blue) / 2);
                const int k = findNearestPattern(settings.reference, settings.squared, previous);
                putChunkPattern(buffer, pictureWidth, x / 2, y / 2, k);
            } else {
                previous = pixel;
            }
        }
    }
}

// Error diffusion of the brightness into the source's blue, green and red bytes alike;
// dark pixels and their right-hand neighbours become index 0.
void toningPass(QImage& source, int threshold, int pictureWidth, PixelBuffer& buffer) {
    const int w = source.width();
    const int h = source.height();
    uchar* bits = source.bits();
    const qsizetype stride = source.bytesPerLine();
    auto pixelAt = [&](int x, int y) { return bits + y * stride + 4 * x; };

    for (int y = 0; y + 1 < h; ++y) {
        for (int k = 1; k + 1 < w; ++k) {
            const uchar* pixel = pixelAt(k, y);
            const int brightness = (pixel[kRedByte] + pixel[kGreenByte] + pixel[kBlueByte]) / 3;
            int error;
            if (threshold < brightness) {
                error = brightness - 255;
            } else {
                error = brightness;
                setInside(buffer, pictureWidth, k, y, 0);
                setInside(buffer, pictureWidth, k + 1, y, 0);
            }
#pragma GCC unroll 4
            for (const DiffusionShare& share : kDiffusionShares) {
                uchar* neighbour = pixelAt(k + share.dx, y + share.dy);
                neighbour[kBlueByte] = diffusedByte(neighbour[kBlueByte], error, share.sixteenths);
                neighbour[kGreenByte] =
                    diffusedByte(neighbour[kGreenByte], error, share.sixteenths);
                neighbour[kRedByte] = diffusedByte(neighbour[kRedByte], error, share.sixteenths);
            }
        }
    }
}

}  // namespace

int chunkDistance(ChunkColour reference, ChunkColour colour, bool squared) {
    return distanceOf(reference, colour, squared);
}

int findNearestPattern(const ChunkReferences& reference, bool squared, ChunkColour colour) {
    // No fixed starting bound: with every reference far away (distances of a million or
    // more) the nearest one still wins rather than a pattern chosen by default.
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int k = 0; k < static_cast<int>(reference.size()); ++k) {
        const int distance = distanceOf(reference[static_cast<size_t>(k)], colour, squared);
        // Selects rather than a branch: which reference is nearer changes from chunk to chunk.
        best = distance < bestDistance ? k : best;
        bestDistance = std::min(distance, bestDistance);
    }
    return best;
}

void putChunkPattern(PixelBuffer& buffer, int pictureWidth, int i, int j, int k) {
    const auto& pattern = kChunkPatterns[static_cast<size_t>(std::clamp(k, 0, 15))];
    const long long x = 2LL * i;
    const long long y = 2LL * j;
    setInside(buffer, pictureWidth, x, y, pattern[0]);
    setInside(buffer, pictureWidth, x + 1, y, pattern[2]);
    setInside(buffer, pictureWidth, x, y + 1, pattern[1]);
    setInside(buffer, pictureWidth, x + 1, y + 1, pattern[3]);
}

void convertChunks(QImage& source, const ChunkSettings& settings, int pictureWidth,
                   PixelBuffer& buffer) {
    if (source.isNull()) {
        return;
    }
    if (source.format() != QImage::Format_RGB32) {
        source.convertTo(QImage::Format_RGB32);
    }
    const int threshold = settings.toningThreshold;
    buffer.clear();
    patternPass(source, settings, pictureWidth, buffer);
    if (settings.toning) {
        toningPass(source, threshold, pictureWidth, buffer);
    }
}

}  // namespace tovik
