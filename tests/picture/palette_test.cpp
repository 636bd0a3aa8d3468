#include <gtest/gtest.h>

#include "picture/palette.h"

namespace tovik {
namespace {

struct PaletteCase {
    int palette;
    int colour;
    QRgb expected;
};

TEST(kPaletteTable, ColoursAsTheScreenShowsThem) {
    const PaletteCase cases[] = {
        {0, 3, qRgb(255, 0, 0)},     {4, 3, qRgb(255, 255, 255)}, {9, 3, qRgb(144, 0, 0)},
        {5, 1, qRgb(255, 255, 255)}, {6, 2, qRgb(144, 0, 0)},     {12, 3, qRgb(0, 255, 255)},
        {15, 2, qRgb(0, 255, 0)},    {2, 2, qRgb(0, 0, 255)},     {0, 7, qRgb(255, 0, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(paletteColour(c.palette, c.colour), c.expected)
            << "palette " << c.palette << " colour " << c.colour;
    }
}

TEST(kPaletteTable, ColourZeroIsBlackEverywhere) {
    for (int p = 0; p < kPaletteCount; ++p) {
        EXPECT_EQ(kPaletteTable[static_cast<size_t>(4 * p)], 0u) << p;
    }
}

TEST(kPaletteTable, EntriesAreBlueGreenRedWithRedLow) {
    EXPECT_EQ(kPaletteTable[3], 0x0000FFu);   // palette 0, red
    EXPECT_EQ(kPaletteTable[1], 0xFF0000u);   // palette 0, blue
    EXPECT_EQ(kPaletteTable[39], 0x000090u);  // palette 9, colour 3: 144, 0, 0
}

TEST(kPaletteTable, PaletteOutsideTheTableReadsAsPaletteZero) {
    EXPECT_EQ(paletteColour(16, 1), paletteColour(0, 1));
    EXPECT_EQ(paletteColour(-1, 3), paletteColour(0, 3));
}

}  // namespace
}  // namespace tovik
