// PNG, GIF, TIFF and WebP through Qt's readers: pixels as stored, composed over black
// where transparent, and every cut or damaged file refused with the format's message.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <vector>

#include "load/formats_test_helpers.h"
#include "load/gif.h"
#include "load/jpeg_test_helpers.h"
#include "load/png.h"
#include "load/tiff.h"
#include "load/webp.h"

namespace tovik {
namespace {

using testing::encodeWith;
using testing::errorOf;
using testing::firstDifference;
using testing::makeGif;
using testing::makeTestPicture;

using Decoder = QImage (*)(const QByteArray&, qint64);

QImage row(const std::vector<QRgb>& pixels, QImage::Format format = QImage::Format_ARGB32) {
    QImage image(int(pixels.size()), 1, format);
    for (int x = 0; x < image.width(); ++x) {
        image.setPixel(x, 0, pixels[x]);
    }
    return image;
}

// Pixels with their colour composed over black: c·a/255 to the nearest. The Qt
// conversion to premultiplied colour gives 136 for 229 at alpha 152, not 137.
const std::vector<QRgb> kTransparent = {
    qRgba(200, 100, 50, 128), qRgba(1, 2, 3, 128),    qRgba(229, 196, 253, 152),
    qRgba(255, 255, 255, 0),  qRgba(10, 20, 30, 255), qRgba(255, 128, 0, 1),
};
const std::vector<QRgb> kComposed = {
    qRgb(100, 50, 25), qRgb(1, 1, 2),    qRgb(137, 117, 151),
    qRgb(0, 0, 0),     qRgb(10, 20, 30), qRgb(1, 1, 0),
};

// 16-bit samples: 255 · c/65535 · a/65535 to the nearest, in one step (bringing colour
// and alpha to 8 bits first gives 141 for the second pixel's red and 201 for the third's).
QImage wideTransparent() {
    const QRgba64 pixels[] = {
        QRgba64::fromRgba64(0x8080, 0x807F, 0x7F80, 0xFFFF),
        QRgba64::fromRgba64(0xCF14, 0xFFFF, 0x8080, 0xB009),
        QRgba64::fromRgba64(0xFFAC, 0x1234, 0xFFFF, 0xC965),
    };
    QImage image(3, 1, QImage::Format_RGBA64);
    for (int x = 0; x < 3; ++x) {
        reinterpret_cast<QRgba64*>(image.scanLine(0))[x] = pixels[x];
    }
    return image;
}

QImage wideGrey() {
    const quint16 samples[] = {0, 128, 129, 0x7F80, 0x807F, 0xFFFF};
    QImage image(6, 1, QImage::Format_Grayscale16);
    std::copy(std::begin(samples), std::end(samples),
              reinterpret_cast<quint16*>(image.scanLine(0)));
    return image;
}

QImage greys(const std::vector<int>& values) {
    std::vector<QRgb> pixels;
    for (const int g : values) {
        pixels.push_back(qRgb(g, g, g));
    }
    return row(pixels, QImage::Format_RGB32);
}

const std::vector<QRgb> kGifPalette = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                       qRgb(250, 250, 250)};

// A frame of 24 x 16 indices into kGifPalette, runs long enough to grow the code width.
std::vector<int> gifFrame(int shift) {
    std::vector<int> indices;
    for (int i = 0; i < 24 * 16; ++i) {
        indices.push_back((i / 5 + i / 24 + shift) % 4);
    }
    return indices;
}

QImage gifPicture(const std::vector<int>& indices, int transparent = -1) {
    QImage image(24, 16, QImage::Format_RGB32);
    for (int i = 0; i < 24 * 16; ++i) {
        image.setPixel(i % 24, i / 24,
                       indices[i] == transparent ? qRgb(0, 0, 0) : kGifPalette[indices[i]]);
    }
    return image;
}

TEST(DecodeFormats, PicturesComeOutAsStored) {
    const QImage picture = makeTestPicture(37, 23);
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8);
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    const struct {
        const char* what;
        Decoder decode;
        QByteArray bytes;
        QImage expected;
    } cases[] = {
        {"PNG, RGB", decodePng, encodeWith(picture, "png"), picture},
        {"PNG, indexed", decodePng, encodeWith(indexed, "png"),
         indexed.convertToFormat(QImage::Format_RGB32)},
        {"PNG, grey", decodePng, encodeWith(grey, "png"),
         grey.convertToFormat(QImage::Format_RGB32)},
        {"PNG, transparent", decodePng, encodeWith(row(kTransparent), "png"),
         row(kComposed, QImage::Format_RGB32)},
        {"PNG, 16-bit transparent", decodePng, encodeWith(wideTransparent(), "png"),
         row({qRgb(128, 128, 127), qRgb(142, 175, 88), qRgb(200, 14, 201)}, QImage::Format_RGB32)},
        {"PNG, 16-bit grey", decodePng, encodeWith(wideGrey(), "png"),
         greys({0, 0, 1, 127, 128, 255})},
        {"TIFF, RGB", decodeTiff, encodeWith(picture, "tiff"), picture},
        {"TIFF, directory first", decodeTiff, testing::tiffDirectoryFirst(picture, 7), picture},
        // Qt writes the colour apart from alpha; libtiff composes it as we do.
        {"TIFF, transparent", decodeTiff, encodeWith(row(kTransparent), "tiff"),
         row(kComposed, QImage::Format_RGB32)},
        {"GIF", decodeGif, makeGif(24, 16, kGifPalette, {gifFrame(0)}), gifPicture(gifFrame(0))},
        {"GIF, transparent index", decodeGif, makeGif(24, 16, kGifPalette, {gifFrame(0)}, 2),
         gifPicture(gifFrame(0), 2)},
        {"GIF, animated: the first frame", decodeGif,
         makeGif(24, 16, kGifPalette, {gifFrame(0), gifFrame(1)}), gifPicture(gifFrame(0))},
        {"WebP, lossless", decodeWebp, encodeWith(picture, "webp", 100), picture},
        {"WebP, animated: the first frame", decodeWebp,
         testing::animatedWebp({picture, picture.mirrored()}), picture},
        {"WebP, lossless transparent", decodeWebp, encodeWith(row(kTransparent), "webp", 100),
         row(kComposed, QImage::Format_RGB32)},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.bytes.isEmpty()) << c.what << ": the writer failed";
        const QImage image = c.decode(c.bytes, kMaxPicturePixels);
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << c.what;
        EXPECT_EQ(firstDifference(image, c.expected), "") << c.what;
    }
}

