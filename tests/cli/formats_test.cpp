// The batch program takes PNG, GIF, TIFF and WebP as it takes BMP: the same picture in
// any of them converts to the same bytes.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "clirunner.h"
#include "load/formats_test_helpers.h"
#include "load/jpeg_test_helpers.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

// Transparent colours and the same composed over black, c·a/255 to the nearest.
const std::pair<QRgb, QRgb> kComposed[] = {
    {qRgba(200, 100, 50, 128), qRgb(100, 50, 25)},
    {qRgba(229, 196, 253, 152), qRgb(137, 117, 151)},
    {qRgba(255, 255, 255, 0), qRgb(0, 0, 0)},
    {qRgba(10, 240, 30, 255), qRgb(10, 240, 30)},
    {qRgba(255, 230, 90, 200), qRgb(200, 180, 71)},
    {qRgba(40, 90, 250, 60), qRgb(9, 21, 59)},
};

TEST(CliFormats, EachFormatConvertsAsTheSamePictureInBmp) {
    QTemporaryDir dir;
    const QImage picture = testing::makeTestPicture(70, 50);
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QImage transparent(70, 50, QImage::Format_ARGB32), composed(70, 50, QImage::Format_RGB32);
    const std::vector<QRgb> palette = {qRgb(250, 10, 10), qRgb(10, 250, 10), qRgb(30, 30, 240),
                                       qRgb(240, 240, 240)};
    std::vector<int> indices;
    QImage paletted(70, 50, QImage::Format_RGB32);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 70; ++x) {
            const auto& [colour, over] = kComposed[(x / 4 + y / 3) % std::size(kComposed)];
            transparent.setPixel(x, y, colour);
            composed.setPixel(x, y, over);
            indices.push_back((x / 6 + y / 5 + x * y / 40) % 4);
            paletted.setPixel(x, y, palette[indices.back()]);
        }
    }
    const struct {
        const char* name;
        QByteArray file;
        QImage asBmp;
    } cases[] = {
        {"rgb.png", testing::encodeWith(picture, "png"), picture},
        {"rgba.png", testing::encodeWith(transparent, "png"), composed},
        {"indexed.png", testing::encodeWith(indexed, "png"),
         indexed.convertToFormat(QImage::Format_RGB32)},
        {"grey.png", testing::encodeWith(grey, "png"), grey.convertToFormat(QImage::Format_RGB32)},
        {"picture.gif", testing::makeGif(70, 50, palette, {indices}), paletted},
        {"picture.tif", testing::encodeWith(picture, "tiff"), picture},
        {"picture.webp", testing::encodeWith(picture, "webp", 100), picture},
    };
    for (const auto& c : cases) {
        const QString file = dir.filePath(c.name), bmp = dir.filePath("same.bmp");
        writeFile(file, c.file);
        writeFile(bmp, encodeBmp24(c.asBmp));
        const CliResult fromFile =
            runCli({"convert", file, "--method", "thresholds", "-o", dir.filePath("a.bip")});
        const CliResult fromBmp =
            runCli({"convert", bmp, "--method", "thresholds", "-o", dir.filePath("b.bip")});
        EXPECT_EQ(fromFile.exitCode, 0) << c.name << ": " << fromFile.err.toStdString();
        EXPECT_EQ(fromBmp.exitCode, 0) << c.name;
        EXPECT_EQ(fileBytes(dir.filePath("a.bip")).toHex(),
                  fileBytes(dir.filePath("b.bip")).toHex())
            << c.name;
        EXPECT_EQ(runCli({"info", file}).out, "width 70\nheight 50\n") << c.name;
    }
}

// The content chooses the reader: a PNG named .jpg, and one with no extension, convert
// to the bytes of the same PNG named .png.
TEST(CliFormats, APictureIsReadByItsContentWhateverItsName) {
    QTemporaryDir dir;
    const QByteArray png = testing::encodeWith(testing::makeTestPicture(70, 50), "png");
    QByteArray expected;
    for (const char* name : {"photo.png", "photo.jpg", "photo"}) {
        const QString input = dir.filePath(name), output = dir.filePath("out.bip");
        writeFile(input, png);
        const CliResult r = runCli({"convert", input, "--method", "cga", "-o", output});
        ASSERT_EQ(r.exitCode, 0) << name << r.err.toStdString();
        if (expected.isEmpty()) {
            expected = fileBytes(output);
        }
        EXPECT_EQ(fileBytes(output), expected) << name;
    }
}

}  // namespace
}  // namespace tovik
