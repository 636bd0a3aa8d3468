// convert with many pictures (--out-dir, --jobs) and with --preset.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <jerror.h>

#include "clirunner.h"
#include "convert/preset.h"
#include "load/importpicture.h"
#include "load/jpeg_test_helpers.h"
#include "machinefiles/bmp24.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

using testing::encodeJpeg;
using testing::JpegKind;
using testing::makeTestPicture;

class CliBatch : public CliTest {};

// Each picture of a batch is written exactly as a single convert writes it, in every
// format, whatever the number of jobs.
TEST_F(CliBatch, WritesWhatSingleRunsWriteForEveryFormatAndJobCount) {
    writeBytes(path("photo.jpg"), encodeJpeg(makeTestPicture(640, 480), JpegKind::Baseline));
    writeBytes(path("wide.v2.JPEG"), encodeJpeg(makeTestPicture(1000, 300), JpegKind::Progressive));
    writeBytes(path("tall.bmp"), encodeBmp24(makeTestPicture(100, 300)));
    const QStringList inputs = {path("photo.jpg"), path("wide.v2.JPEG"), path("tall.bmp")};
    const QStringList names = {"photo", "wide.v2", "tall"};
    const QStringList method = {"--method", "chunks", "--toning", "--palette", "5"};
    struct Case {
        QStringList format;
        QString extension;
    };
    const Case cases[] = {
        {{}, "bip"},
        {{"--format", "bin-palette"}, "bin"},
        {{"--format", "bin-header"}, "bin"},
        {{"--format", "dump"}, "bin"},
        {{"--format", "bmp"}, "bmp"},
        {{"--format", "mac"}, "mac"},
    };
    for (const Case& c : cases) {
        const QString label = c.format.isEmpty() ? "bip" : c.format[1];
        for (const QString& jobs : {"1", "2"}) {
            const QString folder = label + "/jobs" + jobs + "/made";  // made when missing
            const CliResult r = runCli(QStringList{"convert"} + inputs + method + c.format +
                                       QStringList{"--out-dir", path(folder), "--jobs", jobs});
            ASSERT_EQ(r.exitCode, 0) << label.toStdString() << ": " << r.err.toStdString();
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, "");
            QStringList expected;
            for (const QString& name : names) {
                expected.append(name + "." + c.extension);
            }
            expected.sort();
            EXPECT_EQ(filesIn(folder), expected) << label.toStdString();
        }
        for (int i = 0; i < inputs.size(); ++i) {
            const QString single = path("single");
            QFile::remove(single);
            const CliResult r =
                runCli(QStringList{"convert", inputs[i]} + method + QStringList{"-o", single} +
                       (c.format.isEmpty() ? QStringList{"--format", "bip"} : c.format));
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
            const QString file = names[i] + "." + c.extension;
            for (const QString& jobs : {"1", "2"}) {
                EXPECT_EQ(fileBytes(path(label + "/jobs" + jobs + "/made/" + file)),
                          fileBytes(single))
                    << label.toStdString() << " " << file.toStdString() << " jobs "
                    << jobs.toStdString();
            }
        }
    }
}