// One good small file of each format and the message its reader refuses with.
struct Format {
    const char* what;
    Decoder decode;
    QByteArray good;
    std::string invalid;
    qsizetype wholeBefore;  // a cut at or past this length still holds the whole picture
};

std::vector<Format> formats() {
    const QImage picture = makeTestPicture(24, 16);
    const QByteArray gif = makeGif(24, 16, kGifPalette, {gifFrame(0)});
    return {
        {"PNG", decodePng, encodeWith(picture, "png"), "PNG image is not valid", -1},
        // The cut that loses only the trailer keeps the whole frame.
        {"GIF", decodeGif, gif, "GIF image is not valid", gif.size() - 1},
        {"TIFF", decodeTiff, encodeWith(picture, "tiff"), "TIFF image is not valid", -1},
        // Qt's writer puts the colour map last: a reader keeps the pixels and drops it.
        {"TIFF, indexed", decodeTiff,
         encodeWith(picture.convertToFormat(QImage::Format_Indexed8), "tiff"),
         "TIFF image is not valid", -1},
        {"TIFF, directory first", decodeTiff, testing::tiffDirectoryFirst(picture, 5),
         "TIFF image is not valid", -1},
        {"WebP, lossless", decodeWebp, encodeWith(picture, "webp", 100), "WebP image is not valid",
         -1},
    };
}

TEST(DecodeFormats, EveryCutFileIsRefused) {
    for (const Format& format : formats()) {
        const qsizetype whole = format.wholeBefore >= 0 ? format.wholeBefore : format.good.size();
        for (qsizetype length = 0; length < whole; ++length) {
            const std::string message =
                errorOf([&] { format.decode(format.good.left(length), kMaxPicturePixels); });
            if (message != format.invalid) {
                ADD_FAILURE() << format.what << " cut to " << length << " of " << format.good.size()
                              << " bytes: " << message;
                break;
            }
        }
        EXPECT_EQ(format.decode(format.good.left(whole), kMaxPicturePixels).size(), QSize(24, 16))
            << format.what;
    }
}

TEST(DecodeFormats, PixelLimitIsInclusive) {
    for (const Format& format : formats()) {
        EXPECT_EQ(format.decode(format.good, 24 * 16).size(), QSize(24, 16)) << format.what;
        EXPECT_EQ(errorOf([&] { format.decode(format.good, 24 * 16 - 1); }),
                  "Picture is too large: 24 x 16 pixels")
            << format.what;
    }
}

// Damage the checks see besides cuts (cut, changed and mislabelled files of every format
// are rows of tests/badinputs.h).
TEST(DecodeFormats, IncompleteContentsAreRefused) {
    // The palette chunk dropped whole, so that every checksum still holds.
    QByteArray noPalette =
        encodeWith(makeTestPicture(24, 16).convertToFormat(QImage::Format_Indexed8), "png");
    const qsizetype plte = noPalette.indexOf("PLTE") - 4;
    noPalette.remove(plte, (uchar(noPalette[plte + 2]) << 8 | uchar(noPalette[plte + 3])) + 12);
    // Codes that end, with the end code, after 300 of the 384 pixels: Qt's reader leaves
    // the rest of the frame empty.
    std::vector<int> fewer = gifFrame(0);
    fewer.resize(300);
    QByteArray shortFrame = makeGif(24, 16, kGifPalette, {gifFrame(0)});
    shortFrame = shortFrame.left(shortFrame.indexOf(char(0x2C)) + 10) + '\2' +
                 testing::gifCodes(fewer, 2) + char(0x3B);
    EXPECT_EQ(errorOf([&] { decodePng(noPalette, kMaxPicturePixels); }), "PNG image is not valid");
    EXPECT_EQ(errorOf([&] { decodeGif(shortFrame, kMaxPicturePixels); }), "GIF image is not valid");
}

}  // namespace
}  // namespace tovik
