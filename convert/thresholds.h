#pragma once

#include <QImage>
#include <array>

namespace tovik {

class PixelBuffer;

// The nine thresholds in the order of the window's track bars: white, black, red lead, red
// brightness, green lead, green brightness, blue lead, blue brightness, toning.
constexpr std::array<int, 9> kDefaultThresholds = {250, 50, 50, 128, 30, 128, 30, 128, 96};

struct ThresholdSettings {
    std::array<int, 9> t = kDefaultThresholds;
    bool toning = false;
    bool operator==(const ThresholdSettings&) const = default;
};

// The threshold conversion: clears a fixed number of entries at the start of the buffer
// (every fitted entry is written again, so this shows only outside it), rebuilds `source` from
// `loaded` at the source's own size, gives entry y*pictureWidth + x the index of the
// first rule that applies to source pixel (x, y), then, when toning, diffuses the green
// error and blacks out dark pixels. An empty source (no picture loaded) changes nothing.
void convertThresholds(const QImage& loaded, QImage& source, const ThresholdSettings& settings,
                       int pictureWidth, PixelBuffer& buffer);

}  // namespace tovik
