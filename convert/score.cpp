#include "convert/score.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Channel byte to linear light, one entry per byte value.
const std::array<float, 256> kLinear = [] {
    std::array<float, 256> table{};
    for (int v = 0; v < 256; ++v) {
        const double c = v / 255.0;
        table[size_t(v)] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return table;
}();

// The Gaussian of sigma 1 at offsets -3..3, normalised to a sum of 1.
constexpr int kRadius = 3;
const std::array<float, 2 * kRadius + 1> kBlurWeights = [] {
    std::array<double, 2 * kRadius + 1> w{};
    double sum = 0;
    for (int d = -kRadius; d <= kRadius; ++d) {
        w[size_t(d + kRadius)] = std::exp(-d * d / 2.0);
        sum += w[size_t(d + kRadius)];
    }
    std::array<float, 2 * kRadius + 1> weights{};
    for (size_t i = 0; i < w.size(); ++i) {
        weights[i] = float(w[i] / sum);
    }
    return weights;
}();

// The three linear channels of a picture, each a plane of width*height floats.
struct Planes {
    int width = 0;
    int height = 0;
    std::vector<float> values;  // red plane, green plane, blue plane

    Planes(int w, int h) : width(w), height(h), values(size_t(3) * size_t(w) * size_t(h)) {}
    size_t planeSize() const { return size_t(width) * size_t(height); }
    float* plane(int c) { return values.data() + size_t(c) * planeSize(); }
};

Planes linearPlanes(const QImage& image) {
    const QImage rgb = image.format() == QImage::Format_RGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    Planes planes(rgb.width(), rgb.height());
    float* r = planes.plane(0);
    float* g = planes.plane(1);
    float* b = planes.plane(2);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* bytes = rgb.constScanLine(y);  // blue, green, red, spare
        const size_t row = size_t(y) * size_t(rgb.width());
        for (int x = 0; x < rgb.width(); ++x) {
            b[row + size_t(x)] = kLinear[bytes[4 * x]];
            g[row + size_t(x)] = kLinear[bytes[4 * x + 1]];
            r[row + size_t(x)] = kLinear[bytes[4 * x + 2]];
        }
    }
    return planes;
}

// Blurs one plane in place, rows first, then columns; a coordinate outside the picture
// reads the nearest edge pixel. Each row is copied into a padded line first so that the
// inner loop has no edge tests.
void blurPlane(float* plane, int width, int height, std::vector<float>& scratch) {
    const size_t w = size_t(width);
    scratch.resize(w * size_t(height) + w + 2 * kRadius);
    float* rows = scratch.data();
    float* line = rows + w * size_t(height);
    for (int y = 0; y < height; ++y) {
        const float* in = plane + size_t(y) * w;
        std::fill(line, line + kRadius, in[0]);
        std::memcpy(line + kRadius, in, w * sizeof(float));
        std::fill(line + kRadius + w, line + 2 * kRadius + w, in[w - 1]);
        float* out = rows + size_t(y) * w;
        for (size_t x = 0; x < w; ++x) {
            float sum = 0;
            for (int d = 0; d <= 2 * kRadius; ++d) {
                sum += kBlurWeights[size_t(d)] * line[x + size_t(d)];
            }
            out[x] = sum;
        }
    }
    for (int y = 0; y < height; ++y) {
        float* out = plane + size_t(y) * w;
        std::fill(out, out + w, 0.0f);
        for (int d = -kRadius; d <= kRadius; ++d) {
            const float weight = kBlurWeights[size_t(d + kRadius)];
            const float* in = rows + size_t(std::clamp(y + d, 0, height - 1)) * w;
            for (size_t x = 0; x < w; ++x) {
                out[x] += weight * in[x];
            }
        }
    }
}

void blur(Planes& planes) {
    if (planes.planeSize() == 0) {
        return;
    }
    std::vector<float> scratch;
    for (int c = 0; c < 3; ++c) {
        blurPlane(planes.plane(c), planes.width, planes.height, scratch);
    }
}

// The cube root of t > 0: a first guess from the exponent bits, within a few per cent,
// then two Halley steps, each of which cubes the relative error.
double cubeRoot(double t) {
    uint64_t bits;
    std::memcpy(&bits, &t, sizeof bits);
    bits = bits / 3 + 0x2A9F7893782DA1CEull;
    double y;
    std::memcpy(&y, &bits, sizeof y);
    for (int i = 0; i < 2; ++i) {
        const double y3 = y * y * y;
        y *= (y3 + 2 * t) / (2 * y3 + t);
    }
    return y;
}

