#pragma once

#include <QImage>

namespace tovik {

class PixelBuffer;

struct FloydSteinbergSettings {
    int threshold = 96;  // the black threshold: a byte above it is on
    bool monochrome = true;
    bool operator==(const FloydSteinbergSettings&) const = default;
};

// Floyd–Steinberg diffusion into the source's own bytes (kept for the next run), over
// rows 0..h-2 and columns 1..w-2: monochrome diffuses green into indices 2/0; colour mode
// runs green, red and blue passes and combines them. Writes entry y*pictureWidth + x of
// every visited pixel. An empty source changes nothing.
void convertFloydSteinberg(QImage& source, const FloydSteinbergSettings& settings, int pictureWidth,
                           PixelBuffer& buffer);

}  // namespace tovik
