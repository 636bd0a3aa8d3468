#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QTemporaryDir>

#include "clirunner.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

class CliFailures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath("p.bip");
        writeBytes(project, encodeProject(PixelBuffer(), 64, 64, 3));
        strip = dir.filePath("s.raw");
        writeBytes(strip, "\x81");
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList filesInDir() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    QString project;
    QString strip;
};

TEST_F(CliFailures, HelpPrintsTheUsageOnStandardOutput) {
    const QByteArray text = usage();
    ASSERT_TRUE(text.startsWith("Usage:\n  tovik-images-cli convert PICTURE --method METHOD"));
    for (const QStringList& args :
         {QStringList{"--help"}, QStringList{"-h"}, QStringList{"export", "--help"},
          QStringList{"import-raw", "x", "-o", "y.png", "--help"}}) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, text);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliFailures, UsageNamesEveryCommandOptionMethodAndFormat) {
    const QByteArray text = usage();
    const char* words[] = {
        " convert ",
        " export ",
        " import-raw ",
        " info ",
        "--method",
        " thresholds ",
        " floyd-steinberg ",
        " chunks ",
        " cga ",
        "--thresholds T1,...,T9",
        "250,50,50,128,30,128,30,128,96",
        "--toning ",
        "--threshold T ",
        "--colour",
        "--absolute",
        "--toning-threshold T",
        "--reference R,G,B/R,G,B/...",
        "16 triples",
        "--palette P",
        "--height H",
        "8..1024",
        "-o OUTPUT",
        "--format FMT",
        " bip ",
        " bin-palette ",
        " bin-header ",
        " dump ",
        " bmp ",
        " mac ",
        ".bin for bin-header",
        "--help, -h",
    };
    for (const char* word : words) {
        EXPECT_TRUE(text.contains(word)) << word;
    }
}

TEST_F(CliFailures, UsageErrorsExitTwoWithTheReasonAndTheUsage) {
    const QString out = path("out.bin");
    struct Case {
        QStringList args;
        QString reason;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command frobnicate"},
        {{"EXPORT", project, "-o", out}, "unknown command EXPORT"},
        {{"export"}, "export needs PROJECT"},
        {{"export", project}, "export needs -o"},
        // A missing value is worded by Qt's parser; it names the option.
        {{"export", project, "-o"}, "Missing value after '-o'."},
        {{"export", project, "-o", ""}, "-o needs a file name"},
        {{"export", project, "-o", path("out.png")},
         "the extension of " + path("out.png") + " names no format: give --format"},
        {{"export", project, "-o", path("out")},
         "the extension of " + path("out") + " names no format: give --format"},
        {{"export", project, "-o", path("out.bin.txt")},
         "the extension of " + path("out.bin.txt") + " names no format: give --format"},
        {{"export", project, "-o", out, "--format", "png"}, "unknown format 'png'"},
        {{"export", project, "-o", out, "--format", "BMP"}, "unknown format 'BMP'"},
        {{"export", project, "-o", out, "--format="}, "unknown format ''"},
        {{"export", project, "-o", out, "--height", "8"}, "unknown option --height for export"},
        {{"export", project, "-o", out, "--palette", "1"}, "unknown option --palette for export"},
        {{"export", project, "extra", "-o", out}, "unexpected argument extra"},
        {{"export", project, "-o", out, "-o", out}, "option -o is given twice"},
        {{"export", project, "-o", out, "--format", "bip", "--format=dump"},
         "option --format is given twice"},
        // A usage error wins over an input that is missing too.
        {{"export", path("missing.bip"), "-o", path("out.png")},
         "the extension of " + path("out.png") + " names no format: give --format"},
        {{"import-raw", strip}, "import-raw needs -o"},
        {{"import-raw", "-o", out}, "import-raw needs FILE"},
        {{"import-raw", strip, "--height", "7", "-o", out},
         "--height must be between 8 and 1024, not 7"},
        {{"import-raw", strip, "--height", "1025", "-o", out},
         "--height must be between 8 and 1024, not 1025"},
        {{"import-raw", strip, "--height", "abc", "-o", out},
         "--height: 'abc' is not a valid integer value"},
        {{"import-raw", strip, "--height", "", "-o", out},
         "--height: '' is not a valid integer value"},
        {{"import-raw", strip, "--height", "8.5", "-o", out},
         "--height: '8.5' is not a valid integer value"},
        {{"import-raw", strip, "--height", "99999999999", "-o", out},
         "--height: '99999999999' is not a valid integer value"},
        {{"import-raw", strip, "--palette", "16", "-o", out},
         "--palette must be between 0 and 15, not 16"},
        {{"import-raw", strip, "--palette", "-1", "-o", out},
         "--palette must be between 0 and 15, not -1"},
        {{"import-raw", strip, "--toning", "-o", out}, "unknown option --toning for import-raw"},
        {{"import-raw", strip, "-o", out, "--height"}, "Missing value after '--height'."},
        {{"info"}, "info needs FILE"},
        {{"info", project, project}, "unexpected argument " + project},
        {{"info", project, "-o", out}, "unknown option -o for info"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), usageError(c.reason)) << name;
        EXPECT_EQ(filesInDir(), QStringList({"p.bip", "s.raw"})) << name;
    }
}

