#include "convert/score.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <utility>

#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

// The loops over the pixels also get a version for wider vector units, chosen when the
// program starts on a processor that has them. It runs the same operations in the same
// order (no fused multiply-add), so it gives the same scores to the last bit.
#if defined(__x86_64__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#ifndef WIDE_VECTORS
#define WIDE_VECTORS
#endif

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
WIDE_VECTORS
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

// The formulas below are written once for float and double. Each pixel runs the same
// steps with no branch, only selections, and every step is inlined into the loop over the
// pixels, so that the compiler can process several pixels in one instruction; the picture
// path uses float, the single pair double.

template <typename T>
struct Bits;
template <>
struct Bits<float> {
    using Int = int32_t;
    static constexpr int kMantissa = 23;
    static constexpr Int kBias = 127;
    static constexpr Int kCubeRootGuess = 709958130;  // a third of the exponent bias, tuned
};
template <>
struct Bits<double> {
    using Int = int64_t;
    static constexpr int kMantissa = 52;
    static constexpr Int kBias = 1023;
};

// c0 + x (c1 + x (c2 + ...)), the coefficients rounded to T.
template <typename T>
[[gnu::always_inline]] inline T polynomial(T, double c0) {
    return T(c0);
}
template <typename T, typename... Rest>
[[gnu::always_inline]] inline T polynomial(T x, double c0, Rest... rest) {
    return T(c0) + x * polynomial(x, rest...);
}

// The cube root of t >= 1e-3 (float only): a first guess from the exponent bits, within a few per
// cent, then two Halley steps, each of which cubes the relative error. The guess divides the bits
// by 3 through a floating-point product, which vector units can do.
template <typename T>
[[gnu::always_inline]] inline T cubeRoot(T t) {
    using Int = typename Bits<T>::Int;
    const Int bits = std::bit_cast<Int>(t);
    T y = std::bit_cast<T>(Int(T(bits) * T(1.0 / 3)) + Bits<T>::kCubeRootGuess);
    T y3 = y * y * y;
    y *= (y3 + 2 * t) / (2 * y3 + t);
    y3 = y * y * y;
    return y * (y3 + 2 * t) / (2 * y3 + t);
}

template <typename T>
[[gnu::always_inline]] inline T labF(T t) {
    constexpr T kEpsilon = T(216.0 / 24389.0);
    constexpr T kKappa = T(24389.0 / 27.0);
    const T root = cubeRoot(std::max(t, kEpsilon));
    return t > kEpsilon ? root : (kKappa * t + 16) / 116;
}

// e^y for -80 <= y <= 0: 2^k times a series for the rest, |r| <= ln 2 / 2.
template <typename T>
[[gnu::always_inline]] inline T expNegative(T y) {
    using Int = typename Bits<T>::Int;
    constexpr T kLn2High = T(0.693145751953125), kLn2Low = T(1.42860682030941723212e-6);
    y = std::max(y, T(-80));
    const Int k = Int(y * T(std::numbers::log2e) - T(0.5));  // rounds: y is not positive
    const T r = (y - T(k) * kLn2High) - T(k) * kLn2Low;
    const T sum = polynomial(r, 1.0, 1.0, 1.0 / 2, 1.0 / 6, 1.0 / 24, 1.0 / 120, 1.0 / 720,
                             1.0 / 5040, 1.0 / 40320);
    return sum * std::bit_cast<T>((k + Bits<T>::kBias) << Bits<T>::kMantissa);
}

// sin x for 0 <= x <= pi / 3.
template <typename T>
[[gnu::always_inline]] inline T sinSmall(T x) {
    return x * polynomial(x * x, 1.0, -1.0 / 6, 1.0 / 120, -1.0 / 5040, 1.0 / 362880,
                          -1.0 / 39916800, 1.0 / 6227020800);
}

// atan2 in degrees. The ratio of the smaller to the larger side is brought below
// tan 15 degrees, where the series to x^11 is exact to about 3e-9 radians.
template <typename T>
[[gnu::always_inline]] inline T atan2Degrees(T y, T x) {
    constexpr T kTan15 = T(0.26794919243112270), kSqrt3 = T(1.7320508075688772);
    constexpr T kPi = T(std::numbers::pi);
    const T ax = std::abs(x), ay = std::abs(y);
    const T larger = std::max(ax, ay), smaller = std::min(ax, ay);
    const T q = larger > 0 ? smaller / larger : T(0);
    const bool reduce = q > kTan15;
    const T t = reduce ? (q * kSqrt3 - 1) / (q + kSqrt3) : q;
    const T t2 = t * t;
    T angle = t * polynomial(t2, 1.0, -1.0 / 3, 1.0 / 5, -1.0 / 7, 1.0 / 9, -1.0 / 11) +
              (reduce ? kPi / 6 : T(0));
    angle = ay > ax ? kPi / 2 - angle : angle;
    angle = x < 0 ? kPi - angle : angle;
    angle = y < 0 ? -angle : angle;
    return angle * T(180 / std::numbers::pi);
}

