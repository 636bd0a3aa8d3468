#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <functional>

#include "machinefiles/uknc.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

// A W x H picture whose pixel (x, y) is pixel(x, y).
PixelBuffer pictureOf(int width, int height, const std::function<int(int, int)>& pixel) {
    PixelBuffer buffer;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            buffer.set(x + y * width, pixel(x, y));
        }
    }
    return buffer;
}

// ".BYTE  " and the numbers joined by ", ", then CR LF.
QByteArray line(const QList<QByteArray>& numbers) {
    return ".BYTE  " + numbers.join(", ") + "\r\n";
}

QList<QByteArray> repeated(const QList<QByteArray>& pair, int count) {
    QList<QByteArray> out;
    for (int i = 0; i < count; ++i) {
        out.append(pair);
    }
    return out;
}

TEST(UkncSource, SmallPicturesByteExact) {
    struct Case {
        const char* name;
        int width, height;
        std::function<int(int, int)> pixel;
        QByteArray expected;
    };
    const int row1[] = {1, 2, 3, 0, 0, 0, 0, 0};
    const int row12[] = {1, 0, 0, 0, 0, 0, 0, 0, 3, 2, 1, 0};
    const Case cases[] = {
        {"8x8 all 3", 8, 8, [](int, int) { return 3; },
         ".BYTE  1, 10\r\n" + line(repeated({"377", "377"}, 8))},
        {"1 2 3 0 row", 8, 1, [&](int x, int) { return row1[x]; },
         ".BYTE  1, 1\r\n.BYTE  6, 5\r\n"},
        // W mod 8 = 4: the last byte of a row holds pixels 8..11 in bits 0..3, and the next
        // row starts on a new byte.
        {"12 wide", 12, 2, [&](int x, int y) { return y == 0 ? row12[x] : 2; },
         ".BYTE  2, 2\r\n.BYTE  0, 1, 3, 5, 377, 0, 17, 0\r\n"},
        // Five pixels remain: they sit in bits 0..4 of a partial byte.
        {"13 wide", 13, 2, [](int, int y) { return y == 0 ? 1 : 2; },
         ".BYTE  2, 2\r\n.BYTE  0, 377, 0, 37, 377, 0, 37, 0\r\n"},
        {"13 wide, last pixel alone", 13, 1, [](int x, int) { return x == 12 ? 3 : 0; },
         ".BYTE  2, 1\r\n.BYTE  0, 0, 20, 20\r\n"},
        {"1 wide", 1, 3, [](int, int y) { return y + 1; },
         ".BYTE  1, 3\r\n.BYTE  0, 1, 1, 0, 1, 1\r\n"},
        // 13 bytes a row: nine pairs fill the first line, four go on the final one.
        {"100 wide", 100, 1, [](int, int) { return 3; },
         ".BYTE  15, 1\r\n" + line(repeated({"377", "377"}, 9)) +
             line(repeated({"377", "377"}, 3) + QList<QByteArray>{"17", "17"})},
        {"0 wide", 0, 8, [](int, int) { return 3; }, ".BYTE  0, 10\r\n.BYTE  \r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(makeUkncSource(pictureOf(c.width, c.height, c.pixel), c.width, c.height),
                  c.expected)
            << c.name;
    }
}

TEST(UkncSource, SixtyFourSquareHasFiftySixFullLinesAndEightPairsLast) {
    // Indices 0,1,2,3 repeat along each row: plane 0 is 10101010b, plane 1 11001100b.
    const PixelBuffer buffer = pictureOf(64, 64, [](int x, int) { return x % 4; });
    QByteArray expected = ".BYTE  10, 100\r\n";
    for (int i = 0; i < 56; ++i) {
        expected += line(repeated({"314", "252"}, 9));
    }
    expected += line(repeated({"314", "252"}, 8));
    EXPECT_EQ(makeUkncSource(buffer, 64, 64), expected);
}

TEST(UkncSource, PairsFillingWholeLinesEndWithTheDirectiveAlone) {
    const PixelBuffer buffer = pictureOf(72, 9, [](int x, int y) { return x == 0 && y == 8; });
    const QByteArray text = makeUkncSource(buffer, 72, 9);
    QByteArray expected = ".BYTE  11, 11\r\n";
    for (int i = 0; i < 8; ++i) {
        expected += line(repeated({"0", "0"}, 9));
    }
    // Row 8 starts with pair 72, the first pair of line 9; its first pixel is index 1.
    expected += line(QList<QByteArray>{"0", "1"} + repeated({"0", "0"}, 8));
    expected += ".BYTE  \r\n";
    EXPECT_EQ(text, expected);
}

TEST(UkncSource, HeaderCarriesBytesPerRowAndHeightInOctal) {
    struct Case {
        int width, height;
        QByteArray header;
    };
    const Case cases[] = {
        {8, 1024, ".BYTE  1, 2000\r\n"},  {320, 204, ".BYTE  50, 314\r\n"},
        {12, 8, ".BYTE  2, 10\r\n"},      {9, 8, ".BYTE  2, 10\r\n"},
        {256, 256, ".BYTE  40, 400\r\n"}, {7, 8, ".BYTE  1, 10\r\n"},
    };
    const PixelBuffer buffer;
    for (const auto& c : cases) {
        const QByteArray text = makeUkncSource(buffer, c.width, c.height);
        EXPECT_TRUE(text.startsWith(c.header))
            << c.width << "x" << c.height << ": " << text.left(20).toStdString();
        const int pairs = (c.width + 7) / 8 * c.height;
        EXPECT_EQ(text.count("\r\n"), 1 + pairs / 9 + 1) << c.width << "x" << c.height;
        const int rest = pairs % 9;
        EXPECT_EQ(text.count(", "), 1 + 17 * (pairs / 9) + (rest > 0 ? 2 * rest - 1 : 0))
            << c.width << "x" << c.height;
    }
}

}  // namespace
}  // namespace tovik
