#include "convert/ordereddither.h"

#include "convert/palettediffusion.h"

namespace tovik {

// Placeholder until the ordered dithering lands.
void convertOrdered(const QImage& fitted, const OrderedSettings&, int palette, int pictureWidth,
                    PixelBuffer& buffer) {
    convertDiffusion(fitted, {}, palette, pictureWidth, buffer);
}

}  // namespace tovik