template <typename T>
[[gnu::always_inline]] inline T pow7(T v) {
    const T v2 = v * v;
    return v2 * v2 * v2 * v;
}

template <typename T>
[[gnu::always_inline]] inline T chromaRatio(T c) {
    constexpr T k25To7 = T(6103515625.0);  // 25^7
    const T c7 = pow7(c);
    return std::sqrt(c7 / (c7 + k25To7));
}

// CIEDE2000 with the hue terms taken from the vectors (a', b') instead of their angles:
// the hue difference from their cross and dot products, the mean hue as the direction
// halfway between them, T from that direction's multiples. This saves two arc tangents
// and four cosines. Two chromatic colours of exactly opposite hues give -1: there the
// arc between them, and with it the mean hue, is decided by the angles themselves.
template <typename T>
[[gnu::always_inline]] inline T difference(T l1, T a1, T b1, T l2, T a2, T b2) {
    const T c1 = std::sqrt(a1 * a1 + b1 * b1), c2 = std::sqrt(a2 * a2 + b2 * b2);
    const T g = T(0.5) * (1 - chromaRatio(T(0.5) * (c1 + c2)));
    const T ap1 = (1 + g) * a1, ap2 = (1 + g) * a2;
    const T cp1 = std::sqrt(ap1 * ap1 + b1 * b1), cp2 = std::sqrt(ap2 * ap2 + b2 * b2);
    const T p = cp1 * cp2;
    const T dot = ap1 * ap2 + b1 * b2;
    const T cross = ap1 * b2 - b1 * ap2;
    const bool chromatic = p > 0;
    const bool closeHues = dot >= 0;

    // 2 sqrt(p) sin(dh / 2). Within a right angle, as sin(dh) / (2 cos(dh / 2)), which
    // does not cancel for close hues; beyond it, from cos(dh).
    const T dHNear = cross * std::sqrt(2 / std::max(p + dot, T(1e-30)));
    const T dHFar = std::copysign(std::sqrt(2 * std::max(p - dot, T(0))), cross);
    const T dH = chromatic ? (closeHues ? dHNear : dHFar) : T(0);

    // The mean hue's direction, scaled by p: the sum of the unit vectors, or beyond a
    // right angle their difference turned towards the shorter arc. With a chroma of 0
    // the mean hue is the other colour's hue (0 when both are grey).
    const T turn = cross > 0 ? T(1) : T(-1);
    const T mx =
        chromatic ? (closeHues ? ap1 * cp2 + ap2 * cp1 : turn * (b2 * cp1 - b1 * cp2)) : ap1 + ap2;
    const T my =
        chromatic ? (closeHues ? b1 * cp2 + b2 * cp1 : turn * (ap1 * cp2 - ap2 * cp1)) : b1 + b2;
    const T n2 = mx * mx + my * my;
    const bool hasHue = n2 > 0;
    const T inverse = T(1) / std::sqrt(hasHue ? n2 : T(1));
    const T cosH = hasHue ? mx * inverse : T(1), sinH = my * inverse;

    const T cos2 = cosH * cosH - sinH * sinH, sin2 = 2 * cosH * sinH;
    const T cos3 = cos2 * cosH - sin2 * sinH, sin3 = sin2 * cosH + cos2 * sinH;
    const T cos4 = cos2 * cos2 - sin2 * sin2, sin4 = 2 * cos2 * sin2;
    constexpr T kCos30 = T(0.86602540378443865), kSin30 = T(0.5);
    constexpr T kCos6 = T(0.99452189536827329), kSin6 = T(0.10452846326765347);
    constexpr T kCos63 = T(0.45399049973954679), kSin63 = T(0.89100652418836787);
    const T t = 1 - T(0.17) * (cosH * kCos30 + sinH * kSin30) + T(0.24) * cos2 +
                T(0.32) * (cos3 * kCos6 - sin3 * kSin6) - T(0.20) * (cos4 * kCos63 + sin4 * kSin63);

    // The mean hue less 275 degrees. The mean hue counts from 0 to 360, so from 85 on
    // the angle below is really 360 less, where the rotation term is below 1e-50.
    constexpr T kCos275 = T(0.087155742747658174), kSin275 = T(-0.99619469809174553);
    const T fromRed =
        atan2Degrees(sinH * kCos275 - cosH * kSin275, cosH * kCos275 + sinH * kSin275);
    const T e = fromRed / 25;
    // A product, not a selection: selecting around the series stops the compiler from
    // processing several pixels at once when wider vector units are enabled.
    const T theta = T(fromRed < 85) * 30 * expNegative(-e * e);
    const T rT =
        -sinSmall(2 * theta * T(std::numbers::pi / 180)) * 2 * chromaRatio(T(0.5) * (cp1 + cp2));

    const T lMean = T(0.5) * (l1 + l2), cMean = T(0.5) * (cp1 + cp2);
    const T l50 = (lMean - 50) * (lMean - 50);
    const T sL = 1 + T(0.015) * l50 / std::sqrt(20 + l50);
    const T sC = 1 + T(0.045) * cMean, sH = 1 + T(0.015) * cMean * t;
    const T l = (l2 - l1) / sL, c = (cp2 - cp1) / sC, h = dH / sH;
    const T result = std::sqrt(std::max(l * l + c * c + h * h + rT * c * h, T(0)));
    return chromatic && !closeHues && cross == 0 ? T(-1) : result;
}

