#include "convert/palettesearch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "convert/linearlight.h"
#include "convert/score.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace tovik {

namespace {

constexpr int kRadius1 = 2;  // the sigma 1 blur's reach (the score's is 3)
constexpr int kRadius3 = 9;  // the sigma 3 blur's
constexpr int kStep3 = 4;    // the sigma 3 score is taken on every fourth row and column
constexpr int kBand = 32;    // rows a band; two bands apart share no pixel a change reads
// The sigma 3 score is summed over regions of half a band. A change in band b reaches
// regions 2b - 1 to 2b + 2, so two bands refined at once never share one.
constexpr int kRegion = kBand / 2;
constexpr float kWeight3 = 1.0f;  // the sigma 3 score's weight beside the sigma 1 score's
// A region's sigma 3 score counts only where it is above this share of the start's: the
// search must first better it there, and may then spend what it gained on the sigma 1
// score. The share leaves room for the score's samples being every fourth pixel.
constexpr double kShare3 = 0.98;
// A band's mean colour moves freely up to kMeanFree in CIELAB from the start's; beyond,
// each squared unit costs kMeanWeight.
constexpr double kMeanFree = 0.5;
constexpr double kMeanWeight = 4.0;
// A change is kept only when it lowers the objective by more than this: rounding in the
// updated blurred pictures cannot then make a change that raises it.
constexpr double kLeast = 1e-7;
// Candidates the linear-light estimate finds worse than this share of the change's own
// weight are not looked at further.
constexpr float kEstimateSlack = 0.6f;
// Nor are those whose rough change of the sigma 1 differences (roughDifference summed over
// the pixels in reach) is above this: it rejects most candidates the exact score would.
constexpr float kRoughSlack = 3.0f;
// At most this many candidates of a pixel are scored, the most promising by the rough
// change.
constexpr int kMostScored = 4;

template <int R>
std::array<float, 2 * R + 1> gaussian(double sigma) {
    std::array<double, 2 * R + 1> w{};
    double sum = 0;
    for (int d = -R; d <= R; ++d) {
        w[size_t(d + R)] = std::exp(-d * d / (2 * sigma * sigma));
        sum += w[size_t(d + R)];
    }
    std::array<float, 2 * R + 1> weights{};
    for (size_t i = 0; i < w.size(); ++i) {
        weights[i] = float(w[i] / sum);
    }
    return weights;
}

const std::array<float, 2 * kRadius1 + 1> kGauss1 = gaussian<kRadius1>(1);
const std::array<float, 2 * kRadius3 + 1> kGauss3 = gaussian<kRadius3>(3);

// The weight of pixel p in the blurred value at q along one axis of n pixels, the edges
// clamped as the score clamps them: an edge pixel also stands for the pixels beyond it.
template <int R>
float axisWeight(const std::array<float, 2 * R + 1>& g, int q, int p, int n) {
    const int d = p - q;
    if (p > 0 && p < n - 1) {
        return d >= -R && d <= R ? g[size_t(d + R)] : 0.0f;
    }
    float sum = 0;
    for (int k = -R; k <= R; ++k) {
        if (std::clamp(q + k, 0, n - 1) == p) {
            sum += g[size_t(k + R)];
        }
    }
    return sum;
}

// Blurs three planes of w x h with the edges clamped.
template <int R>
void blur(const std::array<float, 2 * R + 1>& g, std::array<std::vector<float>, 3>& planes, int w,
          int h) {
    std::vector<float> rows(size_t(w) * size_t(h));
    for (auto& plane : planes) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float sum = 0;
                for (int d = -R; d <= R; ++d) {
                    sum += g[size_t(d + R)] *
                           plane[size_t(y) * size_t(w) + size_t(std::clamp(x + d, 0, w - 1))];
                }
                rows[size_t(y) * size_t(w) + size_t(x)] = sum;
            }
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float sum = 0;
                for (int d = -R; d <= R; ++d) {
                    sum += g[size_t(d + R)] *
                           rows[size_t(std::clamp(y + d, 0, h - 1)) * size_t(w) + size_t(x)];
                }
                plane[size_t(y) * size_t(w) + size_t(x)] = sum;
            }
        }
    }
}

using Planes = std::array<std::vector<float>, 3>;

