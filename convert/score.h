#pragma once

#include <QImage>
#include <vector>

namespace tovik {

class PixelBuffer;

// A colour in CIELAB.
struct Lab {
    double l = 0;
    double a = 0;
    double b = 0;
};

// The CIEDE2000 colour difference with kL = kC = kH = 1.
double ciede2000(const Lab& x, const Lab& y);

// The score's own steps on planes of n values, for code that scores parts of a picture:
// linear sRGB channels to L, a and b in place, and the CIEDE2000 differences of n pairs of
// colours into out, both in single precision exactly as the score computes them.
void linearToLab(float* red, float* green, float* blue, size_t n);
void ciede2000Many(const float* l1, const float* a1, const float* b1, const float* l2,
                   const float* a2, const float* b2, size_t n, float* out);

// How far `result` looks from `source` to a person at a normal distance: both pictures in
// linear light, blurred by a Gaussian of sigma 1 pixel (7 taps, edges clamped), taken to
// CIELAB (sRGB primaries, D65 white), then the mean CIEDE2000 difference of their pixels.
// Lower is better; exactly 0 for identical pictures and for two empty ones. Computed in
// single precision, within about 1e-5 of the exact value. Any image format is read as
// RGB. Throws Error when the sizes differ.
double pictureScore(const QImage& source, const QImage& result);

// The same score with the source's side prepared once, for scoring many results against
// one picture (the palettes of one conversion). Safe to use from several threads at once.
class PictureScorer {
public:
    explicit PictureScorer(const QImage& source);

    int width() const { return width_; }
    int height() const { return height_; }

    // The score of a result of the source's size; throws Error when the sizes differ.
    double score(const QImage& result) const;

    // The score of a conversion: the result is the buffer's first height() rows of
    // width() entries, stride pictureWidth (entry y*pictureWidth + x), drawn in the
    // palette's colours.
    double score(const PixelBuffer& buffer, int pictureWidth, int palette) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<float> sourceLab_;  // the blurred source as L, a and b planes
};

// The score of a conversion: the fitted picture, as it was before the conversion, against
// the fitted area of the result drawn in the palette's colours.
double conversionScore(const QImage& fitted, const PixelBuffer& buffer, int pictureWidth,
                       int palette);

}  // namespace tovik