// CIEDE2000 term by term with hue angles. Used only for two chromatic colours of exactly
// opposite hues, where the arc between them, and with it the sign of the hue difference
// and the mean hue, is decided by the angles themselves.
double ciede2000ByAngles(const Lab& x, const Lab& y) {
    const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
    const double g = 0.5 * (1 - chromaRatio((c1 + c2) / 2));
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
    const double rC = 2 * chromaRatio(cMean);
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sC = 1 + 0.045 * cMean, sH = 1 + 0.015 * cMean * t;
    const double rT = -std::sin(2 * theta * kDegree) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

// Converts three linear planes of n values to L, a and b planes in place.
WIDE_VECTORS
void toLab(float* p0, float* p1, float* p2, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const float r = p0[i], g = p1[i], b = p2[i];
        const float x = 0.4124564f * r + 0.3575761f * g + 0.1804375f * b;
        const float y = 0.2126729f * r + 0.7151522f * g + 0.0721750f * b;
        const float z = 0.0193339f * r + 0.1191920f * g + 0.9503041f * b;
        const float fx = labF(x * (1 / 0.95047f)), fy = labF(y), fz = labF(z * (1 / 1.08883f));
        p0[i] = 116 * fy - 16;
        p1[i] = 500 * (fx - fy);
        p2[i] = 200 * (fy - fz);
    }
}

void toLab(Planes& planes) {
    toLab(planes.plane(0), planes.plane(1), planes.plane(2), planes.planeSize());
}

WIDE_VECTORS
void differencesOf(const float* l1, const float* a1, const float* b1, const float* l2,
                   const float* a2, const float* b2, size_t n, float* out) {
    for (size_t i = 0; i < n; ++i) {
        out[i] = difference(l1[i], a1[i], b1[i], l2[i], a2[i], b2[i]);
    }
}

// Blurs the result's planes and takes the mean difference to the source's Lab planes.
double meanDifference(const std::vector<float>& sourceLab, Planes& planes) {
    const size_t n = planes.planeSize();
    if (n == 0) {
        return 0;
    }
    blur(planes);
    toLab(planes);
    const float* l1 = sourceLab.data();
    const float* a1 = l1 + n;
    const float* b1 = a1 + n;
    const float* l2 = planes.plane(0);
    const float* a2 = planes.plane(1);
    const float* b2 = planes.plane(2);
    std::vector<float> differences(n);
    differencesOf(l1, a1, b1, l2, a2, b2, n, differences.data());
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        sum += differences[i] >= 0 ? double(differences[i])
                                   : ciede2000({l1[i], a1[i], b1[i]}, {l2[i], a2[i], b2[i]});
    }
    return sum / double(n);
}

}  // namespace

void linearToLab(float* red, float* green, float* blue, size_t n) {
    toLab(red, green, blue, n);
}

void ciede2000Many(const float* l1, const float* a1, const float* b1, const float* l2,
                   const float* a2, const float* b2, size_t n, float* out) {
    differencesOf(l1, a1, b1, l2, a2, b2, n, out);
    for (size_t i = 0; i < n; ++i) {
        if (out[i] < 0) {
            out[i] = float(ciede2000({l1[i], a1[i], b1[i]}, {l2[i], a2[i], b2[i]}));
        }
    }
}

double ciede2000(const Lab& x, const Lab& y) {
    const double d = difference(x.l, x.a, x.b, y.l, y.a, y.b);
    return d >= 0 ? d : ciede2000ByAngles(x, y);
}

PictureScorer::PictureScorer(const QImage& source)
    : width_(source.width()), height_(source.height()) {
    Planes planes = linearPlanes(source);
    blur(planes);
    toLab(planes);
    sourceLab_ = std::move(planes.values);
}

double PictureScorer::score(const QImage& result) const {
    if (result.width() != width_ || result.height() != height_) {
        throw Error(QCoreApplication::translate(
                        "tovik::Score", "The two pictures differ in size: %1 x %2 and %3 x %4")
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
        throw Error(QCoreApplication::translate(
                        "tovik::Score", "The two pictures differ in size: %1 x %2 and %3 x %4")
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