TEST_F(CliFailures, BadInputExitsOneWithTheMessageAndWritesNothing) {
    writeBytes(path("short.bip"), QByteArray("PRJ\x40\0\0\0", 7));
    writeBytes(path("palette.bip"), QByteArray("PRJ\x40\0\0\0\x40\0\0\0\x10\0\0\0", 15));
    writeBytes(path("notpicture.bmp"), "BM not really");
    writeBytes(path("notpicture.BIP"), "BM not really");
    writeBytes(path("old.bin"), "old contents");
    const QString out = path("old.bin");
    struct Case {
        QStringList args;
        QString message;
    };
    const Case cases[] = {
        {{"export", path("missing.bip"), "-o", out}, "Cannot open file " + path("missing.bip")},
        {{"export", dir.path(), "-o", out}, "Cannot open file " + dir.path()},
        {{"export", strip, "-o", out},
         strip + " is not a project file: it does not begin with PRJ"},
        {{"export", path("short.bip"), "-o", out},
         path("short.bip") + " is not a project file: its header is cut short (7 of 15 bytes)"},
        {{"export", path("palette.bip"), "-o", out},
         "Project file " + path("palette.bip") +
             " has an invalid palette number 16 (0..15 allowed)"},
        {{"import-raw", path("missing.raw"), "-o", out}, "Cannot open file " + path("missing.raw")},
        {{"info", path("missing.bip")}, "Cannot open file " + path("missing.bip")},
        {{"info", path("short.bip")},
         path("short.bip") + " is not a project file: its header is cut short (7 of 15 bytes)"},
        {{"info", strip}, "Unknown picture file extension (.raw)"},
        {{"info", path("notpicture.bmp").replace(".bmp", ".BIP")},
         path("notpicture.BIP") + " is not a project file: it does not begin with PRJ"},
        {{"info", path("notpicture.bmp")}, "Bitmap image is not valid"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 1) << name;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: " + c.message + "\n").toStdString())
            << name;
        EXPECT_EQ(fileBytes(out), "old contents") << name;
    }
    EXPECT_EQ(filesInDir(), QStringList({"notpicture.BIP", "notpicture.bmp", "old.bin", "p.bip",
                                         "palette.bip", "s.raw", "short.bip"}));
}

TEST_F(CliFailures, UnwritableOutputExitsOneAndLeavesNoFile) {
    writeBytes(path("plain"), "x");
    const QString cases[] = {
        path("no/such/folder/out.bin"),
        path("plain/out.bin"),
        path("folder.bin"),
    };
    QDir(dir.path()).mkdir("folder.bin");
    for (const QString& out : cases) {
        const CliResult r = runCli({"export", project, "-o", out});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: Cannot create file " + out + "\n").toStdString());
    }
    EXPECT_EQ(filesInDir(), QStringList({"p.bip", "plain", "s.raw"}));
    EXPECT_TRUE(QFileInfo(path("folder.bin")).isDir());
}

TEST_F(CliFailures, AFullDiskKeepsTheExistingOutputWhole) {
    const QString out = path("old.bip");
    writeBytes(out, "old contents");
    // The program may not grow any file past 4 KiB: the 4,111-byte project does not fit.
    const CliResult r = runCli({"export", project, "-o", out}, [] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 4096;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
              ("tovik-images-cli: Cannot write file " + out + ": File too large\n").toStdString());
    EXPECT_EQ(fileBytes(out), "old contents");
    EXPECT_EQ(filesInDir(), QStringList({"old.bip", "p.bip", "s.raw"}));
}

}  // namespace
}  // namespace tovik

namespace tovik {
namespace {

// No output may replace a file the command reads: the same file under another spelling,
// through a link, or in a folder given as the output folder is a usage error naming both,
// and every input stays as it was.
TEST_F(CliTest, AnOutputThatIsAnInputIsRefused) {
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(qRgb(200, 100, 50));
    const QString in = picture("a.bmp", photo);
    const QByteArray photoBytes = fileBytes(in);
    writeBytes(path("p.bip"), "PRJ" + le32(8) + le32(8) + le32(0) + QByteArray(64, '\1'));
    const QByteArray projectBytes = fileBytes(path("p.bip"));
    writeBytes(path("strip"), QByteArray(8, '\x55'));
    writeBytes(path("preset.json"), R"({"method": "thresholds"})");
    const QByteArray presetBytes = fileBytes(path("preset.json"));
    ASSERT_TRUE(QFile::link(in, path("link.bmp")));
    ASSERT_TRUE(QFile::link(dir.path(), path("here")));
    const QString dot = dir.path() + "/./a.bmp";
    struct Case {
        QStringList args;
        QString output, input;
    };
    const Case cases[] = {
        {{"convert", in, "--method", "thresholds", "-o", in, "--format", "bmp"}, in, in},
        {{"convert", in, "--method", "thresholds", "-o", dot, "--format", "bmp"}, dot, in},
        {{"convert", in, "--method", "cga", "-o", path("link.bmp")}, path("link.bmp"), in},
        {{"convert", in, "--method", "thresholds", "--out-dir", dir.path(), "--format", "bmp"},
         QDir(dir.path()).filePath("a.bmp"),
         in},
        {{"convert", in, "--method", "thresholds", "--out-dir", path("here"), "--format", "bmp"},
         QDir(path("here")).filePath("a.bmp"),
         in},
        {{"convert", in, "--preset", path("preset.json"), "-o", path("preset.json"), "--format",
          "bip"},
         path("preset.json"),
         path("preset.json")},
        {{"export", path("p.bip"), "-o", path("p.bip")}, path("p.bip"), path("p.bip")},
        {{"import-raw", path("strip"), "-o", path("strip"), "--format", "dump"},
         path("strip"),
         path("strip")},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2) << name;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  usageError(QString("the output %1 is the same file as the input %2; choose "
                                     "another output name or folder")
                                 .arg(c.output, c.input)))
            << name;
    }
    EXPECT_EQ(fileBytes(in), photoBytes);
    EXPECT_EQ(fileBytes(path("p.bip")), projectBytes);
    EXPECT_EQ(fileBytes(path("strip")), QByteArray(8, '\x55'));
    EXPECT_EQ(fileBytes(path("preset.json")), presetBytes);
}

}  // namespace
}  // namespace tovik
