#include "load/fit.h"

#include <gtest/gtest.h>

#include <cmath>

#include "picture/picturesize.h"

namespace tovik {
namespace {

TEST(FitPicture, RulesInOrder) {
    const struct {
        int w, h;
        FitResult expected;
    } cases[] = {
        // square and larger than 256
        {300, 300, {256, 256, false}},
        {257, 257, {256, 256, false}},
        // wide
        {640, 480, {256, 192, false}},
        {1000, 300, {256, 76, false}},
        {257, 256, {256, 255, false}},
        {4000, 3000, {256, 192, false}},
        {1000, 1, {256, 1, false}},  // a strip keeps one row instead of vanishing
        {513, 2, {256, 1, false}},
        {512, 1, {256, 1, false}},
        // tall, at least 256 wide
        {480, 640, {192, 256, false}},
        {300, 1000, {76, 256, false}},
        {256, 257, {255, 256, false}},
        {256, 1000, {65, 256, false}},
        {256, 70000, {1, 256, false}},
        // tall and narrower than 256; the height maximum follows
        {100, 300, {100, 300, true}},
        {200, 1000, {200, 327, true}},
        {255, 300, {255, 257, true}},
        {255, 1000, {255, 257, true}},
        {8, 9000, {8, 8192, true}},
        {4, 20000, {4, 8192, true}},  // bounded as if 8 wide, the width W will really have
        {1, 257, {1, 257, true}},
        // no side above 256
        {256, 256, {256, 256, false}},
        {5, 5, {5, 5, false}},
        {256, 10, {256, 10, false}},
        {1, 256, {1, 256, false}},
        {0, 0, {0, 0, false}},
    };
    for (const auto& c : cases) {
        const FitResult fit = fitPicture(c.w, c.h);
        EXPECT_EQ(fit, c.expected) << c.w << " x " << c.h << " gave " << fit.width << " x "
                                   << fit.height << (fit.narrowTall ? " (narrow tall)" : "");
    }
}

TEST(FitPicture, FittedSizeAlwaysFitsTheBuffer) {
    for (int w = 1; w <= 600; w += 7) {
        for (int h = 1; h <= 30000; h += 997) {
            const FitResult fit = fitPicture(w, h);
            const PictureSize size = clampPictureSize(fit.width, fit.height,
                                                      fit.narrowTall ? fit.height : kLoadHeightMax);
            ASSERT_LE(size.width * size.height, 65536) << w << " x " << h;
            ASSERT_EQ(size.height, std::max(fit.height, kMinHeight)) << w << " x " << h;
        }
    }
}

TEST(FitPicture, ScaledSideMatchesTheFloatingPointQuotient) {
    // The shorter side is side / (other * 1/256), truncated but at least 1; the integer
    // quotient must agree for every size a picture can have along the scaled range.
    for (int longSide = 257; longSide <= 3000; ++longSide) {
        for (int shortSide = 1; shortSide < longSide; shortSide += 3) {
            const int expected = std::max(1, static_cast<int>(shortSide / (longSide * 0.00390625)));
            ASSERT_EQ(fitPicture(longSide, shortSide).height, expected) << longSide;
            if (shortSide >= 256) {
                ASSERT_EQ(fitPicture(shortSide, longSide).width, expected) << longSide;
            }
        }
    }
}

TEST(FitPicture, SmallPictureInsideTheSmallestPicture) {
    const FitResult fit = fitPicture(5, 5);
    EXPECT_EQ(fit, (FitResult{5, 5, false}));
    EXPECT_EQ(clampPictureSize(fit.width, fit.height, kLoadHeightMax), (PictureSize{8, 8}));
}

TEST(StretchNearest, WholePictureNearestPixel) {
    QImage four(4, 2, QImage::Format_RGB32);
    const QRgb a = qRgb(1, 2, 3), b = qRgb(4, 5, 6), c = qRgb(7, 8, 9), d = qRgb(10, 11, 12);
    four.setPixel(0, 0, a);
    four.setPixel(1, 0, b);
    four.setPixel(2, 0, c);
    four.setPixel(3, 0, d);
    four.setPixel(0, 1, d);
    four.setPixel(1, 1, c);
    four.setPixel(2, 1, b);
    four.setPixel(3, 1, a);
    const struct {
        int w, h;
        std::vector<QRgb> expected;
    } cases[] = {
        {2, 1, {c, a}},                       // centres on columns 1 and 3 of row 1
        {4, 2, {a, b, c, d, d, c, b, a}},     // same size: a copy
        {8, 1, {d, d, c, c, b, b, a, a}},     // enlarging repeats each column
        {3, 3, {a, c, d, d, b, a, d, b, a}},  // columns 0, 2, 3; rows 0, 1, 1
        {1, 1, {b}},                          // column 2 of row 1
    };
    for (const auto& k : cases) {
        const QImage image = stretchNearest(four, k.w, k.h);
        ASSERT_EQ(image.size(), QSize(k.w, k.h));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        std::vector<QRgb> pixels;
        for (int y = 0; y < k.h; ++y) {
            for (int x = 0; x < k.w; ++x) {
                pixels.push_back(image.pixel(x, y));
            }
        }
        EXPECT_EQ(pixels, k.expected) << k.w << " x " << k.h;
    }
}

TEST(StretchNearest, EmptyInOrOut) {
    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qRgb(9, 9, 9));
    EXPECT_TRUE(stretchNearest(QImage(), 8, 8).isNull());
    EXPECT_TRUE(stretchNearest(one, 0, 8).isNull());
    EXPECT_TRUE(stretchNearest(one, 8, 0).isNull());
    EXPECT_TRUE(stretchNearest(one, -1, -1).isNull());
}

TEST(StretchNearest, OtherFormatsComeOutAsRgb32) {
    QImage rgb888(2, 1, QImage::Format_RGB888);
    rgb888.setPixel(0, 0, qRgb(200, 100, 50));
    rgb888.setPixel(1, 0, qRgb(5, 6, 7));
    const QImage image = stretchNearest(rgb888, 4, 1);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(1, 0), qRgb(200, 100, 50));
    EXPECT_EQ(image.pixel(2, 0), qRgb(5, 6, 7));
}

}  // namespace
}  // namespace tovik
