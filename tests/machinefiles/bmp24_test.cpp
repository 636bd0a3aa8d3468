#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "machinefiles/bmp24.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"
#include "testbytes.h"

namespace tovik {
namespace {

TEST(Bmp24, ThreeByTwoByteExact) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, qRgb(255, 255, 255));
    image.setPixel(1, 1, qRgb(0, 0, 0));
    image.setPixel(2, 1, qRgb(10, 20, 30));
    const QByteArray expected =
        bytes({'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
               40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0,
               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
               // bottom row first, blue green red, padded from 9 to 12 bytes
               0xFF, 0xFF, 0xFF, 0, 0, 0, 30, 20, 10, 0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0,
               0, 0, 0});
    EXPECT_EQ(encodeBmp24(image).toHex(' '), expected.toHex(' '));
}

TEST(Bmp24, HeaderFieldsForPictureSizes) {
    struct Case {
        int width, height;
        int stride;
    };
    const Case cases[] = {{64, 64, 192}, {13, 9, 40}, {8, 1024, 24},
                          {1, 1, 4},     {2, 3, 8},   {0, 0, 0}};
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_RGB32);
        image.fill(Qt::black);
        const QByteArray bmp = encodeBmp24(image);
        const int imageSize = c.stride * c.height;
        QByteArray header = bytes({'B', 'M'});
        for (quint32 v :
             {quint32(54 + imageSize), 0u, 54u, 40u, quint32(c.width), quint32(c.height)}) {
            header +=
                bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
        }
        header += bytes({1, 0, 24, 0, 0, 0, 0, 0});
        header += bytes({imageSize & 0xFF, (imageSize >> 8) & 0xFF, imageSize >> 16, 0});
        header += QByteArray(16, '\0');
        ASSERT_EQ(bmp.size(), 54 + imageSize) << c.width << "x" << c.height;
        EXPECT_EQ(bmp.left(54).toHex(' '), header.toHex(' ')) << c.width << "x" << c.height;
    }
}

// The file read back by Qt's own BMP reader shows every pixel in the palette's colour,
// also with W not a multiple of 4, where each row carries padding.
TEST(Bmp24, ReadsBackPixelByPixelInEachPalette) {
    struct Case {
        int width, height, palette;
    };
    const Case cases[] = {{13, 9, 0}, {13, 9, 9}, {64, 64, 4}, {8, 11, 12}, {321 / 3, 5, 3}};
    for (const auto& c : cases) {
        PixelBuffer buffer;
        for (int i = 0; i < c.width * c.height; ++i) {
            buffer.set(i, (i * 7 + i / 5) % 4);
        }
        QByteArray bmp = encodeBmp24(renderPicture(buffer, c.width, c.height, c.palette));
        QBuffer device(&bmp);
        QImageReader reader(&device, "bmp");
        const QImage back = reader.read();
        ASSERT_FALSE(back.isNull()) << reader.errorString().toStdString();
        ASSERT_EQ(back.size(), QSize(c.width, c.height));
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                ASSERT_EQ(back.pixel(x, y), paletteColour(c.palette, buffer.at(x + y * c.width)))
                    << "palette " << c.palette << " at " << x << "," << y;
            }
        }
    }
}

TEST(Bmp24, SameIndicesDifferentPalettesDifferOnlyInColour) {
    PixelBuffer buffer;
    buffer.set(0, 3);
    const QByteArray red = encodeBmp24(renderPicture(buffer, 8, 8, 0));
    const QByteArray dark = encodeBmp24(renderPicture(buffer, 8, 8, 9));
    ASSERT_EQ(red.size(), dark.size());
    // Pixel (0, 0) is in the top row, which is stored last.
    const int topRow = 54 + 7 * 24;
    EXPECT_EQ(red.mid(topRow, 3), bytes({0, 0, 0xFF}));
    EXPECT_EQ(dark.mid(topRow, 3), bytes({0, 0, 144}));
    EXPECT_EQ(red.left(topRow), dark.left(topRow));
}

}  // namespace
}  // namespace tovik
