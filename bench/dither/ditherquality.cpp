// The quality of the palette diffusion, by the score of the conversions, on the
// photograph-like samples: for each of the 16 palettes, the median score of the diffusion
// (default settings) beside the best fixed-index method's and a plain baseline's, and
// whether the goals are met. With --alternatives, also the colour spaces and distances
// tried for the diffusion, each as a whole table's summary.
//
//   ditherquality SAMPLES_DIR [--alternatives]

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "convert/diffusion.h"
#include "load/importpicture.h"
#include "convert/linearlight.h"
#include "convert/method.h"
#include "convert/palettegamut.h"
#include "convert/score.h"
#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace {

using namespace tovik;

// The samples that look like photographs. gradient.jpg is left out: a smooth ramp with no
// grain, edges or texture, it is no photograph, and the sunset has sky gradients of its own.
const QStringList kSamples = {"photo-like", "portrait", "sunset", "foliage", "fruit", "bricks"};

struct Sample {
    QString name;
    QImage fitted;
    int width;  // W of the imported picture, the buffer's stride
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A conversion writes the buffer from the fitted picture for a palette.
using Conversion = std::function<void(const Sample&, int palette, PixelBuffer&)>;

// The plain baseline: nearest colour by squared RGB distance, the error diffused in 8-bit
// RGB with Floyd-Steinberg weights and no serpentine, each byte saturated as the
// program's own Floyd-Steinberg does.
void baseline(const Sample& s, int palette, PixelBuffer& buffer) {
    QImage work = s.fitted.convertToFormat(QImage::Format_RGB32);
    const int w = work.width(), h = work.height();
    std::array<QRgb, 4> colours{};
    for (int c = 0; c < 4; ++c) {
        colours[size_t(c)] = paletteColour(palette, c);
    }
    buffer.clear();
    constexpr std::array<DiffusionShare, 4> kShares = {
        {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uchar* p = work.scanLine(y) + 4 * x;
            int best = 0, bestDistance = 1 << 30;
            for (int c = 0; c < 4; ++c) {
                const int dr = p[kRedByte] - qRed(colours[size_t(c)]);
                const int dg = p[kGreenByte] - qGreen(colours[size_t(c)]);
                const int db = p[kBlueByte] - qBlue(colours[size_t(c)]);
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance) {
                    best = c;
                    bestDistance = d;
                }
            }
            if (x < s.width) {
                buffer.set(y * s.width + x, best);
            }
            const int error[3] = {p[kRedByte] - qRed(colours[size_t(best)]),
                                  p[kGreenByte] - qGreen(colours[size_t(best)]),
                                  p[kBlueByte] - qBlue(colours[size_t(best)])};
            for (const DiffusionShare& share : kShares) {
                const int nx = x + share.dx, ny = y + share.dy;
                if (nx < 0 || nx >= w || ny >= h) {
                    continue;
                }
                uchar* q = work.scanLine(ny) + 4 * nx;
                const int bytes[3] = {kRedByte, kGreenByte, kBlueByte};
                for (int c = 0; c < 3; ++c) {
                    q[bytes[c]] = diffusedByte(q[bytes[c]], error[c], share.sixteenths);
                }
            }
        }
    }
}

// --- Alternatives for the diffusion, Floyd-Steinberg weights, in double precision ---

enum class ErrorSpace { Linear, Srgb };
enum class Nearest { Linear, Srgb, Lab };
enum class Aim { Clamped, Gamut };

struct Alternative {
    const char* name;
    ErrorSpace space;
    Nearest nearest;
    Aim aim;
};

