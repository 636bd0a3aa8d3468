// The loader that keeps only the rows a stretch samples: its pixels must be those of the
// whole picture stretched.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "load/bmp.h"
#include "load/fit.h"
#include "load/fuzzregression.h"
#include "load/jpeg.h"
#include "load/jpeg_test_helpers.h"
#include "load/picturefile.h"
#include "machinefiles/bmp24.h"
#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

using testing::encodeJpeg;
using testing::errorOf;
using testing::firstDifference;
using testing::jpegError;
using testing::JpegKind;
using testing::makeTestPicture;

// An arithmetic-coded file whose scan stops after a few bytes: the decoder takes the rest
// as zeros, which arithmetic coding allows.
QByteArray arithmeticEndingEarly(int width, int height) {
    const QByteArray whole = encodeJpeg(makeTestPicture(width, height), JpegKind::Arithmetic);
    const qsizetype scan = testing::findMarker(whole, 0xDA);
    return whole.left(scan + 120) + QByteArray("\xFF\xD9", 2);
}

QSize fittedSize(QSize size) {
    const FitResult fit = fitPicture(size.width(), size.height());
    return {fit.width, fit.height};
}

TEST(DecodeJpegStretched, DamagedDataGivesWhatAWholeDecodeGives) {
    // Found by the fuzzer: an arithmetic-coded 20 x 65288 picture with odd sampling and a
    // few bytes of scan data, where skipping rows decoded other pixels than reading them.
    const QByteArray file = testing::fuzzRegression("jpeg/arithmetic-odd-sampling.jpg");
    const QImage whole = decodeJpeg(file);
    ASSERT_EQ(whole.size(), QSize(20, 65288));
    const QSize target = fittedSize(whole.size());
    const QImage sampled = decodeJpegStretched(file, fittedSize);
    EXPECT_EQ(firstDifference(sampled, stretchNearest(whole, target.width(), target.height())), "");
}

TEST(LoadPictureStretched, GivesTheWholePictureStretched) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        QByteArray file;
        QSize picture;
        QSize target;  // empty: the fitted size
    };
    const Case cases[] = {
        {"wide.jpg", encodeJpeg(makeTestPicture(300, 200), JpegKind::Baseline), {300, 200}, {}},
        {"strip.JPEG", encodeJpeg(makeTestPicture(1000, 300), JpegKind::Baseline), {1000, 300}, {}},
        {"square.jpg",
         encodeJpeg(makeTestPicture(257, 257), JpegKind::Progressive),
         {257, 257},
         {}},
        {"tall.jpg", encodeJpeg(makeTestPicture(40, 700), JpegKind::Greyscale), {40, 700}, {}},
        {"squeezed.jpg",
         encodeJpeg(makeTestPicture(200, 1000), JpegKind::Baseline),
         {200, 1000},
         {}},
        {"cmyk.jpg", encodeJpeg(makeTestPicture(333, 100), JpegKind::Cmyk), {333, 100}, {}},
        {"ycck.jpg", encodeJpeg(makeTestPicture(100, 90), JpegKind::Ycck), {100, 90}, {}},
        {"small.jpg", encodeJpeg(makeTestPicture(5, 5), JpegKind::Baseline), {5, 5}, {}},
        // Enlarging repeats source rows; shrinking hard skips most of them.
        {"grow.jpg", encodeJpeg(makeTestPicture(50, 30), JpegKind::Baseline), {50, 30}, {120, 75}},
        {"shrink.jpg",
         encodeJpeg(makeTestPicture(50, 30), JpegKind::Progressive),
         {50, 30},
         {7, 3}},
        {"arithmetic.jpg",
         encodeJpeg(makeTestPicture(300, 290), JpegKind::Arithmetic),
         {300, 290},
         {}},
        {"arithmetic-cut.jpg", arithmeticEndingEarly(20, 4000), {20, 4000}, {}},
        {"picture.bmp", encodeBmp24(makeTestPicture(301, 120)), {301, 120}, {}},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        writeFile(path, c.file);
        QSize seen;
        const QImage actual = loadPictureStretched(path, [&](QSize size) {
            seen = size;
            return c.target.isEmpty() ? fittedSize(size) : c.target;
        });
        EXPECT_EQ(seen, c.picture) << c.name;
        const QImage whole = loadPicture(path);
        const QSize target = c.target.isEmpty() ? fittedSize(whole.size()) : c.target;
        const QImage expected = stretchNearest(whole, target.width(), target.height());
        EXPECT_EQ(firstDifference(actual, expected), "") << c.name;
        EXPECT_EQ(actual.format(), QImage::Format_RGB32) << c.name;
    }
}

