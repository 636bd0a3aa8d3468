#include "load/picturefile.h"
#include "load/bmp.h"
#include "load/jpeg.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <jerror.h>

#include "load/fit.h"
#include "load/formats_test_helpers.h"
#include "load/fuzzregression.h"
#include "load/jpeg_test_helpers.h"
#include "picture/error.h"

namespace tovik {
namespace {

using testing::encodeJpeg;
using testing::errorOf;
using testing::firstDifference;
using testing::jpegError;
using testing::JpegKind;
using testing::makeBmp;
using testing::makeTestPicture;

// ---- file names --------------------------------------------------------------------------

TEST(IsJpegFileName, ExtensionFromTheLastFullStopContainsJpgOrJpeg) {
    const struct {
        const char* name;
        bool jpeg;
    } cases[] = {
        {"photo.JPEG", true},
        {"photo.Jpg", true},
        {"photo.jpeg", true},
        {"photo.jpg", true},
        {"photo.xjpgx", true},
        {"archive.bmp.jpg", true},
        {"/some/dir/photo.JPG", true},
        {".jpg", true},
        {"photo.bmp", false},
        {"photo.jpe", false},
        {"photo", false},
        {"photo.jpg.bmp", false},
        {"/some/dir.jpg/photo", false},
        {"photo.jp g", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isJpegFileName(QString::fromUtf8(c.name)), c.jpeg) << c.name;
    }
}

class LoadPictureTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
    QByteArray jpeg = encodeJpeg(makeTestPicture(19, 11), JpegKind::Baseline);
    QByteArray bmp = makeBmp(2, 1, 24, false, QByteArray("\x01\x02\x03\x04\x05\x06", 6));
};

TEST_F(LoadPictureTest, ChoosesTheReaderByExtension) {
    const QImage fromJpeg = decodeJpeg(jpeg);
    QImage twoPixels(2, 1, QImage::Format_RGB32);  // the pixels of `bmp`
    twoPixels.setPixel(0, 0, qRgb(3, 2, 1));
    twoPixels.setPixel(1, 0, qRgb(6, 5, 4));
    const QByteArray png = testing::encodeWith(twoPixels, "png");
    const QByteArray tiff = testing::encodeWith(twoPixels, "tiff");
    const QByteArray webp = testing::encodeWith(twoPixels, "webp", 100);
    const QByteArray gif = testing::makeGif(2, 1, {qRgb(3, 2, 1), qRgb(6, 5, 4)}, {{0, 1}});
    const struct {
        const char* name;
        const QByteArray& content;
        const QImage& expected;
    } cases[] = {
        {"a.JPEG", jpeg, fromJpeg},  {"b.Jpg", jpeg, fromJpeg},   {"c.jpeg", jpeg, fromJpeg},
        {"d.jpg", jpeg, fromJpeg},   {"e.bmp", bmp, twoPixels},   {"f.BMP", bmp, twoPixels},
        {"g.png", png, twoPixels},   {"h.PNG", png, twoPixels},   {"i.gif", gif, twoPixels},
        {"j.Gif", gif, twoPixels},   {"k.tif", tiff, twoPixels},  {"l.TIFF", tiff, twoPixels},
        {"m.tiff", tiff, twoPixels}, {"n.webp", webp, twoPixels}, {"o.WebP", webp, twoPixels},
    };
    for (const auto& c : cases) {
        const QImage image = loadPicture(write(c.name, c.content));
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << c.name;
        EXPECT_EQ(firstDifference(image, c.expected), "") << c.name;
    }
}

// The content chooses the reader; the name is a hint only when the content says nothing.
TEST_F(LoadPictureTest, ChoosesTheReaderByContent) {
    const QImage fromJpeg = decodeJpeg(jpeg);
    const QImage fromBmp = decodeBmp(bmp);
    const QByteArray png = testing::encodeWith(fromBmp, "png");
    const QByteArray text("this is no picture at all");
    const auto damaged = [&](const char* name, const std::string& reason) {
        return testing::damagedPicture(dir.filePath(name), reason);
    };
    const struct {
        const char* name;
        QByteArray content;
        const QImage* expected;
        std::string message;
    } cases[] = {
        {"png.jpg", png, &fromBmp, ""},
        {"jpeg.png", jpeg, &fromJpeg, ""},
        {"bmp.gif", bmp, &fromBmp, ""},
        {"jpeg.jpe", jpeg, &fromJpeg, ""},
        {"jpeg.pcx", jpeg, &fromJpeg, ""},
        {"jpeg", jpeg, &fromJpeg, ""},
        {"png.", png, &fromBmp, ""},
        {"text.png", text, nullptr, damaged("text.png", "PNG image is not valid")},
        {"text.JPG", text, nullptr, damaged("text.JPG", jpegError(JERR_NO_SOI))},
        {"text.tif", text, nullptr, damaged("text.tif", "TIFF image is not valid")},
        {"text.webp", text, nullptr, damaged("text.webp", "WebP image is not valid")},
        {"text.jpe", text, nullptr, testing::notAPicture(dir.filePath("text.jpe"))},
        {"text", text, nullptr, testing::notAPicture(dir.filePath("text"))},
        {"empty.bmp", QByteArray(), nullptr, damaged("empty.bmp", "Bitmap image is not valid")},
        {"riff.gif", QByteArray("RIFF\4\0\0\0WAVE", 12), nullptr,
         damaged("riff.gif", "GIF image is not valid")},
        {"cut.bmp", bmp.left(20), nullptr, damaged("cut.bmp", "Bitmap image is not valid")},
        {"cut.webp", QByteArray("RIFF\4\0\0\0WEBP", 12), nullptr,
         damaged("cut.webp", "WebP image is not valid")},
        {"cut", QByteArray("\x89PNG\r\n\x1A\n"), nullptr, damaged("cut", "PNG image is not valid")},
    };
    for (const auto& c : cases) {
        const QString path = write(c.name, c.content);
        if (c.expected == nullptr) {
            EXPECT_EQ(errorOf([&] { loadPicture(path); }), c.message) << c.name;
            continue;
        }
        EXPECT_EQ(firstDifference(loadPicture(path), *c.expected), "") << c.name;
    }
}

TEST_F(LoadPictureTest, MissingFile) {
    const QString jpgPath = dir.filePath("missing.jpg");
    const QString pcxPath = dir.filePath("missing.pcx");
    EXPECT_EQ(errorOf([&] { loadPicture(jpgPath); }), "Cannot open file " + jpgPath.toStdString());
    EXPECT_EQ(errorOf([&] { loadPicture(pcxPath); }), "Cannot open file " + pcxPath.toStdString());
}

// ---- JPEG ----------------------------------------------------------------------------------

TEST(DecodeJpeg, PixelsEqualTheReferenceDecoder) {
    const struct {
        const char* what;
        JpegKind kind;
        int width, height, quality;
    } cases[] = {
        {"baseline", JpegKind::Baseline, 67, 45, 90},
        {"baseline, low quality", JpegKind::Baseline, 130, 97, 35},
        {"progressive", JpegKind::Progressive, 67, 45, 90},
        {"progressive, low quality", JpegKind::Progressive, 101, 64, 20},
        {"greyscale", JpegKind::Greyscale, 33, 17, 80},
        {"cmyk", JpegKind::Cmyk, 29, 23, 85},
        {"ycck", JpegKind::Ycck, 29, 23, 85},
        {"one pixel", JpegKind::Baseline, 1, 1, 90},
        {"large enough for its own page-aligned buffer", JpegKind::Baseline, 1600, 1400, 75},
    };
    for (const auto& c : cases) {
        const QByteArray jpeg = encodeJpeg(makeTestPicture(c.width, c.height), c.kind, c.quality);
        const QImage expected = testing::djpegFloat(jpeg);
        ASSERT_FALSE(expected.isNull()) << c.what << ": djpeg gave no picture";
        const QImage image = decodeJpeg(jpeg);
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << c.what;
        EXPECT_EQ(firstDifference(image, expected), "") << c.what;
        // The spare byte of every pixel is 0xFF, as an RGB32 image requires.
        bool opaque = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                opaque = opaque && qAlpha(image.pixel(x, y)) == 255;
            }
        }
        EXPECT_TRUE(opaque) << c.what;
    }
}

