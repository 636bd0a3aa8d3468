#include "convert/palettediffusion.h"

#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

const std::array<QString, 8> kDiffusionKernelNames = {
    QStringLiteral("floyd-steinberg"), QStringLiteral("jarvis"),   QStringLiteral("stucki"),
    QStringLiteral("burkes"),          QStringLiteral("sierra"),   QStringLiteral("sierra-2"),
    QStringLiteral("sierra-lite"),     QStringLiteral("atkinson"),
};

// Placeholder until the diffusion lands: the nearest colour by squared RGB distance.
void convertDiffusion(const QImage& fitted, const DiffusionSettings&, int palette, int pictureWidth,
                      PixelBuffer& buffer) {
    buffer.clear();
    for (int y = 0; y < fitted.height(); ++y) {
        for (int x = 0; x < fitted.width(); ++x) {
            const QRgb p = fitted.pixel(x, y);
            int best = 0, bestDistance = 1 << 30;
            for (int c = 0; c < 4; ++c) {
                const QRgb q = paletteColour(palette, c);
                const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q),
                          db = qBlue(p) - qBlue(q);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance) {
                    best = c;
                    bestDistance = d;
                }
            }
            if (x < pictureWidth) {
                buffer.set(y * pictureWidth + x, best);
            }
        }
    }
}

}  // namespace tovik
