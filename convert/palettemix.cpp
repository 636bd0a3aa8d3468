#include "convert/palettemix.h"

#include <QRgb>
#include <algorithm>
#include <cmath>

#include "convert/linearlight.h"
#include "picture/palette.h"

namespace tovik {

namespace {

using Vector = std::array<double, 3>;
using Matrix = std::array<Vector, 3>;

// Below this Gram determinant corners count as lying in a lower dimension. The palettes'
// colours are either far apart or exactly in line (channels of exactly 0 or 255).
constexpr double kFlat = 1e-9;

double dot(const Vector& a, const Vector& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Inverts the k x k matrix m (k <= 3) in place by Gauss-Jordan elimination; false when it
// is singular.
bool invert(Matrix& m, int k) {
    Matrix inverse{};
    for (int i = 0; i < k; ++i) {
        inverse[size_t(i)][size_t(i)] = 1;
    }
    for (size_t col = 0; col < size_t(k); ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < size_t(k); ++row) {
            if (std::abs(m[row][col]) > std::abs(m[pivot][col])) {
                pivot = row;
            }
        }
        if (std::abs(m[pivot][col]) < kFlat) {
            return false;
        }
        std::swap(m[pivot], m[col]);
        std::swap(inverse[pivot], inverse[col]);
        const double scale = 1 / m[col][col];
        for (size_t j = 0; j < size_t(k); ++j) {
            m[col][j] *= scale;
            inverse[col][j] *= scale;
        }
        for (size_t row = 0; row < size_t(k); ++row) {
            const double f = row == col ? 0 : m[row][col];
            for (size_t j = 0; j < size_t(k); ++j) {
                m[row][j] -= f * m[col][j];
                inverse[row][j] -= f * inverse[col][j];
            }
        }
    }
    m = inverse;
    return true;
}

float sum3(Float4 v) {
    return v[0] + v[1] + v[2];
}

}  // namespace

PaletteMix::PaletteMix(int palette) {
    std::array<Vector, 4> colours{};
    for (int c = 0; c < 4; ++c) {
        const QRgb rgb = paletteColour(palette, c);
        colours[size_t(c)] = {linearLight(qRed(rgb)), linearLight(qGreen(rgb)),
                              linearLight(qBlue(rgb))};
        colours_[size_t(c)] = Float4{float(colours[size_t(c)][0]), float(colours[size_t(c)][1]),
                                     float(colours[size_t(c)][2]), 0};
    }
    // The first of each set of equal colours.
    std::array<int, 4> distinct{};
    int count = 0;
    for (int c = 0; c < 4; ++c) {
        if (std::find_if(distinct.begin(), distinct.begin() + count, [&](int d) {
                return colours[size_t(d)] == colours[size_t(c)];
            }) == distinct.begin() + count) {
            distinct[size_t(count++)] = c;
        }
    }
    // Every subset of the distinct colours whose corners span as many dimensions as there
    // are corners after the first; only those of the greatest size are kept.
    int largest = 0;
    for (int mask = 1; mask < (1 << count); ++mask) {
        std::array<int, 4> corner{};
        int corners = 0;
        for (int i = 0; i < count; ++i) {
            if (mask & (1 << i)) {
                corner[size_t(corners++)] = distinct[size_t(i)];
            }
        }
        if (corners < largest) {
            continue;
        }
        // The weights of corners 1.. by the normal equations: (E^T E)^-1 E^T applied to
        // colour - corner 0, E the edges from corner 0; corner 0 takes the rest of 1.
        const int k = corners - 1;
        const Vector& origin = colours[size_t(corner[0])];
        Matrix edges{};
        for (size_t i = 0; i < size_t(k); ++i) {
            for (size_t ch = 0; ch < 3; ++ch) {
                edges[i][ch] = colours[size_t(corner[i + 1])][ch] - origin[ch];
            }
        }
        Matrix gram{};
        for (size_t i = 0; i < size_t(k); ++i) {
            for (size_t j = 0; j < size_t(k); ++j) {
                gram[i][j] = dot(edges[i], edges[j]);
            }
        }
        if (!invert(gram, k)) {
            continue;
        }
        Simplex s;
        s.base[corner[0]] = 1;
        for (size_t i = 0; i < size_t(k); ++i) {
            Vector row{};  // corner i + 1's weight per unit of each channel
            for (size_t ch = 0; ch < 3; ++ch) {
                for (size_t j = 0; j < size_t(k); ++j) {
                    row[ch] += gram[i][j] * edges[j][ch];
                }
            }
            const int lane = corner[i + 1];
            s.base[lane] = float(-dot(row, origin));
            s.base[corner[0]] += float(dot(row, origin));
            for (size_t ch = 0; ch < 3; ++ch) {
                s.perChannel[ch][lane] = float(row[ch]);
                s.perChannel[ch][corner[0]] -= float(row[ch]);
            }
        }
        if (corners > largest) {
            simplexCount_ = 0;  // a larger simplex spans more: the smaller ones go
            largest = corners;
        }
        simplices_[size_t(simplexCount_++)] = s;
    }
}

Float4 PaletteMix::tightest(Float4 colour) const {
    // Among the simplices that hold the colour, the least spread: the mean squared
    // distance of the mixed colours from it. Otherwise the one it is least outside of.
    auto outsideOf = [](Float4 w) { return std::min({0.0f, w[0], w[1], w[2], w[3]}); };
    auto spreadOf = [&](Float4 w) {
        float spread = 0;
        for (int c = 0; c < 4; ++c) {
            const Float4 d = colours_[size_t(c)] - colour;
            spread += w[c] * sum3(d * d);
        }
        return spread;
    };
    Float4 best = weightsIn(simplices_[0], colour);
    float bestOutside = outsideOf(best), bestSpread = spreadOf(best);
    for (int i = 1; i < simplexCount_; ++i) {
        const Float4 w = weightsIn(simplices_[size_t(i)], colour);
        const float outside = outsideOf(w), spread = spreadOf(w);
        if (outside > bestOutside || (outside == bestOutside && spread < bestSpread)) {
            best = w;
            bestOutside = outside;
            bestSpread = spread;
        }
    }
    return best;
}

bool PaletteMix::mixes(Float4 colour, float tolerance) const {
    for (int i = 0; i < simplexCount_; ++i) {
        const Float4 w = weightsIn(simplices_[size_t(i)], colour);
        if (std::min({w[0], w[1], w[2], w[3]}) < -tolerance) {
            continue;
        }
        Float4 mixed = {0, 0, 0, 0};
        for (int c = 0; c < 4; ++c) {
            mixed += w[c] * colours_[size_t(c)];
        }
        const Float4 d = mixed - colour;
        if (std::max({std::abs(d[0]), std::abs(d[1]), std::abs(d[2])}) <= tolerance) {
            return true;
        }
    }
    return false;
}

}  // namespace tovik