TEST(DecodeJpeg, LargePictureBehavesAsAnyImage) {
    // Pictures of several megabytes live in a buffer of their own; copies must still
    // detach, and the buffer must outlive the decoder.
    const QImage picture = makeTestPicture(1500, 1500);
    QImage image = decodeJpeg(encodeJpeg(picture, JpegKind::Baseline, 100));
    ASSERT_EQ(image.size(), QSize(1500, 1500));
    const QRgb first = image.pixel(0, 0), last = image.pixel(1499, 1499);
    QImage copy = image;
    copy.setPixel(0, 0, qRgb(1, 2, 3));
    image.setPixel(1499, 1499, qRgb(4, 5, 6));
    EXPECT_EQ(image.pixel(0, 0), first);
    EXPECT_EQ(copy.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(copy.pixel(1499, 1499), last);
    EXPECT_EQ(image.pixel(1499, 1499), qRgb(4, 5, 6));
    image = QImage();
    EXPECT_EQ(copy.pixel(1499, 1499), last);
}

TEST(DecodeJpeg, GreyscaleGivesGrey) {
    const QImage image = decodeJpeg(encodeJpeg(makeTestPicture(16, 16), JpegKind::Greyscale));
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << ", " << y;
        }
    }
}

TEST(DecodeJpeg, CmykUsesTheInvertedValues) {
    // Flat pictures at full quality survive compression exactly. Stored C 255 means no
    // cyan, so with K 255 (no black) it is full red; a lower K darkens every channel.
    const struct {
        QRgb cmy;  // C, M, Y stored as red, green, blue
        int k;
        QRgb expected;
    } cases[] = {
        {qRgb(255, 128, 0), 255, qRgb(255, 128, 0)},
        {qRgb(255, 128, 0), 128, qRgb(128, 64, 0)},   // 128 * 128 / 255 = 64.25
        {qRgb(255, 128, 0), 200, qRgb(200, 100, 0)},  // 128 * 200 / 255 = 100.4
        {qRgb(1, 2, 3), 128, qRgb(1, 1, 2)},          // 0.50, 1.00, 1.51: to the nearest
        {qRgb(90, 255, 40), 0, qRgb(0, 0, 0)},
    };
    for (const auto& c : cases) {
        QImage flat(16, 8, QImage::Format_RGB32);
        flat.fill(c.cmy);
        const QImage image = decodeJpeg(encodeJpeg(flat, JpegKind::Cmyk, 100, c.k));
        EXPECT_EQ(image.pixel(0, 0), c.expected) << "K " << c.k << " C " << qRed(c.cmy);
        EXPECT_EQ(image.pixel(15, 7), c.expected) << "K " << c.k << " C " << qRed(c.cmy);
    }
}

