#include "convert/ordereddither.h"

#include <algorithm>
#include <vector>

#include "convert/palettegamut.h"
#include "convert/palettemix.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

namespace {

constexpr int kLargestMatrix = 8;

// The Bayer matrix of side n (a power of two): each doubling puts the four copies of the
// smaller one at 4m, 4m + 2, 4m + 3 and 4m + 1, so that successive thresholds lie as far
// apart as possible.
std::vector<int> bayerMatrix(int n) {
    std::vector<int> m{0};
    for (int side = 1; side < n; side *= 2) {
        std::vector<int> next(size_t(4 * side * side));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const int v = 4 * m[size_t(y * side + x)];
                next[size_t(y * 2 * side + x)] = v;
                next[size_t(y * 2 * side + x + side)] = v + 2;
                next[size_t((y + side) * 2 * side + x)] = v + 3;
                next[size_t((y + side) * 2 * side + x + side)] = v + 1;
            }
        }
        m = std::move(next);
    }
    return m;
}

}  // namespace

int orderedMatrixSide(int matrix) {
    return matrix <= 2 ? 2 : matrix <= 4 ? 4 : kLargestMatrix;
}

void convertOrdered(const QImage& fitted, const OrderedSettings& settings, int palette,
                    int pictureWidth, PixelBuffer& buffer) {
    if (fitted.isNull()) {
        return;
    }
    const QImage picture = asRgb32(fitted);
    buffer.clear();
    const int n = orderedMatrixSide(settings.matrix);
    const std::vector<int> matrix = bayerMatrix(n);
    const PaletteGamut gamut(palette);
    const PaletteMix mix(palette);
    // Each pixel mixes its aim from the palette's colours, and its threshold in the matrix
    // picks one of them: the colours stand in a row from dark to light, each taking a
    // stretch of 0..1 as long as its weight, and the threshold falls in one stretch. Over a
    // tile of the matrix each colour gets its share of the pixels.
    std::array<int, 4> order = {0, 1, 2, 3};
    auto luminance = [&](int c) {
        const Float4 v = mix.colour(c);
        return 0.2126f * v[0] + 0.7152f * v[1] + 0.0722f * v[2];
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return luminance(a) < luminance(b); });
    std::vector<float> thresholds(matrix.size());
    for (size_t i = 0; i < matrix.size(); ++i) {
        thresholds[i] = (float(matrix[i]) + 0.5f) / float(matrix.size());
    }

    const int w = picture.width(), h = picture.height();
    std::vector<Float4> aims(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const long long first = static_cast<long long>(y) * pictureWidth;
        if (pictureWidth <= 0 || first >= PixelBuffer::kSize) {
            break;  // no later row reaches the buffer, and none changes an earlier one
        }
        gamut.targets(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), w, aims.data());
        const float* row = thresholds.data() + (y % n) * n;
        for (int x = 0; x < std::min(w, pictureWidth) && first + x < PixelBuffer::kSize; ++x) {
            const Float4 weights = mix.weights(aims[size_t(x)]);
            const float threshold = row[x % n];
            // The number of stretches that end at or before the threshold is the place of
            // the chosen colour in the row; rounding can leave the last end just below 1.
            float end = 0;
            int place = 0;
            for (int i = 0; i < 3; ++i) {
                end += weights[order[size_t(i)]];
                place += end <= threshold ? 1 : 0;
            }
            buffer.set(int(first + x), order[size_t(place)]);
        }
    }
}

}  // namespace tovik