// A colour difference close to CIEDE2000 at a fraction of its cost: CIE94's weights for
// chroma and hue with CIEDE2000's for lightness, without the hue rotation.
float roughDifference(float l1, float a1, float b1, float l2, float a2, float b2) {
    const float c1 = std::sqrt(a1 * a1 + b1 * b1), c2 = std::sqrt(a2 * a2 + b2 * b2);
    const float dl = l1 - l2, dc = c1 - c2, da = a1 - a2, db = b1 - b2;
    const float dh2 = std::max(da * da + db * db - dc * dc, 0.0f);
    const float lm = 0.5f * (l1 + l2) - 50, cm = 0.5f * (c1 + c2);
    const float sl = 1 + 0.015f * lm * lm / std::sqrt(20 + lm * lm);
    const float sc = 1 + 0.045f * cm, sh = 1 + 0.015f * cm;
    return std::sqrt(dl * dl / (sl * sl) + dc * dc / (sc * sc) + dh2 / (sh * sh));
}

Planes planesOf(int w, int h) {
    Planes planes;
    for (auto& p : planes) {
        p.assign(size_t(w) * size_t(h), 0.0f);
    }
    return planes;
}

// One changed pixel of a candidate: its position and the change of its linear colour.
struct Change {
    int x = 0;
    int y = 0;
    std::array<float, 3> delta{};
};

// The smallest rectangle holding the changed pixels: left, top, right and bottom.
std::array<int, 4> boundsOf(const Change* changes, int n) {
    std::array<int, 4> bounds = {changes[0].x, changes[0].y, changes[0].x, changes[0].y};
    for (int k = 1; k < n; ++k) {
        bounds[0] = std::min(bounds[0], changes[k].x);
        bounds[1] = std::min(bounds[1], changes[k].y);
        bounds[2] = std::max(bounds[2], changes[k].x);
        bounds[3] = std::max(bounds[3], changes[k].y);
    }
    return bounds;
}

// The most values one candidate touches: two neighbouring pixels' sigma 1 reach, and the
// samples of the sigma 3 score in their reach.
constexpr int kMost1 = (2 * kRadius1 + 2) * (2 * kRadius1 + 2);
constexpr int kSide3 = (2 * kRadius3 + 2) / kStep3 + 2;
constexpr int kMost3 = kSide3 * kSide3;

// The pixels in the sigma 1 reach of a candidate, with their blurred values after it in
// linear light and in CIELAB.
struct Reach {
    int count = 0;
    std::array<int, kMost1> index{};
    std::array<std::array<float, kMost1>, 3> linear{};
    std::array<std::array<float, kMost1>, 3> lab{};
};

// At most this many candidates a pixel: its other three colours and two swaps.
constexpr int kCandidates = 5;

// A scored candidate: what it changes, ready to be kept.
struct Scored {
    double gain = 0;  // the objective's change
    // The change of the sigma 3 sums of the four regions the band reaches.
    std::array<double, 4> region3{};
    // The change of the sums of the sigma 1 CIELAB values of the band's pixels, for the
    // band above the refined one, the refined one and the band below.
    std::array<std::array<double, 3>, 3> lab{};
    const Reach* reach1 = nullptr;  // in the band's reaches, until its next pixel
    int count3 = 0;
    std::array<float, kMost1> difference1{};
    std::array<int, kMost3> index3{};
    std::array<std::array<float, kMost3>, 3> linear3{};
    std::array<float, kMost3> difference3{};
};

// A band's own view while it is refined: the drift of the mean colours it has made
// itself, in the band above it, its own and the band below.
struct BandState {
    int band = 0;
    std::array<std::array<double, 3>, 3> lab{};
    std::array<double, 4> region3{};  // the same for the sigma 3 sums of the regions
    bool changed = false;
    bool cancelled = false;
    std::array<Scored, 2> scored;            // a candidate being scored and the best so far
    std::array<Reach, kCandidates> reaches;  // those of the pixel's candidates
    std::array<std::array<float, kMost1>, 3> sourceLab{};
    std::array<std::array<float, kMost3>, 3> sourceLab3{};
};

class Search {
public:
    Search(const QImage& picture, int palette, const std::vector<uint8_t>& indices);

    double objective() const {
        double mean = 0;
        for (size_t b = 0; b < bandLab_.size(); ++b) {
            mean += meanTerm(int(b), bandLab_[b]);
        }
        double far = 0;
        for (size_t g = 0; g < region3_.size(); ++g) {
            far += regionTerm(int(g), region3_[g]);
        }
        return sumDifference1_ / double(count1()) + kWeight3 * far / double(count3()) +
               kMeanWeight * mean;
    }

    // Measures the drift of the mean colours and the sigma 3 scores from where `start`
    // began instead.
    void anchorTo(const Search& start) {
        startLab_ = start.startLab_;
        startRegion3_ = start.startRegion3_;
    }

    // Refines rows [y0, y1) of the pixels marked active; marks the pixels it changes.
    void refineBand(int y0, int y1, const std::vector<uint8_t>& active,
                    std::vector<uint8_t>& changed, BandState& band,
                    const std::atomic<bool>* cancel);