TEST(DecodeJpeg, DamagedFilesAreRefused) {
    const QByteArray baseline = encodeJpeg(makeTestPicture(64, 48), JpegKind::Baseline);
    const QByteArray progressive = encodeJpeg(makeTestPicture(64, 48), JpegKind::Progressive);
    QByteArray garbage(300, '\0');
    for (int i = 0; i < garbage.size(); ++i) {
        garbage[i] = char((i * 37 + 11) & 0xFF);
    }
    QByteArray badMarker = baseline;
    badMarker[1] = char(0xD9);  // EOI where the start-of-image marker belongs

    const struct {
        const char* what;
        QByteArray bytes;
        std::string message;
    } cases[] = {
        {"empty", QByteArray(), jpegError(JERR_INPUT_EMPTY)},
        {"garbage", garbage, jpegError(JERR_NO_SOI)},
        {"no start marker", badMarker, jpegError(JERR_NO_SOI)},
        {"cut inside the header", baseline.left(100), jpegError(JWRN_JPEG_EOF)},
        {"cut inside the scan", baseline.left(baseline.size() / 2), jpegError(JWRN_JPEG_EOF)},
        {"end marker missing", baseline.left(baseline.size() - 2), jpegError(JWRN_JPEG_EOF)},
        {"progressive cut", progressive.left(progressive.size() / 2), jpegError(JWRN_JPEG_EOF)},
        {"progressive cut early", progressive.left(progressive.size() / 5),
         jpegError(JWRN_JPEG_EOF)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { decodeJpeg(c.bytes); }), c.message) << c.what;
    }
}

