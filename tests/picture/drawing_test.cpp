// Lines, boxes, ellipses, fill, colour replacement and flips on small hand-worked
// pictures, each compared cell by cell with what it must give.
#include <gtest/gtest.h>

#include <cstdlib>

#include "cellgrid.h"
#include "picture/drawing.h"

namespace tovik {
namespace {

using Rows = std::vector<std::string>;

Rows blank(int width, int height) {
    return Rows(size_t(height), std::string(size_t(width), '0'));
}

struct LineCase {
    QPoint a, b;
    Rows expected;
    QRect changed;
};

TEST(DrawLineTest, EndsIncludedAndDiagonalStepsAndClippedAtTheEdges) {
    const LineCase cases[] = {
        {{0, 0}, {6, 0}, {"1111111", "0000000", "0000000", "0000000"}, {0, 0, 7, 1}},
        {{1, 3}, {1, 0}, {"0100000", "0100000", "0100000", "0100000"}, {1, 0, 1, 4}},
        {{0, 0}, {3, 3}, {"1000000", "0100000", "0010000", "0001000"}, {0, 0, 4, 4}},
        {{6, 0}, {3, 3}, {"0000001", "0000010", "0000100", "0001000"}, {3, 0, 4, 4}},
        {{0, 0}, {6, 3}, {"1000000", "0110000", "0001100", "0000011"}, {0, 0, 7, 4}},
        {{-2, 1}, {8, 1}, {"0000000", "1111111", "0000000", "0000000"}, {0, 1, 7, 1}},
        {{4, 2}, {4, 2}, {"0000000", "0000000", "0000100", "0000000"}, {4, 2, 1, 1}},
        {{-5, -5}, {-1, 3}, blank(7, 4), {}},
    };
    for (const auto& c : cases) {
        CellGrid grid(7, 4);
        PictureCells cells = grid.cells();
        EXPECT_EQ(drawLine(cells, c.a, c.b, 1), c.changed) << c.a.x() << "," << c.a.y();
        EXPECT_EQ(grid.rows(), c.expected) << c.a.x() << "," << c.a.y();
        EXPECT_EQ(grid.buffer.at(7 * 4), 0);  // nothing past the picture's last row
    }
}

// However far apart two pointer positions are, the stroke between them has no gaps.
TEST(DrawLineTest, EveryStepIsToANeighbourFromEndToEnd) {
    const std::pair<QPoint, QPoint> cases[] = {
        {{0, 0}, {255, 7}},  {{200, 3}, {-50, 90}}, {{10, 10}, {10, 250}},
        {{31, 5}, {0, 199}}, {{7, 7}, {8, 9}},      {{100, 100}, {0, 0}},
    };
    for (const auto& [a, b] : cases) {
        std::vector<QPoint> path;
        plotLine(a, b, [&](int x, int y) { path.emplace_back(x, y); });
        ASSERT_FALSE(path.empty());
        EXPECT_EQ(path.front(), a);
        EXPECT_EQ(path.back(), b);
        EXPECT_EQ(int(path.size()), std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())) + 1);
        for (size_t i = 1; i < path.size(); ++i) {
            const QPoint step = path[i] - path[i - 1];
            ASSERT_EQ(std::max(std::abs(step.x()), std::abs(step.y())), 1)
                << "gap at " << i << " of " << a.x() << "," << a.y();
        }
    }
}

