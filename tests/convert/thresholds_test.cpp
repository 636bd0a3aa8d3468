#include "convert/thresholds.h"

#include <gtest/gtest.h>

#include <vector>

#include "load/jpeg_test_helpers.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

QImage flat(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The first width * height entries, row by row.
std::vector<int> entries(const PixelBuffer& buffer, int width, int height) {
    std::vector<int> out;
    for (int i = 0; i < width * height; ++i) {
        out.push_back(buffer.at(i));
    }
    return out;
}

// Converts a flat 2 x 2 picture; the result is the entries of (0,0) (1,0) (0,1) (1,1),
// that is even, odd / odd, even.
std::vector<int> convertFlat(QRgb colour, const ThresholdSettings& settings) {
    const QImage loaded = flat(2, 2, colour);
    QImage source = flat(2, 2, qRgb(7, 7, 7));
    PixelBuffer buffer;
    convertThresholds(loaded, source, settings, 2, buffer);
    return entries(buffer, 2, 2);
}

TEST(ConvertThresholds, DefaultThresholds) {
    const struct {
        QRgb colour;
        std::vector<int> expected;
    } cases[] = {
        {qRgb(0, 0, 0), {0, 0, 0, 0}},       {qRgb(49, 49, 49), {0, 0, 0, 0}},
        {qRgb(255, 255, 255), {2, 3, 1, 2}},  // the white pattern
        {qRgb(251, 251, 251), {2, 3, 1, 2}}, {qRgb(255, 0, 0), {3, 3, 3, 3}},
        {qRgb(120, 0, 0), {3, 0, 0, 3}},  // dark red: 0 on odd pixels
        {qRgb(0, 255, 0), {2, 2, 2, 2}},     {qRgb(0, 100, 0), {2, 0, 0, 2}},
        {qRgb(0, 0, 255), {1, 1, 1, 1}},     {qRgb(0, 0, 100), {1, 0, 0, 1}},
        {qRgb(255, 255, 0), {3, 2, 2, 3}},    // no lead, red not weakest, B < G: green-red
        {qRgb(128, 128, 128), {2, 1, 1, 2}},  // red among the weakest: blue-green
        {qRgb(200, 100, 150), {3, 1, 1, 3}},  // B >= G: blue-red
        {qRgb(200, 150, 150), {3, 1, 1, 3}},  // B = G counts as B >= G
        {qRgb(100, 120, 40), {3, 2, 2, 3}},   // G leads B by more than 30 but not R
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertFlat(c.colour, ThresholdSettings{}), c.expected)
            << qRed(c.colour) << "," << qGreen(c.colour) << "," << qBlue(c.colour);
    }
}