double labF(double t) {
    constexpr double kEpsilon = 216.0 / 24389.0;
    constexpr double kKappa = 24389.0 / 27.0;
    return t > kEpsilon ? cubeRoot(t) : (kKappa * t + 16) / 116;
}

Lab labOfLinear(double r, double g, double b) {
    const double x = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    const double fx = labF(x / 0.95047), fy = labF(y), fz = labF(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

constexpr double k25To7 = 6103515625.0;  // 25^7

double pow7(double v) {
    const double v2 = v * v;
    return v2 * v2 * v2 * v;
}

// CIEDE2000 term by term with hue angles. Used only for two chromatic colours of exactly
// opposite hues, where the arc between them, and with it the sign of the hue difference
// and the mean hue, is decided by the angles themselves.
double ciede2000ByAngles(const Lab& x, const Lab& y) {
    const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
    const double c7 = pow7((c1 + c2) / 2);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + k25To7)));
    const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
    const double cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
    auto hue = [](double b, double a) {
        const double h = std::atan2(b, a) / kDegree;
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(x.b, a1), h2 = hue(y.b, a2);
    double dh = h2 - h1;
    if (dh > 180) {
        dh -= 360;
    } else if (dh < -180) {
        dh += 360;
    }
    const double dL = y.l - x.l, dC = cp2 - cp1;
    const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(dh / 2 * kDegree);
    const double lMean = (x.l + y.l) / 2, cMean = (cp1 + cp2) / 2;
    double hMean = (h1 + h2) / 2;
    if (std::abs(h1 - h2) > 180) {
        hMean += h1 + h2 < 360 ? 180 : -180;
    }
    const double t =
        1 - 0.17 * std::cos((hMean - 30) * kDegree) + 0.24 * std::cos(2 * hMean * kDegree) +
        0.32 * std::cos((3 * hMean + 6) * kDegree) - 0.20 * std::cos((4 * hMean - 63) * kDegree);
    const double theta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cMean7 = pow7(cMean);
    const double rC = 2 * std::sqrt(cMean7 / (cMean7 + k25To7));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * cMean, sH = 1 + 0.015 * cMean * t;
    const double rT = -std::sin(2 * theta * kDegree) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

// Blurs the result's planes and takes the mean difference to the source's Lab colours.
double meanDifference(const std::vector<Lab>& sourceLab, Planes& planes) {
    const size_t n = sourceLab.size();
    if (n == 0) {
        return 0;
    }
    blur(planes);
    const float* r = planes.plane(0);
    const float* g = planes.plane(1);
    const float* b = planes.plane(2);
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        sum += ciede2000(sourceLab[i], labOfLinear(r[i], g[i], b[i]));
    }
    return sum / double(n);
}

}  // namespace