// Rows between the sampled ones are skipped without being decoded to pixels; every
// sampled row must still come out exactly as a whole decode gives it, whatever the
// distance to the last one and wherever it falls inside a block row.
TEST(LoadPictureStretched, SkippedRowsLeaveTheSampledOnesExact) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (JpegKind kind : {JpegKind::Baseline, JpegKind::Progressive, JpegKind::Cmyk}) {
        const QString path = dir.filePath("rows.jpg");
        writeFile(path, encodeJpeg(makeTestPicture(61, 197), kind));
        const QImage whole = loadPicture(path);
        for (int height = 1; height <= 197; height += height < 24 ? 1 : 29) {
            const QImage actual =
                loadPictureStretched(path, [&](QSize) { return QSize(61, height); });
            EXPECT_EQ(firstDifference(actual, stretchNearest(whole, 61, height)), "")
                << "kind " << static_cast<int>(kind) << ", height " << height;
        }
    }
}

TEST(LoadPictureStretched, NoSizeGivesNoPicture) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.jpg");
    writeFile(path, encodeJpeg(makeTestPicture(20, 10), JpegKind::Baseline));
    EXPECT_TRUE(loadPictureStretched(path, [](QSize) { return QSize(0, 5); }).isNull());
    EXPECT_TRUE(loadPictureStretched(path, [](QSize) { return QSize(5, 0); }).isNull());
}

TEST(LoadPictureStretched, FailsAsTheWholeLoadFails) {
    QTemporaryDir dir;
    const QByteArray jpeg = encodeJpeg(makeTestPicture(64, 64), JpegKind::Baseline);
    struct Case {
        const char* name;
        QByteArray file;
        std::string reason;  // empty: neither the content nor the name places the file
    };
    const Case cases[] = {
        {"cut.jpg", jpeg.left(jpeg.size() / 2), jpegError(JWRN_JPEG_EOF)},
        {"empty.jpg", QByteArray(), jpegError(JERR_INPUT_EMPTY)},
        {"noise.jpg", QByteArray(300, 'x'), jpegError(JERR_NO_SOI)},
        {"bad.bmp", "BM not really", "Bitmap image is not valid"},
        {"picture.pcx", QByteArray(300, 'x'), ""},
        {"noextension", QByteArray(300, 'x'), ""},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        writeFile(path, c.file);
        const std::string message =
            c.reason.empty() ? testing::notAPicture(path) : testing::damagedPicture(path, c.reason);
        EXPECT_EQ(errorOf([&] { loadPictureStretched(path, fittedSize); }), message) << c.name;
        EXPECT_EQ(errorOf([&] { loadPicture(path); }), message) << c.name;
    }
    const QString missing = dir.filePath("missing.jpg");
    EXPECT_EQ(errorOf([&] { loadPictureStretched(missing, fittedSize); }),
              ("Cannot open file " + missing).toStdString());
}

// A grey JPEG of the given size and uniform value, encoded a row at a time so that the
// whole picture is never in memory.
QByteArray uniformGreyJpeg(int width, int height, int value) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 1;
    cinfo.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width), static_cast<JSAMPLE>(value));
    JSAMPROW rows[1] = {row.data()};
    while (cinfo.next_scanline < cinfo.image_height) {
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

// A phone's 108-megapixel photograph is below the pixel limit and loads through the
// sampling reader, which never holds it whole.
TEST(LoadPictureStretched, A108MegapixelPhotographLoads) {
    QTemporaryDir dir;
    const QString path = dir.filePath("phone.jpg");
    writeFile(path, uniformGreyJpeg(12000, 9000, 100));
    QSize seen;
    const QImage picture = loadPictureStretched(path, [&](QSize size) {
        seen = size;
        return fittedSize(size);
    });
    EXPECT_EQ(seen, QSize(12000, 9000));
    ASSERT_EQ(picture.size(), fittedSize(QSize(12000, 9000)));
    QImage expected(picture.size(), QImage::Format_RGB32);
    expected.fill(qRgb(100, 100, 100));
    EXPECT_EQ(firstDifference(picture, expected), "");
}

}  // namespace
}  // namespace tovik