TEST(DecodeJpeg, ExtraneousBytesBeforeAMarkerAreTolerated) {
    const QByteArray clean = encodeJpeg(makeTestPicture(40, 24), JpegKind::Baseline);
    QByteArray noisy = clean;
    const qsizetype quantTable = testing::findMarker(noisy, 0xDB);
    ASSERT_GT(quantTable, 2);
    noisy.insert(quantTable - 2, QByteArray("\x12\x34\x56", 3));
    EXPECT_EQ(firstDifference(decodeJpeg(noisy), decodeJpeg(clean)), "");
}

TEST(DecodeJpeg, OversizedHeaderIsRefusedBeforeDecoding) {
    QByteArray jpeg = encodeJpeg(makeTestPicture(16, 16), JpegKind::Baseline);
    const qsizetype frame = testing::findMarker(jpeg, 0xC0);
    ASSERT_GT(frame, 0);
    // Frame header: length (2), precision (1), height (2), width (2). 60000 = 0xEA60: the
    // picture would need 14 GB, so a decoder that allocated first would fail or crawl.
    jpeg[frame + 3] = char(0xEA);
    jpeg[frame + 4] = char(0x60);
    jpeg[frame + 5] = char(0xEA);
    jpeg[frame + 6] = char(0x60);
    EXPECT_EQ(errorOf([&] { decodeJpeg(jpeg); }), "Picture is too large: 60000 x 60000 pixels");
}

TEST(DecodeJpeg, PixelLimitIsInclusive) {
    const QByteArray jpeg = encodeJpeg(makeTestPicture(67, 45), JpegKind::Baseline);
    EXPECT_EQ(decodeJpeg(jpeg, 67 * 45).size(), QSize(67, 45));
    EXPECT_EQ(errorOf([&] { decodeJpeg(jpeg, 67 * 45 - 1); }),
              "Picture is too large: 67 x 45 pixels");
}

TEST(DecodeJpeg, EndlessScansAreRefused) {
    // Repeating the first scan (DC values, decoded without regard to what came before)
    // makes a valid-looking file, so without a limit a small file could make libjpeg walk
    // the whole picture thousands of times.
    const QByteArray progressive = encodeJpeg(makeTestPicture(16, 16), JpegKind::Progressive);
    const qsizetype firstScan = testing::findMarker(progressive, 0xDA) - 2;
    ASSERT_GT(firstScan, 0);
    qsizetype scanEnd = firstScan + 2;
    while (scanEnd + 1 < progressive.size() &&
           !(uchar(progressive[scanEnd]) == 0xFF && uchar(progressive[scanEnd + 1]) != 0 &&
             (uchar(progressive[scanEnd + 1]) & 0xF8) != 0xD0)) {
        ++scanEnd;
    }
    const QByteArray scan = progressive.mid(firstScan, scanEnd - firstScan);
    QByteArray few = progressive, many = progressive;
    few.insert(scanEnd, scan.repeated(10));
    many.insert(scanEnd, scan.repeated(1000));
    EXPECT_EQ(decodeJpeg(few).size(), QSize(16, 16));
    EXPECT_EQ(errorOf([&] { decodeJpeg(many); }), "JPEG file has too many scans (more than 1000)");
}

// ---- BMP -----------------------------------------------------------------------------------

