#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>

#include <jerror.h>

#include "clirunner.h"
#include "convert/cga.h"
#include "convert/chunks.h"
#include "convert/floydsteinberg.h"
#include "convert/thresholds.h"
#include "load/fit.h"
#include "load/jpeg_test_helpers.h"
#include "load/picturefile.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/screenpack.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"
#include "picture/render.h"

namespace tovik {
namespace {

QImage uniform(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The project file of an 8 x 8 picture whose pixel (x, y) has index(x, y).
QByteArray project8(int palette, const std::function<int(int, int)>& index) {
    QByteArray bytes = "PRJ" + le32(8) + le32(8) + le32(palette);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            bytes.append(char(index(x, y)));
        }
    }
    return bytes;
}

bool odd(int x, int y) {
    return (x + y) % 2 != 0;
}

// Inside the region the diffusion passes visit: columns 1..w-2 of rows 0..h-2.
bool visited(int x, int y) {
    return x >= 1 && x <= 6 && y <= 6;
}

// A 2 x 2 pattern of kChunkPatterns given as top row, bottom row.
int chunkPixel(int x, int y, const char* topThenBottom) {
    return topThenBottom[(y % 2) * 2 + x % 2] - '0';
}

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kGrey = qRgb(128, 128, 128);
constexpr QRgb kMagenta = qRgb(255, 0, 255);
constexpr QRgb kCyan = qRgb(0, 255, 255);

const QString kAllOnes =
    "1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/"
    "1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1/1,1,1";

class CliConvert : public CliTest {};

// Small uniform pictures whose indices follow from the rules by hand.
TEST_F(CliConvert, UniformPicturesGiveTheBytesWorkedOutByHand) {
    struct Case {
        const char* name;
        QRgb colour;
        QStringList options;
        QByteArray expected;
    };
    const auto thresholdsFill = [](int index) {
        return project8(0, [=](int, int) { return index; });
    };
    const auto fs = [](const std::function<int(int, int)>& inside) {
        return project8(0, [=](int x, int y) { return visited(x, y) ? inside(x, y) : 0; });
    };
    // White chunks are pattern 15 (top 1 2, bottom 2 3), except chunk (0, 0): the register
    // starts at black, so its colour is 127, 127, 127 and its pattern 14 (top 1 0, bottom 2 3).
    const auto whiteChunks = [](int x, int y) {
        return chunkPixel(x, y, x < 2 && y < 2 ? "1023" : "1223");
    };
    const Case cases[] = {
        // thresholds, the window's defaults
        {"black", kBlack, {"--method", "thresholds"}, thresholdsFill(0)},
        {"red", kRed, {"--method", "thresholds"}, thresholdsFill(3)},
        {"green", kGreen, {"--method", "thresholds"}, thresholdsFill(2)},
        {"blue", kBlue, {"--method", "thresholds"}, thresholdsFill(1)},
        {"white",
         kWhite,
         {"--method", "thresholds"},
         project8(0, [](int x, int y) { return odd(x, y) ? (y % 2 ? 1 : 3) : 2; })},
        {"yellow",
         kYellow,
         {"--method", "thresholds"},
         project8(0, [](int x, int y) { return odd(x, y) ? 2 : 3; })},
        {"grey",
         kGrey,
         {"--method", "thresholds"},
         project8(0, [](int x, int y) { return odd(x, y) ? 1 : 2; })},
        // A white threshold below the grey makes it white.
        {"grey",
         kGrey,
         {"--method", "thresholds", "--thresholds", "100,50,50,128,30,128,30,128,96"},
         project8(0, [](int x, int y) { return odd(x, y) ? (y % 2 ? 1 : 3) : 2; })},
        // A black threshold above the grey makes it black.
        {"grey",
         kGrey,
         {"--method", "thresholds", "--thresholds=250,129,50,128,30,128,30,128,96"},
         thresholdsFill(0)},
        // Toning at 255 blacks out every pixel the pass visits.
        {"red",
         kRed,
         {"--method", "thresholds", "--toning", "--thresholds", "250,50,50,128,30,128,30,128,255"},
         project8(0, [](int x, int y) { return visited(x, y) ? 0 : 3; })},
        // Green 255 is above the toning threshold with no error to spread.
        {"green", kGreen, {"--method", "thresholds", "--toning"}, thresholdsFill(2)},

        // floyd-steinberg: one pass, only the visited pixels written over a fresh 0
        {"green", kGreen, {"--method", "floyd-steinberg"}, fs([](int, int) { return 2; })},
        {"black", kBlack, {"--method", "floyd-steinberg"}, fs([](int, int) { return 0; })},
        {"green", kGreen, {"--method", "floyd-steinberg", "--threshold", "255"}, fs([](int, int) {
             return 0;
         })},
        {"red", kRed, {"--method", "floyd-steinberg"}, fs([](int, int) { return 0; })},
        {"red", kRed, {"--method", "floyd-steinberg", "--colour"}, fs([](int, int) { return 3; })},
        {"blue", kBlue, {"--method", "floyd-steinberg", "--colour"}, fs([](int, int) {
             return 1;
         })},
        {"white",
         kWhite,
         {"--method", "floyd-steinberg", "--colour", "--threshold=0"},
         fs([](int x, int y) { return odd(x, y) ? 3 : 2; })},

        // chunks, the settings window's start values
        {"black", kBlack, {"--method", "chunks"}, project8(0, [](int, int) { return 0; })},
        {"white", kWhite, {"--method", "chunks"}, project8(0, whiteChunks)},
        {"red",
         kRed,
         {"--method", "chunks"},
         // Chunk (0, 0) is 127, 0, 0: pattern 3, top 3 0, bottom 0 3.
         project8(0, [](int x, int y) { return x < 2 && y < 2 ? chunkPixel(x, y, "3003") : 3; })},
        {"yellow",
         kYellow,
         {"--method", "chunks"},
         // Chunk (0, 0) is 127, 127, 0: pattern 9 (reference 124, 127, 20), top 3 0, bottom 2 3.
         project8(0,
                  [](int x, int y) { return chunkPixel(x, y, x < 2 && y < 2 ? "3023" : "3223"); })},
        // Grey 128: pattern 14 squared, 13 (top 1 0, bottom 3 1) by absolute differences;
        // chunk (0, 0) at 64, 64, 64 is pattern 1 squared, pattern 5 absolute.
        {"grey",
         kGrey,
         {"--method", "chunks"},
         project8(0,
                  [](int x, int y) { return chunkPixel(x, y, x < 2 && y < 2 ? "0001" : "1023"); })},
        {"grey",
         kGrey,
         {"--method", "chunks", "--absolute"},
         project8(0,
                  [](int x, int y) { return chunkPixel(x, y, x < 2 && y < 2 ? "2002" : "1031"); })},
        // Toning at 255 or more: columns 1.. of rows 0..6 become 0.
        {"white",
         kWhite,
         {"--method", "chunks", "--toning", "--toning-threshold", "999"},
         project8(0, [&](int x, int y) { return x >= 1 && y <= 6 ? 0 : whiteChunks(x, y); })},
        // A threshold without --toning changes nothing, as in the window.
        {"white",
         kWhite,
         {"--method", "chunks", "--toning-threshold", "999"},
         project8(0, whiteChunks)},
        // Every reference equal: the lowest pattern wins everywhere.
        {"white",
         kWhite,
         {"--method", "chunks", "--reference", kAllOnes},
         project8(0, [](int, int) { return 0; })},
        // Only the low 8 bits count: 300 acts as 44, so a 44 grey is pattern 6 (all 1),
        // while chunk (0, 0) at 22 ties with pattern 0 at 0 and the lower index wins.
        {"dark",
         qRgb(44, 44, 44),
         {"--method", "chunks", "--reference",
          "0,0,0/0,0,0/0,0,0/0,0,0/0,0,0/0,0,0/300,300,300/0,0,0/"
          "0,0,0/0,0,0/0,0,0/0,0,0/0,0,0/0,0,0/0,0,0/0,0,0"},
         project8(0, [](int x, int y) { return x < 2 && y < 2 ? 0 : 1; })},

        // cga: palette 4 unless --palette; unmatched colours keep the fresh 0
        {"white", kWhite, {"--method", "cga"}, project8(4, [](int, int) { return 3; })},
        {"magenta", kMagenta, {"--method", "cga"}, project8(4, [](int, int) { return 1; })},
        {"cyan",
         kCyan,
         {"--method", "cga", "--palette", "9"},
         project8(9, [](int, int) { return 2; })},
        {"red", kRed, {"--method", "cga"}, project8(4, [](int, int) { return 0; })},
        {"white",
         kWhite,
         {"--method", "thresholds", "--palette", "15"},
         project8(15, [](int x, int y) { return odd(x, y) ? (y % 2 ? 1 : 3) : 2; })},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString in = picture(QString("%1.bmp").arg(c.name), uniform(8, 8, c.colour));
        const QString out = path(QString("out%1.bip").arg(n++));
        const CliResult r = runCli(QStringList{"convert", in} + c.options + QStringList{"-o", out});
        const std::string name = c.name + (" " + c.options.join(' ')).toStdString();
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(r.err, "") << name;
        EXPECT_EQ(fileBytes(out).toHex(), c.expected.toHex()) << name;
    }
}

// A picture made of the four CGA colours in rows, and colours that match none.
TEST_F(CliConvert, CgaMapsItsFourColoursRowByRow) {
    const QRgb rows[8] = {kBlack,
                          kMagenta,
                          kCyan,
                          kWhite,
                          qRgb(151, 89, 151),
                          qRgb(150, 89, 151),
                          qRgb(150, 150, 150),
                          qRgb(151, 151, 151)};
    QImage image(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            image.setPixel(x, y, rows[y]);
        }
    }
    const int index[8] = {0, 1, 2, 3, 1, 0, 0, 3};  // row 5 matches no rule: it keeps 0
    const QString in = picture("cga.bmp", image);
    PixelBuffer buffer;
    for (int i = 0; i < 64; ++i) {
        buffer.set(i, index[i / 8]);
    }
    struct Case {
        QString output;
        QStringList options;
        QByteArray expected;
    };
    const Case cases[] = {
        {"a.bip", {}, project8(4, [&](int, int y) { return index[y]; })},
        {"b.bmp", {}, encodeBmp24(renderPicture(buffer, 8, 8, 4))},
        {"c.bmp", {"--palette", "0"}, encodeBmp24(renderPicture(buffer, 8, 8, 0))},
        // Four pixels a byte, the first in bits 0-1: a row of 8 is two equal bytes.
        {"d.bin",
         {},
         QByteArray::fromHex("00401000"
                             "00005555aaaaffff555500000000ffff")},
        {"e.dat", {"--format", "dump"}, QByteArray::fromHex("00005555aaaaffff555500000000ffff")},
    };
    for (const Case& c : cases) {
        const CliResult r =
            runCli(QStringList{"convert", in, "--method", "cga", "-o", path(c.output)} + c.options);
        EXPECT_EQ(r.exitCode, 0) << c.output.toStdString() << r.err.toStdString();
        EXPECT_EQ(fileBytes(path(c.output)).toHex(), c.expected.toHex()) << c.output.toStdString();
    }
}

