// Frame and tone: neutral settings give the import's own bytes, each tone operation on
// small worked pictures, frames at the photograph's edges, fill, and refused values.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "load/fit.h"
#include "load/frame.h"
#include "load/importpicture.h"
#include "load/jpeg_test_helpers.h"
#include "load/picturefile.h"
#include "load/tone.h"
#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

using testing::errorOf;
using testing::firstDifference;
using testing::makeTestPicture;

// A row of grey pixels of the given levels.
QImage greyRow(std::initializer_list<int> levels) {
    QImage image(int(levels.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (int v : levels) {
        image.setPixel(x++, 0, qRgb(v, v, v));
    }
    return image;
}

std::vector<int> redsOf(const QImage& image) {
    std::vector<int> reds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            reds.push_back(qRed(image.pixel(x, y)));
        }
    }
    return reds;
}

TEST(Tone, LevelsOnGreys) {
    const struct {
        ToneSettings tone;
        std::vector<int> expected;  // of 0, 64, 100, 200
    } cases[] = {
        {{}, {0, 64, 100, 200}},
        {{.brightness = 20}, {51, 115, 151, 251}},
        {{.brightness = -100}, {0, 0, 0, 0}},
        {{.contrast = 50}, {0, 32, 86, 236}},  // (v - 127.5) * 1.5 + 127.5
        {{.contrast = -100}, {128, 128, 128, 128}},
        {{.gamma = 2}, {0, 128, 160, 226}},  // 255 * sqrt(v / 255)
        {{.gamma = 0.5}, {0, 16, 39, 157}},  // v * v / 255
        // brightness before contrast: (64 + 25.5 - 127.5) * 2 + 127.5 = 51.5
        {{.brightness = 10, .contrast = 100}, {0, 52, 124, 255}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(redsOf(applyTone(greyRow({0, 64, 100, 200}), c.tone)), c.expected)
            << c.tone.brightness << " " << c.tone.contrast << " " << c.tone.gamma;
    }
}

TEST(Tone, SaturationAboutTheLuma) {
    const struct {
        QRgb pixel;
        int saturation;
        QRgb expected;
    } cases[] = {
        {qRgb(255, 0, 0), 0, qRgb(76, 76, 76)},          // luma 76.245
        {qRgb(100, 150, 200), 0, qRgb(141, 141, 141)},   // luma 140.75
        {qRgb(100, 150, 200), 200, qRgb(59, 159, 255)},  // 140.75 -+ 2 * (140.75 - c)
        {qRgb(100, 150, 200), 50, qRgb(120, 145, 170)},  // 120.375, 145.375, 170.375
        {qRgb(100, 150, 200), 100, qRgb(100, 150, 200)},
    };
    for (const auto& c : cases) {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, c.pixel);
        const QRgb result = applyTone(image, {.saturation = c.saturation}).pixel(0, 0);
        EXPECT_EQ(result, c.expected) << c.saturation << ": " << qRed(result) << ","
                                      << qGreen(result) << "," << qBlue(result);
    }
}