    // Adds a band's changes of the sums.
    void addBand(const BandState& band) {
        for (int r = 0; r < 3; ++r) {
            const int b = band.band + r - 1;
            for (size_t c = 0; c < 3 && b >= 0 && b < int(bandLab_.size()); ++c) {
                bandLab_[size_t(b)][c] += band.lab[size_t(r)][c];
            }
        }
        for (int r = 0; r < 4; ++r) {
            const int g = 2 * band.band - 1 + r;
            if (g >= 0 && g < int(region3_.size())) {
                region3_[size_t(g)] += band.region3[size_t(r)];
            }
        }
    }

    const std::vector<uint8_t>& indices() const { return indices_; }
    int width() const { return w_; }
    int height() const { return h_; }

private:
    size_t count1() const { return size_t(w_) * size_t(h_); }
    size_t count3() const { return size_t(w3_) * size_t(h3_); }
    int sampleX(int i) const { return std::min(i * kStep3 + 1, w_ - 1); }
    int sampleY(int j) const { return std::min(j * kStep3 + 1, h_ - 1); }
    int regionOfSampleRow(int j) const { return sampleY(j) / kRegion; }
    int bandRows(int b) const { return std::min(kBand, h_ - b * kBand); }

    // Band b's share of the mean colour term with these sums of its CIELAB values: the
    // squared drift of its mean colour from the start's, weighted by its size.
    double meanTerm(int b, const std::array<double, 3>& sums) const {
        const double n = double(bandRows(b)) * double(w_);
        double d2 = 0;
        for (size_t c = 0; c < 3; ++c) {
            const double d = (sums[c] - startLab_[size_t(b)][c]) / n;
            d2 += d * d;
        }
        const double beyond = std::max(std::sqrt(d2) - kMeanFree, 0.0);
        return beyond * beyond * n / double(count1());
    }

    // Region g's share of the sigma 3 term with this sum of its samples' differences.
    double regionTerm(int g, double sum) const {
        return std::max(sum - kShare3 * startRegion3_[size_t(g)], 0.0);
    }

    // Fills `reach` for a change: the pixels its sigma 1 blur reaches and their values.
    void reachOf(const Change* changes, int n, Reach& reach) const;
    // The rough change of the sigma 1 differences over a candidate's reach.
    float roughGain(const Reach& reach) const;
    void score(const Change* changes, int n, const Reach& reach, const BandState& band, Scored& out,
               BandState& scratch) const;
    void keep(const Scored& s);
    std::array<float, 3> estimateField(int x, int y) const;

    int w_, h_, w3_, h3_;
    std::array<std::array<float, 3>, 4> colours_{};
    std::vector<uint8_t> indices_;
    Planes sourceLinear1_, sourceLab1_, sourceLab3_;
    Planes linear1_, lab1_, linear3_;
    std::vector<float> difference1_, difference3_;
    std::vector<float> rough1_;  // roughDifference of each pixel's sigma 1 values
    double sumDifference1_ = 0;
    // The sums of the sigma 1 CIELAB values of each band's pixels, and at the start.
    std::vector<std::array<double, 3>> bandLab_, startLab_;
    // The sums of the sigma 3 differences of each region's samples, and at the start.
    std::vector<double> region3_, startRegion3_;
    float spread_ = 0;           // the sum of the squared sigma 1 weights
    float neighbourSpread_ = 0;  // the same for the weights of two neighbouring pixels
};

