// The diffusion's strength against a plain diffusion at the same strength, on the
// photograph-like samples: for each strength from 25 to 100 and each of the 16 palettes,
// the median score of our diffusion (default settings, that strength) and of the plain
// one, which picks the nearest colour by sRGB distance and passes strength per cent of its
// error in sRGB values (Floyd-Steinberg, left to right).
//
//   strengthquality SAMPLES_DIR

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "convert/palettediffusion.h"
#include "convert/score.h"
#include "load/importpicture.h"
#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace {

using namespace tovik;

const QStringList kSamples = {"photo-like", "portrait", "sunset", "foliage", "fruit", "bricks"};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The plain diffusion: sRGB values 0..255 as floats, each neighbour kept in 0..255.
void plainDiffusion(const QImage& fitted, int strength, int palette, int stride,
                    PixelBuffer& buffer) {
    const QImage picture = fitted.convertToFormat(QImage::Format_RGB32);
    const int w = picture.width(), h = picture.height();
    std::vector<float> work(size_t(w) * size_t(h) * 3);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            float* v = &work[(size_t(y) * size_t(w) + size_t(x)) * 3];
            v[0] = float(qRed(row[x]));
            v[1] = float(qGreen(row[x]));
            v[2] = float(qBlue(row[x]));
        }
    }
    std::array<std::array<float, 3>, 4> colours{};
    for (int c = 0; c < 4; ++c) {
        const QRgb rgb = paletteColour(palette, c);
        colours[size_t(c)] = {float(qRed(rgb)), float(qGreen(rgb)), float(qBlue(rgb))};
    }
    const float share = float(strength) / 100;
    constexpr int kTaps[4][3] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
    buffer.clear();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float* v = &work[(size_t(y) * size_t(w) + size_t(x)) * 3];
            int best = 0;
            float bestDistance = 1e30f;
            for (int c = 0; c < 4; ++c) {
                float d = 0;
                for (int ch = 0; ch < 3; ++ch) {
                    const float e = v[ch] - colours[size_t(c)][size_t(ch)];
                    d += e * e;
                }
                if (d < bestDistance) {
                    best = c;
                    bestDistance = d;
                }
            }
            if (x < stride) {
                buffer.set(y * stride + x, best);
            }
            for (const auto& t : kTaps) {
                const int nx = x + t[0], ny = y + t[1];
                if (nx < 0 || nx >= w || ny >= h) {
                    continue;
                }
                float* n = &work[(size_t(ny) * size_t(w) + size_t(nx)) * 3];
                for (int ch = 0; ch < 3; ++ch) {
                    const float e = v[ch] - colours[size_t(best)][size_t(ch)];
                    n[ch] = std::clamp(n[ch] + share * e * float(t[2]) / 16, 0.0f, 255.0f);
                }
            }
        }
    }
}

int run(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: strengthquality SAMPLES_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    std::vector<ImportedPicture> samples;
    std::vector<PictureScorer> scorers;
    for (const QString& name : kSamples) {
        samples.push_back(importPicture(dir + "/" + name + ".jpg"));
        scorers.emplace_back(samples.back().fitted);
    }
    std::printf(
        "Diffusion strength on %lld photograph-like samples: the median score of ours over the\n"
        "plain sRGB diffusion's at the same strength, per palette (below 1: ours better)\n\n",
        static_cast<long long>(samples.size()));
    std::printf("strength");
    for (int p = 0; p < kPaletteCount; ++p) {
        std::printf(" %5d", p);
    }
    std::printf("   worst\n");
    bool met = true;
    PixelBuffer buffer;
    for (int strength = 25; strength <= 100; strength += 25) {
        std::printf("%8d", strength);
        double worst = 0;
        for (int p = 0; p < kPaletteCount; ++p) {
            std::vector<double> ours, plain;
            for (size_t i = 0; i < samples.size(); ++i) {
                const ImportedPicture& s = samples[i];
                DiffusionSettings settings;
                settings.strength = strength;
                convertDiffusion(s.fitted, settings, p, s.size.width, buffer);
                ours.push_back(scorers[i].score(buffer, s.size.width, p));
                plainDiffusion(s.fitted, strength, p, s.size.width, buffer);
                plain.push_back(scorers[i].score(buffer, s.size.width, p));
            }
            const double ratio = median(ours) / median(plain);
            worst = std::max(worst, ratio);
            std::printf(" %5.2f", ratio);
        }
        met = met && worst <= 1;
        std::printf("   %5.2f\n", worst);
    }
    std::printf("\n%s  every strength 25..100 and palette: ours no worse than the plain one\n",
                met ? "pass" : "FAIL");
    return met ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const tovik::Error& e) {
        std::fprintf(stderr, "strengthquality: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