TEST(Tone, SharpenAgainstTheBlur) {
    // A grey 3 x 3 with a lighter centre: the centre's blur is (4*160 + 12*100) / 16,
    // a corner's (160 + 15*100) / 16, an edge's (2*160 + 14*100) / 16.
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(qRgb(100, 100, 100));
    image.setPixel(1, 1, qRgb(160, 160, 160));
    const struct {
        int amount;
        std::vector<int> expected;
    } cases[] = {
        {100, {96, 93, 96, 93, 205, 93, 96, 93, 96}},  // 100 - 3.75, 100 - 7.5, 160 + 45
        {50, {98, 96, 98, 96, 183, 96, 98, 96, 98}},   // 100 - 1.875, 100 - 3.75, 160 + 22.5
        {0, {100, 100, 100, 100, 160, 100, 100, 100, 100}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(redsOf(applyTone(image, {.sharpen = c.amount})), c.expected) << c.amount;
    }
}

TEST(Tone, AutoToneFromTheHalfPerCentTails) {
    // 200 pixels: one at 0 and one at 255 lie within the half per cent and are passed by;
    // 40..210 stretched to 0..255 is a scale of 1.5 (contrast 50) about 125 (brightness
    // 2.5 / 2.55, 1).
    std::vector<int> levels = {0, 255};
    levels.insert(levels.end(), 99, 40);
    levels.insert(levels.end(), 99, 210);
    QImage image(int(levels.size()), 1, QImage::Format_RGB32);
    for (size_t x = 0; x < levels.size(); ++x) {
        image.setPixel(int(x), 0, qRgb(levels[x], levels[x], levels[x]));
    }
    const ToneSettings start{.brightness = -7, .gamma = 2, .sharpen = 5};
    EXPECT_EQ(autoTone(image, start),
              (ToneSettings{.brightness = 1, .contrast = 50, .gamma = 2, .sharpen = 5}));
    // Too wide a spread is held at the contrast's end; one level changes nothing.
    EXPECT_EQ(autoTone(greyRow({100, 101}), {}), (ToneSettings{.brightness = 11, .contrast = 100}));
    EXPECT_EQ(autoTone(greyRow({90, 90, 90}), start), start);
}

// The photographs of the tests: held whole, and one just above the kept bound.
ImportedPicture imported(int width, int height) {
    return importImage(makeTestPicture(width, height));
}

TEST(Frame, NeutralGivesTheImportsBytes) {
    // Odd sizes, some held whole and some past kKeptPixels, kept at odd multiples.
    const QSize sizes[] = {{5, 3},       {257, 255},  {1001, 999}, {2053, 2047},
                           {4099, 1031}, {301, 9001}, {97, 43691}};
    for (const QSize size : sizes) {
        const QImage photograph = makeTestPicture(size.width(), size.height());
        const ImportedPicture picture = importImage(photograph);
        const FitResult fit = fitPicture(size.width(), size.height());
        const QImage today = stretchNearest(photograph, fit.width, fit.height);
        EXPECT_LE(qint64(picture.kept.width()) * picture.kept.height(), kKeptPixels);
        EXPECT_EQ(firstDifference(picture.fitted, today), "")
            << size.width() << "x" << size.height();
        const FramedPicture framed = framePicture(picture, {});
        EXPECT_EQ(firstDifference(framed.fitted, today), "");
        EXPECT_EQ(framed.size, picture.size);
        EXPECT_EQ(framed.heightMax, picture.heightMax);
        // A frame of the whole photograph stretched from the kept copy gives them too.
        const Framing whole{.frame = {Frame::Kind::Rect, QRect(QPoint(), size)}};
        EXPECT_EQ(firstDifference(framePicture(picture, whole).fitted, today), "")
            << size.width() << "x" << size.height();
    }
    // A 12-megapixel photograph's copy stays within 16 MB.
    EXPECT_EQ(keptSize({4000, 3000}), QSize(9 * 256, 9 * 192));
    EXPECT_EQ(keptSize({2048, 2048}), QSize(2048, 2048));
}

TEST(Frame, AJpegKeptOrNotFitsTheSame) {
    // Past kKeptPixels, on odd sides: the decoder reads the kept copy's rows and columns.
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    writeFile(path, testing::encodeJpeg(makeTestPicture(2111, 2003), testing::JpegKind::Baseline));
    const QImage whole = loadPicture(path);
    const FitResult fit = fitPicture(whole.width(), whole.height());
    const QImage today = stretchNearest(whole, fit.width, fit.height);
    const ImportedPicture kept = importPicture(path);
    EXPECT_EQ(kept.kept.size(), keptSize(whole.size()));
    EXPECT_EQ(firstDifference(kept.fitted, today), "");
    EXPECT_EQ(firstDifference(importPicture(path, false).fitted, today), "");
    EXPECT_TRUE(importPicture(path, false).kept.isNull());
}

TEST(Frame, AtTheEdgesAndCorners) {
    const QImage photograph = makeTestPicture(10, 8);
    const ImportedPicture picture = importImage(photograph);
    const QRect rects[] = {
        {0, 0, 2, 2}, {8, 0, 2, 2},  {0, 6, 2, 2},  {8, 6, 2, 2},
        {9, 0, 1, 8}, {0, 7, 10, 1}, {0, 0, 10, 8}, {9, 7, 1, 1},
    };
    for (const QRect& rect : rects) {
        const FramedPicture framed = framePicture(picture, {.frame = {Frame::Kind::Rect, rect}});
        EXPECT_EQ(firstDifference(framed.fitted, photograph.copy(rect)), "")
            << rect.x() << "," << rect.y() << "," << rect.width() << "," << rect.height();
    }
    // A frame stretched onto a size of its own: each photograph pixel repeated.
    const FramedPicture framed = framePicture(
        picture, {.frame = {Frame::Kind::Rect, {8, 6, 2, 2}}, .size = PictureSize{8, 8}});
    EXPECT_EQ(firstDifference(framed.fitted, stretchNearest(photograph.copy(8, 6, 2, 2), 8, 8)),
              "");
    EXPECT_EQ(framed.size, (PictureSize{8, 8}));
    // In a photograph kept at a reduced size, the corner pixels are the copy's corners.
    const ImportedPicture large = imported(2501, 1703);
    ASSERT_LT(large.kept.width(), 2501);
    const struct {
        QRect rect;
        QPoint keptPixel;
    } corners[] = {
        {{0, 0, 1, 1}, {0, 0}},
        {{2500, 0, 1, 1}, {large.kept.width() - 1, 0}},
        {{0, 1702, 1, 1}, {0, large.kept.height() - 1}},
        {{2500, 1702, 1, 1}, {large.kept.width() - 1, large.kept.height() - 1}},
    };
    for (const auto& c : corners) {
        EXPECT_EQ(framePicture(large, {.frame = {Frame::Kind::Rect, c.rect}}).fitted.pixel(0, 0),
                  large.kept.pixel(c.keptPixel));
    }
}

TEST(Frame, FillCropsCentred) {
    const struct {
        QSize photograph;
        PictureSize target;
        QRect expected;
    } cases[] = {
        {{100, 300}, {64, 64}, {0, 100, 100, 100}},  // tall
        {{300, 100}, {64, 32}, {50, 0, 200, 100}},   // wide
        {{300, 100}, {32, 64}, {125, 0, 50, 100}},   // wide into tall
        {{101, 300}, {64, 64}, {0, 99, 101, 101}},   // the height rounded down
        {{640, 480}, {64, 48}, {0, 0, 640, 480}},    // the same proportions
    };
    for (const auto& c : cases) {
        const QRect rect = fillRect(c.photograph, {c.target.width, c.target.height});
        EXPECT_EQ(rect, c.expected)
            << rect.x() << "," << rect.y() << "," << rect.width() << "," << rect.height();
        const QImage photograph = makeTestPicture(c.photograph.width(), c.photograph.height());
        const FramedPicture framed =
            framePicture(importImage(photograph), {.frame = {Frame::Kind::Fill}, .size = c.target});
        EXPECT_EQ(firstDifference(framed.fitted, stretchNearest(photograph.copy(rect),
                                                                c.target.width, c.target.height)),
                  "");
        EXPECT_EQ(framed.size, c.target);
    }
}

TEST(Frame, BadValuesAreRefusedByName) {
    const ImportedPicture picture = imported(40, 30);
    const auto rect = [](int x, int y, int w, int h) {
        return Frame{Frame::Kind::Rect, QRect(x, y, w, h)};
    };
    const struct {
        Framing framing;
        const char* message;
    } cases[] = {
        {{.frame = rect(-1, 0, 10, 10)},
         "The frame -1,0,10,10 leaves the photograph of 40 x 30: X 0..39, Y 0..29, W 1..40-X, "
         "H 1..30-Y"},
        {{.frame = rect(31, 0, 10, 10)},
         "The frame 31,0,10,10 leaves the photograph of 40 x 30: X 0..39, Y 0..29, W 1..40-X, "
         "H 1..30-Y"},
        {{.frame = rect(0, 25, 10, 6)},
         "The frame 0,25,10,6 leaves the photograph of 40 x 30: X 0..39, Y 0..29, W 1..40-X, "
         "H 1..30-Y"},
        {{.frame = rect(0, 0, 0, 10)},
         "The frame 0,0,0,10 leaves the photograph of 40 x 30: X 0..39, Y 0..29, W 1..40-X, "
         "H 1..30-Y"},
        {{.frame = {Frame::Kind::Fill}}, "The frame fill needs a target size W x H"},
        {{.size = PictureSize{328, 64}},
         "The width 328 of the size 328x64 is outside its range 8..320"},
        {{.size = PictureSize{64, 1025}},
         "The height 1025 of the size 64x1025 is outside its range 8..1024 for the width 64"},
        {{.size = PictureSize{64, 4}},
         "The height 4 of the size 64x4 is outside its range 8..1024 for the width 64"},
        {{.tone = {.gamma = 0}}, "The gamma 0 is outside its range 0.1..10"},
        {{.tone = {.brightness = 101}}, "The brightness 101 is outside its range -100..100"},
        {{.tone = {.contrast = -101}}, "The contrast -101 is outside its range -100..100"},
        {{.tone = {.saturation = 201}}, "The saturation 201 is outside its range 0..200"},
        {{.tone = {.sharpen = -1}}, "The sharpen -1 is outside its range 0..100"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { framePicture(picture, c.framing); }), c.message);
    }
}

}  // namespace
}  // namespace tovik