Search::Search(const QImage& picture, int palette, const std::vector<uint8_t>& indices)
    : w_(picture.width()),
      h_(picture.height()),
      w3_((w_ + kStep3 - 1) / kStep3),
      h3_((h_ + kStep3 - 1) / kStep3),
      indices_(indices) {
    const auto& linear = linearLightTable();
    for (int c = 0; c < 4; ++c) {
        const QRgb rgb = paletteColour(palette, c);
        colours_[size_t(c)] = {linear[size_t(qRed(rgb))], linear[size_t(qGreen(rgb))],
                               linear[size_t(qBlue(rgb))]};
    }
    const size_t n = count1();
    Planes source = planesOf(w_, h_);
    linear1_ = planesOf(w_, h_);
    for (int y = 0; y < h_; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < w_; ++x) {
            const size_t i = size_t(y) * size_t(w_) + size_t(x);
            source[0][i] = linear[size_t(qRed(row[x]))];
            source[1][i] = linear[size_t(qGreen(row[x]))];
            source[2][i] = linear[size_t(qBlue(row[x]))];
            for (size_t c = 0; c < 3; ++c) {
                linear1_[c][i] = colours_[indices_[i]][c];
            }
        }
    }
    Planes source3 = source;
    linear3_ = linear1_;
    blur<kRadius1>(kGauss1, source, w_, h_);
    blur<kRadius1>(kGauss1, linear1_, w_, h_);
    blur<kRadius3>(kGauss3, source3, w_, h_);
    blur<kRadius3>(kGauss3, linear3_, w_, h_);
    sourceLinear1_ = source;
    sourceLab1_ = source;
    linearToLab(sourceLab1_[0].data(), sourceLab1_[1].data(), sourceLab1_[2].data(), n);
    lab1_ = linear1_;
    linearToLab(lab1_[0].data(), lab1_[1].data(), lab1_[2].data(), n);
    difference1_.resize(n);
    ciede2000Many(sourceLab1_[0].data(), sourceLab1_[1].data(), sourceLab1_[2].data(),
                  lab1_[0].data(), lab1_[1].data(), lab1_[2].data(), n, difference1_.data());
    rough1_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        rough1_[i] = roughDifference(sourceLab1_[0][i], sourceLab1_[1][i], sourceLab1_[2][i],
                                     lab1_[0][i], lab1_[1][i], lab1_[2][i]);
    }
    // The sigma 3 pictures only at the samples.
    Planes sampled = planesOf(w3_, h3_);
    sourceLab3_ = planesOf(w3_, h3_);
    for (int j = 0; j < h3_; ++j) {
        for (int i = 0; i < w3_; ++i) {
            const size_t from = size_t(sampleY(j)) * size_t(w_) + size_t(sampleX(i));
            const size_t to = size_t(j) * size_t(w3_) + size_t(i);
            for (size_t c = 0; c < 3; ++c) {
                sampled[c][to] = linear3_[c][from];
                sourceLab3_[c][to] = source3[c][from];
            }
        }
    }
    linear3_ = sampled;
    Planes lab3 = sampled;
    linearToLab(lab3[0].data(), lab3[1].data(), lab3[2].data(), count3());
    linearToLab(sourceLab3_[0].data(), sourceLab3_[1].data(), sourceLab3_[2].data(), count3());
    difference3_.resize(count3());
    ciede2000Many(sourceLab3_[0].data(), sourceLab3_[1].data(), sourceLab3_[2].data(),
                  lab3[0].data(), lab3[1].data(), lab3[2].data(), count3(), difference3_.data());
    for (float d : difference1_) {
        sumDifference1_ += d;
    }
    bandLab_.assign(size_t((h_ + kBand - 1) / kBand), {0, 0, 0});
    for (int y = 0; y < h_; ++y) {
        for (size_t c = 0; c < 3; ++c) {
            for (int x = 0; x < w_; ++x) {
                bandLab_[size_t(y / kBand)][c] += lab1_[c][size_t(y) * size_t(w_) + size_t(x)];
            }
        }
    }
    startLab_ = bandLab_;
    region3_.assign(size_t((h_ + kRegion - 1) / kRegion), 0.0);
    for (int j = 0; j < h3_; ++j) {
        for (int i = 0; i < w3_; ++i) {
            region3_[size_t(regionOfSampleRow(j))] +=
                difference3_[size_t(j) * size_t(w3_) + size_t(i)];
        }
    }
    startRegion3_ = region3_;
    float spread1 = 0, neighbour1 = 0;
    for (int d = -kRadius1; d <= kRadius1; ++d) {
        spread1 += kGauss1[size_t(d + kRadius1)] * kGauss1[size_t(d + kRadius1)];
        if (d < kRadius1) {
            neighbour1 += kGauss1[size_t(d + kRadius1)] * kGauss1[size_t(d + kRadius1 + 1)];
        }
    }
    spread_ = spread1 * spread1;
    neighbourSpread_ = neighbour1 * spread1;
}

// The sigma 1 blur of the difference of the blurred result and source around (x, y), in
// linear light: the squared error in linear light changes by 2 d.E + |d|^2 spread for a
// change d of the pixel, a cheap estimate of which changes are worth scoring.
std::array<float, 3> Search::estimateField(int x, int y) const {
    std::array<float, 3> e{};
    for (int dy = -kRadius1; dy <= kRadius1; ++dy) {
        const int qy = y + dy;
        if (qy < 0 || qy >= h_) {
            continue;
        }
        const float gy = kGauss1[size_t(dy + kRadius1)];
        for (int dx = -kRadius1; dx <= kRadius1; ++dx) {
            const int qx = x + dx;
            if (qx < 0 || qx >= w_) {
                continue;
            }
            const float g = gy * kGauss1[size_t(dx + kRadius1)];
            const size_t i = size_t(qy) * size_t(w_) + size_t(qx);
            for (size_t c = 0; c < 3; ++c) {
                e[c] += g * (linear1_[c][i] - sourceLinear1_[c][i]);
            }
        }
    }
    return e;
}

