// The search's quality on the photograph-like samples, against the diffusion it starts
// from (default settings), for all 16 palettes: the score at sigma 1 (the program's
// score) on each photograph's best palette and over all, the same score at sigma 2 and 3
// picture by picture, and how far the picture's mean colour moves. Writes a contact sheet
// (source, diffusion, search; twice the size, nearest neighbour) of two samples.
//
//   searchquality SAMPLES_DIR SHEET.png

#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "convert/linearlight.h"
#include "convert/palettegamut.h"
#include "convert/palettesearch.h"
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

using Planes = std::array<std::vector<float>, 3>;

// A picture's linear planes blurred by a Gaussian of sigma (reach 3 sigma, edges clamped),
// then taken to CIELAB, as the score does at sigma 1.
Planes blurredLab(const QImage& image, double sigma) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    const int r = int(std::lround(3 * sigma));
    std::vector<float> g(size_t(2 * r + 1));
    double sum = 0;
    for (int d = -r; d <= r; ++d) {
        g[size_t(d + r)] = float(std::exp(-d * d / (2 * sigma * sigma)));
        sum += g[size_t(d + r)];
    }
    for (float& v : g) {
        v = float(v / sum);
    }
    const auto& linear = linearLightTable();
    Planes planes;
    for (auto& p : planes) {
        p.assign(size_t(w) * size_t(h), 0);
    }
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            planes[0][i] = linear[size_t(qRed(row[x]))];
            planes[1][i] = linear[size_t(qGreen(row[x]))];
            planes[2][i] = linear[size_t(qBlue(row[x]))];
        }
    }
    std::vector<float> tmp(size_t(w) * size_t(h));
    for (auto& p : planes) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int d = -r; d <= r; ++d) {
                    s += g[size_t(d + r)] *
                         p[size_t(y) * size_t(w) + size_t(std::clamp(x + d, 0, w - 1))];
                }
                tmp[size_t(y) * size_t(w) + size_t(x)] = s;
            }
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int d = -r; d <= r; ++d) {
                    s += g[size_t(d + r)] *
                         tmp[size_t(std::clamp(y + d, 0, h - 1)) * size_t(w) + size_t(x)];
                }
                p[size_t(y) * size_t(w) + size_t(x)] = s;
            }
        }
    }
    linearToLab(planes[0].data(), planes[1].data(), planes[2].data(), planes[0].size());
    return planes;
}

double meanDifference(const Planes& a, const Planes& b) {
    std::vector<float> d(a[0].size());
    ciede2000Many(a[0].data(), a[1].data(), a[2].data(), b[0].data(), b[1].data(), b[2].data(),
                  d.size(), d.data());
    double sum = 0;
    for (float v : d) {
        sum += v;
    }
    return sum / double(std::max<size_t>(d.size(), 1));
}

Lab meanLab(const Planes& p) {
    std::array<double, 3> sum{};
    for (size_t c = 0; c < 3; ++c) {
        for (float v : p[c]) {
            sum[c] += v;
        }
        sum[c] /= double(p[c].size());
    }
    return {sum[0], sum[1], sum[2]};
}

QImage drawn(const PixelBuffer& buffer, int w, int h, int stride, int palette) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, paletteColour(palette, buffer.at(y * stride + x)));
        }
    }
    return image;
}

// The colours the conversions aim for (the mixture of the palette's colours that looks
// closest to each pixel), drawn as they are rather than dithered: what no arrangement of
// the four colours can score much below, however it is searched.
QImage aimed(const QImage& source, int palette) {
    const PaletteGamut gamut(palette);
    QImage image(source.size(), QImage::Format_RGB32);
    std::vector<Float4> row(size_t(source.width()));
    for (int y = 0; y < source.height(); ++y) {
        gamut.targets(reinterpret_cast<const QRgb*>(source.constScanLine(y)), source.width(),
                      row.data());
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            auto byte = [](float v) {
                const double l = std::clamp(double(v), 0.0, 1.0);
                const double s = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
                return int(std::lround(255 * s));
            };
            out[x] = qRgb(byte(row[size_t(x)][0]), byte(row[size_t(x)][1]), byte(row[size_t(x)][2]));
        }
    }
    return image;
}