TEST(DecodeBmp, PixelsAsStored) {
    const QByteArray grey2 = QByteArray("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8);
    const QByteArray fourColours = QByteArray(
        "\x00\x00\xFF\x00"   // red
        "\x00\xFF\x00\x00"   // green
        "\xFF\x00\x00\x00"   // blue
        "\x10\x20\x30\x00",  // 48, 32, 16
        16);
    const struct {
        const char* what;
        int width, height, bitCount;
        bool topDown;
        QByteArray rows, palette;
        std::vector<QRgb> expected;  // top row first
    } cases[] = {
        {"24-bit, bottom row first",
         2,
         2,
         24,
         false,
         QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C", 12),
         {},
         {qRgb(9, 8, 7), qRgb(12, 11, 10), qRgb(3, 2, 1), qRgb(6, 5, 4)}},
        {"24-bit, top row first",
         2,
         2,
         24,
         true,
         QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C", 12),
         {},
         {qRgb(3, 2, 1), qRgb(6, 5, 4), qRgb(9, 8, 7), qRgb(12, 11, 10)}},
        {"24-bit, padded rows",
         3,
         1,
         24,
         false,
         QByteArray("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9),
         {},
         {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)}},
        {"32-bit",
         2,
         1,
         32,
         false,
         QByteArray("\x11\x22\x33\x00\x44\x55\x66\x00", 8),
         {},
         {qRgb(0x33, 0x22, 0x11), qRgb(0x66, 0x55, 0x44)}},
        {"8-bit palette",
         4,
         1,
         8,
         false,
         QByteArray("\x03\x02\x01\x00", 4),
         fourColours,
         {qRgb(48, 32, 16), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 0, 0)}},
        {"4-bit palette",
         3,
         1,
         4,
         false,
         QByteArray("\x12\x30", 2),
         fourColours,
         {qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(48, 32, 16)}},
        {"1-bit palette",
         9,
         1,
         1,
         false,
         QByteArray("\xA5\x80", 2),
         grey2,
         {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(0, 0, 0),
          qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 255)}},
    };
    for (const auto& c : cases) {
        const QImage image =
            decodeBmp(makeBmp(c.width, c.height, c.bitCount, c.topDown, c.rows, c.palette));
        ASSERT_EQ(image.size(), QSize(c.width, c.height)) << c.what;
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << c.what;
        std::vector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                pixels.push_back(image.pixel(x, y));
            }
        }
        EXPECT_EQ(pixels, c.expected) << c.what;
    }
}

TEST(DecodeBmp, DamagedFilesAreRefused) {
    const QByteArray good = makeBmp(4, 4, 24, false, QByteArray(48, '\x40'));
    auto patched = [&](int at, const QByteArray& bytes) {
        QByteArray b = good;
        b.replace(at, bytes.size(), bytes);
        return b;
    };
    auto u32 = [](quint32 v) {
        QByteArray b;
        testing::putU32(b, v);
        return b;
    };
    const std::string invalid = "Bitmap image is not valid";
    const struct {
        const char* what;
        QByteArray bytes;
        std::string message;
    } cases[] = {
        {"empty", QByteArray(), invalid},
        {"file header only", good.left(14), invalid},
        {"wrong signature", patched(0, "XM"), invalid},
        {"unknown header size", patched(14, u32(20)), invalid},
        {"zero width", patched(18, u32(0)), invalid},
        {"negative width", patched(18, u32(quint32(-4))), invalid},
        {"zero height", patched(22, u32(0)), invalid},
        {"bit count 7", patched(28, QByteArray("\x07\x00", 2)), invalid},
        {"bit count 0", patched(28, QByteArray("\x00\x00", 2)), invalid},
        {"last byte missing", good.left(good.size() - 1), invalid},
        {"half the rows missing", good.left(good.size() - 24), invalid},
        {"pixel offset past the end", patched(10, u32(200)), invalid},
        {"colour table longer than 8 bits index",
         makeBmp(1, 1, 8, false, QByteArray(1, '\0'), QByteArray(257 * 4, '\0')), invalid},
        {"colour table longer than 1 bit indexes",
         makeBmp(1, 1, 1, false, QByteArray(1, '\0'), QByteArray(3 * 4, '\0')), invalid},
        {"claims 20000 x 20000", patched(18, u32(20000) + u32(20000)),
         "Picture is too large: 20000 x 20000 pixels"},
        {"claims 1 x 2^31 rows top first", patched(18, u32(1) + u32(0x80000000u)),
         "Picture is too large: 1 x 2147483648 pixels"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { decodeBmp(c.bytes); }), c.message) << c.what;
    }
}

