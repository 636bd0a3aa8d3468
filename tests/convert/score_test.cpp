#include "convert/score.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

#include "convert/sourcepicture_helpers.h"
#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

using sourcepic::filled;
using sourcepic::fromRows;

// The published pairs: L1 a1 b1 L2 a2 b2 and the difference, one pair a line.
TEST(Ciede2000, PublishedPairs) {
    QFile file(QStringLiteral(TOVIK_CIEDE2000_PAIRS));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << TOVIK_CIEDE2000_PAIRS;
    int pairs = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QStringList f = line.split('\t');
        ASSERT_EQ(f.size(), 7) << line.toStdString();
        const Lab x{f[0].toDouble(), f[1].toDouble(), f[2].toDouble()};
        const Lab y{f[3].toDouble(), f[4].toDouble(), f[5].toDouble()};
        EXPECT_NEAR(ciede2000(x, y), f[6].toDouble(), 1e-4) << line.toStdString();
        EXPECT_NEAR(ciede2000(y, x), f[6].toDouble(), 1e-4) << line.toStdString();
        ++pairs;
    }
    EXPECT_EQ(pairs, 34);
}

// Exactly opposite hues, where the mean hue is one of two: the hue angles decide it
// (95, not 275, for hues of 5 and 185 degrees). Values from the formulas with angles.
TEST(Ciede2000, OppositeHues) {
    const struct {
        Lab x, y;
        double expected;
    } cases[] = {
        {{50, 2.5, 0}, {50, -2.5, 0}, 7.247439},
        {{50, 0, -2.5}, {50, 0, 2.5}, 4.823081},
        {{50, 40, 3.5}, {50, -20, -1.75}, 46.480049},
        {{50, -40, -3.5}, {50, 20, 1.75}, 46.480049},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ciede2000(c.x, c.y), c.expected, 1e-5) << c.x.a << " " << c.x.b;
        EXPECT_NEAR(ciede2000(c.y, c.x), c.expected, 1e-5) << c.x.a << " " << c.x.b;
    }
}

// Lab of linear light straight from the definitions, in double precision.
Lab referenceLab(double r, double g, double b) {
    const double x = 0.4124564 * r + 0.3575761 * g + 0.1804375 * b;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = 0.0193339 * r + 0.1191920 * g + 0.9503041 * b;
    auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    const double fx = f(x / 0.95047), fy = f(y), fz = f(z / 1.08883);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double linear(int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Lab labOf(QRgb c) {
    return referenceLab(linear(qRed(c)), linear(qGreen(c)), linear(qBlue(c)));
}

// The picture path computes in float: within 1e-4 of the double-precision values.
TEST(PictureScore, HandCheckedPictures) {
    // The share of a pixel's own value that stays in the edge pixel of a two-pixel row:
    // offsets -3..0 all read it.
    double weights[4], sum = 0;
    for (int d = 0; d < 4; ++d) {
        weights[d] = std::exp(-d * d / 2.0);
        sum += d == 0 ? weights[d] : 2 * weights[d];
    }
    const double keep = (weights[0] + weights[1] + weights[2] + weights[3]) / sum;
    const QRgb a = qRgb(200, 30, 90), b = qRgb(10, 180, 40);
    auto mix = [&](QRgb p, QRgb q) {
        return referenceLab(keep * linear(qRed(p)) + (1 - keep) * linear(qRed(q)),
                            keep * linear(qGreen(p)) + (1 - keep) * linear(qGreen(q)),
                            keep * linear(qBlue(p)) + (1 - keep) * linear(qBlue(q)));
    };
    const struct {
        const char* name;
        QImage source, result;
        double expected;
    } cases[] = {
        {"identical", fromRows({{a, b, a}, {b, b, a}}), fromRows({{a, b, a}, {b, b, a}}), 0},
        {"uniform pair", filled(5, 4, a), filled(5, 4, b), ciede2000(labOf(a), labOf(b))},
        // Dark enough that Y falls in the straight part of f.
        {"dark uniform pair", filled(3, 3, qRgb(5, 3, 2)), filled(3, 3, qRgb(0, 0, 9)),
         ciede2000(labOf(qRgb(5, 3, 2)), labOf(qRgb(0, 0, 9)))},
        {"two pixels swapped", fromRows({{a, b}}), fromRows({{b, a}}),
         ciede2000(mix(a, b), mix(b, a))},
        {"empty", QImage(), QImage(), 0},
    };
    for (const auto& c : cases) {
        // Identical pictures score exactly 0.
        EXPECT_NEAR(pictureScore(c.source, c.result), c.expected, c.expected == 0 ? 0 : 1e-4)
            << c.name;
    }
}

TEST(PictureScore, DifferentSizesAreRefused) {
    try {
        pictureScore(filled(4, 3, 0), filled(3, 4, 0));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The two pictures differ in size: 4 x 3 and 3 x 4"));
    }
}

// The result is read at stride pictureWidth and drawn in the palette's colours.
TEST(PictureScore, ConversionScoreReadsTheFittedArea) {
    const int palette = 2;
    const QImage fitted = fromRows({{paletteColour(palette, 1), paletteColour(palette, 3)},
                                    {paletteColour(palette, 2), paletteColour(palette, 0)}});
    PixelBuffer buffer;
    buffer.set(0, 1), buffer.set(1, 3), buffer.set(8, 2), buffer.set(9, 0);
    EXPECT_EQ(conversionScore(fitted, buffer, 8, palette), 0);
    EXPECT_GT(conversionScore(fitted, buffer, 8, palette + 1), 1);
    EXPECT_GT(conversionScore(fitted, buffer, 2, palette), 1);
}

}  // namespace
}  // namespace tovik