void Search::reachOf(const Change* changes, int n, Reach& reach) const {
    const auto [x0, y0, x1, y1] = boundsOf(changes, n);
    int count = 0;
    for (int y = std::max(y0 - kRadius1, 0); y <= std::min(y1 + kRadius1, h_ - 1); ++y) {
        std::array<float, 2> wy{};
        for (int k = 0; k < n; ++k) {
            wy[size_t(k)] = axisWeight<kRadius1>(kGauss1, y, changes[k].y, h_);
        }
        for (int x = std::max(x0 - kRadius1, 0); x <= std::min(x1 + kRadius1, w_ - 1); ++x) {
            const size_t i = size_t(y) * size_t(w_) + size_t(x);
            std::array<float, 3> v = {linear1_[0][i], linear1_[1][i], linear1_[2][i]};
            for (int k = 0; k < n; ++k) {
                const float g = wy[size_t(k)] * axisWeight<kRadius1>(kGauss1, x, changes[k].x, w_);
                for (size_t c = 0; c < 3; ++c) {
                    v[c] += g * changes[k].delta[c];
                }
            }
            reach.index[size_t(count)] = int(i);
            for (size_t c = 0; c < 3; ++c) {
                reach.linear[c][size_t(count)] = v[c];
                reach.lab[c][size_t(count)] = v[c];
            }
            ++count;
        }
    }
    linearToLab(reach.lab[0].data(), reach.lab[1].data(), reach.lab[2].data(), size_t(count));
    reach.count = count;
}

float Search::roughGain(const Reach& reach) const {
    float gain = 0;
    for (int k = 0; k < reach.count; ++k) {
        const size_t i = size_t(reach.index[size_t(k)]);
        gain += roughDifference(sourceLab1_[0][i], sourceLab1_[1][i], sourceLab1_[2][i],
                                reach.lab[0][size_t(k)], reach.lab[1][size_t(k)],
                                reach.lab[2][size_t(k)]) -
                rough1_[i];
    }
    return gain;
}

void Search::score(const Change* changes, int n, const Reach& reach, const BandState& band,
                   Scored& out, BandState& scratch) const {
    const auto [x0, y0, x1, y1] = boundsOf(changes, n);
    // Sigma 1: every pixel in reach.
    out.reach1 = &reach;
    int count = reach.count;
    for (int k = 0; k < count; ++k) {
        for (size_t c = 0; c < 3; ++c) {
            scratch.sourceLab[c][size_t(k)] = sourceLab1_[c][size_t(reach.index[size_t(k)])];
        }
    }
    ciede2000Many(scratch.sourceLab[0].data(), scratch.sourceLab[1].data(),
                  scratch.sourceLab[2].data(), reach.lab[0].data(), reach.lab[1].data(),
                  reach.lab[2].data(), size_t(count), out.difference1.data());
    double gain1 = 0;
    out.lab = {};
    for (int k = 0; k < count; ++k) {
        const size_t i = size_t(reach.index[size_t(k)]);
        gain1 += double(out.difference1[size_t(k)]) - double(difference1_[i]);
        const size_t r = size_t(int(i / size_t(w_)) / kBand - band.band + 1);
        for (size_t c = 0; c < 3; ++c) {
            out.lab[r][c] += double(reach.lab[c][size_t(k)]) - double(lab1_[c][i]);
        }
    }
    // The bands' mean colours as this band sees them: the sums at the start of the half
    // pass and the band's own changes. Two bands refined at once both reach only the
    // three rows of the band between them nearest to each.
    double mean = 0;
    for (int r = 0; r < 3; ++r) {
        const int b = band.band + r - 1;
        if (b < 0 || b >= int(bandLab_.size())) {
            continue;
        }
        std::array<double, 3> before{}, after{};
        for (size_t c = 0; c < 3; ++c) {
            before[c] = bandLab_[size_t(b)][c] + band.lab[size_t(r)][c];
            after[c] = before[c] + out.lab[size_t(r)][c];
        }
        mean += meanTerm(b, after) - meanTerm(b, before);
    }
    out.gain = gain1 / double(count1()) + kMeanWeight * mean;
    out.count3 = 0;
    if (out.gain >= -kLeast) {
        return;  // the sigma 3 score only guards: a change kept must lower the rest too
    }
    // Sigma 3: the samples in reach.
    count = 0;
    const int j0 = std::max((y0 - kRadius3 - 1 + kStep3 - 1) / kStep3, 0);
    const int j1 = std::min((y1 + kRadius3 - 1) / kStep3 + 1, h3_ - 1);
    const int i0 = std::max((x0 - kRadius3 - 1 + kStep3 - 1) / kStep3, 0);
    const int i1 = std::min((x1 + kRadius3 - 1) / kStep3 + 1, w3_ - 1);
    for (int j = j0; j <= j1; ++j) {
        const int y = sampleY(j);
        std::array<float, 2> wy{};
        bool any = false;
        for (int k = 0; k < n; ++k) {
            wy[size_t(k)] = axisWeight<kRadius3>(kGauss3, y, changes[k].y, h_);
            any = any || wy[size_t(k)] != 0;
        }
        if (!any) {
            continue;
        }
        for (int i = i0; i <= i1; ++i) {
            const int x = sampleX(i);
            const size_t s = size_t(j) * size_t(w3_) + size_t(i);
            std::array<float, 3> v = {linear3_[0][s], linear3_[1][s], linear3_[2][s]};
            bool reached = false;
            for (int k = 0; k < n; ++k) {
                const float g = wy[size_t(k)] * axisWeight<kRadius3>(kGauss3, x, changes[k].x, w_);
                reached = reached || g != 0;
                for (size_t c = 0; c < 3; ++c) {
                    v[c] += g * changes[k].delta[c];
                }
            }
            if (!reached) {
                continue;
            }
            out.index3[size_t(count)] = int(s);
            for (size_t c = 0; c < 3; ++c) {
                out.linear3[c][size_t(count)] = v[c];
                scratch.sourceLab3[c][size_t(count)] = sourceLab3_[c][s];
            }
            ++count;
        }
    }
    out.count3 = count;
    std::array<std::array<float, kMost3>, 3> lab = out.linear3;
    linearToLab(lab[0].data(), lab[1].data(), lab[2].data(), size_t(count));
    ciede2000Many(scratch.sourceLab3[0].data(), scratch.sourceLab3[1].data(),
                  scratch.sourceLab3[2].data(), lab[0].data(), lab[1].data(), lab[2].data(),
                  size_t(count), out.difference3.data());
    out.region3 = {};
    for (int k = 0; k < count; ++k) {
        const size_t s = size_t(out.index3[size_t(k)]);
        const int r = regionOfSampleRow(int(s / size_t(w3_))) - (2 * band.band - 1);
        out.region3[size_t(r)] += double(out.difference3[size_t(k)]) - double(difference3_[s]);
    }
    double gain3 = 0;
    for (int r = 0; r < 4; ++r) {
        const int g = 2 * band.band - 1 + r;
        if (g >= 0 && g < int(region3_.size())) {
            const double before = region3_[size_t(g)] + band.region3[size_t(r)];
            gain3 += regionTerm(g, before + out.region3[size_t(r)]) - regionTerm(g, before);
        }
    }
    out.gain += kWeight3 * gain3 / double(count3());
}

