#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>

#include "clirunner.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"
#include "picture/render.h"

namespace tovik {
namespace {

// 13 x 9 in palette 9: W and W*H are neither multiples of 4 nor of 8.
PixelBuffer sampleBuffer() {
    PixelBuffer buffer;
    for (int i = 0; i < 13 * 9; ++i) {
        buffer.set(i, (i * 5 + i / 13) % 4);
    }
    return buffer;
}

class CliCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        project = dir.filePath("sample.bip");
        writeBytes(project, encodeProject(sampleBuffer(), 13, 9, 9));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QString project;
};

TEST_F(CliCommands, ExportWritesEveryFormat) {
    const PixelBuffer buffer = sampleBuffer();
    struct Case {
        QString output;
        QStringList format;
        QByteArray expected;
    };
    const Case cases[] = {
        {"a.bip", {}, encodeProject(buffer, 13, 9, 9)},
        {"a.BIP", {}, encodeProject(buffer, 13, 9, 9)},
        {"a.bin", {}, makeBinWithHeader(buffer, 13, 9)},
        {"A.Bin", {}, makeBinWithHeader(buffer, 13, 9)},
        {"a.bmp", {}, encodeBmp24(renderPicture(buffer, 13, 9, 9))},
        {"a.BMP", {}, encodeBmp24(renderPicture(buffer, 13, 9, 9))},
        {"a.mac", {}, makeUkncSource(buffer, 13, 9)},
        {"a.MAC", {}, makeUkncSource(buffer, 13, 9)},
        {"b.bin", {"--format", "bin-palette"}, makeBinWithPalette(buffer, 13, 9)},
        {"c.bin", {"--format", "dump"}, makeScreenDump(buffer, 13, 9)},
        {"d.bin", {"--format=bin-header"}, makeBinWithHeader(buffer, 13, 9)},
        {"picture.dat", {"--format", "bmp"}, encodeBmp24(renderPicture(buffer, 13, 9, 9))},
        {"noextension", {"--format", "mac"}, makeUkncSource(buffer, 13, 9)},
        {"e.bmp", {"--format", "bip"}, encodeProject(buffer, 13, 9, 9)},
    };
    for (const auto& c : cases) {
        QDir(dir.path()).remove(c.output);
        const CliResult r = runCli(QStringList{"export", project, "-o", path(c.output)} + c.format);
        EXPECT_EQ(r.exitCode, 0) << c.output.toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(fileBytes(path(c.output)), c.expected) << c.output.toStdString();
    }
    // 117 pixels make 29 groups; the last pixel is left out.
    EXPECT_EQ(fileBytes(path("b.bin")).left(16).toHex(' '),
              "f0 3f 1d 00 df 15 00 0b b2 ff 01 00 57 00 00 a0");
    EXPECT_EQ(fileBytes(path("a.mac")).left(14), ".BYTE  2, 11\r\n");
}

TEST_F(CliCommands, ExportClampsTheSizeAsAFreshStartWould) {
    struct Case {
        int width, height;
        int pixelBytes;
        QByteArray header;  // W and H of the exported project
    };
    const Case cases[] = {
        {64, 2000, 64 * 2000, le32(64) + le32(1024)},
        {400, 100, 400 * 100, le32(320) + le32(100)},
        {1000, 1000, 65536, le32(320) + le32(204)},
        {3, 2, 6, le32(8) + le32(8)},
    };
    for (const auto& c : cases) {
        const QString in = path("big.bip");
        writeBytes(
            in, "PRJ" + le32(c.width) + le32(c.height) + le32(2) + QByteArray(c.pixelBytes, '\1'));
        const QString out = path("big-out.bip");
        const CliResult r = runCli({"export", in, "-o", out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray bytes = fileBytes(out);
        EXPECT_EQ(bytes.mid(3, 12), c.header + le32(2)) << c.width << "x" << c.height;
        const int w = qFromLittleEndian<qint32>(bytes.constData() + 3);
        const int h = qFromLittleEndian<qint32>(bytes.constData() + 7);
        const int fromFile = std::min(w * h, c.pixelBytes);
        EXPECT_EQ(bytes.mid(15), QByteArray(fromFile, '\1') + QByteArray(w * h - fromFile, '\0'))
            << c.width << "x" << c.height;
    }
}

TEST_F(CliCommands, ImportRawReadsTheStrip) {
    const QString strip = path("strip.raw");
    writeBytes(strip, QByteArray("\x80\xA5\xFF", 3));
    struct Case {
        QStringList options;
        QString output;
        QByteArray expected;
    };
    QByteArray rows(8 * 1024, '\0');
    rows[0] = 2;
    for (int k : {0, 2, 5, 7}) {
        rows[8 + k] = 2;
    }
    rows.replace(16, 8, QByteArray(8, '\2'));
    PixelBuffer buffer;
    for (int i = 0; i < rows.size(); ++i) {
        buffer.set(i, rows[i]);
    }
    const Case cases[] = {
        {{}, "a.bip", "PRJ" + le32(8) + le32(1024) + le32(0) + rows},
        {{"--height", "8"}, "b.bip", "PRJ" + le32(8) + le32(8) + le32(0) + rows.left(64)},
        {{"--height=16", "--palette", "15"},
         "c.bip",
         "PRJ" + le32(8) + le32(16) + le32(15) + rows.left(128)},
        {{"--height", "8"},
         "d.bin",
         QByteArray("\x00\x40\x10\x00", 4) + makeScreenDump(buffer, 8, 8)},
        {{"--height", "8", "--palette", "4"}, "e.bmp", encodeBmp24(renderPicture(buffer, 8, 8, 4))},
        {{"--height", "8"},
         "f.mac",
         ".BYTE  1, 10\r\n.BYTE  1, 0, 245, 0, 377, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\r\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(QStringList{"import-raw", strip} + c.options +
                                   QStringList{"-o", path(c.output)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(fileBytes(path(c.output)), c.expected) << c.output.toStdString();
    }

    // An empty file gives an all-0 strip.
    writeBytes(path("empty.raw"), QByteArray());
    ASSERT_EQ(runCli({"import-raw", path("empty.raw"), "--height", "8", "-o", path("z.bin"),
                      "--format", "dump"})
                  .exitCode,
              0);
    EXPECT_EQ(fileBytes(path("z.bin")), QByteArray(16, '\0'));
}

TEST_F(CliCommands, InfoPrintsProjectAndPictureSizes) {
    writeBytes(path("picture.bmp"), encodeBmp24(renderPicture(sampleBuffer(), 13, 9, 0)));
    writeBytes(path("odd.BMP"), encodeBmp24(renderPicture(sampleBuffer(), 1, 300, 0)));
    writeBytes(path("big.bip"), "PRJ" + le32(1000) + le32(2000) + le32(15));
    struct Case {
        QString file;
        QByteArray out;
    };
    const Case cases[] = {
        {"sample.bip", "width 13\nheight 9\npalette 9\n"},
        // A project's own numbers, before any clamping.
        {"big.bip", "width 1000\nheight 2000\npalette 15\n"},
        {"picture.bmp", "width 13\nheight 9\n"},
        {"odd.BMP", "width 1\nheight 300\n"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli({"info", path(c.file)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.file.toStdString();
        EXPECT_EQ(r.err, "");
    }
}

}  // namespace
}  // namespace tovik
