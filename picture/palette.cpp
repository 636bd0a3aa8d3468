#include "picture/palette.h"

namespace tovik {

namespace {
constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}
}  // namespace

// clang-format off
const std::array<uint32_t, 4 * kPaletteCount> kPaletteTable = {
    rgb(0, 0, 0), rgb(0, 0, 255),     rgb(0, 255, 0),     rgb(255, 0, 0),
    rgb(0, 0, 0), rgb(255, 255, 0),   rgb(255, 0, 255),   rgb(255, 0, 0),
    rgb(0, 0, 0), rgb(0, 255, 255),   rgb(0, 0, 255),     rgb(255, 0, 255),
    rgb(0, 0, 0), rgb(0, 255, 0),     rgb(0, 255, 255),   rgb(255, 255, 0),
    rgb(0, 0, 0), rgb(255, 0, 255),   rgb(0, 255, 255),   rgb(255, 255, 255),
    rgb(0, 0, 0), rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255),
    rgb(0, 0, 0), rgb(192, 0, 0),     rgb(144, 0, 0),     rgb(255, 0, 0),
    rgb(0, 0, 0), rgb(192, 255, 0),   rgb(144, 255, 0),   rgb(255, 255, 0),
    rgb(0, 0, 0), rgb(192, 0, 255),   rgb(144, 0, 255),   rgb(255, 0, 255),
    rgb(0, 0, 0), rgb(144, 255, 0),   rgb(144, 0, 255),   rgb(144, 0, 0),
    rgb(0, 0, 0), rgb(192, 255, 0),   rgb(192, 0, 255),   rgb(192, 0, 0),
    rgb(0, 0, 0), rgb(0, 255, 255),   rgb(255, 255, 0),   rgb(255, 0, 0),
    rgb(0, 0, 0), rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(0, 255, 255),
    rgb(0, 0, 0), rgb(0, 255, 255),   rgb(255, 255, 0),   rgb(255, 255, 255),
    rgb(0, 0, 0), rgb(255, 255, 0),   rgb(0, 255, 0),     rgb(255, 255, 255),
    rgb(0, 0, 0), rgb(0, 255, 255),   rgb(0, 255, 0),     rgb(255, 255, 255),
};
// clang-format on

QRgb paletteColour(int palette, int colour) {
    const uint32_t v = kPaletteTable[static_cast<size_t>(
        4 * (isValidPalette(palette) ? palette : 0) + (colour & 3))];
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

}  // namespace tovik