void Search::keep(const Scored& s) {
    const Reach& reach = *s.reach1;
    for (int k = 0; k < reach.count; ++k) {
        const size_t i = size_t(reach.index[size_t(k)]);
        for (size_t c = 0; c < 3; ++c) {
            linear1_[c][i] = reach.linear[c][size_t(k)];
            lab1_[c][i] = reach.lab[c][size_t(k)];
        }
        difference1_[i] = s.difference1[size_t(k)];
        rough1_[i] = roughDifference(sourceLab1_[0][i], sourceLab1_[1][i], sourceLab1_[2][i],
                                     lab1_[0][i], lab1_[1][i], lab1_[2][i]);
    }
    for (int k = 0; k < s.count3; ++k) {
        const size_t i = size_t(s.index3[size_t(k)]);
        for (size_t c = 0; c < 3; ++c) {
            linear3_[c][i] = s.linear3[c][size_t(k)];
        }
        difference3_[i] = s.difference3[size_t(k)];
    }
}

void Search::refineBand(int y0, int y1, const std::vector<uint8_t>& active,
                        std::vector<uint8_t>& changed, BandState& band,
                        const std::atomic<bool>* cancel) {
    auto differ = [this](int a, int b) { return colours_[size_t(a)] != colours_[size_t(b)]; };
    for (int y = y0; y < y1; ++y) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
            band.cancelled = true;
            return;
        }
        for (int x = 0; x < w_; ++x) {
            const size_t p = size_t(y) * size_t(w_) + size_t(x);
            if (!active[p]) {
                continue;
            }
            const int a = indices_[p];
            const std::array<float, 3> e = estimateField(x, y);
            // The candidates the estimate finds promising, the most promising first.
            struct Candidate {
                float estimate;
                int kind;  // 0..3: that colour; 4: swap with the right neighbour; 5: lower
                std::array<Change, 2> changes;
                int count;
                int reach;  // its slot in band.reaches
            };
            std::array<Candidate, kCandidates> candidates;
            int found = 0;
            for (int c = 0; c < 4; ++c) {
                if (c == a || !differ(a, c)) {
                    continue;
                }
                Candidate& k = candidates[size_t(found)];
                k.changes[0] = {x, y, {}};
                float length = 0, along = 0;
                for (size_t i = 0; i < 3; ++i) {
                    k.changes[0].delta[i] = colours_[size_t(c)][i] - colours_[size_t(a)][i];
                    length += k.changes[0].delta[i] * k.changes[0].delta[i];
                    along += k.changes[0].delta[i] * e[i];
                }
                k.estimate = (2 * along + length * spread_) / (length * spread_);
                k.kind = c;
                k.count = 1;
                found += k.estimate <= kEstimateSlack ? 1 : 0;
            }
            for (int kind = 4; kind < 6; ++kind) {
                const int nx = kind == 4 ? x + 1 : x, ny = kind == 4 ? y : y + 1;
                if (nx >= w_ || ny >= h_) {
                    continue;
                }
                const int b = indices_[size_t(ny) * size_t(w_) + size_t(nx)];
                if (!differ(a, b)) {
                    continue;
                }
                const std::array<float, 3> f = estimateField(nx, ny);
                Candidate& k = candidates[size_t(found)];
                k.changes = {Change{x, y, {}}, Change{nx, ny, {}}};
                float length = 0, along = 0;
                for (size_t i = 0; i < 3; ++i) {
                    k.changes[0].delta[i] = colours_[size_t(b)][i] - colours_[size_t(a)][i];
                    k.changes[1].delta[i] = -k.changes[0].delta[i];
                    length += k.changes[0].delta[i] * k.changes[0].delta[i];
                    along += k.changes[0].delta[i] * (e[i] - f[i]);
                }
                const float spread = 2 * (spread_ - neighbourSpread_);
                k.estimate = (2 * along + length * spread) / (length * spread);
                k.kind = kind;
                k.count = 2;
                found += k.estimate <= kEstimateSlack ? 1 : 0;
            }
            // The rough change of the differences orders those left and drops the hopeless.
            int hopeful = 0;
            for (int i = 0; i < found; ++i) {
                Candidate& k = candidates[size_t(i)];
                k.reach = i;
                reachOf(k.changes.data(), k.count, band.reaches[size_t(i)]);
                k.estimate = roughGain(band.reaches[size_t(i)]);
                if (k.estimate < kRoughSlack) {
                    candidates[size_t(hopeful++)] = k;
                }
            }
            found = hopeful;
            std::sort(candidates.begin(), candidates.begin() + found,
                      [](const Candidate& l, const Candidate& r) {
                          return l.estimate != r.estimate ? l.estimate < r.estimate
                                                          : l.kind < r.kind;
                      });
            Scored* best = &band.scored[0];
            Scored* trial = &band.scored[1];
            best->gain = -kLeast;
            int bestKind = -1;
            for (int i = 0; i < std::min(found, kMostScored); ++i) {
                const Candidate& k = candidates[size_t(i)];
                score(k.changes.data(), k.count, band.reaches[size_t(k.reach)], band, *trial, band);
                if (trial->gain < best->gain) {
                    std::swap(trial, best);
                    bestKind = k.kind;
                }
            }
            if (bestKind < 0) {
                continue;
            }
            keep(*best);
            for (size_t r = 0; r < 3; ++r) {
                for (size_t c = 0; c < 3; ++c) {
                    band.lab[r][c] += best->lab[r][c];
                }
            }
            for (size_t r = 0; r < 4; ++r) {
                band.region3[r] += best->region3[r];
            }
            band.changed = true;
            changed[p] = 1;
            if (bestKind < 4) {
                indices_[p] = uint8_t(bestKind);
            } else {
                const size_t q = bestKind == 4 ? p + 1 : p + size_t(w_);
                indices_[p] = indices_[q];
                indices_[q] = uint8_t(a);
                changed[q] = 1;
            }
        }
    }
}

