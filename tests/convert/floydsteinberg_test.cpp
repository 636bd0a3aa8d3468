#include <gtest/gtest.h>

#include "convert/floydsteinberg.h"
#include "convert/sourcepicture_helpers.h"

namespace tovik {
namespace {

using namespace sourcepic;
constexpr int kGreen = 1;

TEST(FloydSteinberg, DiffusesIntoTheSourceWithTruncatedSixteenths) {
    // Worked by hand: (1,0) is on with error -155, so (2,0) becomes 100 - 67.8125 = 32.1875,
    // truncated as a whole to 32 (not 100 - 67 = 33); (2,1) 90, (1,1) 51 and (0,1) 70. The
    // entries outside columns 1-2 of rows 0-1 keep their 3.
    QImage source = fromGreen({{100, 100, 100, 100}, {100, 100, 100, 100}, {100, 100, 100, 100}});
    PixelBuffer buffer = bufferOf(3);
    convertFloydSteinberg(source, {96, true}, 8, buffer);
    EXPECT_EQ(rows(buffer, 8, 3), (Rows{"32033333", "30233333", "33333333"}));
    EXPECT_EQ(
        channel(source, kGreen),
        (std::vector<std::vector<int>>{{100, 100, 32, 114}, {70, 57, 124, 44}, {110, 92, 62, 91}}));
    const std::vector<std::vector<int>> zeros(3, std::vector<int>(4, 0));
    EXPECT_EQ(channel(source, 0), zeros);
    EXPECT_EQ(channel(source, 2), zeros);
}

struct MonoCase {
    const char* name;
    QImage source;
    int threshold;
    Rows expected;  // buffer prefilled with 3, stride = source width
};

TEST(FloydSteinberg, MonochromeThresholdsAndUniformPictures) {
    const MonoCase cases[] = {
        {"all 0", grey(5, 3, 0), 96, {"30003", "30003", "33333"}},
        {"all 255", grey(5, 3, 255), 96, {"32223", "32223", "33333"}},
        {"T 255 leaves 255 off", grey(5, 3, 255), 255, {"30003", "30003", "33333"}},
        {"T 0, byte 0 is off", grey(5, 3, 0), 0, {"30003", "30003", "33333"}},
        {"T 0, byte 1 is on", grey(5, 3, 1), 0, {"32023", "30003", "33333"}},
        {"v equal to T is off", fromGreen({{0, 96, 50, 0}, {0, 0, 0, 0}}), 96, {"3003", "3333"}},
        {"v one above T is on", fromGreen({{0, 96, 50, 0}, {0, 0, 0, 0}}), 95, {"3203", "3333"}},
        {"only green counts", filled(4, 2, qRgb(255, 0, 255)), 96, {"3003", "3333"}},
    };
    for (const auto& c : cases) {
        QImage source = c.source;
        PixelBuffer buffer = bufferOf(3);
        convertFloydSteinberg(source, {c.threshold, true}, source.width(), buffer);
        EXPECT_EQ(rows(buffer, source.width(), source.height()), c.expected) << c.name;
    }
}

TEST(FloydSteinberg, StoredBytesSaturateInsteadOfWrapping) {
    PixelBuffer scratch;
    QImage bright = grey(5, 3, 255);  // off at T 255, +111 into each right neighbour
    convertFloydSteinberg(bright, {255, true}, 5, scratch);
    EXPECT_EQ(channel(bright, kGreen), channel(grey(5, 3, 255), kGreen));

    QImage dark = grey(5, 3, 1);  // on at T 0, -111 into a neighbour holding 1
    convertFloydSteinberg(dark, {0, true}, 5, scratch);
    EXPECT_EQ(channel(dark, kGreen),
              (std::vector<std::vector<int>>{{1, 1, 0, 1, 0}, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 1}}));
}

TEST(FloydSteinberg, SecondRunConvertsWhatTheFirstLeft) {
    // (1,0) is never changed; it pushes -24.0625 into (2,0) on every run: 130 -> 105 -> 80.
    QImage source = fromGreen({{0, 200, 130, 0}, {0, 0, 0, 0}});
    PixelBuffer buffer = bufferOf(3);
    convertFloydSteinberg(source, {96, true}, 4, buffer);
    EXPECT_EQ(rows(buffer, 4, 1), Rows{"3223"});
    EXPECT_EQ(channel(source, kGreen)[0][2], 105);
    convertFloydSteinberg(source, {96, true}, 4, buffer);
    EXPECT_EQ(rows(buffer, 4, 1), Rows{"3203"});
    EXPECT_EQ(channel(source, kGreen)[0][2], 80);
}

TEST(FloydSteinberg, MidGreyMixesInProportionToBrightness) {
    for (int v : {64, 128, 192}) {
        QImage source = grey(256, 256, v);
        PixelBuffer buffer;
        convertFloydSteinberg(source, {96, true}, 256, buffer);
        int on = 0, visited = 0;
        for (int y = 0; y < 255; ++y) {
            for (int x = 1; x < 255; ++x, ++visited) {
                on += buffer.at(y * 256 + x) == 2;
            }
        }
        EXPECT_NEAR(static_cast<double>(on) / visited, v / 255.0, 0.01) << v;
    }
}

struct ColourCase {
    const char* name;
    QRgb colour;
    int prefill;
    Rows expected;  // 5 x 4 source, stride 5
};

TEST(FloydSteinberg, ColourModeCombinesTheThreePasses) {
    const ColourCase cases[] = {
        {"red", qRgb(255, 0, 0), 0, {"03330", "03330", "03330", "00000"}},
        {"green", qRgb(0, 255, 0), 0, {"02220", "02220", "02220", "00000"}},
        {"blue", qRgb(0, 0, 255), 0, {"01110", "01110", "01110", "00000"}},
        {"white: red on odd x+y", qRgb(255, 255, 255), 0, {"03230", "02320", "03230", "00000"}},
        {"yellow", qRgb(255, 255, 0), 0, {"03230", "02320", "03230", "00000"}},
        {"magenta: blue loses to red", qRgb(255, 0, 255), 0, {"03330", "03330", "03330", "00000"}},
        {"cyan: blue loses to green", qRgb(0, 255, 255), 0, {"02220", "02220", "02220", "00000"}},
        {"black", qRgb(0, 0, 0), 3, {"30003", "30003", "30003", "33333"}},
    };
    for (const auto& c : cases) {
        QImage source = filled(5, 4, c.colour);
        PixelBuffer buffer = bufferOf(c.prefill);
        convertFloydSteinberg(source, {96, false}, 5, buffer);
        EXPECT_EQ(rows(buffer, 5, 4), c.expected) << c.name;
    }
}

TEST(FloydSteinberg, PicturesWithoutVisitedPixelsWriteNothing) {
    const QImage sources[] = {QImage(), grey(2, 5, 200), grey(5, 1, 200)};
    for (const QImage& original : sources) {
        QImage source = original;
        PixelBuffer buffer = bufferOf(3);
        convertFloydSteinberg(source, {96, false}, 8, buffer);
        EXPECT_TRUE(buffer == bufferOf(3)) << original.width() << "x" << original.height();
        EXPECT_EQ(source.isNull(), original.isNull());
    }
}

TEST(FloydSteinberg, EntriesPastTheBufferAreDropped) {
    QImage source = grey(4, 3, 255);
    PixelBuffer buffer = bufferOf(3);
    convertFloydSteinberg(source, {96, true}, 65535, buffer);  // row 1 starts at 65535
    PixelBuffer expected = bufferOf(3);
    expected.set(1, 2);
    expected.set(2, 2);
    EXPECT_TRUE(buffer == expected);
}

}  // namespace
}  // namespace tovik
