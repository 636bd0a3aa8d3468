#include "convert/palettediffusion.h"

// The nearest colour's last steps use SSE where the processor has it; elsewhere, or with
// the CMake option TOVIK_PLAIN_CPP, plain C++ that picks the same colour.
#if defined(__SSE__) && !defined(TOVIK_PLAIN_CPP)
#define TOVIK_NEAREST_SSE 1
#include <immintrin.h>
#endif

#include <algorithm>
#include <utility>
#include <vector>

#include "convert/palettegamut.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

const std::array<QString, 8> kDiffusionKernelNames = {
    QStringLiteral("floyd-steinberg"), QStringLiteral("jarvis"),   QStringLiteral("stucki"),
    QStringLiteral("burkes"),          QStringLiteral("sierra"),   QStringLiteral("sierra-2"),
    QStringLiteral("sierra-lite"),     QStringLiteral("atkinson"),
};

namespace {

// One share of a pixel's error: dx columns ahead in the scan direction, dy rows down.
struct Tap {
    int dx;
    int dy;
    int weight;
};

struct Kernel {
    int divisor;
    int count;
    std::array<Tap, 12> taps;
};

// The kernels' standard weights, in the order of DiffusionKernel. Atkinson's six eighths
// pass on only 3/4 of the error, which keeps its highlights and shadows clean.
constexpr std::array<Kernel, 8> kKernels = {{
    {16, 4, {{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}}},
    {48,
     12,
     {{{1, 0, 7},
       {2, 0, 5},
       {-2, 1, 3},
       {-1, 1, 5},
       {0, 1, 7},
       {1, 1, 5},
       {2, 1, 3},
       {-2, 2, 1},
       {-1, 2, 3},
       {0, 2, 5},
       {1, 2, 3},
       {2, 2, 1}}}},
    {42,
     12,
     {{{1, 0, 8},
       {2, 0, 4},
       {-2, 1, 2},
       {-1, 1, 4},
       {0, 1, 8},
       {1, 1, 4},
       {2, 1, 2},
       {-2, 2, 1},
       {-1, 2, 2},
       {0, 2, 4},
       {1, 2, 2},
       {2, 2, 1}}}},
    {32, 7, {{{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}}}},
    {32,
     10,
     {{{1, 0, 5},
       {2, 0, 3},
       {-2, 1, 2},
       {-1, 1, 4},
       {0, 1, 5},
       {1, 1, 4},
       {2, 1, 2},
       {-1, 2, 2},
       {0, 2, 3},
       {1, 2, 2}}}},
    {16, 7, {{{1, 0, 4}, {2, 0, 3}, {-2, 1, 1}, {-1, 1, 2}, {0, 1, 3}, {1, 1, 2}, {2, 1, 1}}}},
    {4, 3, {{{1, 0, 2}, {-1, 1, 1}, {0, 1, 1}}}},
    {8, 6, {{{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}}},
}};

constexpr int kRows = 3;  // the pixel's row and the two below it that kernels reach
constexpr int kPad = 2;   // columns beyond each edge that kernels reach; their error is lost

// The palette's colours twice over: one colour to a register, and for the distances, the
// four colours' channels times -2 and their squared lengths, one register each.
struct Colours {
    std::array<Float4, 4> colour;
    Float4 red, green, blue, length;
};

// The nearest colour by squared distance in linear light; ties go to the lower index.
// |c - p|^2 = |c|^2 + (|p|^2 - 2 c.p), and |c|^2 is the same for all four. No branches:
// which colour wins is as unpredictable as the picture.
inline int nearestColour(Float4 c, const Colours& p) {
    const Float4 d = (p.length + c[0] * p.red) + (c[1] * p.green + c[2] * p.blue);
#ifdef TOVIK_NEAREST_SSE
    __m128 least = _mm_min_ps(d, _mm_shuffle_ps(d, d, _MM_SHUFFLE(2, 3, 0, 1)));
    least = _mm_min_ps(least, _mm_shuffle_ps(least, least, _MM_SHUFFLE(1, 0, 3, 2)));
    return __builtin_ctz(unsigned(_mm_movemask_ps(_mm_cmpeq_ps(d, least))) | 8u);
#else
    // The first of the least distances, as the SSE path's lowest set bit.
    const float least = std::min(std::min(d[0], d[1]), std::min(d[2], d[3]));
    for (int i = 0; i < 3; ++i) {
        if (d[i] == least) {
            return i;
        }
    }
    return 3;
#endif
}

// One row, left to right or (Backwards) right to left: each pixel takes the colour nearest
// to its aim plus the error that reached it, and passes on its own error. `aims` and the
// error rows reach kPad entries beyond each end.
template <int K, bool Backwards>
void diffuseRow(const Float4* aims, int width, float share, const Colours& colours,
                std::array<Float4*, kRows> errors, uint8_t* indices) {
    constexpr Kernel kernel = kKernels[K];
    static_assert(kernel.taps[0].dx == 1 && kernel.taps[0].dy == 0);
    std::array<float, kernel.taps.size()> weights{};
    for (int k = 0; k < kernel.count; ++k) {
        weights[size_t(k)] = share * float(kernel.taps[size_t(k)].weight) / kernel.divisor;
    }
    // The next pixel's colour is its aim, the error already bound for it and this pixel's
    // share, (colour - p) * w. Split as colour * w - p * w, only the subtraction of p * w
    // waits for the choice of p: the chain from pixel to pixel is as short as it gets.
    std::array<Float4, 4> passed{};
    for (size_t c = 0; c < 4; ++c) {
        passed[c] = colours.colour[c] * weights[0];
    }
    constexpr int step = Backwards ? -1 : 1;
    int x = Backwards ? width - 1 : 0;
    Float4 colour = aims[x] + errors[0][x];
    for (int i = 0; i < width; ++i, x += step) {
        const Float4 ahead = aims[x + step] + errors[0][x + step] + colour * weights[0];
        const int c = nearestColour(colour, colours);
        indices[x] = uint8_t(c);
        const Float4 error = colour - colours.colour[size_t(c)];
#pragma GCC unroll 12
        for (int k = 1; k < kernel.count; ++k) {
            const Tap& t = kernel.taps[size_t(k)];
            errors[size_t(t.dy)][x + step * t.dx] += error * weights[size_t(k)];
        }
        colour = ahead - passed[size_t(c)];
    }
}

using RowFunction = void (*)(const Float4*, int, float, const Colours&, std::array<Float4*, kRows>,
                             uint8_t*);

template <size_t... K>
constexpr std::array<RowFunction, 2 * sizeof...(K)> rowFunctions(std::index_sequence<K...>) {
    return {diffuseRow<int(K), false>..., diffuseRow<int(K), true>...};
}

// Row functions by kernel, forwards ones first, then the backwards ones.
constexpr auto kRowFunctions = rowFunctions(std::make_index_sequence<kKernels.size()>());

}  // namespace

void convertDiffusion(const QImage& fitted, const DiffusionSettings& settings, int palette,
                      int pictureWidth, PixelBuffer& buffer) {
    if (fitted.isNull()) {
        return;
    }
    const QImage picture = asRgb32(fitted);
    buffer.clear();
    const PaletteGamut gamut(palette);
    Colours colours{};
    for (int c = 0; c < 4; ++c) {
        const Float4 v = gamut.colour(c);
        colours.colour[size_t(c)] = v;
        colours.red[c] = -2 * v[0];
        colours.green[c] = -2 * v[1];
        colours.blue[c] = -2 * v[2];
        colours.length[c] = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    }
    const size_t kernel = size_t(std::clamp(int(settings.kernel), 0, int(kKernels.size()) - 1));
    const float share = std::clamp(settings.strength, 0, 100) / 100.0f;
    const int w = picture.width(), h = picture.height();
    const size_t stride = size_t(w) + 2 * kPad;
    std::vector<Float4> errors(kRows * stride, Float4{0, 0, 0, 0});
    std::vector<Float4> aimRow(size_t(w) + 2 * kPad, Float4{0, 0, 0, 0});
    Float4* aims = aimRow.data() + kPad;
    std::vector<uint8_t> indices(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const long long first = static_cast<long long>(y) * pictureWidth;
        if (pictureWidth <= 0 || first >= PixelBuffer::kSize) {
            break;  // no later row reaches the buffer, and none changes an earlier one
        }
        gamut.targets(reinterpret_cast<const QRgb*>(picture.constScanLine(y)), w, aims);
        std::array<Float4*, kRows> rows{};
        for (int r = 0; r < kRows; ++r) {
            rows[size_t(r)] = errors.data() + size_t((y + r) % kRows) * stride + kPad;
        }
        const bool backwards = settings.serpentine && y % 2 == 1;
        kRowFunctions[kernel + (backwards ? kKernels.size() : 0)](aims, w, share, colours, rows,
                                                                  indices.data());
        // This row's errors are used up; the row comes back as the one two below the next.
        std::fill(rows[0] - kPad, rows[0] - kPad + stride, Float4{0, 0, 0, 0});
        for (int x = 0; x < std::min(w, pictureWidth) && first + x < PixelBuffer::kSize; ++x) {
            buffer.set(int(first + x), indices[size_t(x)]);
        }
    }
}

}  // namespace tovik