TEST_F(CliBatch, ABadPictureIsReportedAndTheOthersAreStillWritten) {
    const QByteArray jpeg = encodeJpeg(makeTestPicture(64, 48), JpegKind::Baseline);
    writeBytes(path("good1.bmp"), encodeBmp24(makeTestPicture(20, 10)));
    writeBytes(path("cut.jpg"), jpeg.left(jpeg.size() / 2));
    writeBytes(path("good2.jpg"), jpeg);
    writeBytes(path("notes.txt"), "not a picture");
    const QStringList inputs = {path("good1.bmp"), path("missing.jpg"), path("cut.jpg"),
                                path("notes.txt"), path("good2.jpg")};
    const CliResult r =
        runCli(QStringList{"convert"} + inputs +
               QStringList{"--method", "cga", "--out-dir", path("out"), "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    // In the order of the list, whichever finished first.
    EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
              "tovik-images-cli: Cannot open file " + inputs[1].toStdString() +
                  "\ntovik-images-cli: " +
                  testing::damagedPicture(inputs[2], testing::jpegError(JWRN_JPEG_EOF)) +
                  "\ntovik-images-cli: " + testing::notAPicture(inputs[3]) +
                  "\ntovik-images-cli: 3 of 5 pictures failed\n");
    EXPECT_EQ(filesIn("out"), QStringList({"good1.bip", "good2.bip"}));
    ASSERT_EQ(
        runCli({"convert", path("good2.jpg"), "--method", "cga", "-o", path("one.bip")}).exitCode,
        0);
    EXPECT_EQ(fileBytes(path("out/good2.bip")), fileBytes(path("one.bip")));
}

TEST_F(CliBatch, UsageErrorsComeBeforeAnythingIsReadOrWritten) {
    const QString out = path("out");
    struct Case {
        QStringList args;
        QString reason;
    };
    const Case cases[] = {
        {{"--method", "cga", "a.jpg", "sub/a.bmp", "--out-dir", out},
         "pictures a.jpg and sub/a.bmp would both write " + out + "/a.bip"},
        {{"--method", "cga", "x/P.jpg", "y/p.JPG", "--out-dir", out, "--format", "mac"},
         "pictures x/P.jpg and y/p.JPG would both write " + out + "/p.mac"},
        {{"--method", "cga", "a.jpg", "b.jpg", "a.jpg", "--out-dir", out},
         "pictures a.jpg and a.jpg would both write " + out + "/a.bip"},
        {{"--method", "cga", "a.jpg", "b.jpg", "--out-dir", out, "--format", "dump", "--format",
          "bip"},
         "option --format is given twice"},
        {{"--method", "cga", "a.jpg", "--out-dir", out, "--format", "png"}, "unknown format 'png'"},
        {{"--method", "cga", "a.jpg", "--out-dir", ""}, "--out-dir needs a folder name"},
        {{"--method", "cga", "a.jpg", "b.jpg", "--out-dir", out, "--jobs", "0"},
         "--jobs must be between 1 and 256, not 0"},
        {{"--method", "cga", "a.jpg", "--out-dir", out, "--jobs", "many"},
         "--jobs: 'many' is not a valid integer value"},
        {{"--method", "cga", "a.jpg", "--jobs", "2", "-o", path("a.bip")},
         "--jobs needs --out-dir"},
        {{"--method", "cga", "a.jpg", "b.jpg", "-o", path("a.bip")},
         "convert -o writes one picture; give --out-dir for 2"},
        {{"--method", "cga", "a.jpg", "b.jpg"}, "convert needs --out-dir"},
        {{"--method", "cga", "a.jpg", "-o", path("a.bip"), "--out-dir", out},
         "convert takes -o or --out-dir, not both"},
        {{"a.jpg", "--preset", path("p.json"), "--out-dir", out, "--threshold", "300"},
         "--threshold must be between 0 and 255, not 300"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(QStringList{"convert"} + c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), usageError(c.reason)) << name;
        EXPECT_FALSE(QFileInfo::exists(out)) << name;
    }
}

// A preset saved by the core, as a tool window saves its settings, gives in the batch
// program the bytes of the core's conversion with those settings; options on the command
// line win over it.
TEST_F(CliBatch, APresetGivesTheBytesOfItsSettings) {
    const QString picture = path("photo.jpg");
    writeBytes(picture, encodeJpeg(makeTestPicture(300, 200), JpegKind::Baseline));
    ChunkSettings chunks;
    chunks.squared = false;
    chunks.toning = true;
    chunks.toningThreshold = 150;
    chunks.reference[3] = ChunkColour{10, 20, 30};
    ThresholdSettings thresholds;
    thresholds.t = {200, 40, 20, 100, 20, 100, 20, 100, 120};
    struct Case {
        Preset preset;
        QStringList options;
        MethodSettings method;  // what the conversion must use
        int palette;
    };
    const Case cases[] = {
        {{chunks, 7, false}, {}, chunks, 7},
        {{FloydSteinbergSettings{140, false}, 3, false},
         {"--threshold", "60"},
         FloydSteinbergSettings{60, false},
         3},
        {{thresholds, std::nullopt, false},
         {"--toning", "--palette", "11"},
         ThresholdSettings{thresholds.t, true},
         11},
        {{chunks, 7, false}, {"--method", "cga"}, CgaSettings{}, 7},
        {{CgaSettings{}, std::nullopt, false}, {}, CgaSettings{}, 4},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString preset = path(QString("preset%1.json").arg(n++));
        writePreset(preset, c.preset);
        const CliResult r = runCli(QStringList{"convert", picture, "--preset", preset} + c.options +
                                   QStringList{"--out-dir", path("out")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const ImportedPicture imported = importPicture(picture);
        QImage source = imported.fitted;
        PixelBuffer buffer;
        convertPicture(c.method, imported.fitted, source, c.palette, imported.size.width, buffer);
        EXPECT_EQ(fileBytes(path("out/photo.bip")),
                  encodeProject(buffer, imported.size.width, imported.size.height, c.palette))
            << encodePreset(c.preset).toStdString() << c.options.join(' ').toStdString();
    }

    writeBytes(path("damaged.json"), R"({"method": "chunks", "toning": "yes"})");
    writePreset(path("auto.json"), {chunks, std::nullopt, true});
    const CliResult damaged =
        runCli({"convert", picture, "--preset", path("damaged.json"), "-o", path("d.bip")});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(damaged.err).toStdString(),
              ("tovik-images-cli: Preset " + path("damaged.json") +
               ": field \"toning\" must be true or false. Correct the file in a text editor, or "
               "save the settings again from a tool window.\n")
                  .toStdString());
    const CliResult foreign = runCli(
        {"convert", picture, "--preset", path("preset0.json"), "--colour", "-o", path("f.bip")});
    EXPECT_EQ(foreign.exitCode, 2);
    EXPECT_EQ(QString::fromUtf8(foreign.err).toStdString(),
              usageError("option --colour does not belong to --method chunks"));
    EXPECT_FALSE(QFileInfo::exists(path("d.bip")) || QFileInfo::exists(path("f.bip")));
}

// Ctrl+C in the middle of a batch: the process ends by the signal, no file is cut short
// and no temporary file is left.
TEST_F(CliBatch, CtrlCLeavesOnlyWholeFiles) {
    const QByteArray jpeg = encodeJpeg(makeTestPicture(2000, 1500), JpegKind::Baseline);
    QStringList inputs;
    for (int i = 0; i < 60; ++i) {
        inputs.append(path(QString("in/p%1.jpg").arg(i)));
        QDir().mkpath(path("in"));
        writeBytes(inputs.last(), jpeg);
    }
    ASSERT_EQ(runCli({"convert", inputs[0], "--method", "chunks", "-o", path("one.bip")}).exitCode,
              0);
    QProcess process;
    process.start(QStringLiteral(TOVIK_CLI_PATH),
                  QStringList{"convert"} + inputs +
                      QStringList{"--method", "chunks", "--out-dir", path("out"), "--jobs", "2"});
    ASSERT_TRUE(process.waitForStarted());
    QElapsedTimer timer;
    timer.start();
    while (filesIn("out").isEmpty() && timer.elapsed() < 20000) {
        QThread::msleep(1);
    }
    kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
    EXPECT_TRUE(process.readAllStandardError().endsWith("tovik-images-cli: interrupted\n"));
    const QStringList written = filesIn("out");
    EXPECT_GE(written.size(), 1);
    EXPECT_LT(written.size(), inputs.size());
    for (const QString& file : written) {
        EXPECT_TRUE(file.endsWith(".bip")) << file.toStdString();
        EXPECT_EQ(fileBytes(path("out/" + file)), fileBytes(path("one.bip"))) << file.toStdString();
    }
}

}  // namespace
}  // namespace tovik