// The pixels within reach of a change: those whose candidates' scores it alters most.
std::vector<uint8_t> activeAround(const std::vector<uint8_t>& changed, int w, int h) {
    constexpr int kReach = kRadius1 + 1;
    std::vector<uint8_t> rows(changed.size(), 0), active(changed.size(), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (changed[size_t(y) * size_t(w) + size_t(x)]) {
                for (int d = std::max(x - kReach, 0); d <= std::min(x + kReach, w - 1); ++d) {
                    rows[size_t(y) * size_t(w) + size_t(d)] = 1;
                }
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rows[size_t(y) * size_t(w) + size_t(x)]) {
                for (int d = std::max(y - kReach, 0); d <= std::min(y + kReach, h - 1); ++d) {
                    active[size_t(d) * size_t(w) + size_t(x)] = 1;
                }
            }
        }
    }
    return active;
}

// The part of the buffer a conversion of `fitted` wrote: the fitted picture's columns
// below pictureWidth and its rows inside the buffer.
QImage searchedArea(const QImage& fitted, int pictureWidth) {
    if (fitted.isNull() || pictureWidth <= 0) {
        return {};
    }
    const int w = std::min(fitted.width(), pictureWidth);
    const int h = std::min(fitted.height(), (PixelBuffer::kSize - 1) / pictureWidth + 1);
    int rows = h;
    while (rows > 0 && static_cast<long long>(rows - 1) * pictureWidth + w > PixelBuffer::kSize) {
        --rows;  // a row only partly inside the buffer is left as it is
    }
    if (w <= 0 || rows <= 0) {
        return {};
    }
    return asRgb32(fitted).copy(0, 0, w, rows);
}

