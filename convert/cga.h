#pragma once

#include <QImage>

namespace tovik {

class PixelBuffer;

// The palette the CGA_BWCM conversion selects: black, magenta, cyan, white.
constexpr int kCgaPalette = 4;

// Rebuilds `source` from `loaded` at the source's own size, then maps magenta, cyan,
// white and black pixels to indices 1, 2, 3 and 0; a pixel matching no rule keeps its
// entry. An empty source changes nothing.
void convertCga(const QImage& loaded, QImage& source, int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
