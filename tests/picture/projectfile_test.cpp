#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <vector>

#include "picture/error.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

QByteArray le32(int value) {
    const auto v = static_cast<quint32>(value);
    QByteArray out;
    for (int shift = 0; shift < 32; shift += 8) {
        out.append(static_cast<char>((v >> shift) & 0xFF));
    }
    return out;
}

QByteArray header(int width, int height, int palette) {
    return "PRJ" + le32(width) + le32(height) + le32(palette);
}

TEST(ProjectFile, SixtyFourSquareInPaletteThree) {
    PixelBuffer buffer;
    for (int i = 0; i < 4096; ++i) {
        buffer.set(i, i % 4);
    }
    buffer.set(4096, 3);  // past the picture: not saved
    const QByteArray file = encodeProject(buffer, 64, 64, 3);
    ASSERT_EQ(file.size(), 4111);
    EXPECT_EQ(file.left(15).toHex(' '), "50 52 4a 40 00 00 00 40 00 00 00 03 00 00 00");
    for (int i = 0; i < 4096; ++i) {
        ASSERT_EQ(file[15 + i], static_cast<char>(i % 4)) << i;
    }
}

TEST(ProjectFile, HeaderNumbersAreSignedLittleEndian) {
    struct Case {
        int width, height, palette;
        const char* hex;
    };
    const Case cases[] = {
        {8, 8, 0, "50 52 4a 08 00 00 00 08 00 00 00 00 00 00 00"},
        {320, 204, 15, "50 52 4a 40 01 00 00 cc 00 00 00 0f 00 00 00"},
        {8, 1024, 9, "50 52 4a 08 00 00 00 00 04 00 00 09 00 00 00"},
    };
    const PixelBuffer buffer;
    for (const auto& c : cases) {
        const QByteArray file = encodeProject(buffer, c.width, c.height, c.palette);
        EXPECT_EQ(file.left(15).toHex(' '), c.hex);
        EXPECT_EQ(file.size(), 15 + c.width * c.height);
        const ProjectFile back = decodeProject(file, "a.bip");
        EXPECT_EQ(back.width, c.width);
        EXPECT_EQ(back.height, c.height);
        EXPECT_EQ(back.palette, c.palette);
        EXPECT_EQ(back.pixels, QByteArray(c.width * c.height, '\0'));
    }
}

TEST(ProjectFile, ASizeBeyondTheBufferSavesOnlyItsEntries) {
    const PixelBuffer buffer;
    const QByteArray file = encodeProject(buffer, 320, 1024, 0);
    EXPECT_EQ(file.size(), 15 + PixelBuffer::kSize);
    EXPECT_EQ(file.mid(3, 8).toHex(' '), "40 01 00 00 00 04 00 00");
}

TEST(ProjectFile, RefusesDamagedHeaders) {
    struct Case {
        const char* name;
        QByteArray file;
        QString message;
    };
    const Case cases[] = {
        {"empty", QByteArray(),
         "x.bip is not a project file: it does not begin with PRJ. Choose a project that this "
         "program saved."},
        {"two bytes", "PR",
         "x.bip is not a project file: it does not begin with PRJ. Choose a project that this "
         "program saved."},
        {"lower case", "prj" + le32(64) + le32(64) + le32(0),
         "x.bip is not a project file: it does not begin with PRJ. Choose a project that this "
         "program saved."},
        {"a bitmap", "BM" + QByteArray(60, '\0'),
         "x.bip is not a project file: it does not begin with PRJ. Choose a project that this "
         "program saved."},
        {"magic only", "PRJ",
         "x.bip is not a project file: its header is cut short (3 of 15 bytes). Choose a project "
         "that this program saved."},
        {"fourteen bytes", header(64, 64, 3).left(14),
         "x.bip is not a project file: its header is cut short (14 of 15 bytes). Choose a project "
         "that this program saved."},
        {"zero width", header(0, 64, 0),
         "Project file x.bip has an invalid picture size 0 x 64. Choose a project that this "
         "program saved."},
        {"negative height", header(64, -1, 0),
         "Project file x.bip has an invalid picture size 64 x -1. Choose a project that this "
         "program saved."},
        {"most negative width", header(INT32_MIN, 8, 0),
         "Project file x.bip has an invalid picture size -2147483648 x 8. Choose a project that "
         "this program saved."},
        {"palette 16", header(64, 64, 16) + QByteArray(4096, '\0'),
         "Project file x.bip has an invalid palette number 16 (0..15 allowed). Choose a project "
         "that this program saved."},
        {"palette -1", header(64, 64, -1),
         "Project file x.bip has an invalid palette number -1 (0..15 allowed). Choose a project "
         "that this program saved."},
    };
    for (const auto& c : cases) {
        try {
            decodeProject(c.file, "x.bip");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), c.message) << c.name;
        }
    }
}

