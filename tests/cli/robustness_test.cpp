// Bad files given to the batch program: each is refused with exit status 1 and its
// message, and the output file stays as it was; the inputs it takes are bounded.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "badinputs.h"
#include "clirunner.h"

namespace tovik {
namespace {

using namespace testing;

class CliRobustness : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeBytes(out, "old contents");
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The command that hands the file to the reader, writing to `out`.
    QStringList commandFor(Reader reader, const QString& file) const {
        switch (reader) {
            case Reader::Picture:
                return {"convert", file, "--method", "thresholds", "-o", out};
            case Reader::Project:
                return {"export", file, "-o", out};
            case Reader::RawStrip:
                return {"import-raw", file, "-o", out};
        }
        return {};
    }

    // Runs the program as an ordinary user would be: without root's power over files.
    static CliResult run(const QStringList& args) { return runCli(args, dropFileOverrideOnExec); }

    QTemporaryDir dir;
    const QString out = dir.filePath("out.bip");
};

TEST_F(CliRobustness, EveryBadInputExitsOneAndLeavesTheOutput) {
    for (const BadInput& input : badInputs()) {
        const QString file = path(input.fileName);
        input.make(file);
        const CliResult r = run(commandFor(input.reader, file));
        EXPECT_EQ(r.exitCode, 1) << input.row;
        EXPECT_EQ(r.out, "") << input.row;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: " + expectedMessage(input, file) + "\n").toStdString())
            << input.row;
        EXPECT_EQ(fileBytes(out), "old contents") << input.row;
    }
}

TEST_F(CliRobustness, AcceptedOddInputsGiveBoundedPictures) {
    QByteArray pixels(70000, '\0');
    for (int i = 0; i < pixels.size(); ++i) {
        pixels[i] = char(4 + i % 4);  // every byte above 3; its low two bits count
    }
    writeBytes(path("huge.bip"), projectHeader(2'000'000'000, 2'000'000'000, 5) + pixels);
    writeBytes(path("high.bip"), projectHeader(8, 1, 0) + QByteArray::fromHex("0004080c050aff0f"));
    writeBytes(path("empty.raw"), "");
    sparse(QByteArray("\xF0", 1), kHugeFileBytes)(path("huge.raw"));
    struct Case {
        QStringList args;
        QByteArray header;  // W, H and palette of the project written
        QByteArray firstPixels;
    };
    const Case cases[] = {
        {{"export", path("huge.bip"), "-o", out},
         projectHeader(320, 204, 5).mid(3),
         QByteArray::fromHex("0001020300010203")},
        {{"export", path("high.bip"), "-o", out},
         projectHeader(8, 8, 0).mid(3),
         QByteArray::fromHex("0000000001020303")},
        {{"import-raw", path("empty.raw"), "--height", "16", "-o", out},
         projectHeader(8, 16, 0).mid(3),
         QByteArray(8, '\0')},
        {{"import-raw", path("huge.raw"), "--height", "8", "-o", out},
         projectHeader(8, 8, 0).mid(3),
         QByteArray::fromHex("0202020200000000")},
    };
    for (const Case& c : cases) {
        const CliResult r = run(c.args);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 0) << name << r.err.toStdString();
        const QByteArray written = fileBytes(out);
        EXPECT_EQ(written.mid(3, 12).toHex(), c.header.toHex()) << name;
        EXPECT_EQ(written.mid(15, 8).toHex(), c.firstPixels.toHex()) << name;
    }
}

TEST_F(CliRobustness, AnUnwritableDestinationKeepsTheOldFile) {
    const QString locked = path("locked");
    QDir().mkpath(locked);
    writeBytes(locked + "/old.bip", "old contents");
    writeBytes(path("p.bip"), projectHeader(8, 8, 0) + QByteArray(64, '\1'));
    QFile::setPermissions(locked,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    for (const QString& target : {locked + "/new.bip", locked + "/old.bip"}) {
        const CliResult r = run({"export", path("p.bip"), "-o", target});
        EXPECT_EQ(r.exitCode, 1) << target.toStdString();
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(),
                  ("tovik-images-cli: Cannot create file " + target + "\n").toStdString());
    }
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"old.bip"});
    EXPECT_EQ(fileBytes(locked + "/old.bip"), "old contents");
}

}  // namespace
}  // namespace tovik