struct Result {
    int sample;
    int palette;
    double aimed;  // the sigma 1 score of the aims drawn as they are
    double diffusion[3];  // scores at sigma 1, 2, 3
    double search[3];
    double meanShift;  // CIELAB distance of the mean colours at sigma 1
};

int run(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: searchquality SAMPLES_DIR SHEET.png\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    std::vector<ImportedPicture> samples;
    for (const QString& name : kSamples) {
        samples.push_back(importPicture(dir + "/" + name + ".jpg"));
    }
    std::vector<Result> results;
    std::vector<std::array<PixelBuffer, 2>> kept;  // diffusion and search of each case
    const SearchSettings settings;
    for (size_t i = 0; i < samples.size(); ++i) {
        const QImage& fitted = samples[i].fitted;
        const int stride = samples[i].size.width;
        const int w = std::min(fitted.width(), stride), h = fitted.height();
        const QImage source = fitted.convertToFormat(QImage::Format_RGB32).copy(0, 0, w, h);
        std::array<Planes, 3> sourceLab = {blurredLab(source, 1), blurredLab(source, 2),
                                           blurredLab(source, 3)};
        for (int p = 0; p < kPaletteCount; ++p) {
            std::array<PixelBuffer, 2> buffers;
            convertDiffusion(fitted, settings.start, p, stride, buffers[0]);
            buffers[1] = buffers[0];
            refinePaletteSearch(fitted, p, stride, settings.passes, buffers[1]);
            Result r{int(i), p, meanDifference(sourceLab[0], blurredLab(aimed(source, p), 1)), {},
                     {}, 0};
            std::array<Lab, 2> means{};
            for (int m = 0; m < 2; ++m) {
                const QImage result = drawn(buffers[size_t(m)], w, h, stride, p);
                for (int s = 0; s < 3; ++s) {
                    const Planes lab = blurredLab(result, s + 1);
                    (m == 0 ? r.diffusion : r.search)[s] =
                        meanDifference(sourceLab[size_t(s)], lab);
                    if (s == 0) {
                        means[size_t(m)] = meanLab(lab);
                    }
                }
            }
            r.meanShift = std::sqrt(std::pow(means[0].l - means[1].l, 2) +
                                    std::pow(means[0].a - means[1].a, 2) +
                                    std::pow(means[0].b - means[1].b, 2));
            results.push_back(r);
            kept.push_back(buffers);
        }
    }

    std::printf(
        "The search (%d passes) against the diffusion it starts from, on %lld "
        "photograph-like samples and 16 palettes\n\n",
        settings.passes, static_cast<long long>(samples.size()));
    std::printf("%-12s %7s %10s %8s %6s  %s\n", "sample", "palette", "diffusion", "search", "ratio",
                "(best palette by the diffusion's score)");
    std::vector<double> bestRatios, allRatios, bestAimed, allAimed;
    std::vector<size_t> best(samples.size(), 0);
    for (size_t k = 0; k < results.size(); ++k) {
        const Result& r = results[k];
        allRatios.push_back(r.search[0] / r.diffusion[0]);
        allAimed.push_back(r.aimed / r.diffusion[0]);
        if (results[best[size_t(r.sample)]].sample != r.sample ||
            r.diffusion[0] < results[best[size_t(r.sample)]].diffusion[0]) {
            best[size_t(r.sample)] = k;
        }
    }
    for (size_t i = 0; i < samples.size(); ++i) {
        const Result& r = results[best[i]];
        bestRatios.push_back(r.search[0] / r.diffusion[0]);
        bestAimed.push_back(r.aimed / r.diffusion[0]);
        std::printf("%-12s %7d %10.3f %8.3f %6.3f\n",
                    kSamples[qsizetype(i)].toLocal8Bit().constData(), r.palette, r.diffusion[0],
                    r.search[0], r.search[0] / r.diffusion[0]);
    }
    double worst2 = 0, worst3 = 0, worstMean = 0;
    int worse = 0;
    for (const Result& r : results) {
        worst2 = std::max(worst2, r.search[1] / r.diffusion[1]);
        worst3 = std::max(worst3, r.search[2] / r.diffusion[2]);
        worstMean = std::max(worstMean, r.meanShift);
        worse += r.search[1] > r.diffusion[1] || r.search[2] > r.diffusion[2] ? 1 : 0;
    }
    const double bestMedian = median(bestRatios), allMedian = median(allRatios);
    std::printf(
        "\nmedian sigma 1 ratio: %.3f on each photograph's best palette, %.3f over all "
        "%lld cases (best %.3f, worst %.3f)\n",
        bestMedian, allMedian, static_cast<long long>(allRatios.size()),
        *std::min_element(allRatios.begin(), allRatios.end()),
        *std::max_element(allRatios.begin(), allRatios.end()));
    std::printf(
        "the aimed-for colours undithered score %.3f x the diffusion on the best palettes, "
        "%.3f over all: the part of its score no arrangement of dots removes\n",
        median(bestAimed), median(allAimed));
    std::printf("largest ratio at sigma 2: %.3f, at sigma 3: %.3f; cases worse at either: %d\n",
                worst2, worst3, worse);
    std::printf("largest move of the mean colour (CIELAB, after the sigma 1 blur): %.3f\n\n",
                worstMean);
    auto verdict = [](bool ok) { return ok ? "pass" : "FAIL"; };
    const bool goals[4] = {bestMedian <= 0.82, allMedian <= 0.90, worse == 0, worstMean <= 1.0};
    std::printf("%s  median sigma 1 score at most 0.82 x the diffusion's on the best palettes\n",
                verdict(goals[0]));
    std::printf("%s  median sigma 1 score at most 0.90 x the diffusion's over all 16 palettes\n",
                verdict(goals[1]));
    std::printf("%s  every picture: sigma 2 and sigma 3 scores no worse than the diffusion's\n",
                verdict(goals[2]));
    std::printf("%s  every picture: mean colour within 1.0 of the diffusion's\n",
                verdict(goals[3]));

    // The contact sheet: the sunset (its dark sea and sky) and the portrait, each in its
    // best palette.
    const int sheetSamples[2] = {int(kSamples.indexOf("sunset")),
                                 int(kSamples.indexOf("portrait"))};
    int sheetW = 0, sheetH = 0;
    for (int i : sheetSamples) {
        sheetW = std::max(sheetW, 3 * 2 * samples[size_t(i)].fitted.width() + 4 * 8);
        sheetH += 2 * samples[size_t(i)].fitted.height() + 8;
    }
    QImage sheet(sheetW, sheetH + 8, QImage::Format_RGB32);
    sheet.fill(qRgb(128, 128, 128));
    QPainter painter(&sheet);
    int top = 8;
    for (int i : sheetSamples) {
        const size_t k = best[size_t(i)];
        const ImportedPicture& s = samples[size_t(i)];
        const int w = std::min(s.fitted.width(), s.size.width), h = s.fitted.height();
        const QImage pictures[3] = {s.fitted.convertToFormat(QImage::Format_RGB32).copy(0, 0, w, h),
                                    drawn(kept[k][0], w, h, s.size.width, results[k].palette),
                                    drawn(kept[k][1], w, h, s.size.width, results[k].palette)};
        for (int c = 0; c < 3; ++c) {
            painter.drawImage(8 + c * (2 * w + 8), top, pictures[c].scaled(2 * w, 2 * h));
        }
        top += 2 * h + 8;
    }
    painter.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "searchquality: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("\ncontact sheet (source, diffusion, search; x2): %s\n", argv[2]);
    return goals[0] && goals[1] && goals[2] && goals[3] ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const tovik::Error& e) {
        std::fprintf(stderr, "searchquality: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