TEST(ConstrainTest, LinesSnapToTheNearestOfEightDirectionsAndBoxesToSquares) {
    const struct {
        QPoint from, to, line, square;
    } cases[] = {
        {{10, 10}, {20, 12}, {20, 10}, {20, 20}}, {{10, 10}, {11, -5}, {10, -5}, {25, -5}},
        {{10, 10}, {17, 14}, {17, 17}, {17, 17}}, {{10, 10}, {4, 16}, {4, 16}, {4, 16}},
        {{10, 10}, {0, 13}, {0, 10}, {0, 20}},    {{10, 10}, {10, 10}, {10, 10}, {10, 10}},
        {{10, 10}, {6, 1}, {1, 1}, {1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(constrainLine(c.from, c.to), c.line) << c.to.x() << "," << c.to.y();
        EXPECT_EQ(constrainSquare(c.from, c.to), c.square) << c.to.x() << "," << c.to.y();
    }
}

TEST(DrawRectangleTest, OutlineFilledAndOverTheEdge) {
    const struct {
        QRect box;
        bool filled;
        Rows expected;
        QRect changed;
    } cases[] = {
        {cellRect({4, 3}, {1, 1}),
         false,
         {"000000", "022220", "020020", "022220", "000000"},
         {1, 1, 4, 3}},
        {cellRect({1, 1}, {4, 3}),
         true,
         {"000000", "022220", "022220", "022220", "000000"},
         {1, 1, 4, 3}},
        {{-1, -1, 4, 4}, false, {"002000", "002000", "222000", "000000", "000000"}, {0, 0, 3, 3}},
        {{5, 4, 3, 3}, true, {"000000", "000000", "000000", "000000", "000002"}, {5, 4, 1, 1}},
    };
    for (const auto& c : cases) {
        CellGrid grid(6, 5);
        PictureCells cells = grid.cells();
        EXPECT_EQ(drawRectangle(cells, c.box, c.filled, 2), c.changed);
        EXPECT_EQ(grid.rows(), c.expected);
    }
}

TEST(DrawEllipseTest, HandWorkedShapes) {
    const struct {
        QRect box;
        bool filled;
        Rows expected;
    } cases[] = {
        {{1, 0, 5, 5}, false, {"0033300", "0300030", "0300030", "0300030", "0033300"}},
        {{0, 1, 3, 3}, true, {"0000000", "0300000", "3330000", "0300000", "0000000"}},
        {{0, 1, 7, 3}, false, {"0000000", "0333330", "3000003", "0333330", "0000000"}},
        {{-1, 0, 4, 4}, true, {"3300000", "3330000", "3330000", "3300000", "0000000"}},
    };
    for (const auto& c : cases) {
        CellGrid grid(7, 5);
        PictureCells cells = grid.cells();
        drawEllipse(cells, c.box, c.filled, 3);
        EXPECT_EQ(grid.rows(), c.expected) << c.box.width() << "x" << c.box.height();
    }
}

// For every box up to 24 x 24: the ellipse lies in it, touches all four sides, is the
// same mirrored either way, its outline is part of the filled one, and each row of the
// filled one is one unbroken run.
TEST(DrawEllipseTest, SymmetricAndTouchingTheBoxForEverySize) {
    for (int w = 1; w <= 24; ++w) {
        for (int h = 1; h <= 24; ++h) {
            for (const bool filled : {false, true}) {
                std::vector<std::string> shape(size_t(h), std::string(size_t(w), '.'));
                bool inside = true;
                plotEllipse({3, 2, w, h}, filled, [&](int x, int y) {
                    if (x < 3 || y < 2 || x >= 3 + w || y >= 2 + h) {
                        inside = false;
                    } else {
                        shape[size_t(y - 2)][size_t(x - 3)] = '#';
                    }
                });
                ASSERT_TRUE(inside) << w << "x" << h;
                std::vector<std::string> flipped = shape;
                std::reverse(flipped.begin(), flipped.end());
                ASSERT_EQ(flipped, shape) << w << "x" << h;
                std::string column;
                for (auto& row : shape) {
                    ASSERT_EQ(std::string(row.rbegin(), row.rend()), row) << w << "x" << h;
                    column += row.front();
                    if (filled) {
                        const size_t first = row.find('#'), last = row.rfind('#');
                        ASSERT_NE(first, std::string::npos) << w << "x" << h;
                        ASSERT_EQ(row.find('.', first), last + 1 == row.size()
                                                            ? std::string::npos
                                                            : row.find('.', first));
                        ASSERT_EQ(row.substr(first, last - first + 1).find('.'), std::string::npos);
                    }
                }
                ASSERT_NE(shape.front().find('#'), std::string::npos) << w << "x" << h;
                ASSERT_NE(column.find('#'), std::string::npos) << w << "x" << h;
            }
        }
    }
}

struct FillCase {
    const char* name;
    Rows picture;
    QPoint at;
    int index;
    Rows expected;
};

TEST(FloodFillTest, FourConnectedRegionOfOneIndex) {
    const FillCase cases[] = {
        {"diagonal gaps are walls",
         {"0010", "0100", "1000", "0000"},
         {0, 0},
         2,
         {"2210", "2100", "1000", "0000"}},
        {"enclosed hole",
         {"1110", "1011", "1001", "0111"},
         {1, 1},
         3,
         {"1110", "1311", "1331", "0111"}},
        {"along every border",
         {"1110", "1011", "1001", "0111"},
         {0, 0},
         2,
         {"2220", "2022", "2002", "0222"}},
        {"no wrap from a row's end", {"1110", "0111"}, {3, 0}, 2, {"1112", "0111"}},
        {"bottom row stays inside", {"1110", "0111"}, {0, 1}, 3, {"1110", "3111"}},
        {"same index", {"0120", "0120"}, {1, 1}, 1, {"0120", "0120"}},
        {"outside the picture", {"0120", "0120"}, {4, 0}, 1, {"0120", "0120"}},
        {"around a spiral",
         {"000000", "011110", "010010", "010110", "010000", "011111"},
         {3, 2},
         3,
         {"333333", "311113", "313313", "313113", "313333", "311111"}},
    };
    for (const auto& c : cases) {
        CellGrid grid(c.picture);
        PictureCells cells = grid.cells();
        const QRect changed = floodFill(cells, c.at, c.index);
        EXPECT_EQ(grid.rows(), c.expected) << c.name;
        // Nothing past the picture changed either.
        EXPECT_EQ(grid.buffer, CellGrid(c.expected).buffer) << c.name;
        EXPECT_EQ(changed.isEmpty(), c.picture == c.expected) << c.name;
    }
}

// A comb of walls open at alternate ends: one path through all 65,536 cells' free half,
// which needs the fill to seed many runs row after row.
TEST(FloodFillTest, WholePictureAndASerpentineOfFullSize) {
    CellGrid grid(256, 256);
    PictureCells cells = grid.cells();
    EXPECT_EQ(floodFill(cells, {17, 200}, 1), QRect(0, 0, 256, 256));
    EXPECT_EQ(grid.buffer.at(0), 1);
    EXPECT_EQ(grid.buffer.at(65535), 1);

    for (int x = 1; x < 256; x += 2) {
        drawLine(cells, {x, x % 4 == 1 ? 0 : 1}, {x, x % 4 == 1 ? 254 : 255}, 2);
    }
    floodFill(cells, {0, 0}, 3);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            ASSERT_NE(cells.at(x, y), 1) << x << "," << y;
        }
    }
}