// The batch run against the core called as the desktop program's import command calls it
// from a fresh start, on pictures that need fitting.
TEST_F(CliConvert, EqualsTheCoreCalledAsTheImportCommands) {
    using Conversion = std::function<void(const QImage&, QImage&, int, PixelBuffer&)>;
    const auto thresholds = [](ThresholdSettings s) -> Conversion {
        return [=](const QImage& loaded, QImage& source, int w, PixelBuffer& b) {
            convertThresholds(loaded, source, s, w, b);
        };
    };
    const auto floyd = [](int threshold, bool monochrome) -> Conversion {
        return [=](const QImage&, QImage& source, int w, PixelBuffer& b) {
            convertFloydSteinberg(source, FloydSteinbergSettings{threshold, monochrome}, w, b);
        };
    };
    const auto chunks = [](ChunkSettings s) -> Conversion {
        return [=](const QImage&, QImage& source, int w, PixelBuffer& b) {
            convertChunks(source, s, w, b);
        };
    };
    const Conversion cga = [](const QImage& loaded, QImage& source, int w, PixelBuffer& b) {
        convertCga(loaded, source, w, b);
    };
    ThresholdSettings toned;
    toned.toning = true;
    ThresholdSettings custom;
    custom.t = {200, 40, 20, 100, 20, 100, 20, 100, 120};
    custom.toning = true;
    ChunkSettings absolute;
    absolute.squared = false;
    ChunkSettings toning;
    toning.toning = true;
    ChunkSettings toning150 = toning;
    toning150.toningThreshold = 150;
    ChunkSettings shifted;
    QString shiftedText;
    for (int k = 0; k < 16; ++k) {
        const ChunkColour c = kChunkStartReferences[size_t(k)];
        // 256 added to every red: the same low byte, so the same references.
        shiftedText +=
            QString("%1%2,%3,%4").arg(k ? "/" : "").arg(c.red + 256).arg(c.green).arg(c.blue);
    }
    ChunkSettings everything;
    everything.squared = false;
    everything.toning = true;
    everything.toningThreshold = 60;
    everything.reference[0] = ChunkColour{30, 30, 30};
    for (size_t k = 1; k < 16; ++k) {
        everything.reference[k] = kChunkStartReferences[k];
    }
    QString everythingText = "30,30,30" + shiftedText.mid(shiftedText.indexOf('/'));

    struct Method {
        QStringList options;
        Conversion conversion;
        int palette;
    };
    const Method methods[] = {
        {{"--method", "thresholds"}, thresholds({}), 0},
        {{"--method", "thresholds", "--toning"}, thresholds(toned), 0},
        {{"--method", "thresholds", "--thresholds", "200,40,20,100,20,100,20,100,120", "--toning"},
         thresholds(custom),
         0},
        {{"--method", "floyd-steinberg"}, floyd(96, true), 0},
        {{"--method", "floyd-steinberg", "--threshold", "140"}, floyd(140, true), 0},
        {{"--method", "floyd-steinberg", "--colour"}, floyd(96, false), 0},
        {{"--method", "floyd-steinberg", "--colour", "--threshold", "50", "--palette", "3"},
         floyd(50, false),
         3},
        {{"--method", "chunks"}, chunks({}), 0},
        {{"--method", "chunks", "--absolute"}, chunks(absolute), 0},
        {{"--method", "chunks", "--toning"}, chunks(toning), 0},
        {{"--method", "chunks", "--toning", "--toning-threshold", "150"}, chunks(toning150), 0},
        {{"--method", "chunks", "--reference", shiftedText}, chunks(shifted), 0},
        {{"--method", "chunks", "--absolute", "--toning", "--toning-threshold", "60", "--reference",
          everythingText},
         chunks(everything),
         0},
        {{"--method", "cga"}, cga, 4},
        {{"--method", "cga", "--palette", "12"}, cga, 12},
    };
    struct Picture {
        QString name;
        QByteArray bytes;
    };
    const Picture pictures[] = {
        {"photo.jpg",
         testing::encodeJpeg(testing::makeTestPicture(640, 480), testing::JpegKind::Baseline)},
        {"wide.JPEG",
         testing::encodeJpeg(testing::makeTestPicture(1000, 300), testing::JpegKind::Progressive)},
        {"tall.bmp", encodeBmp24(testing::makeTestPicture(100, 300))},
        {"odd.bmp", encodeBmp24(testing::makeTestPicture(37, 23))},
        {"tiny.bmp", encodeBmp24(testing::makeTestPicture(5, 5))},
    };
    for (const Picture& p : pictures) {
        writeBytes(path(p.name), p.bytes);
        const QImage loaded = loadPicture(path(p.name));
        const FitResult fit = fitPicture(loaded.width(), loaded.height());
        const PictureSize size =
            clampPictureSize(fit.width, fit.height, fit.narrowTall ? fit.height : kLoadHeightMax);
        for (const Method& m : methods) {
            QImage source = stretchNearest(loaded, fit.width, fit.height);
            PixelBuffer buffer;
            m.conversion(loaded, source, size.width, buffer);
            const QString out = path("out.bip");
            const CliResult r =
                runCli(QStringList{"convert", path(p.name)} + m.options + QStringList{"-o", out});
            const std::string name = (p.name + " " + m.options.join(' ')).toStdString();
            ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
            EXPECT_EQ(fileBytes(out), encodeProject(buffer, size.width, size.height, m.palette))
                << name;
        }
    }
}

