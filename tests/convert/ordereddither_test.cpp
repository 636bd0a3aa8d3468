#include "convert/ordereddither.h"

#include <gtest/gtest.h>

#include "convert/sourcepicture_helpers.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

using namespace sourcepic;

struct MatrixCase {
    int matrix;
    Rows tile;  // one tile of the matrix, repeated over the picture
};

// Grey 150 in palette 5 (black, then three whites) is 0.305 in linear light: black takes
// thresholds below 0.695, white (index 1) the rest. The Bayer matrices, thresholds
// (m + 0.5) / n^2:
//   2 x 2: 0 2 / 3 1, so only 3 is white.
//   4 x 4: 0 8 2 10 / 12 4 14 6 / 3 11 1 9 / 15 7 13 5: 11 and above are white, 5 of 16.
//   8 x 8: the 4 x 4 times 4 with 0, 2, 3, 1 added by quadrant; 44 and above are white,
//   20 of 64: rows 1, 3, 5, 7 are 48 16 56 24 50 18 58 26 and the like, rows 2 and 6
//   12 44 4 36 14 46 6 38 and 15 47 7 39 13 45 5 37.
TEST(OrderedDither, EachMatrixOnAGreyInBlackAndWhite) {
    const MatrixCase cases[] = {
        {2, {"00", "10"}},
        {4, {"0000", "1010", "0100", "1010"}},
        {8,
         {"00000000", "10101010", "01000100", "10101010", "00000000", "10101010", "01000100",
          "10101010"}},
    };
    for (const MatrixCase& c : cases) {
        // A picture larger than the matrix, so the tile repeats across and down.
        const int w = c.matrix + 3, h = c.matrix + 2;
        Rows expected;
        for (int y = 0; y < h; ++y) {
            std::string row;
            for (int x = 0; x < w; ++x) {
                row += c.tile[size_t(y % c.matrix)][size_t(x % c.matrix)];
            }
            expected.push_back(row);
        }
        PixelBuffer buffer;
        convertOrdered(grey(w, h, 150), {c.matrix}, 5, w, buffer);
        EXPECT_EQ(rows(buffer, w, h), expected) << c.matrix;
    }
}

TEST(OrderedDither, MatrixSidesAreTwoFourOrEight) {
    const std::pair<int, int> cases[] = {{-1, 2}, {2, 2}, {3, 4}, {4, 4}, {5, 8}, {8, 8}, {99, 8}};
    for (const auto& [setting, side] : cases) {
        EXPECT_EQ(orderedMatrixSide(setting), side) << setting;
    }
}

}  // namespace
}  // namespace tovik
