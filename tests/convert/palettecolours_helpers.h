#pragma once

#include <QImage>
#include <algorithm>
#include <set>
#include <vector>

#include "picture/palette.h"

// Pictures drawn in one palette's own colours, for the tests of choosing the palette.
namespace tovik::sourcepic {

// The palettes whose four colours no other palette holds all of: a picture made only of
// such a palette's colours is drawn exactly by that palette alone.
inline std::vector<int> palettesOfTheirOwnColours() {
    const auto coloursOf = [](int p) {
        std::set<QRgb> colours;
        for (int c = 0; c < 4; ++c) {
            colours.insert(paletteColour(p, c));
        }
        return colours;
    };
    std::vector<int> result;
    for (int p = 0; p < kPaletteCount; ++p) {
        const std::set<QRgb> own = coloursOf(p);
        bool shared = false;
        for (int q = 0; q < kPaletteCount; ++q) {
            const std::set<QRgb> other = coloursOf(q);
            shared |= q != p && std::includes(other.begin(), other.end(), own.begin(), own.end());
        }
        if (!shared) {
            result.push_back(p);
        }
    }
    return result;
}

// A picture made only of palette p's four colours, each of them in every row.
inline QImage paletteColoursPicture(int p, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.setPixel(x, y, paletteColour(p, (x / 2 + y) % 4));
        }
    }
    return picture;
}

}  // namespace tovik::sourcepic
