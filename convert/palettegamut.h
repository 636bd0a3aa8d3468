#pragma once

#include <QRgb>
#include <array>

#include "convert/palettemix.h"

namespace tovik {

// The colours the palette conversions aim for. Dithering shows, over an area, a mixture
// of the palette's four colours; a colour no mixture makes would leave an error that
// grows without end. Each pixel's colour therefore first moves to the mixture that looks
// closest to it (the gamut tables of convert/gamuttable.h); a colour the palette can mix
// stays as it is.
class PaletteGamut {
public:
    explicit PaletteGamut(int palette);

    // The aims of `count` pixels of an RGB32 row, in linear light. A pixel of one of the
    // palette's colours gets exactly that colour.
    void targets(const QRgb* row, int count, Float4* out) const;

    // Palette colour c in linear light.
    Float4 colour(int c) const { return colours_[size_t(c)]; }

private:
    const Float4* offsets_;  // the palette's table, kGamutNodes entries
    std::array<Float4, 4> colours_;
    std::array<QRgb, 4> rgb_;
};

}  // namespace tovik
