#include "convert/palettesearch.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cmath>
#include <numeric>

#include "convert/linearlight.h"
#include "convert/score.h"
#include "convert/sourcepicture_helpers.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

using namespace sourcepic;

// Smooth ramps of colour with a dark corner and a little texture, as photographs have.
QImage photoLike(int w, int h) {
    std::vector<std::vector<QRgb>> colours(static_cast<size_t>(h),
                                           std::vector<QRgb>(static_cast<size_t>(w)));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int grain = (x * 7 + y * 13) % 11;
            colours[size_t(y)][size_t(x)] =
                qRgb(std::min(255, 4 * x + grain), std::min(255, 2 * y + grain),
                     std::min(255, 20 + (x * y) % 90));
        }
    }
    return fromRows(colours);
}

// A night sky: dark blue, lighter towards the horizon, with a few bright stars.
QImage nightSky(int w, int h) {
    std::vector<std::vector<QRgb>> colours(static_cast<size_t>(h),
                                           std::vector<QRgb>(static_cast<size_t>(w)));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool star = (x * 31 + y * 17) % 97 == 0;
            colours[size_t(y)][size_t(x)] =
                star ? qRgb(250, 250, 230) : qRgb(8 + y / 8, 10 + y / 6, 30 + y / 3);
        }
    }
    return fromRows(colours);
}

// The score as seen from further away: both pictures blurred in linear light by a
// Gaussian of sigma (reach 3 sigma, edges clamped), then the mean CIEDE2000 difference.
double farScore(const QImage& picture, const PixelBuffer& buffer, int palette, double sigma) {
    const int w = picture.width(), h = picture.height(), r = int(std::lround(3 * sigma));
    std::vector<float> g;
    for (int d = -r; d <= r; ++d) {
        g.push_back(float(std::exp(-d * d / (2 * sigma * sigma))));
    }
    const float sum = std::accumulate(g.begin(), g.end(), 0.0f);
    const auto& linear = linearLightTable();
    std::array<std::array<std::vector<float>, 3>, 2> planes;  // source, result
    for (size_t k = 0; k < 2; ++k) {
        for (size_t c = 0; c < 3; ++c) {
            std::vector<float> plane(size_t(w) * size_t(h)), rows(plane.size());
            for (int i = 0; i < w * h; ++i) {
                const QRgb rgb =
                    k == 0 ? picture.pixel(i % w, i / w) : paletteColour(palette, buffer.at(i));
                plane[size_t(i)] = linear[size_t(c == 0   ? qRed(rgb)
                                                 : c == 1 ? qGreen(rgb)
                                                          : qBlue(rgb))];
            }
            for (int i = 0; i < w * h; ++i) {
                for (int d = -r; d <= r; ++d) {
                    rows[size_t(i)] += g[size_t(d + r)] / sum *
                                       plane[size_t(i / w * w + std::clamp(i % w + d, 0, w - 1))];
                }
            }
            std::fill(plane.begin(), plane.end(), 0.0f);
            for (int i = 0; i < w * h; ++i) {
                for (int d = -r; d <= r; ++d) {
                    plane[size_t(i)] += g[size_t(d + r)] / sum *
                                        rows[size_t(std::clamp(i / w + d, 0, h - 1) * w + i % w)];
                }
            }
            planes[k][c] = plane;
        }
        linearToLab(planes[k][0].data(), planes[k][1].data(), planes[k][2].data(), size_t(w * h));
    }
    std::vector<float> differences(size_t(w * h));
    ciede2000Many(planes[0][0].data(), planes[0][1].data(), planes[0][2].data(),
                  planes[1][0].data(), planes[1][1].data(), planes[1][2].data(), differences.size(),
                  differences.data());
    return std::accumulate(differences.begin(), differences.end(), 0.0) / (w * h);
}

PixelBuffer diffused(const QImage& picture, int palette) {
    PixelBuffer buffer;
    convertDiffusion(picture, {}, palette, picture.width(), buffer);
    return buffer;
}