// The hue terms come from the vectors (a', b') instead of their angles: the hue
// difference from their cross and dot products, the mean hue as the direction halfway
// between them, and T from that direction's multiples. This saves two arc tangents and
// four cosines per pixel and gives the same value.
double ciede2000(const Lab& x, const Lab& y) {
    const double c1 = std::sqrt(x.a * x.a + x.b * x.b), c2 = std::sqrt(y.a * y.a + y.b * y.b);
    const double c7 = pow7((c1 + c2) / 2);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + k25To7)));
    const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
    const double cp1 = std::sqrt(a1 * a1 + x.b * x.b), cp2 = std::sqrt(a2 * a2 + y.b * y.b);
    const double p = cp1 * cp2;

    double dH = 0;
    double cosH = 1, sinH = 0;  // the mean hue: h1' + h2' when a chroma is 0
    if (p == 0) {
        if (cp1 != 0) {
            cosH = a1 / cp1, sinH = x.b / cp1;
        } else if (cp2 != 0) {
            cosH = a2 / cp2, sinH = y.b / cp2;
        }
    } else {
        const double dot = a1 * a2 + x.b * y.b;
        const double cross = a1 * y.b - x.b * a2;
        if (cross == 0 && dot < 0) {
            return ciede2000ByAngles(x, y);
        }
        const double u1x = a1 / cp1, u1y = x.b / cp1, u2x = a2 / cp2, u2y = y.b / cp2;
        double mx, my;
        if (dot >= 0) {
            // 2 sqrt(p) sin(dh/2), with sin(dh/2) = sin(dh) / (2 cos(dh/2)): no cancellation
            // for hues less than a right angle apart.
            dH = cross * std::sqrt(2 / (p + dot));
            mx = u1x + u2x, my = u1y + u2y;
        } else {
            dH = std::copysign(std::sqrt(2 * (p - dot)), cross);
            // Square to the difference of the unit vectors, turned towards the shorter arc.
            const double s = cross > 0 ? 1 : -1;
            mx = s * (u2y - u1y), my = -s * (u2x - u1x);
        }
        const double n = std::sqrt(mx * mx + my * my);
        cosH = mx / n, sinH = my / n;
    }

    const double cos2 = cosH * cosH - sinH * sinH, sin2 = 2 * cosH * sinH;
    const double cos3 = cos2 * cosH - sin2 * sinH, sin3 = sin2 * cosH + cos2 * sinH;
    const double cos4 = cos2 * cos2 - sin2 * sin2, sin4 = 2 * cos2 * sin2;
    const double cos30 = std::sqrt(3.0) / 2, sin30 = 0.5;
    const double cos6 = 0.99452189536827329, sin6 = 0.10452846326765347;
    const double cos63 = 0.45399049973954679, sin63 = 0.89100652418836787;
    const double t = 1 - 0.17 * (cosH * cos30 + sinH * sin30) + 0.24 * cos2 +
                     0.32 * (cos3 * cos6 - sin3 * sin6) - 0.20 * (cos4 * cos63 + sin4 * sin63);

    double hMean = std::atan2(sinH, cosH) / kDegree;
    if (hMean < 0) {
        hMean += 360;
    }
    const double e = (hMean - 275) / 25;
    const double theta = 30 * std::exp(-e * e);

    const double dL = y.l - x.l, dC = cp2 - cp1;
    const double lMean = (x.l + y.l) / 2, cMean = (cp1 + cp2) / 2;
    const double cMean7 = pow7(cMean);
    const double rC = 2 * std::sqrt(cMean7 / (cMean7 + k25To7));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * cMean, sH = 1 + 0.015 * cMean * t;
    const double rT = -std::sin(2 * theta * kDegree) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

PictureScorer::PictureScorer(const QImage& source)
    : width_(source.width()), height_(source.height()) {
    Planes planes = linearPlanes(source);
    blur(planes);
    const size_t n = planes.planeSize();
    sourceLab_.resize(n);
    const float* r = planes.plane(0);
    const float* g = planes.plane(1);
    const float* b = planes.plane(2);
    for (size_t i = 0; i < n; ++i) {
        sourceLab_[i] = labOfLinear(r[i], g[i], b[i]);
    }
}

double PictureScorer::score(const QImage& result) const {
    if (result.width() != width_ || result.height() != height_) {
        throw Error(QStringLiteral("The two pictures differ in size: %1 x %2 and %3 x %4")
                        .arg(width_)
                        .arg(height_)
                        .arg(result.width())
                        .arg(result.height()));
    }
    Planes planes = linearPlanes(result);
    return meanDifference(sourceLab_, planes);
}

double PictureScorer::score(const PixelBuffer& buffer, int pictureWidth, int palette) const {
    std::array<std::array<float, 3>, 4> colours{};
    for (int c = 0; c < 4; ++c) {
        const QRgb rgb = paletteColour(palette, c);
        colours[size_t(c)] = {kLinear[size_t(qRed(rgb))], kLinear[size_t(qGreen(rgb))],
                              kLinear[size_t(qBlue(rgb))]};
    }
    Planes planes(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const auto& colour = colours[buffer.at(y * pictureWidth + x)];
            const size_t i = size_t(y) * size_t(width_) + size_t(x);
            for (int c = 0; c < 3; ++c) {
                planes.plane(c)[i] = colour[size_t(c)];
            }
        }
    }
    return meanDifference(sourceLab_, planes);
}

double pictureScore(const QImage& source, const QImage& result) {
    if (source.size() != result.size()) {
        throw Error(QStringLiteral("The two pictures differ in size: %1 x %2 and %3 x %4")
                        .arg(source.width())
                        .arg(source.height())
                        .arg(result.width())
                        .arg(result.height()));
    }
    return PictureScorer(source).score(result);
}

double conversionScore(const QImage& fitted, const PixelBuffer& buffer, int pictureWidth,
                       int palette) {
    return PictureScorer(fitted).score(buffer, pictureWidth, palette);
}

}  // namespace tovik
