#pragma once

#include <QImage>

namespace tovik {

class PixelBuffer;

struct OrderedSettings {
    int matrix = 4;  // the Bayer matrix's side: 2, 4 or 8
    bool operator==(const OrderedSettings&) const = default;
};

// The side the conversion uses for a setting: 2, 4 or 8, the nearest above it.
int orderedMatrixSide(int matrix);

// Ordered dithering to the palette's four colours with a Bayer matrix: each pixel's colour,
// moved to the nearest-looking mixture of the palette's colours where they cannot mix it,
// is split into the shares of the colours that mix it, and the pixel's threshold in the
// matrix picks one of them. Over a tile of the matrix the shares come out right. Starts
// from `fitted` every run; a null picture changes nothing. Otherwise clears the buffer,
// then writes entry y*pictureWidth + x of every fitted pixel with x < pictureWidth.
void convertOrdered(const QImage& fitted, const OrderedSettings& settings, int palette,
                    int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
