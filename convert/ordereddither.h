#pragma once

#include <QImage>

namespace tovik {

class PixelBuffer;

struct OrderedSettings {
    int matrix = 4;  // the Bayer matrix's side: 2, 4 or 8
    bool operator==(const OrderedSettings&) const = default;
};

// Ordered dithering to the palette's four colours with a Bayer matrix. Starts from
// `fitted` every run. Clears the buffer, then writes entry y*pictureWidth + x of every
// fitted pixel.
void convertOrdered(const QImage& fitted, const OrderedSettings& settings, int palette,
                    int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