std::vector<uint8_t> indicesOf(const PixelBuffer& buffer, int w, int h, int pictureWidth) {
    std::vector<uint8_t> indices(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            indices[size_t(y) * size_t(w) + size_t(x)] = buffer.at(y * pictureWidth + x);
        }
    }
    return indices;
}

}  // namespace

void convertSearch(const QImage& fitted, const SearchSettings& settings, int palette,
                   int pictureWidth, PixelBuffer& buffer) {
    convertDiffusion(fitted, settings.start, palette, pictureWidth, buffer);
    refinePaletteSearch(fitted, palette, pictureWidth, settings.passes, buffer);
}

bool refinePaletteSearch(const QImage& fitted, int palette, int pictureWidth, int passes,
                         PixelBuffer& buffer, const SearchControl& control) {
    const QImage picture = searchedArea(fitted, pictureWidth);
    if (picture.isNull()) {
        return true;
    }
    palette = isValidPalette(palette) ? palette : 0;
    passes = std::clamp(passes, 1, kMaxSearchPasses);
    const int w = picture.width(), h = picture.height();
    Search search(picture, palette, indicesOf(buffer, w, h, pictureWidth));
    const int bands = (h + kBand - 1) / kBand;
    const int threads = std::max(
        1, control.threads > 0 ? control.threads : int(std::thread::hardware_concurrency()));
    std::vector<uint8_t> changed(size_t(w) * size_t(h), 1);
    std::vector<BandState> states(static_cast<size_t>(bands));
    for (int pass = 0; pass < passes; ++pass) {
        const std::vector<uint8_t> active = activeAround(changed, w, h);
        std::fill(changed.begin(), changed.end(), uint8_t(0));
        bool any = false;
        for (int half = 0; half < 2; ++half) {
            std::vector<int> mine;
            for (int b = half; b < bands; b += 2) {
                mine.push_back(b);
                states[size_t(b)].lab = {};
                states[size_t(b)].region3 = {};
                states[size_t(b)].band = b;
                states[size_t(b)].changed = false;
            }
            std::atomic<size_t> next{0};
            auto work = [&] {
                for (size_t k = next++; k < mine.size(); k = next++) {
                    const int b = mine[k];
                    search.refineBand(b * kBand, std::min((b + 1) * kBand, h), active, changed,
                                      states[size_t(b)], control.cancel);
                }
            };
            std::vector<std::thread> helpers;
            for (int t = 1; t < std::min(threads, int(mine.size())); ++t) {
                helpers.emplace_back(work);
            }
            work();
            for (std::thread& t : helpers) {
                t.join();
            }
            for (int b : mine) {
                search.addBand(states[size_t(b)]);
                any = any || states[size_t(b)].changed;
                if (states[size_t(b)].cancelled) {
                    return false;
                }
            }
            if (control.cancel != nullptr && control.cancel->load()) {
                return false;
            }
            if (control.progress) {
                control.progress(2 * pass + half + 1, 2 * passes);
            }
        }
        if (!any) {
            break;
        }
    }
    const std::vector<uint8_t>& indices = search.indices();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            buffer.set(y * pictureWidth + x, indices[size_t(y) * size_t(w) + size_t(x)]);
        }
    }
    return true;
}

double searchObjective(const QImage& fitted, int palette, int pictureWidth,
                       const PixelBuffer& result, const PixelBuffer& start) {
    const QImage picture = searchedArea(fitted, pictureWidth);
    if (picture.isNull()) {
        return 0;
    }
    palette = isValidPalette(palette) ? palette : 0;
    const int w = picture.width(), h = picture.height();
    const Search from(picture, palette, indicesOf(start, w, h, pictureWidth));
    Search search(picture, palette, indicesOf(result, w, h, pictureWidth));
    search.anchorTo(from);
    return search.objective();
}

}  // namespace tovik
