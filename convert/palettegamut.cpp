#include "convert/palettegamut.h"

#include <memory>
#include <mutex>

#include "convert/gamuttable.h"
#include "convert/linearlight.h"
#include "picture/palette.h"

namespace tovik {

namespace {

// The grid cell of each byte value and the fraction of the way across it; 255 lies at the
// far end of the last cell.
struct Cell {
    std::array<int, 256> index;
    std::array<float, 256> fraction;
};

const Cell kCell = [] {
    Cell cell{};
    for (int v = 0; v < 256; ++v) {
        const int i = std::min(v / kGamutStep, kGamutSide - 2);
        cell.index[size_t(v)] = i;
        cell.fraction[size_t(v)] = float(v - i * kGamutStep) / kGamutStep;
    }
    return cell;
}();

// The tables as floats, each palette's made on first use (93 kB each).
const Float4* offsetTable(int palette) {
    static std::array<std::unique_ptr<Float4[]>, kPaletteCount> tables;
    static std::array<std::once_flag, kPaletteCount> made;
    std::call_once(made[size_t(palette)], [palette] {
        auto table = std::make_unique<Float4[]>(kGamutNodes);
        const int16_t* in = kGamutOffsets + size_t(palette) * kGamutNodes * 3;
        constexpr float kUnit = float(kGamutOffsetUnit);
        for (int n = 0; n < kGamutNodes; ++n, in += 3) {
            table[size_t(n)] = Float4{in[0] * kUnit, in[1] * kUnit, in[2] * kUnit, 0};
        }
        tables[size_t(palette)] = std::move(table);
    });
    return tables[size_t(palette)].get();
}

}  // namespace

PaletteGamut::PaletteGamut(int palette) {
    palette = isValidPalette(palette) ? palette : 0;
    offsets_ = offsetTable(palette);
    const auto& linear = linearLightTable();
    for (int c = 0; c < 4; ++c) {
        const QRgb rgb = paletteColour(palette, c);
        rgb_[size_t(c)] = rgb & RGB_MASK;
        colours_[size_t(c)] = Float4{linear[size_t(qRed(rgb))], linear[size_t(qGreen(rgb))],
                                     linear[size_t(qBlue(rgb))], 0};
    }
}

void PaletteGamut::targets(const QRgb* row, int count, Float4* out) const {
    const auto& linear = linearLightTable();
    constexpr int kR = kGamutSide * kGamutSide, kG = kGamutSide;
    for (int x = 0; x < count; ++x) {
        const QRgb p = row[x] & RGB_MASK;
        const int r = qRed(p), g = qGreen(p), b = qBlue(p);
        if (p == rgb_[0] || p == rgb_[1] || p == rgb_[2] || p == rgb_[3]) {
            const int c = p == rgb_[0] ? 0 : p == rgb_[1] ? 1 : p == rgb_[2] ? 2 : 3;
            out[x] = colours_[size_t(c)];
            continue;
        }
        // Trilinear interpolation between the eight corners of the grid cell, without
        // branches: photographs' noise would defeat a branch predictor.
        const float fr = kCell.fraction[size_t(r)], fg = kCell.fraction[size_t(g)],
                    fb = kCell.fraction[size_t(b)];
        const Float4* n = offsets_ + kCell.index[size_t(r)] * kR + kCell.index[size_t(g)] * kG +
                          kCell.index[size_t(b)];
        auto along = [fb](const Float4* m) { return m[0] + fb * (m[1] - m[0]); };
        const Float4 c00 = along(n), c01 = along(n + kG), c10 = along(n + kR),
                     c11 = along(n + kR + kG);
        const Float4 c0 = c00 + fg * (c01 - c00), c1 = c10 + fg * (c11 - c10);
        const Float4 offset = c0 + fr * (c1 - c0);
        out[x] = Float4{linear[size_t(r)], linear[size_t(g)], linear[size_t(b)], 0} + offset;
    }
}

}  // namespace tovik