TEST(ConvertThresholds, EveryComparisonIsStrict) {
    const struct {
        QRgb colour;
        std::vector<int> expected;
    } cases[] = {
        {qRgb(50, 50, 50), {2, 1, 1, 2}},     // exactly T2: not black
        {qRgb(250, 250, 250), {2, 1, 1, 2}},  // exactly the white threshold: not white
        {qRgb(50, 49, 49), {3, 1, 1, 3}},     // one channel at T2: not black
        {qRgb(100, 130, 100), {2, 1, 1, 2}},  // green leads by exactly T5
        {qRgb(100, 131, 100), {2, 2, 2, 2}},
        {qRgb(150, 100, 100), {3, 1, 1, 3}},  // red leads by exactly T3
        {qRgb(151, 100, 100), {3, 3, 3, 3}},
        {qRgb(100, 100, 130), {2, 1, 1, 2}},  // blue leads by exactly T7
        {qRgb(100, 100, 131), {1, 1, 1, 1}},
        {qRgb(128, 0, 0), {3, 0, 0, 3}},  // red exactly T4: checkerboard
        {qRgb(129, 0, 0), {3, 3, 3, 3}},
        {qRgb(0, 128, 0), {2, 0, 0, 2}},  // green exactly T6
        {qRgb(0, 129, 0), {2, 2, 2, 2}},
        {qRgb(0, 0, 128), {1, 0, 0, 1}},  // blue exactly T8
        {qRgb(0, 0, 129), {1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(convertFlat(c.colour, ThresholdSettings{}), c.expected)
            << qRed(c.colour) << "," << qGreen(c.colour) << "," << qBlue(c.colour);
    }
}

TEST(ConvertThresholds, BlackIsTestedBeforeWhite) {
    ThresholdSettings settings;
    settings.t[0] = 100;  // white above 100
    settings.t[1] = 200;  // black below 200
    EXPECT_EQ(convertFlat(qRgb(150, 150, 150), settings), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(convertFlat(qRgb(200, 200, 200), settings), (std::vector<int>{2, 3, 1, 2}));
    EXPECT_EQ(convertFlat(qRgb(100, 100, 100), settings), (std::vector<int>{0, 0, 0, 0}));
}

TEST(ConvertThresholds, WhitePatternRepeatsEveryTwoByTwo) {
    const QImage loaded = flat(5, 3, qRgb(255, 255, 255));
    QImage source = flat(5, 3, 0);
    PixelBuffer buffer;
    convertThresholds(loaded, source, ThresholdSettings{}, 5, buffer);
    EXPECT_EQ(entries(buffer, 5, 3), (std::vector<int>{2, 3, 2, 3, 2,  //
                                                       1, 2, 1, 2, 1,  //
                                                       2, 3, 2, 3, 2}));
}

TEST(ConvertThresholds, SmallSourceInsideALargerPicture) {
    PixelBuffer buffer;
    for (int i = 0; i < PixelBuffer::kSize; ++i) {
        buffer.set(i, 3);
    }
    const QImage loaded = flat(5, 5, qRgb(255, 255, 255));
    QImage source = flat(5, 5, 0);
    convertThresholds(loaded, source, ThresholdSettings{}, 8, buffer);
    const std::vector<int> expected = {
        2, 3, 2, 3, 2, 0, 0, 0,  //
        1, 2, 1, 2, 1, 0, 0, 0,  //
        2, 3, 2, 3, 2, 0, 0, 0,  //
        1, 2, 1, 2, 1, 0, 0, 0,  //
        2, 3, 2, 3, 2, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0,  //
        0, 0, 0, 0, 0, 0, 0, 0,  //
    };
    EXPECT_EQ(entries(buffer, 8, 8), expected);
    // Exactly the first 9,216 entries are cleared.
    EXPECT_EQ(buffer.at(9215), 0);
    EXPECT_EQ(buffer.at(9216), 3);
    EXPECT_EQ(buffer.at(65535), 3);
}

TEST(ConvertThresholds, EmptySourceChangesNothing) {
    PixelBuffer buffer;
    for (int i = 0; i < PixelBuffer::kSize; ++i) {
        buffer.set(i, i % 4);
    }
    const PixelBuffer before = buffer;
    QImage source;
    ThresholdSettings toning;
    toning.toning = true;
    convertThresholds(QImage(), source, toning, 64, buffer);
    EXPECT_TRUE(buffer == before);
    EXPECT_TRUE(source.isNull());
}

TEST(ConvertThresholds, SourceIsRebuiltFromTheLoadedPictureAtItsOwnSize) {
    // Left half red, right half blue, stretched onto a 2 x 1 source.
    QImage loaded(4, 2, QImage::Format_RGB32);
    loaded.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 2; ++y) {
        loaded.setPixel(2, y, qRgb(0, 0, 255));
        loaded.setPixel(3, y, qRgb(0, 0, 255));
    }
    QImage source = flat(2, 1, qRgb(0, 255, 0));
    PixelBuffer buffer;
    convertThresholds(loaded, source, ThresholdSettings{}, 8, buffer);
    EXPECT_EQ(source.size(), QSize(2, 1));
    EXPECT_EQ(source.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(source.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(entries(buffer, 8, 1), (std::vector<int>{3, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(ConvertThresholds, ToningAtTheExtremes) {
    ThresholdSettings settings;
    settings.toning = true;
    // A toning threshold of 255: every visited pixel (not the first or last column, not the last
    // row) becomes black; the rest keep the white pattern.
    settings.t[8] = 255;
    EXPECT_EQ(convertFlat(qRgb(255, 255, 255), settings), (std::vector<int>{2, 3, 1, 2}));
    {
        const QImage loaded = flat(5, 3, qRgb(255, 255, 255));
        QImage source = flat(5, 3, 0);
        PixelBuffer buffer;
        convertThresholds(loaded, source, settings, 5, buffer);
        EXPECT_EQ(entries(buffer, 5, 3), (std::vector<int>{2, 0, 0, 0, 2,  //
                                                           1, 0, 0, 0, 1,  //
                                                           2, 3, 2, 3, 2}));
    }
    // A toning threshold of 0: only a green byte of 0 at its visit blackens. Red has green 0
    // everywhere and an error of 0, so exactly the visited pixels become black.
    settings.t[8] = 0;
    {
        const QImage loaded = flat(4, 3, qRgb(255, 0, 0));
        QImage source = flat(4, 3, 0);
        PixelBuffer buffer;
        convertThresholds(loaded, source, settings, 4, buffer);
        EXPECT_EQ(entries(buffer, 4, 3), (std::vector<int>{3, 0, 0, 3,  //
                                                           3, 0, 0, 3,  //
                                                           3, 3, 3, 3}));
    }
    // Green 1 everywhere: (1,0) keeps its index and pushes its error of -254 on, which
    // leaves 0 at (2,0), so that one blackens; row 1 then holds only zeros as well.
    {
        const QImage loaded = flat(4, 3, qRgb(255, 1, 0));
        QImage source = flat(4, 3, 0);
        PixelBuffer buffer;
        convertThresholds(loaded, source, settings, 4, buffer);
        EXPECT_EQ(entries(buffer, 4, 3), (std::vector<int>{3, 3, 0, 3,  //
                                                           3, 0, 0, 3,  //
                                                           3, 3, 3, 3}));
    }
}

TEST(ConvertThresholds, TonedGreenIsTruncatedAndSaturated) {
    // A 3 x 2 picture has a single visited pixel, (1,0); its error reaches (2,0) 7/16,
    // (2,1) 1/16, (1,1) 5/16 and (0,1) 3/16.
    const struct {
        int green, t9;
        int index10;                  // entry of (1,0)
        std::vector<int> greenAfter;  // (0,0) (1,0) (2,0) / (0,1) (1,1) (2,1)
    } cases[] = {
        // 100 + 7*100/16 = 143.75; 100 + 100/16 = 106.25; + 500/16 = 131.25; + 300/16 = 118.75
        {100, 255, 0, {100, 100, 143, 118, 131, 106}},
        // error 250 pushes every neighbour past 255
        {250, 255, 0, {250, 250, 255, 255, 255, 255}},
        // error 8 - 255: every neighbour would go below 0
        {8, 0, 1, {8, 8, 0, 0, 0, 0}},
        // error 200 - 255 = -55: 200 - 24.06, 200 - 3.44, 200 - 17.19, 200 - 10.31
        {200, 100, 1, {200, 200, 175, 189, 182, 196}},
        // error 0 from a black-out of green 0
        {0, 0, 0, {0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        ThresholdSettings settings;
        settings.toning = true;
        settings.t[8] = c.t9;
        // Blue 0 and red 0 keep every pixel's index away from the white pattern.
        const QImage loaded = flat(3, 2, qRgb(0, c.green, 0));
        QImage source = flat(3, 2, 0);
        PixelBuffer buffer;
        for (int i = 0; i < 6; ++i) {
            buffer.set(i, 3);
        }
        convertThresholds(loaded, source, settings, 3, buffer);
        std::vector<int> greens;
        bool othersUntouched = true;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                const QRgb p = source.pixel(x, y);
                greens.push_back(qGreen(p));
                othersUntouched = othersUntouched && qRed(p) == 0 && qBlue(p) == 0;
            }
        }
        EXPECT_EQ(greens, c.greenAfter) << "green " << c.green << " T9 " << c.t9;
        EXPECT_TRUE(othersUntouched) << "green " << c.green;
        if (c.index10 == 0) {
            EXPECT_EQ(buffer.at(1), 0) << "green " << c.green;
        } else {
            EXPECT_EQ(buffer.at(1), convertFlat(qRgb(0, c.green, 0), ThresholdSettings{})[1])
                << "green " << c.green;
        }
    }
}

TEST(ConvertThresholds, RepeatedRunsGiveTheSamePicture) {
    const QImage loaded = testing::makeTestPicture(57, 41);
    for (const bool toning : {false, true}) {
        ThresholdSettings settings;
        settings.toning = toning;
        QImage source = flat(40, 30, 0);
        PixelBuffer first, second;
        convertThresholds(loaded, source, settings, 40, first);
        const QImage afterFirst = source.copy();
        convertThresholds(loaded, source, settings, 40, second);
        EXPECT_TRUE(first == second) << "toning " << toning;
        EXPECT_TRUE(source == afterFirst) << "toning " << toning;
        // The picture is varied enough that toning changed something.
        if (toning) {
            PixelBuffer plain;
            QImage plainSource = flat(40, 30, 0);
            convertThresholds(loaded, plainSource, ThresholdSettings{}, 40, plain);
            EXPECT_FALSE(plain == first);
        }
    }
}

}  // namespace
}  // namespace tovik