// W and H as the spin edits take the fitted size: at least 8, H at most 256 or the
// narrow-tall height, and W*H within the buffer.
TEST_F(CliConvert, TheSizeIsTheFittedSizeClamped) {
    struct Case {
        int width, height;
        int w, h;
    };
    const Case cases[] = {
        {640, 480, 256, 192},  {300, 1000, 76, 256}, {256, 257, 255, 256}, {100, 300, 100, 300},
        {255, 1000, 255, 257}, {10, 9000, 10, 6553}, {3, 30000, 8, 8192},  {5, 5, 8, 8},
        {400, 20, 256, 12},    {2000, 40, 256, 8},
    };
    for (const Case& c : cases) {
        const QString in = picture("p.bmp", uniform(c.width, c.height, kBlack));
        const QString out = path("p.bip");
        const CliResult r = runCli({"convert", in, "--method", "cga", "-o", out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray bytes = fileBytes(out);
        EXPECT_EQ(bytes.mid(3, 12).toHex(), (le32(c.w) + le32(c.h) + le32(4)).toHex())
            << c.width << " x " << c.height;
        EXPECT_EQ(bytes.size(), 15 + c.w * c.h) << c.width << " x " << c.height;
    }
}

TEST_F(CliConvert, AStripFarWiderThanTallKeepsItsRow) {
    // 1000 x 1 scales to 256 x 0.256: one row, not none, in the 256 x 8 picture.
    const QString in = picture("strip.bmp", uniform(1000, 1, kWhite));
    const CliResult r = runCli({"convert", in, "--method", "cga", "-o", path("strip.bip")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = fileBytes(path("strip.bip"));
    EXPECT_EQ(bytes.mid(3, 8).toHex(), (le32(256) + le32(8)).toHex());
    EXPECT_EQ(bytes.mid(15), QByteArray(256, '\3') + QByteArray(256 * 7, '\0'));
}

TEST_F(CliConvert, BadOptionsAreUsageErrors) {
    const QString in = picture("in.bmp", uniform(8, 8, kWhite));
    const QString out = path("out.bip");
    const QString fifteen = kAllOnes.left(kAllOnes.lastIndexOf('/'));
    struct Case {
        QStringList args;
        QString reason;
    };
    const Case cases[] = {
        {{"convert", in, "-o", out}, "convert needs --method"},
        {{"convert", in, "--method", "cga"}, "convert needs -o"},
        {{"convert", "--method", "cga", "-o", out}, "convert needs PICTURE"},
        {{"convert", in, "--method", "dither", "-o", out},
         "unknown method 'dither' (thresholds, floyd-steinberg, chunks, cga, diffusion, ordered, "
         "search)"},
        {{"convert", in, "--method", "CGA", "-o", out},
         "unknown method 'CGA' (thresholds, floyd-steinberg, chunks, cga, diffusion, ordered, "
         "search)"},
        {{"convert", in, "--method", "", "-o", out},
         "unknown method '' (thresholds, floyd-steinberg, chunks, cga, diffusion, ordered, "
         "search)"},
        {{"convert", in, "--method", "cga", "--toning", "-o", out},
         "option --toning does not belong to --method cga"},
        {{"convert", in, "--method", "thresholds", "--colour", "-o", out},
         "option --colour does not belong to --method thresholds"},
        {{"convert", in, "--method", "thresholds", "--threshold", "5", "-o", out},
         "option --threshold does not belong to --method thresholds"},
        {{"convert", in, "--method", "floyd-steinberg", "--thresholds", "1", "-o", out},
         "option --thresholds does not belong to --method floyd-steinberg"},
        {{"convert", in, "--method", "floyd-steinberg", "--toning", "-o", out},
         "option --toning does not belong to --method floyd-steinberg"},
        {{"convert", in, "--method", "chunks", "--threshold", "5", "-o", out},
         "option --threshold does not belong to --method chunks"},
        {{"convert", in, "--method", "thresholds", "--reference", kAllOnes, "-o", out},
         "option --reference does not belong to --method thresholds"},
        {{"convert", in, "--method", "thresholds", "--absolute", "-o", out},
         "option --absolute does not belong to --method thresholds"},
        {{"convert", in, "--method", "cga", "--toning-threshold", "5", "-o", out},
         "option --toning-threshold does not belong to --method cga"},
        {{"convert", in, "--method", "cga", "--height", "8", "-o", out},
         "unknown option --height for convert"},
        {{"convert", in, "--method", "cga", "--method", "cga", "-o", out},
         "option --method is given twice"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3", "-o", out},
         "--thresholds needs 9 values separated by ',', not 3"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3,4,5,6,7,8,9,10", "-o",
          out},
         "--thresholds needs 9 values separated by ',', not 10"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "", "-o", out},
         "--thresholds needs 9 values separated by ',', not 1"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1;2;3;4;5;6;7;8;9", "-o", out},
         "--thresholds needs 9 values separated by ',', not 1"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3,4,5,6,7,8,256", "-o",
          out},
         "--thresholds must be between 0 and 255, not 256"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3,-4,5,6,7,8,9", "-o", out},
         "--thresholds must be between 0 and 255, not -4"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3,4,,6,7,8,9", "-o", out},
         "--thresholds: '' is not a valid integer value"},
        {{"convert", in, "--method", "thresholds", "--thresholds", "1,2,3,4,5,6,7,8,0x10", "-o",
          out},
         "--thresholds: '0x10' is not a valid integer value"},
        {{"convert", in, "--method", "floyd-steinberg", "--threshold", "256", "-o", out},
         "--threshold must be between 0 and 255, not 256"},
        {{"convert", in, "--method", "floyd-steinberg", "--threshold", "half", "-o", out},
         "--threshold: 'half' is not a valid integer value"},
        {{"convert", in, "--method", "chunks", "--toning-threshold", "1000", "-o", out},
         "--toning-threshold must be between 0 and 999, not 1000"},
        {{"convert", in, "--method", "chunks", "--toning-threshold", "-1", "-o", out},
         "--toning-threshold must be between 0 and 999, not -1"},
        {{"convert", in, "--method", "chunks", "--reference", fifteen, "-o", out},
         "--reference needs 16 triples separated by '/', not 15"},
        {{"convert", in, "--method", "chunks", "--reference", kAllOnes + "/1,1,1", "-o", out},
         "--reference needs 16 triples separated by '/', not 17"},
        {{"convert", in, "--method", "chunks", "--reference", fifteen + "/1,1", "-o", out},
         "--reference: triple 16 is '1,1', not R,G,B"},
        {{"convert", in, "--method", "chunks", "--reference", "1,1,1,1" + kAllOnes.mid(5), "-o",
          out},
         "--reference: triple 1 is '1,1,1,1', not R,G,B"},
        {{"convert", in, "--method", "chunks", "--reference", fifteen + "/1,1000,1", "-o", out},
         "--reference must be between 0 and 999, not 1000"},
        {{"convert", in, "--method", "chunks", "--reference", fifteen + "/1,x,1", "-o", out},
         "--reference: 'x' is not a valid integer value"},
        {{"convert", in, "--method", "cga", "--palette", "16", "-o", out},
         "--palette must be between 0 and 15, not 16"},
        {{"convert", in, "--method", "cga", "-o", path("out.png")},
         "the extension of " + path("out.png") + " names no format: give --format"},
        {{"convert", in, "--method", "cga", "-o", out, "--format", "gif"}, "unknown format 'gif'"},
        // A usage error wins over a picture that cannot be read.
        {{"convert", path("missing.jpg"), "--method", "dither", "-o", out},
         "unknown method 'dither' (thresholds, floyd-steinberg, chunks, cga, diffusion, ordered, "
         "search)"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), usageError(c.reason)) << name;
        EXPECT_EQ(filesIn(), QStringList({"in.bmp"})) << name;
    }
}

