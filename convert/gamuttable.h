#pragma once

#include <cstdint>

#include "picture/palette.h"

namespace tovik {

// The gamut tables: for each palette, the colour the dithering aims for instead of a
// colour its four cannot mix. They are worked out at build time (convert/gamut) on a grid
// of 18 x 18 x 18 colours, channel values 0, 15, 30, ..., 255; between grid points the
// conversions interpolate.
constexpr int kGamutSide = 18;
constexpr int kGamutStep = 255 / (kGamutSide - 1);
constexpr int kGamutNodes = kGamutSide * kGamutSide * kGamutSide;

// How far each grid colour moves in linear light, channel by channel (red, green, blue),
// in units of 1/32767; node (r, g, b) is (r * 18 + g) * 18 + b, palettes one after the
// other. 0 where the palette can mix the colour itself.
constexpr double kGamutOffsetUnit = 1.0 / 32767;
extern const int16_t kGamutOffsets[kPaletteCount * kGamutNodes * 3];

}  // namespace tovik
