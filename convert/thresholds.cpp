#include "convert/thresholds.h"

#include "convert/diffusion.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

namespace {

// Entries cleared before every run, whatever the picture size: 96 rows of 96, a count
// whose reason is unknown. Every fitted entry is written again, so it shows only where the
// fitted picture is narrower or lower than W x H; kept because pictures made with the
// program depend on it.
constexpr int kClearedEntries = 9216;

struct Thresholds {
    int white, black, redLead, redBright, greenLead, greenBright, blueLead, blueBright, toning;
};

// The index of the first rule that applies; odd is the checkerboard phase of the pixel.
int thresholdIndex(int b, int g, int r, bool odd, bool oddRow, const Thresholds& t) {
    if (g < t.black && b < t.black && r < t.black) {
        return 0;
    }
    if (g > t.white && b > t.white && r > t.white) {
        return odd ? (oddRow ? 1 : 3) : 2;
    }
    if (g > r + t.greenLead && g > b + t.greenLead) {
        return g > t.greenBright ? 2 : (odd ? 0 : 2);
    }
    if (r > g + t.redLead && r > b + t.redLead) {
        return r > t.redBright ? 3 : (odd ? 0 : 3);
    }
    if (b > g + t.blueLead && b > r + t.blueLead) {
        return b > t.blueBright ? 1 : (odd ? 0 : 1);
    }
    if (r <= g && r <= b) {
        return odd ? 1 : 2;
    }
    if (b >= g) {
        return odd ? 1 : 3;
    }
    return odd ? 2 : 3;
}

}  // namespace

void convertThresholds(const QImage& loaded, QImage& source, const ThresholdSettings& settings,
                       int pictureWidth, PixelBuffer& buffer) {
    if (source.isNull() || source.width() <= 0 || source.height() <= 0) {
        return;
    }
    buffer.clearFirst(kClearedEntries);
    if (source.format() != QImage::Format_RGB32) {
        source = source.convertToFormat(QImage::Format_RGB32);
    }
    // Every run starts again from the loaded picture, which undoes an earlier toning.
    stretchInto(loaded, source);

    const auto& s = settings.t;
    const Thresholds t{s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[8]};
    const int w = source.width(), h = source.height();
    for (int y = 0; y < h; ++y) {
        const uchar* p = source.constScanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            const int index = thresholdIndex(p[0], p[1], p[2], (x + y) % 2 != 0, y % 2 != 0, t);
            buffer.set(y * pictureWidth + x, index);
        }
    }
    if (settings.toning) {
        // Green at or below the toning threshold is dark: its entry becomes 0; lighter pixels keep
        // theirs.
        diffuseChannel(source, kGreenByte, t.toning, [&](int x, int y, bool light) {
            if (!light) {
                buffer.set(y * pictureWidth + x, 0);
            }
        });
    }
}

}  // namespace tovik