TEST(DecodeBmp, AWideRunLengthStripFitsToOneRow) {
    // Found by the fuzzer: 1030 x 2 in RLE4 once fitted to 256 x 0, an empty picture.
    const QByteArray file = testing::fuzzRegression("bmp/wide-rle4-strip.bmp");
    const QImage image = decodeBmp(file);
    ASSERT_EQ(image.size(), QSize(1030, 2));
    const FitResult fit = fitPicture(image.width(), image.height());
    EXPECT_EQ(fit, (FitResult{256, 1, false}));
    const QImage fitted = stretchNearest(image, fit.width, fit.height);
    ASSERT_EQ(fitted.size(), QSize(256, 1));
    EXPECT_EQ(fitted.pixel(0, 0), image.pixel(0, 1));
}

TEST(DecodeBmp, RunLengthFiles) {
    const QByteArray palette(
        "\x00\x00\x00\x00"   // 0: black
        "\x00\x00\xFF\x00"   // 1: red
        "\x00\xFF\x00\x00"   // 2: green
        "\xFF\x00\x00\x00",  // 3: blue
        16);
    const QRgb k = qRgb(0, 0, 0), r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255);
    // Bottom row: a run of four 1s; top row: four stored pixels 3 2 1 0; then the end.
    const QByteArray twoRows("\x04\x01\x00\x00\x00\x04\x03\x02\x01\x00\x00\x01", 12);
    const struct {
        const char* what;
        int width, height, bitCount;
        QByteArray codes;
        std::vector<QRgb> expected;  // top row first; empty when refused
    } cases[] = {
        {"RLE8", 4, 2, 8, twoRows, {b, g, r, k, r, r, r, r}},
        {"RLE8, every row ended, no end code",
         4,
         2,
         8,
         twoRows.left(10) + QByteArray(2, '\0'),
         {b, g, r, k, r, r, r, r}},
        {"RLE4", 4, 1, 4, QByteArray("\x04\x12\x00\x01", 4), {r, g, r, g}},
        {"RLE8 cut after the first row", 4, 2, 8, twoRows.left(4), {}},
        {"RLE8 cut inside stored pixels", 4, 2, 8, twoRows.left(7), {}},
        {"RLE8 cut inside a move", 4, 2, 8, QByteArray("\x00\x02\x01", 3), {}},
        {"RLE8 without codes", 4, 2, 8, QByteArray(), {}},
    };
    for (const auto& c : cases) {
        const QByteArray file =
            testing::makeRleBmp(c.width, c.height, c.bitCount, c.codes, palette);
        if (c.expected.empty()) {
            EXPECT_EQ(errorOf([&] { decodeBmp(file); }), "Bitmap image is not valid") << c.what;
            continue;
        }
        const QImage image = decodeBmp(file);
        ASSERT_EQ(image.size(), QSize(c.width, c.height)) << c.what;
        std::vector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                pixels.push_back(image.pixel(x, y));
            }
        }
        EXPECT_EQ(pixels, c.expected) << c.what;
    }
}

TEST(DecodeBmp, CoreHeaderAndPixelLimit) {
    // The old 12-byte header: 16-bit sizes, 3-byte colour table entries.
    QByteArray core("BM");
    testing::putU32(core, 14 + 12 + 4);
    testing::putU32(core, 0);
    testing::putU32(core, 14 + 12);
    testing::putU32(core, 12);
    testing::putU16(core, 1);
    testing::putU16(core, 1);
    testing::putU16(core, 1);
    testing::putU16(core, 24);
    core += QByteArray("\x0A\x0B\x0C\x00", 4);
    const QImage image = decodeBmp(core);
    ASSERT_EQ(image.size(), QSize(1, 1));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x0C, 0x0B, 0x0A));
    EXPECT_EQ(errorOf([&] { decodeBmp(core.left(core.size() - 2)); }), "Bitmap image is not valid");

    const QByteArray four = makeBmp(2, 2, 24, false, QByteArray(12, '\x01'));
    EXPECT_EQ(decodeBmp(four, 4).size(), QSize(2, 2));
    EXPECT_EQ(errorOf([&] { decodeBmp(four, 3); }), "Picture is too large: 2 x 2 pixels");
}

}  // namespace
}  // namespace tovik