double srgbOf(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

double linearOf(double srgb) {
    srgb = std::clamp(srgb, 0.0, 1.0);
    return srgb <= 0.04045 ? srgb / 12.92 : std::pow((srgb + 0.055) / 1.055, 2.4);
}

// CIELAB of a linear colour; the straight part of f carries on below 0, so colours a
// little outside the cube still get distinct values.
std::array<double, 3> labOf(const std::array<double, 3>& c) {
    auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16) / 116;
    };
    const double x = 0.4124564 * c[0] + 0.3575761 * c[1] + 0.1804375 * c[2];
    const double y = 0.2126729 * c[0] + 0.7151522 * c[1] + 0.0721750 * c[2];
    const double z = 0.0193339 * c[0] + 0.1191920 * c[1] + 0.9503041 * c[2];
    const double fx = f(x / 0.95047), fy = f(y), fz = f(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

void alternative(const Alternative& a, const Sample& s, int palette, PixelBuffer& buffer) {
    using Colour = std::array<double, 3>;
    const QImage picture = s.fitted.convertToFormat(QImage::Format_RGB32);
    const int w = picture.width(), h = picture.height();
    const PaletteGamut gamut(palette);
    auto toSpace = [&](const Colour& linear) {
        return a.space == ErrorSpace::Linear
                   ? linear
                   : Colour{srgbOf(linear[0]), srgbOf(linear[1]), srgbOf(linear[2])};
    };
    auto toLinear = [&](const Colour& c) {
        return a.space == ErrorSpace::Linear
                   ? c
                   : Colour{linearOf(c[0]), linearOf(c[1]), linearOf(c[2])};
    };
    std::array<Colour, 4> colours{}, coloursLinear{}, coloursLab{};
    for (int c = 0; c < 4; ++c) {
        const Float4 v = gamut.colour(c);
        coloursLinear[size_t(c)] = {v[0], v[1], v[2]};
        colours[size_t(c)] = toSpace(coloursLinear[size_t(c)]);
        coloursLab[size_t(c)] = labOf(coloursLinear[size_t(c)]);
    }
    std::vector<Colour> work(size_t(w) * size_t(h));
    std::vector<Float4> aims(static_cast<size_t>(w));
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        gamut.targets(row, w, aims.data());
        for (int x = 0; x < w; ++x) {
            const Colour own = {linearLight(qRed(row[x])), linearLight(qGreen(row[x])),
                                linearLight(qBlue(row[x]))};
            const Float4 t = aims[size_t(x)];
            work[size_t(y) * size_t(w) + size_t(x)] =
                toSpace(a.aim == Aim::Gamut ? Colour{t[0], t[1], t[2]} : own);
        }
    }
    buffer.clear();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            Colour c = work[size_t(y) * size_t(w) + size_t(x)];
            if (a.aim == Aim::Clamped) {
                for (double& v : c) {
                    v = std::clamp(v, 0.0, 1.0);
                }
            }
            const Colour linear = toLinear(c);
            const Colour sr = {srgbOf(linear[0]), srgbOf(linear[1]), srgbOf(linear[2])};
            const Colour lab = labOf(a.space == ErrorSpace::Linear ? c : linear);
            int best = 0;
            double bestDistance = 1e300;
            for (int k = 0; k < 4; ++k) {
                double d = 0;
                for (int ch = 0; ch < 3; ++ch) {
                    double e;
                    switch (a.nearest) {
                        case Nearest::Linear:
                            e = linear[size_t(ch)] - coloursLinear[size_t(k)][size_t(ch)];
                            break;
                        case Nearest::Srgb:
                            e = sr[size_t(ch)] - srgbOf(coloursLinear[size_t(k)][size_t(ch)]);
                            break;
                        default:
                            e = lab[size_t(ch)] - coloursLab[size_t(k)][size_t(ch)];
                    }
                    d += e * e;
                }
                if (d < bestDistance) {
                    best = k;
                    bestDistance = d;
                }
            }
            if (x < s.width) {
                buffer.set(y * s.width + x, best);
            }
            const Colour error = {c[0] - colours[size_t(best)][0], c[1] - colours[size_t(best)][1],
                                  c[2] - colours[size_t(best)][2]};
            const int taps[4][3] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
            for (const auto& t : taps) {
                const int nx = x + t[0], ny = y + t[1];
                if (nx >= 0 && nx < w && ny < h) {
                    Colour& n = work[size_t(ny) * size_t(w) + size_t(nx)];
                    for (int ch = 0; ch < 3; ++ch) {
                        n[size_t(ch)] += error[size_t(ch)] * t[2] / 16;
                    }
                }
            }
        }
    }
}

// --- The table ---

struct Scores {
    std::vector<std::vector<double>> perPalette;  // [palette][sample]
};

Scores scoresOf(const std::vector<Sample>& samples, const std::vector<PictureScorer>& scorers,
                const Conversion& convert) {
    Scores result;
    PixelBuffer buffer;
    for (int p = 0; p < kPaletteCount; ++p) {
        result.perPalette.emplace_back();
        for (size_t i = 0; i < samples.size(); ++i) {
            convert(samples[i], p, buffer);
            result.perPalette.back().push_back(scorers[i].score(buffer, samples[i].width, p));
        }
    }
    return result;
}

