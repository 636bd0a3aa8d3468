// Copying, moving and placing blocks of cells, over the picture's edges too, and the
// block's clipboard bytes.
#include <gtest/gtest.h>

#include "cellgrid.h"
#include "picture/palette.h"
#include "picture/selection.h"

namespace tovik {
namespace {

using Rows = std::vector<std::string>;

const Rows kPicture{"12300", "23100", "00000", "00000"};

TEST(CopyBlockTest, TheAreaClippedToThePicture) {
    CellGrid grid(kPicture);
    PictureCells cells = grid.cells();
    EXPECT_EQ(copyBlock(cells, {0, 0, 3, 2}), (CellBlock{3, 2, {1, 2, 3, 2, 3, 1}}));
    EXPECT_EQ(copyBlock(cells, {-1, -1, 3, 3}), (CellBlock{2, 2, {1, 2, 2, 3}}));
    EXPECT_EQ(copyBlock(cells, {3, 2, 4, 4}), (CellBlock{2, 2, {0, 0, 0, 0}}));
    EXPECT_TRUE(copyBlock(cells, {5, 0, 2, 2}).isEmpty());
}

TEST(MoveAreaTest, HoleTakesColourZeroAndWhatPassesTheEdgeIsLost) {
    const struct {
        QPoint offset;
        Rows expected;
        QRect changed;
    } cases[] = {
        {{3, 1}, {"00000", "00012", "00023", "00000"}, {0, 0, 5, 3}},
        {{-1, -1}, {"31000", "00000", "00000", "00000"}, {0, 0, 3, 2}},
        {{1, 0}, {"01230", "02310", "00000", "00000"}, {0, 0, 4, 2}},
        {{0, 3}, {"00000", "00000", "00000", "12300"}, {0, 0, 3, 4}},
        {{9, 0}, {"00000", "00000", "00000", "00000"}, {0, 0, 3, 2}},
    };
    for (const auto& c : cases) {
        CellGrid grid(kPicture);
        PictureCells cells = grid.cells();
        EXPECT_EQ(moveArea(cells, {0, 0, 3, 2}, c.offset), c.changed) << c.offset.x();
        EXPECT_EQ(grid.rows(), c.expected) << c.offset.x() << "," << c.offset.y();
    }
}

TEST(PlaceBlockTest, ClippedAtEveryEdge) {
    const CellBlock block{2, 2, {1, 2, 3, 2}};
    const struct {
        QPoint at;
        Rows expected;
    } cases[] = {
        {{4, 3}, {"12300", "23100", "00000", "00001"}},
        {{-1, -1}, {"22300", "23100", "00000", "00000"}},
        {{2, 2}, {"12300", "23100", "00120", "00320"}},
        {{3, -1}, {"12332", "23100", "00000", "00000"}},
        {{5, 0}, kPicture},
    };
    for (const auto& c : cases) {
        CellGrid grid(kPicture);
        PictureCells cells = grid.cells();
        placeBlock(cells, block, c.at);
        EXPECT_EQ(grid.rows(), c.expected) << c.at.x() << "," << c.at.y();
    }
}

TEST(BlockBytesTest, ReadBackOnlyWhenWhole) {
    const CellBlock block{3, 2, {0, 1, 2, 3, 2, 1}};
    const QByteArray bytes = blockBytes(block);
    EXPECT_EQ(blockFromBytes(bytes), block);

    const auto patched = [&](int at, char value) {
        QByteArray changed = bytes;
        changed[at] = value;
        return changed;
    };
    const struct {
        const char* name;
        QByteArray bytes;
    } refused[] = {
        {"empty", QByteArray()},
        {"another version", patched(3, 2)},
        {"no width", patched(7, 0)},
        {"too many cells", patched(5, 2)},
        {"cut short", bytes.left(bytes.size() - 1)},
        {"trailing bytes", bytes + QByteArray(1, 0)},
        {"index past 3", patched(12, 4)},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(blockFromBytes(r.bytes).has_value()) << r.name;
    }
}

TEST(BlockImageTest, ThePalettesColours) {
    const QImage image = blockImage(CellBlock{2, 1, {0, 3}}, 0);
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(image.pixel(0, 0), paletteColour(0, 0));
    EXPECT_EQ(image.pixel(1, 0), paletteColour(0, 3));
}

}  // namespace
}  // namespace tovik