TEST(ReplaceColourTest, WholeOrAreaReplaceOrSwap) {
    const struct {
        QRect area;
        int from, to;
        bool swap;
        Rows expected;
    } cases[] = {
        {{0, 0, 4, 2}, 1, 3, false, {"0323", "3230"}},
        {{0, 0, 4, 2}, 1, 3, true, {"0321", "1230"}},
        {{1, 0, 2, 2}, 2, 0, false, {"0103", "3010"}},
        {{2, -1, 5, 5}, 0, 1, false, {"0123", "3211"}},
        {{0, 0, 4, 2}, 2, 2, true, {"0123", "3210"}},
    };
    for (const auto& c : cases) {
        CellGrid grid({"0123", "3210"});
        PictureCells cells = grid.cells();
        const QRect changed = replaceColour(cells, c.area, c.from, c.to, c.swap);
        EXPECT_EQ(grid.rows(), c.expected) << c.from << "->" << c.to;
        EXPECT_EQ(changed.isEmpty(), c.from == c.to);
    }
}

TEST(FlipAreaTest, WholeOrAreaEitherWay) {
    const struct {
        QRect area;
        Qt::Orientation orientation;
        Rows expected;
    } cases[] = {
        {{0, 0, 4, 3}, Qt::Horizontal, {"3210", "0321", "1032"}},
        {{0, 0, 4, 3}, Qt::Vertical, {"2301", "1230", "0123"}},
        {{1, 0, 2, 3}, Qt::Horizontal, {"0213", "1320", "2031"}},
        {{0, 0, 4, 2}, Qt::Vertical, {"1230", "0123", "2301"}},
        {{2, 1, 5, 1}, Qt::Horizontal, {"0123", "1203", "2301"}},
    };
    for (const auto& c : cases) {
        CellGrid grid({"0123", "1230", "2301"});
        PictureCells cells = grid.cells();
        EXPECT_EQ(flipArea(cells, c.area, c.orientation), c.area & QRect(0, 0, 4, 3));
        EXPECT_EQ(grid.rows(), c.expected);
    }
}

}  // namespace
}  // namespace tovik
