#include <gtest/gtest.h>

#include <QByteArray>
#include <vector>

#include "machinefiles/screenpack.h"
#include "picture/pixelbuffer.h"
#include "testbytes.h"

namespace tovik {
namespace {

PixelBuffer bufferOf(const std::vector<int>& entries) {
    PixelBuffer buffer;
    for (size_t i = 0; i < entries.size(); ++i) {
        buffer.set(static_cast<int>(i), entries[i]);
    }
    return buffer;
}

TEST(packScreenByte, FirstPixelInTheLowBits) {
    struct Case {
        int p0, p1, p2, p3;
        uint8_t expected;
    };
    const Case cases[] = {
        {1, 2, 3, 0, 0x39}, {3, 3, 3, 3, 0xFF}, {0, 0, 0, 0, 0x00}, {3, 0, 0, 0, 0x03},
        {0, 0, 0, 3, 0xC0}, {2, 1, 0, 3, 0xC6}, {0, 1, 0, 0, 0x04}, {0, 0, 2, 0, 0x20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(packScreenByte(c.p0, c.p1, c.p2, c.p3), c.expected)
            << c.p0 << c.p1 << c.p2 << c.p3;
    }
}

TEST(PackedExports, AllZeroSixtyFourSquare) {
    const PixelBuffer buffer;
    const QByteArray dump = makeScreenDump(buffer, 64, 64);
    EXPECT_EQ(dump, QByteArray(1024, '\0'));

    const QByteArray header = makeBinWithHeader(buffer, 64, 64);
    ASSERT_EQ(header.size(), 1028);
    EXPECT_EQ(header.left(4), bytes({0x00, 0x40, 0x00, 0x04}));
    EXPECT_EQ(header.mid(4), QByteArray(1024, '\0'));

    const QByteArray palette = makeBinWithPalette(buffer, 64, 64);
    ASSERT_EQ(palette.size(), 1040);
    EXPECT_EQ(palette.left(16), bytes({0xF0, 0x3F, 0x00, 0x04, 0xDF, 0x15, 0x00, 0x0B, 0xB2, 0xFF,
                                       0x01, 0x00, 0x57, 0x00, 0x00, 0xA0}));
    EXPECT_EQ(palette.mid(16), QByteArray(1024, '\0'));
}

// Groups are taken in buffer order, so with W not a multiple of 4 they straddle row ends,
// and the last W*H mod 4 pixels belong to no group.
TEST(PackedExports, GroupsInBufferOrder) {
    struct Case {
        const char* name;
        std::vector<int> entries;
        int width, height;
        QByteArray dump;
    };
    std::vector<int> thirds(40);
    for (size_t i = 0; i < thirds.size(); ++i) {
        thirds[i] = static_cast<int>(i % 3);
    }
    std::vector<int> cornerSet(64 * 64, 0);
    cornerSet[64 * 64 - 1] = 3;
    cornerSet[64 * 64 - 4] = 1;
    std::vector<int> firstRow(64 * 64, 0);
    firstRow[0] = 1, firstRow[1] = 2, firstRow[2] = 3;

    const Case cases[] = {
        // 30 pixels: groups 2 and 4 run from one 10-pixel row into the next; pixels 28 and 29
        // (indices 1 and 2) are left out.
        {"10x3", thirds, 10, 3, bytes({0x24, 0x49, 0x92, 0x24, 0x49, 0x92, 0x24})},
        {"9x1", thirds, 9, 1, bytes({0x24, 0x49})},
        {"3x1 has no group", thirds, 3, 1, QByteArray()},
        {"1 2 3 0 row", firstRow, 4, 1, bytes({0x39})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(makeScreenDump(bufferOf(c.entries), c.width, c.height).toHex(' '),
                  c.dump.toHex(' '))
            << c.name;
    }

    const QByteArray corner = makeScreenDump(bufferOf(cornerSet), 64, 64);
    ASSERT_EQ(corner.size(), 1024);
    EXPECT_EQ(static_cast<uint8_t>(corner[1023]), 0xC1);
    EXPECT_EQ(corner.left(1023), QByteArray(1023, '\0'));
}

TEST(PackedExports, LengthWordAndDataFollowTheHeader) {
    struct Case {
        int width, height;
        QByteArray headerStart;  // first four bytes of the BIN with header
        int dumpSize;
    };
    const Case cases[] = {
        {10, 3, bytes({0x00, 0x40, 0x07, 0x00}), 7},
        {256, 256, bytes({0x00, 0x40, 0x00, 0x40}), 16384},
        {8, 1024, bytes({0x00, 0x40, 0x00, 0x08}), 2048},
        // A size beyond the buffer packs only the entries the buffer has.
        {320, 1024, bytes({0x00, 0x40, 0x00, 0x40}), 16384},
        {0, 64, bytes({0x00, 0x40, 0x00, 0x00}), 0},
        {-8, 64, bytes({0x00, 0x40, 0x00, 0x00}), 0},
    };
    PixelBuffer buffer;
    for (int i = 0; i < PixelBuffer::kSize; ++i) {
        buffer.set(i, i % 4);
    }
    for (const auto& c : cases) {
        const QByteArray dump = makeScreenDump(buffer, c.width, c.height);
        const QByteArray header = makeBinWithHeader(buffer, c.width, c.height);
        const QByteArray palette = makeBinWithPalette(buffer, c.width, c.height);
        EXPECT_EQ(dump.size(), c.dumpSize) << c.width << "x" << c.height;
        EXPECT_EQ(header.left(4).toHex(' '), c.headerStart.toHex(' '));
        EXPECT_EQ(header.mid(4), dump);
        EXPECT_EQ(palette.mid(2, 2), header.mid(2, 2));
        EXPECT_EQ(palette.mid(16), dump);
        if (c.dumpSize > 0) {
            // Entries 0,1,2,3 repeat, so every byte is 0 | 1<<2 | 2<<4 | 3<<6.
            EXPECT_EQ(dump, QByteArray(c.dumpSize, static_cast<char>(0xE4)));
        }
    }
}

}  // namespace
}  // namespace tovik
