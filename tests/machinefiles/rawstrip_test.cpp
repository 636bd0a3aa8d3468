#include <gtest/gtest.h>

#include <QByteArray>
#include <vector>

#include "machinefiles/rawstrip.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

std::vector<int> entries(const PixelBuffer& buffer, int from, int count) {
    std::vector<int> out;
    for (int i = from; i < from + count; ++i) {
        out.push_back(buffer.at(i));
    }
    return out;
}

TEST(RawStrip, BitSevenIsTheLeftmostPixelAndSetBitsAreTwo) {
    struct Case {
        unsigned char byte;
        std::vector<int> row;
    };
    const Case cases[] = {
        {0xA5, {2, 0, 2, 0, 0, 2, 0, 2}}, {0x80, {2, 0, 0, 0, 0, 0, 0, 0}},
        {0x01, {0, 0, 0, 0, 0, 0, 0, 2}}, {0xFF, {2, 2, 2, 2, 2, 2, 2, 2}},
        {0x00, {0, 0, 0, 0, 0, 0, 0, 0}}, {0x3C, {0, 0, 2, 2, 2, 2, 0, 0}},
    };
    for (const auto& c : cases) {
        PixelBuffer buffer;
        readRawStrip(QByteArray(1, static_cast<char>(c.byte)), 8, buffer);
        EXPECT_EQ(entries(buffer, 0, 8), c.row) << int(c.byte);
    }
}

TEST(RawStrip, OnlyTheTopLeftPixelOfASingleSetBit) {
    QByteArray file(1024, '\0');
    file[0] = static_cast<char>(0x80);
    PixelBuffer buffer;
    readRawStrip(file, 1024, buffer);
    PixelBuffer expected;
    expected.set(0, 2);
    EXPECT_TRUE(buffer == expected);
}

// Rows past the end of the file are blank; entries past 8*H keep what they held.
TEST(RawStrip, ShortLongAndEmptyFiles) {
    struct Case {
        const char* name;
        QByteArray file;
        int height;
        int rowsFromFile;
    };
    QByteArray full(1024, '\0');
    for (int i = 0; i < full.size(); ++i) {
        full[i] = static_cast<char>(i * 37 + 11);
    }
    const Case cases[] = {
        {"1024 bytes at 1024 rows", full, 1024, 1024},   {"1024 bytes at 256 rows", full, 256, 256},
        {"3 bytes at 1024 rows", full.left(3), 1024, 3}, {"empty file", QByteArray(), 1024, 0},
        {"empty file, 8 rows", QByteArray(), 8, 0},
    };
    for (const auto& c : cases) {
        PixelBuffer buffer;
        for (int i = 0; i < PixelBuffer::kSize; ++i) {
            buffer.set(i, 3);
        }
        readRawStrip(c.file, c.height, buffer);
        for (int y = 0; y < c.height; ++y) {
            const int byte = y < c.rowsFromFile ? static_cast<uint8_t>(c.file[y]) : 0;
            for (int k = 0; k < 8; ++k) {
                const int expected = (byte >> (7 - k)) & 1 ? 2 : 0;
                ASSERT_EQ(buffer.at(8 * y + k), expected)
                    << c.name << " row " << y << " pixel " << k;
            }
        }
        EXPECT_EQ(buffer.at(8 * c.height), 3) << c.name;
        EXPECT_EQ(buffer.at(PixelBuffer::kSize - 1), 3) << c.name;
    }
}

TEST(RawStrip, HeightsBeyondTheBufferStopAtItsEnd) {
    for (int height : {8192, 8193, 1 << 30, INT32_MAX}) {
        PixelBuffer buffer;
        readRawStrip(QByteArray(10000, static_cast<char>(0x80)), height, buffer);
        EXPECT_EQ(buffer.at(PixelBuffer::kSize - 8), 2) << height;
        EXPECT_EQ(buffer.at(PixelBuffer::kSize - 7), 0) << height;
    }
}

TEST(RawStrip, ANonPositiveHeightWritesNothing) {
    for (int height : {0, -1, -1024}) {
        PixelBuffer buffer;
        buffer.set(0, 1);
        readRawStrip(QByteArray(8, static_cast<char>(0xFF)), height, buffer);
        EXPECT_EQ(buffer.at(0), 1) << height;
        EXPECT_EQ(buffer.at(1), 0) << height;
    }
}

}  // namespace
}  // namespace tovik
