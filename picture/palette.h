#pragma once

#include <QRgb>
#include <array>
#include <cstdint>

namespace tovik {

constexpr int kPaletteCount = 16;

// The 16 hardware palettes, 4 colours each, entry 4*p + c, as 0x00BBGGRR (red in the
// low byte).
extern const std::array<uint32_t, 4 * kPaletteCount> kPaletteTable;

inline bool isValidPalette(int palette) {
    return palette >= 0 && palette < kPaletteCount;
}

// Colour c (0..3, masked) of palette p as a QRgb; a palette outside the table reads as
// palette 0, so drawing never looks outside it.
QRgb paletteColour(int palette, int colour);

}  // namespace tovik