Conversion fixedIndex(const MethodSettings& settings) {
    // A fresh start as the batch program makes it: the source is a copy of the fitted
    // picture and the buffer all 0.
    return [settings](const Sample& s, int palette, PixelBuffer& buffer) {
        QImage source = s.fitted.copy();
        buffer.clear();
        convertPicture(settings, s.fitted, source, palette, s.width, buffer);
    };
}

struct Goals {
    bool belowFixed = true, belowBaseline = true, neverWorse = true;
    double worstPicture = -1;  // the largest ratio to the baseline on one picture, minus 1
};

Goals goalsOf(const Scores& diffusion, const std::vector<double>& fixedBest, const Scores& plain) {
    Goals g;
    for (int p = 0; p < kPaletteCount; ++p) {
        const double m = median(diffusion.perPalette[size_t(p)]);
        g.belowFixed = g.belowFixed && m < fixedBest[size_t(p)];
        g.belowBaseline = g.belowBaseline && m <= 0.95 * median(plain.perPalette[size_t(p)]);
        for (size_t i = 0; i < diffusion.perPalette[size_t(p)].size(); ++i) {
            const double ratio =
                diffusion.perPalette[size_t(p)][i] / plain.perPalette[size_t(p)][i] - 1;
            g.worstPicture = std::max(g.worstPicture, ratio);
        }
    }
    g.neverWorse = g.worstPicture <= 0.02;
    return g;
}

