#pragma once

#include <array>
#include <cstddef>

namespace tovik {

// Four floats in one SSE register: a colour's red, green and blue in linear light and a
// spare 0, or a weight for each of a palette's four colours.
using Float4 = float __attribute__((vector_size(16)));

// How a palette's four colours mix. Seen from a normal distance, a dithered area shows
// the weighted mean of its colours in linear light, so the colours a palette can show
// are the mixtures of its four; dithering can aim for those and no others.
//
// A mixture is made from a simplex of the colours (a segment, triangle or tetrahedron
// spanning all the mixtures). Where several hold the colour, as with a palette of four
// colours in one plane or on one line, the tightest wins: the one whose colours lie
// closest around it, which gives the finest pattern.
class PaletteMix {
public:
    explicit PaletteMix(int palette);

    // Colour c of the palette in linear light.
    Float4 colour(int c) const { return colours_[size_t(c)]; }

    // The weights of the four colours (summing to 1) whose mixture is `colour`. Of equal
    // colours only the first gets a weight. A colour that no mixture makes gets the
    // weights of the simplex it lies least outside of, clipped at 0.
    Float4 weights(Float4 colour) const {
        Float4 w = simplexCount_ == 1 ? weightsIn(simplices_[0], colour) : tightest(colour);
        const Float4 zero = {0, 0, 0, 0};
        w = w > zero ? w : zero;
        return w / (w[0] + w[1] + w[2] + w[3]);
    }

    // Whether a mixture of the colours is `colour`, within `tolerance` in each channel.
    bool mixes(Float4 colour, float tolerance) const;

private:
    // The weights of a simplex's corners as an affine function of the colour, one lane
    // per palette colour (0 for colours not among the corners).
    struct Simplex {
        Float4 base{};
        std::array<Float4, 3> perChannel{};
    };
    static Float4 weightsIn(const Simplex& s, Float4 colour) {
        return s.base + s.perChannel[0] * colour[0] + s.perChannel[1] * colour[1] +
               s.perChannel[2] * colour[2];
    }
    Float4 tightest(Float4 colour) const;

    std::array<Float4, 4> colours_;
    std::array<Simplex, 6> simplices_;  // at most 4 choose 2: four colours on one line
    int simplexCount_ = 0;
};

}  // namespace tovik
