// tovik-gamut-tables OUTPUT.cpp: works out the palettes' gamut tables (convert/gamuttable.h)
// and writes them as a C++ source file. Run by the build; the same program always writes
// the same file.
//
// For each grid colour that a palette cannot mix, the table moves it to the mixture of
// the palette's colours that looks closest to it: the least CIEDE2000 difference, the
// difference the conversions' score measures. The search runs over the mixing weights of
// the four colours: the best of a coarse grid of weights and of the neighbouring grid
// colours' answers, then steps that move weight from one colour to another, halving the
// step until it is finer than any difference the table keeps.

#include <QRgb>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "convert/gamuttable.h"
#include "convert/linearlight.h"
#include "convert/palettemix.h"
#include "convert/score.h"

namespace {

using LinearColour = std::array<double, 3>;
using Weights = std::array<double, 4>;

double labF(double t) {
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16) / 116;
}

tovik::Lab labOf(const LinearColour& c) {
    const double x = 0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2];
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    const double z = 0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2];
    const double fx = labF(x / 0.95047), fy = labF(y), fz = labF(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

LinearColour mixture(const std::array<LinearColour, 4>& colours, const Weights& w) {
    LinearColour m{};
    for (size_t c = 0; c < 4; ++c) {
        for (size_t ch = 0; ch < 3; ++ch) {
            m[ch] += w[c] * colours[c][ch];
        }
    }
    return m;
}

// The weights whose mixture looks closest to `target`, starting from the best of `starts`.
Weights closestMixture(const std::array<LinearColour, 4>& colours, const LinearColour& target,
                       const std::vector<Weights>& starts) {
    const tovik::Lab lab = labOf(target);
    auto difference = [&](const Weights& w) {
        return tovik::ciede2000(lab, labOf(mixture(colours, w)));
    };
    Weights best = starts.front();
    double bestDifference = difference(best);
    for (const Weights& w : starts) {
        const double d = difference(w);
        if (d < bestDifference) {
            best = w;
            bestDifference = d;
        }
    }
    constexpr double kFirstStep = 1.0 / 8, kLastStep = 1.0 / 2048;
    for (double step = kFirstStep; step >= kLastStep; step /= 2) {
        for (bool moved = true; moved;) {
            moved = false;
            for (size_t to = 0; to < 4; ++to) {
                for (size_t from = 0; from < 4; ++from) {
                    const double amount = std::min(step, best[from]);
                    if (to == from || amount <= 0) {
                        continue;
                    }
                    Weights w = best;
                    w[to] += amount;
                    w[from] -= amount;
                    const double d = difference(w);
                    if (d < bestDifference - 1e-12) {
                        best = w;
                        bestDifference = d;
                        moved = true;
                    }
                }
            }
        }
    }
    return best;
}

// The weights of a coarse grid, quarters of the whole, corners included.
std::vector<Weights> coarseWeights() {
    std::vector<Weights> grid;
    constexpr int kParts = 4;
    for (int a = 0; a <= kParts; ++a) {
        for (int b = 0; a + b <= kParts; ++b) {
            for (int c = 0; a + b + c <= kParts; ++c) {
                grid.push_back(Weights{double(a) / kParts, double(b) / kParts, double(c) / kParts,
                                       double(kParts - a - b - c) / kParts});
            }
        }
    }
    return grid;
}

// A grid colour this close to a mixture (in each linear channel) is taken as mixed: far
// below the table's unit and the float precision of the colours.
constexpr float kInside = 1e-6f;

void writeTables(const char* path) {
    using namespace tovik;
    std::string text =
        "// Written by tovik-gamut-tables (convert/gamut) at build time; not to be edited.\n"
        "#include \"convert/gamuttable.h\"\n\n"
        "namespace tovik {\n\n"
        "const int16_t kGamutOffsets[kPaletteCount * kGamutNodes * 3] = {\n";
    const std::vector<Weights> coarse = coarseWeights();
    for (int palette = 0; palette < kPaletteCount; ++palette) {
        const PaletteMix mix(palette);
        std::array<LinearColour, 4> colours{};
        for (int c = 0; c < 4; ++c) {
            const QRgb rgb = paletteColour(palette, c);
            colours[size_t(c)] = {linearLight(qRed(rgb)), linearLight(qGreen(rgb)),
                                  linearLight(qBlue(rgb))};
        }
        std::vector<Weights> found(kGamutNodes);
        text += "// palette " + std::to_string(palette) + "\n";
        for (int r = 0; r < kGamutSide; ++r) {
            for (int g = 0; g < kGamutSide; ++g) {
                for (int b = 0; b < kGamutSide; ++b) {
                    const int node = (r * kGamutSide + g) * kGamutSide + b;
                    const LinearColour target = {linearLight(r * kGamutStep),
                                                 linearLight(g * kGamutStep),
                                                 linearLight(b * kGamutStep)};
                    std::array<long, 3> offset{};
                    const Float4 single = {float(target[0]), float(target[1]), float(target[2]), 0};
                    if (mix.mixes(single, kInside)) {
                        const Float4 w = mix.weights(single);
                        found[size_t(node)] = {w[0], w[1], w[2], w[3]};
                    } else {
                        std::vector<Weights> starts = coarse;
                        for (int previous :
                             {node - 1, node - kGamutSide, node - kGamutSide * kGamutSide}) {
                            if (previous >= 0) {
                                starts.push_back(found[size_t(previous)]);
                            }
                        }
                        found[size_t(node)] = closestMixture(colours, target, starts);
                        const LinearColour mixed = mixture(colours, found[size_t(node)]);
                        for (size_t ch = 0; ch < 3; ++ch) {
                            offset[ch] = std::lround((mixed[ch] - target[ch]) / kGamutOffsetUnit);
                        }
                    }
                    text += std::to_string(offset[0]) + ',' + std::to_string(offset[1]) + ',' +
                            std::to_string(offset[2]) + (b + 1 < kGamutSide ? ", " : ",\n");
                }
            }
        }
    }
    text += "};\n\n}  // namespace tovik\n";
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr || std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "tovik-gamut-tables: cannot write %s\n", path);
        std::remove(path);
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovik-gamut-tables OUTPUT.cpp\n");
        return 2;
    }
    writeTables(argv[1]);
    return 0;
}