TEST(ProjectFile, AcceptsEdgeValuesAndKeepsThePixelPartAsItIs) {
    struct Case {
        QByteArray file;
        int width, height, palette;
        int pixelBytes;
    };
    const Case cases[] = {
        {header(1, 1, 0), 1, 1, 0, 0},
        {header(64, 64, 15) + QByteArray(10, '\1'), 64, 64, 15, 10},
        {header(1000, 1000, 0) + QByteArray(5000, '\2'), 1000, 1000, 0, 5000},
    };
    for (const auto& c : cases) {
        const ProjectFile p = decodeProject(c.file, "y.bip");
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(p.palette, c.palette);
        EXPECT_EQ(p.pixels.size(), c.pixelBytes);
    }
}

TEST(ProjectFile, LoadingPixels) {
    struct Case {
        const char* name;
        QByteArray pixels;
        int width, height;
        std::vector<std::pair<int, int>> expected;  // entry, value
    };
    const Case cases[] = {
        {"short part leaves the rest 0",
         QByteArray(100, '\3'),
         64,
         64,
         {{0, 3}, {99, 3}, {100, 0}, {4095, 0}, {65535, 0}}},
        {"bytes masked to two bits",
         QByteArray("\x07\xff\x04\x06\x81", 5),
         8,
         8,
         {{0, 3}, {1, 3}, {2, 0}, {3, 2}, {4, 1}, {5, 0}}},
        {"only W*H bytes are read",
         QByteArray(64 * 1000, '\1'),
         64,
         256,
         {{16383, 1}, {16384, 0}, {63999, 0}}},
        {"empty part", QByteArray(), 64, 64, {{0, 0}, {4095, 0}}},
    };
    for (const auto& c : cases) {
        PixelBuffer buffer;
        for (int i = 0; i < PixelBuffer::kSize; ++i) {
            buffer.set(i, 2);
        }
        loadProjectPixels(c.pixels, c.width, c.height, buffer);
        for (const auto& [entry, value] : c.expected) {
            EXPECT_EQ(buffer.at(entry), value) << c.name << ", entry " << entry;
        }
    }
}

TEST(ProjectFile, SixtyFiveWideHeaderShearsEachRowOneFurther) {
    PixelBuffer saved;
    for (int i = 0; i < 4096; ++i) {
        saved.set(i, (i / 3 + i / 64) % 4);
    }
    QByteArray file = encodeProject(saved, 64, 64, 0);
    file[3] = 65;

    const ProjectFile project = decodeProject(file, "shear.bip");
    const PictureSize size = clampPictureSize(project.width, project.height, kStartHeightMax);
    ASSERT_EQ(size, (PictureSize{65, 64}));
    PixelBuffer opened;
    loadProjectPixels(project.pixels, size.width, size.height, opened);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 65; ++x) {
            // Row y starts y pixels further into the saved picture than a 64-wide row would.
            const int shifted = 64 * y + x + y;
            const int expected = shifted < 4096 ? saved.at(shifted) : 0;
            ASSERT_EQ(opened.at(x + 65 * y), expected) << x << "," << y;
        }
    }
    // The last 64 pixels of the 65 x 64 picture have no byte in the file.
    for (int i = 65 * 64 - 64; i < 65 * 64; ++i) {
        EXPECT_EQ(opened.at(i), 0) << i;
    }
}

TEST(ProjectFile, SaveAndOpenRestoreTheSameEntries) {
    PixelBuffer saved;
    for (int i = 0; i < 72 * 100; ++i) {
        saved.set(i, (i * 13) % 4);
    }
    const ProjectFile back = decodeProject(encodeProject(saved, 72, 100, 7), "r.bip");
    PixelBuffer opened;
    loadProjectPixels(back.pixels, back.width, back.height, opened);
    EXPECT_TRUE(opened == saved);
    EXPECT_EQ(back.palette, 7);
}

}  // namespace
}  // namespace tovik