TEST_F(CliConvert, APictureThatCannotBeReadFailsAndWritesNothing) {
    const QByteArray jpeg =
        testing::encodeJpeg(testing::makeTestPicture(64, 64), testing::JpegKind::Baseline);
    writeBytes(path("cut.jpg"), jpeg.left(jpeg.size() / 2));
    writeBytes(path("text.jpg"), "not a picture at all");
    writeBytes(path("bad.bmp"), "BM not really");
    writeBytes(path("photo.pcx"), "PCX is not read");
    writeBytes(path("old.bip"), "old contents");
    const auto damaged = [&](const char* name, const std::string& reason) {
        return QString::fromStdString(testing::damagedPicture(path(name), reason));
    };
    const QString out = path("old.bip");
    struct Case {
        QString picture;
        QString message;
    };
    const Case cases[] = {
        {path("missing.jpg"), "Cannot open file " + path("missing.jpg")},
        {path("cut.jpg"), damaged("cut.jpg", testing::jpegError(JWRN_JPEG_EOF))},
        {path("text.jpg"), damaged("text.jpg", testing::jpegError(JERR_NO_SOI))},
        {path("bad.bmp"), damaged("bad.bmp", "Bitmap image is not valid")},
        {path("photo.pcx"), QString::fromStdString(testing::notAPicture(path("photo.pcx")))},
        {dir.path(), "Cannot open file " + dir.path()},
    };
    for (const Case& c : cases) {
        for (const char* method : {"thresholds", "floyd-steinberg", "chunks", "cga"}) {
            const CliResult r = runCli({"convert", c.picture, "--method", method, "-o", out});
            const std::string name = c.picture.toStdString() + " " + method;
            EXPECT_EQ(r.exitCode, 1) << name;
            EXPECT_EQ(r.out, "") << name;
            EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                      ("tovik-images-cli: " + c.message + "\n").toStdString())
                << name;
            EXPECT_EQ(fileBytes(out), "old contents") << name;
        }
    }
    const CliResult r =
        runCli({"convert", path("cut.jpg"), "--method", "cga", "-o", path("new.bin")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(filesIn(), QStringList({"bad.bmp", "cut.jpg", "old.bip", "photo.pcx", "text.jpg"}));
}

TEST_F(CliConvert, AnUnwritableOutputFailsAndLeavesNoFile) {
    const QString in = picture("in.bmp", uniform(8, 8, kWhite));
    QDir(dir.path()).mkdir("folder.bin");
    writeBytes(path("plain"), "x");
    for (const QString& out :
         {path("no/such/folder/out.bin"), path("plain/out.bin"), path("folder.bin")}) {
        const CliResult r = runCli({"convert", in, "--method", "thresholds", "-o", out});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: Cannot create file " + out + "\n").toStdString());
    }
    EXPECT_EQ(filesIn(), QStringList({"in.bmp", "plain"}));
}

// The pictures in samples/ stay usable for the quick start.
TEST_F(CliConvert, TheSamplesConvert) {
    const QString samples = QStringLiteral(TOVIK_SAMPLES_DIR);
    struct Case {
        QStringList args;
        QByteArray header;  // W, H and palette of the project written
    };
    const Case cases[] = {
        {{"convert", samples + "/gradient.jpg", "--method", "thresholds"},
         le32(256) + le32(160) + le32(0)},
        {{"convert", samples + "/photo-like.jpg", "--method", "chunks"},
         le32(256) + le32(160) + le32(0)},
        {{"convert", samples + "/photo-like.jpg", "--method", "floyd-steinberg", "--colour"},
         le32(256) + le32(160) + le32(0)},
        {{"convert", samples + "/cga.bmp", "--method", "cga"}, le32(64) + le32(64) + le32(4)},
        {{"import-raw", samples + "/strip.raw", "--height", "64"}, le32(8) + le32(64) + le32(0)},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args + QStringList{"-o", path("out.bip")});
        EXPECT_EQ(r.exitCode, 0) << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(fileBytes(path("out.bip")).mid(3, 12).toHex(), c.header.toHex())
            << c.args.join(' ').toStdString();
    }
    // Drawn in the four colours of palette 4 only, the CGA sample comes back unchanged.
    const CliResult r =
        runCli({"convert", samples + "/cga.bmp", "--method", "cga", "-o", path("cga.bmp")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(fileBytes(path("cga.bmp")), fileBytes(samples + "/cga.bmp"));
}

}  // namespace
}  // namespace tovik