// The refinement keeps only changes that lower its objective, and finds some. Four bands,
// so bands refined at once and the half bands between them are covered.
TEST(PaletteSearch, NeverRaisesItsObjective) {
    const QImage picture = photoLike(40, 100);
    for (int palette : {0, 5, 9, 13}) {
        const PixelBuffer start = diffused(picture, palette);
        PixelBuffer result = start;
        ASSERT_TRUE(refinePaletteSearch(picture, palette, 40, 3, result));
        const double before = searchObjective(picture, palette, 40, start, start);
        const double after = searchObjective(picture, palette, 40, result, start);
        EXPECT_LT(after, before) << "palette " << palette;
        EXPECT_NE(result, start) << "palette " << palette;
    }
}

// The search may spend on the sigma 1 score only what it has gained at sigma 3: seen from
// further away, the whole picture is never worse than the diffusion it started from.
TEST(PaletteSearch, SeenFromFurtherAwayNeverWorseThanItsStart) {
    for (const QImage& picture : {photoLike(64, 100), nightSky(64, 100)}) {
        for (int palette : {0, 5, 9, 13}) {
            const PixelBuffer start = diffused(picture, palette);
            PixelBuffer result = start;
            ASSERT_TRUE(refinePaletteSearch(picture, palette, 64, 4, result));
            for (double sigma : {2.0, 3.0}) {
                EXPECT_LE(farScore(picture, result, palette, sigma),
                          farScore(picture, start, palette, sigma))
                    << "palette " << palette << ", sigma " << sigma;
            }
        }
    }
}

// Bands run in parallel in a fixed order of half passes: the threads change nothing.
TEST(PaletteSearch, TheSameBytesWithAnyNumberOfThreads) {
    const QImage picture = photoLike(50, 140);  // five bands
    const PixelBuffer start = diffused(picture, 12);
    PixelBuffer one = start;
    ASSERT_TRUE(refinePaletteSearch(picture, 12, 50, 3, one, {1, nullptr, {}}));
    for (int threads : {2, 3, 8}) {
        PixelBuffer many = start;
        ASSERT_TRUE(refinePaletteSearch(picture, 12, 50, 3, many, {threads, nullptr, {}}));
        EXPECT_EQ(many, one) << threads << " threads";
    }
}

// A picture drawn in the palette's colours looks exactly like itself: nothing to improve.
TEST(PaletteSearch, APictureInThePalettesColoursComesBackExactly) {
    for (int palette : {0, 6, 14}) {
        std::vector<std::vector<QRgb>> colours(12, std::vector<QRgb>(10));
        PixelBuffer expected;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 10; ++x) {
                const int c = (x + 2 * y + x * y) % 4;
                colours[size_t(y)][size_t(x)] = paletteColour(palette, c);
                expected.set(y * 10 + x, c);
            }
        }
        PixelBuffer buffer;
        convertSearch(fromRows(colours), {}, palette, 10, buffer);
        EXPECT_EQ(buffer, expected) << "palette " << palette;
    }
}

// Cancelled before it starts or after its first half pass, the refinement says so and
// leaves the buffer as it was; the progress counts half passes.
TEST(PaletteSearch, CancellingLeavesTheStartUntouched) {
    const QImage picture = photoLike(40, 70);
    const PixelBuffer start = diffused(picture, 9);
    for (int cancelAfter : {0, 1}) {
        std::atomic<bool> cancel{cancelAfter == 0};
        std::vector<std::pair<int, int>> reports;
        SearchControl control{1, &cancel, [&](int done, int total) {
                                  reports.emplace_back(done, total);
                                  cancel = done >= cancelAfter;
                              }};
        PixelBuffer buffer = start;
        EXPECT_FALSE(refinePaletteSearch(picture, 9, 40, 4, buffer, control)) << cancelAfter;
        EXPECT_EQ(buffer, start) << cancelAfter;
        EXPECT_EQ(reports, (cancelAfter == 0 ? std::vector<std::pair<int, int>>{}
                                             : std::vector<std::pair<int, int>>{{1, 8}}));
    }
    std::vector<int> done;
    PixelBuffer buffer = start;
    EXPECT_TRUE(refinePaletteSearch(picture, 9, 40, 2, buffer,
                                    {1, nullptr, [&](int d, int) { done.push_back(d); }}));
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4}));
}

}  // namespace
}  // namespace tovik
