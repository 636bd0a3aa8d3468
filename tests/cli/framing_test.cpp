// Frame and tone in the batch program: the bytes of the core for the same settings,
// from the options and from a preset; bad values refused by name.

#include <gtest/gtest.h>

#include "clirunner.h"
#include "convert/method.h"
#include "convert/preset.h"
#include "load/frame.h"
#include "load/importpicture.h"
#include "load/jpeg_test_helpers.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

TEST_F(CliTest, FramedTonedConversionIsTheCores) {
    const QString picture = this->picture("photo.bmp", testing::makeTestPicture(301, 203));
    const Framing framing{
        .frame = {Frame::Kind::Rect, QRect(17, 9, 120, 90)},
        .tone = {.brightness = 12, .contrast = 30, .gamma = 1.5, .saturation = 140, .sharpen = 40},
        .size = PictureSize{96, 72}};
    const DiffusionSettings method{DiffusionKernel::Stucki, true, 90};
    const FramedPicture framed = framePicture(importPicture(picture), framing);
    PixelBuffer buffer;
    QImage source = framed.fitted;
    convertPicture(method, framed.fitted, source, 5, framed.size.width, buffer);
    const QByteArray expected = encodeProject(buffer, 96, 72, 5);

    const QStringList common = {"convert", picture, "--frame",   "17,9,120,90",
                                "--size",  "96x72", "--sharpen", "40"};
    const CliResult byOptions =
        runCli(common + QStringList{"--method", "diffusion", "--kernel", "stucki", "--serpentine",
                                    "--strength", "90", "--palette", "5", "--brightness", "12",
                                    "--contrast", "30", "--gamma", "1.5", "--saturation", "140",
                                    "-o", path("a.bip")});
    ASSERT_EQ(byOptions.exitCode, 0) << byOptions.err.toStdString();
    EXPECT_EQ(fileBytes(path("a.bip")), expected);
    // The preset carries the tone, the command line the frame and one tone value over it.
    Preset preset{method, 5, false, framing.tone, false};
    preset.tone.sharpen = 0;
    writePreset(path("p.json"), preset);
    const CliResult byPreset =
        runCli(common + QStringList{"--preset", path("p.json"), "-o", path("b.bip")});
    ASSERT_EQ(byPreset.exitCode, 0) << byPreset.err.toStdString();
    EXPECT_EQ(fileBytes(path("b.bip")), expected);
    // Fit with a neutral tone is today's conversion.
    ASSERT_EQ(runCli({"convert", picture, "--method", "diffusion", "-o", path("c.bip")}).exitCode,
              0);
    ASSERT_EQ(runCli({"convert", picture, "--method", "diffusion", "--frame", "fit", "--gamma", "1",
                      "-o", path("d.bip")})
                  .exitCode,
              0);
    EXPECT_EQ(fileBytes(path("d.bip")), fileBytes(path("c.bip")));
}

TEST_F(CliTest, BadFramesAndTonesAreRefused) {
    const QString picture = this->picture("photo.bmp", testing::makeTestPicture(40, 30));
    const QString out = path("out.bip");
    const struct {
        QStringList options;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"--gamma", "0"}, 2, usageError("--gamma must be between 0.1 and 10, not 0")},
        {{"--gamma", "x"}, 2, usageError("--gamma: 'x' is not a number")},
        {{"--brightness", "101"},
         2,
         usageError("--brightness must be between -100 and 100, not 101")},
        {{"--contrast", "-101"},
         2,
         usageError("--contrast must be between -100 and 100, not -101")},
        {{"--saturation", "201"}, 2, usageError("--saturation must be between 0 and 200, not 201")},
        {{"--sharpen", "-1"}, 2, usageError("--sharpen must be between 0 and 100, not -1")},
        {{"--auto-tone", "--contrast", "5"},
         2,
         usageError("--auto-tone sets brightness and contrast itself; give --brightness and "
                    "--contrast without it")},
        {{"--frame", "fill"}, 2, usageError("--frame fill needs --size WxH")},
        {{"--frame", "1,2,3"}, 2, usageError("--frame: '1,2,3' is not fit, fill or X,Y,W,H")},
        {{"--frame", "0,-1,3,3"},
         2,
         usageError("--frame 0,-1,3,3: X and Y must be 0 or more, W and H 1 or more")},
        {{"--size", "64"}, 2, usageError("--size: '64' is not WxH")},
        {{"--size", "7x64"},
         2,
         usageError("--size: The width 7 of the size 7x64 is outside its range 8..320")},
        {{"--size", "128x513"},
         2,
         usageError(
             "--size: The height 513 of the size 128x513 is outside its range 8..512 for the "
             "width 128")},
        {{"--frame", "30,0,11,30"},
         1,
         "tovik-images-cli: The frame 30,0,11,30 leaves the photograph of 40 x 30: X 0..39, Y "
         "0..29, W 1..40-X, H 1..30-Y\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(
            QStringList{"convert", picture, "--method", "thresholds", "-o", out} + c.options);
        const std::string name = c.options.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, c.exitCode) << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), c.err) << name;
        EXPECT_FALSE(QFile::exists(out)) << name;
    }
}

}  // namespace
}  // namespace tovik
