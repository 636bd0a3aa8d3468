#include "convert/paletteranking.h"

#include <gtest/gtest.h>

#include <QtConcurrent/QtConcurrentRun>

#include "convert/palettecolours_helpers.h"
#include "convert/sourcepicture_helpers.h"
#include "picture/palette.h"

namespace tovik {
namespace {

std::vector<int> paletteOrder(const std::vector<PaletteScore>& ranking) {
    std::vector<int> order;
    for (const auto& r : ranking) {
        order.push_back(r.palette);
    }
    return order;
}

// The CGA method writes the same indices for every palette: black 0, white 3. Palettes
// whose colour 3 is the same tie and keep their numbers' order: white (4, 5, 13, 14, 15)
// first, then cyan, yellow, magenta, red and the two dark reds.
TEST(PaletteRanking, FixedIndicesTieByPaletteNumber) {
    const QRgb k = qRgb(0, 0, 0), w = qRgb(255, 255, 255);
    const QImage picture = sourcepic::fromRows({{w, w, k, w}, {w, k, w, w}, {w, w, w, k}});
    PixelBuffer expected;
    QImage source = picture;
    convertPicture(CgaSettings{}, picture, source, 0, 8, expected);

    const auto ranking = rankPalettes(CgaSettings{}, picture, 8);
    EXPECT_EQ(paletteOrder(ranking),
              (std::vector<int>{4, 5, 13, 14, 15, 12, 3, 7, 2, 8, 0, 1, 6, 11, 10, 9}));
    for (size_t i = 0; i < ranking.size(); ++i) {
        EXPECT_TRUE(ranking[i].buffer == expected) << ranking[i].palette;
        if (i > 0) {
            const bool sameColour =
                paletteColour(ranking[i].palette, 3) == paletteColour(ranking[i - 1].palette, 3);
            EXPECT_EQ(ranking[i].score == ranking[i - 1].score, sameColour) << ranking[i].palette;
        }
    }
    EXPECT_EQ(ranking.front().score, 0);
}

// A picture made only of one palette's four colours, converted to each palette by
// diffusion, is drawn exactly by that palette alone when no other palette has all of its
// colours.
TEST(PaletteRanking, APalettesOwnColoursRankItFirst) {
    const std::vector<int> palettes = sourcepic::palettesOfTheirOwnColours();
    for (const int p : palettes) {
        const QImage picture = sourcepic::paletteColoursPicture(p, 16, 8);
        const auto ranking = rankPalettes(DiffusionSettings{}, picture, 16);
        EXPECT_EQ(ranking[0].palette, p);
        EXPECT_EQ(ranking[0].score, 0) << p;
        EXPECT_GT(ranking[1].score, 0) << p;
    }
    EXPECT_GE(palettes.size(), 10u);
}

// A window runs the ranking on the thread pool that the ranking itself uses: every
// thread of the pool may be taken by such callers, and the ranking still finishes.
TEST(PaletteRanking, RunsOnThePoolItUses) {
    const QImage picture = sourcepic::fromRows({{qRgb(200, 40, 40), qRgb(20, 90, 220)}});
    std::vector<QFuture<std::vector<PaletteScore>>> runs;
    for (int i = 0; i < QThreadPool::globalInstance()->maxThreadCount() + 1; ++i) {
        runs.push_back(QtConcurrent::run(
            [&picture] { return rankPalettes(DiffusionSettings{}, picture, 8); }));
    }
    const auto direct = rankPalettes(DiffusionSettings{}, picture, 8);
    for (auto& run : runs) {
        const auto ranking = run.result();
        EXPECT_EQ(paletteOrder(ranking), paletteOrder(direct));
    }
}

}  // namespace
}  // namespace tovik
