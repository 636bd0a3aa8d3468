#pragma once

#include <QImage>
#include <array>
#include <cstdint>

namespace tovik {

class PixelBuffer;

// The 16 chunk patterns, 4 indices each, stored column by column: top-left, bottom-left,
// top-right, bottom-right.
extern const std::array<std::array<uint8_t, 4>, 16> kChunkPatterns;

struct ChunkColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const ChunkColour&) const = default;
};

using ChunkReferences = std::array<ChunkColour, 16>;

// The reference colours of the settings window at start, and after its "Сброс" (row 10's
// red differs: 124 at start, 127 after a reset).
extern const ChunkReferences kChunkStartReferences;
extern const ChunkReferences kChunkResetReferences;

constexpr int kDefaultChunkToningThreshold = 96;

struct ChunkSettings {
    ChunkReferences reference = kChunkStartReferences;
    bool squared = true;  // weighted squared distance; absolute sum when false
    bool toning = false;
    int toningThreshold = kDefaultChunkToningThreshold;
    bool operator==(const ChunkSettings&) const = default;
};

// Distance between a reference and a colour: 30*dR^2 + 59*dG^2 + 11*dB^2 when squared
// (0..6,502,500), |dR| + |dG| + |dB| otherwise (0..765).
int chunkDistance(ChunkColour reference, ChunkColour colour, bool squared);

// The pattern whose reference is nearest to the colour; the lowest index wins a tie.
int findNearestPattern(const ChunkReferences& reference, bool squared, ChunkColour colour);

// Writes pattern k (above 15 taken as 15, below 0 as 0) into chunk (i, j) with stride
// pictureWidth; a pixel is written only when its column is below pictureWidth and its
// entry inside the buffer.
void putChunkPattern(PixelBuffer& buffer, int pictureWidth, int i, int j, int k);

// The chunk conversion: clears the whole buffer, writes a pattern into every chunk of the
// source, then the optional toning pass, which changes the source's bytes in place and
// blacks out dark pixels (again only in columns below pictureWidth). The toning
// threshold is taken once, before anything changes. An empty source changes nothing.
void convertChunks(QImage& source, const ChunkSettings& settings, int pictureWidth,
                   PixelBuffer& buffer);

}  // namespace tovik