int run(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ditherquality SAMPLES_DIR [--alternatives]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool alternatives = argc > 2 && QString::fromLocal8Bit(argv[2]) == "--alternatives";
    std::vector<Sample> samples;
    std::vector<PictureScorer> scorers;
    for (const QString& name : kSamples) {
        const ImportedPicture imported = importPicture(dir + "/" + name + ".jpg");
        samples.push_back({name, imported.fitted, imported.size.width});
        scorers.emplace_back(imported.fitted);
    }

    const Scores diffusion = scoresOf(samples, scorers, [](const Sample& s, int p, PixelBuffer& b) {
        convertDiffusion(s.fitted, DiffusionSettings{}, p, s.width, b);
    });
    const Scores ordered = scoresOf(samples, scorers, [](const Sample& s, int p, PixelBuffer& b) {
        convertOrdered(s.fitted, OrderedSettings{}, p, s.width, b);
    });
    const Scores plain = scoresOf(samples, scorers, baseline);
    const QStringList fixedNames = {"thresholds", "floyd-steinberg", "chunks", "cga"};
    std::vector<Scores> fixed;
    for (const QString& name : fixedNames) {
        fixed.push_back(scoresOf(samples, scorers, fixedIndex(*defaultSettingsFor(name))));
    }

    std::printf(
        "Palette conversions on %zu photograph-like samples (%s): median score, lower is "
        "better\n\n",
        samples.size(), kSamples.join(", ").toLocal8Bit().constData());
    std::printf(
        "palette  diffusion  best fixed-index        baseline  vs baseline  worst picture"
        "  ordered 4x4\n");
    std::vector<double> fixedBest;
    for (int p = 0; p < kPaletteCount; ++p) {
        double best = 1e300;
        QString bestName;
        for (size_t m = 0; m < fixed.size(); ++m) {
            const double v = median(fixed[m].perPalette[size_t(p)]);
            if (v < best) {
                best = v;
                bestName = fixedNames[qsizetype(m)];
            }
        }
        fixedBest.push_back(best);
        const double d = median(diffusion.perPalette[size_t(p)]);
        const double b = median(plain.perPalette[size_t(p)]);
        double worst = -1;
        for (size_t i = 0; i < samples.size(); ++i) {
            worst = std::max(
                worst, diffusion.perPalette[size_t(p)][i] / plain.perPalette[size_t(p)][i] - 1);
        }
        std::printf("%7d  %9.3f  %7.3f %-15s  %8.3f  %+10.1f%%  %+12.1f%%  %11.3f\n", p, d, best,
                    bestName.toLocal8Bit().constData(), b, 100 * (d / b - 1), 100 * worst,
                    median(ordered.perPalette[size_t(p)]));
    }
    auto mean = [](const Scores& s) {
        double sum = 0;
        for (const auto& palette : s.perPalette) {
            sum += median(palette);
        }
        return sum / double(s.perPalette.size());
    };
    double fixedMean = 0;
    for (double v : fixedBest) {
        fixedMean += v / kPaletteCount;
    }
    std::printf("   mean  %9.3f  %7.3f %-15s  %8.3f  %+10.1f%%  %13s  %11.3f\n", mean(diffusion),
                fixedMean, "", mean(plain), 100 * (mean(diffusion) / mean(plain) - 1), "",
                mean(ordered));
    const Goals g = goalsOf(diffusion, fixedBest, plain);
    auto verdict = [](bool ok) { return ok ? "pass" : "FAIL"; };
    std::printf("\n%s  every palette: diffusion median below the best fixed-index median\n",
                verdict(g.belowFixed));
    std::printf("%s  every palette: diffusion median at least 5%% below the baseline median\n",
                verdict(g.belowBaseline));
    std::printf(
        "%s  every picture and palette: at most 2%% worse than the baseline (worst "
        "%+.1f%%)\n",
        verdict(g.neverWorse), 100 * g.worstPicture);

    if (alternatives) {
        const Alternative kAlternatives[] = {
            {"linear light, nearest in linear light, gamut tables", ErrorSpace::Linear,
             Nearest::Linear, Aim::Gamut},
            {"linear light, nearest in sRGB, gamut tables", ErrorSpace::Linear, Nearest::Srgb,
             Aim::Gamut},
            {"linear light, nearest by CIELAB, gamut tables", ErrorSpace::Linear, Nearest::Lab,
             Aim::Gamut},
            {"linear light, nearest in linear light, clamped to 0..1", ErrorSpace::Linear,
             Nearest::Linear, Aim::Clamped},
            {"linear light, nearest by CIELAB, clamped to 0..1", ErrorSpace::Linear, Nearest::Lab,
             Aim::Clamped},
            {"sRGB values, nearest in sRGB, clamped to 0..1", ErrorSpace::Srgb, Nearest::Srgb,
             Aim::Clamped},
            {"sRGB values, nearest by CIELAB, clamped to 0..1", ErrorSpace::Srgb, Nearest::Lab,
             Aim::Clamped},
        };
        std::printf(
            "\nAlternatives for the diffusion (Floyd-Steinberg, no serpentine): error "
            "kept in / nearest colour by / colours the palette cannot mix\n");
        std::printf("%-58s %10s %10s %9s  goals\n", "", "mean med.", "worst pal.", "worst pic.");
        for (const Alternative& a : kAlternatives) {
            const Scores s =
                scoresOf(samples, scorers,
                         [&a](const Sample& x, int p, PixelBuffer& b) { alternative(a, x, p, b); });
            double sum = 0, worstPalette = -1;
            for (int p = 0; p < kPaletteCount; ++p) {
                const double m = median(s.perPalette[size_t(p)]);
                sum += m;
                worstPalette = std::max(worstPalette, m / median(plain.perPalette[size_t(p)]) - 1);
            }
            const Goals ag = goalsOf(s, fixedBest, plain);
            std::printf("%-58s %10.3f %+9.1f%% %+8.1f%%  %s %s %s\n", a.name, sum / kPaletteCount,
                        100 * worstPalette, 100 * ag.worstPicture, verdict(ag.belowFixed),
                        verdict(ag.belowBaseline), verdict(ag.neverWorse));
        }
        std::printf("%-58s %10.3f\n", "the baseline (8-bit RGB)", mean(plain));

        std::printf("\nThe diffusion's kernels: mean over the palettes of the median score\n");
        std::printf("%-20s %10s %10s\n", "", "plain", "serpentine");
        static const char* const kKernels[] = {"floyd-steinberg", "jarvis",  "stucki",
                                               "burkes",          "sierra",  "sierra-2",
                                               "sierra-lite",     "atkinson"};
        for (int k = 0; k < 8; ++k) {
            std::printf("%-20s", kKernels[k]);
            for (bool serpentine : {false, true}) {
                const DiffusionSettings settings{DiffusionKernel(k), serpentine, 100};
                std::printf(
                    " %10.3f",
                    mean(scoresOf(samples, scorers, [&](const Sample& x, int p, PixelBuffer& b) {
                        convertDiffusion(x.fitted, settings, p, x.width, b);
                    })));
            }
            std::printf("\n");
        }
    }
    return g.belowFixed && g.belowBaseline && g.neverWorse ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const tovik::Error& e) {
        std::fprintf(stderr, "ditherquality: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
