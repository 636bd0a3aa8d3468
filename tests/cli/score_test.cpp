// The score and palettes commands, convert --score and --palette auto, and the options and
// presets of the palette methods.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "clirunner.h"
#include "convert/palettecolours_helpers.h"
#include "convert/paletteranking.h"
#include "convert/preset.h"
#include "convert/score.h"
#include "load/importpicture.h"
#include "load/jpeg_test_helpers.h"
#include "machinefiles/bmp24.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

using testing::makeTestPicture;

QByteArray scoreText(double score) {
    return QByteArray::number(score, 'f', 3);
}

class CliScore : public CliTest {};

TEST_F(CliScore, IdenticalPicturesScoreZeroAndSizesMustAgree) {
    const QString a = picture("a.bmp", makeTestPicture(40, 30));
    const QString b = picture("b.bmp", makeTestPicture(41, 30));
    const CliResult same = runCli({"score", a, a});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "score 0.000\n");
    const CliResult sizes = runCli({"score", a, b});
    EXPECT_EQ(sizes.exitCode, 1);
    EXPECT_EQ(sizes.out, "");
    EXPECT_EQ(sizes.err,
              "tovik-images-cli: The two pictures differ in size: 40 x 30 and 41 x 30\n");
}

// A picture made only of one palette's own colours: diffusion draws it exactly in that
// palette alone, so --palette auto chooses it with score 0, picture by picture, the lines
// in the order of the list.
TEST_F(CliScore, APalettesOwnColoursChooseIt) {
    const std::vector<int> palettes = sourcepic::palettesOfTheirOwnColours();
    ASSERT_GE(palettes.size(), 10u);
    QStringList inputs;
    QByteArray expected;
    for (const int p : palettes) {
        inputs << picture(QString("own%1.bmp").arg(p), sourcepic::paletteColoursPicture(p, 16, 8));
        expected += (inputs.last() + QString(" palette %1 score 0.000\n").arg(p)).toUtf8();
    }
    const CliResult r = runCli(QStringList{"convert"} + inputs +
                               QStringList{"--method", "diffusion", "--palette", "auto",
                                           "--out-dir", path("out"), "--jobs", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, expected);
    for (const int p : palettes) {
        // The project's palette field.
        EXPECT_EQ(fileBytes(path(QString("out/own%1.bip").arg(p))).mid(11, 4), le32(p)) << p;
    }
}

// Black and white by CGA: the same indices for every palette, so the palettes whose
// colour 3 is the same tie and keep their numbers' order.
TEST_F(CliScore, PalettesListsAllSixteenBestFirst) {
    QImage image(12, 9, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, (x * 7 + y * 3) % 5 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    const QString in = picture("bw.bmp", image);
    const CliResult r = runCli({"palettes", in, "--method", "cga"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList order;
    for (const QByteArray& line : r.out.trimmed().split('\n')) {
        order << QString::fromUtf8(line.left(line.indexOf(' ')));
    }
    EXPECT_EQ(order.join(' '), "4 5 13 14 15 12 3 7 2 8 0 1 6 11 10 9");
    EXPECT_TRUE(r.out.startsWith("4 0.000\n5 0.000\n13 0.000\n14 0.000\n15 0.000\n12 "));
}

// Each option of the palette methods, and presets holding them, give the bytes of the core
// called with those settings, and --score prints the conversion's score.
TEST_F(CliScore, ThePaletteMethodsGiveTheCoresBytes) {
    const QString in = path("photo.jpg");
    writeBytes(in, testing::encodeJpeg(makeTestPicture(300, 200), testing::JpegKind::Baseline));
    int presets = 0;
    const auto fromPreset = [&](const Preset& preset) {
        const QString file = path(QString("preset%1.json").arg(presets++));
        writePreset(file, preset);
        return QStringList{"--preset", file};
    };
    using K = DiffusionKernel;
    const DiffusionSettings atkinson{K::Atkinson, true, 70};
    struct Case {
        QStringList options;
        MethodSettings method;  // what the conversion must use
        int palette;
    };
    const Case cases[] = {
        {{"--method", "diffusion"}, DiffusionSettings{}, 0},
        {{"--method", "diffusion", "--kernel", "stucki", "--palette", "6"},
         DiffusionSettings{K::Stucki, true, 100},
         6},
        {{"--method", "diffusion", "--scan", "raster", "--palette", "9"},
         DiffusionSettings{K::FloydSteinberg, false, 100},
         9},
        {{"--method", "search", "--passes", "2", "--kernel", "sierra", "--palette", "12"},
         SearchSettings{{K::Sierra, true, 100}, 2},
         12},
        {{"--method", "diffusion", "--strength", "35", "--palette", "2"},
         DiffusionSettings{K::FloydSteinberg, true, 35},
         2},
        {{"--method", "ordered", "--matrix", "2", "--palette", "3"}, OrderedSettings{2}, 3},
        {fromPreset({atkinson, 5, false}), atkinson, 5},
        {fromPreset({atkinson, 5, false}) +
             QStringList{"--kernel", "sierra-lite", "--palette", "11"},
         DiffusionSettings{K::SierraLite, true, 70}, 11},
        {fromPreset({OrderedSettings{8}, std::nullopt, false}), OrderedSettings{8}, 0},
    };
    const ImportedPicture imported = importPicture(in);
    const int width = imported.size.width;
    const int height = imported.size.height;
    for (const Case& c : cases) {
        const CliResult r =
            runCli(QStringList{"convert", in, "--score", "-o", path("out.bip")} + c.options);
        const std::string name = c.options.join(' ').toStdString();
        ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err.toStdString();
        QImage source = imported.fitted;
        PixelBuffer buffer;
        convertPicture(c.method, imported.fitted, source, c.palette, width, buffer);
        EXPECT_EQ(fileBytes(path("out.bip")), encodeProject(buffer, width, height, c.palette))
            << name;
        const double score = conversionScore(imported.fitted, buffer, width, c.palette);
        EXPECT_EQ(r.out, "score " + scoreText(score) + "\n") << name;
    }

    // A preset asking for the best palette: the ranking's first, its palette and score told.
    const OrderedSettings ordered{2};
    const CliResult r = runCli(QStringList{"convert", in, "-o", path("auto.bip")} +
                               fromPreset({ordered, std::nullopt, true}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const PaletteScore best = rankPalettes(ordered, imported).front();
    EXPECT_EQ(r.out, "palette " + QByteArray::number(best.palette) + "\nscore " +
                         scoreText(best.score) + "\n");
    EXPECT_EQ(fileBytes(path("auto.bip")), encodeProject(best.buffer, width, height, best.palette));
}

TEST_F(CliScore, BadOptionsOfTheNewCommandsAreUsageErrors) {
    const QString in = picture("in.bmp", makeTestPicture(8, 8));
    const QString out = path("out.bip");
    const std::pair<QStringList, QString> cases[] = {
        {{"convert", in, "--method", "diffusion", "--kernel", "floyd", "-o", out},
         "unknown kernel 'floyd' (floyd-steinberg, jarvis, stucki, burkes, sierra, sierra-2, "
         "sierra-lite, atkinson)"},
        {{"convert", in, "--method", "ordered", "--matrix", "3", "-o", out},
         "--matrix must be 2, 4 or 8, not 3"},
        {{"convert", in, "--method", "ordered", "--serpentine", "-o", out},
         "option --serpentine does not belong to --method ordered"},
        {{"convert", in, "--method", "diffusion", "--palette", "Auto", "-o", out},
         "--palette: 'Auto' is neither 0..15 nor auto"},
        {{"palettes", in}, "palettes needs --method"},
    };
    for (const auto& [args, reason] : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), usageError(reason));
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

}  // namespace
}  // namespace tovik
