// Bad files given to the windows: each is refused with its message and leaves the
// picture the user had, or is taken in a bounded, predictable way.
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "badinputs.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "windowtest.h"

namespace {

using namespace tovik::testing;

// Bytes this process has read from files so far, as the kernel counts them.
qint64 bytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    qint64 value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

class RobustnessTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        // Open to every user, so that only each file's own permission decides.
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ExeOwner | QFile::ReadOther |
                                                 QFile::ExeOther);
        // Something to lose: a loaded picture, converted, painted on, in palette 2.
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(0xFFFF0000);
        tovik::writeFile(path("first.bmp"), tovik::encodeBmp24(picture));
        dialogs->answers = {path("first.bmp")};
        mainWindow()->menu.thresholdsImportAction->trigger();
        mainWindow()->colourGrid->selectColumn(1);
        mainWindow()->paintAt(Qt::LeftButton, 3 * mainWindow()->zoomX(), 2 * mainWindow()->zoomY());
        choosePalette(2);
        ASSERT_TRUE(dialogs->errors.empty());
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    struct Snapshot {
        int width, height, palette;
        tovik::PixelBuffer buffer;
        QImage working, loaded, source;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot snapshot() {
        return {doc().width(),         doc().height(),        doc().palette(),      doc().buffer(),
                doc().workingBitmap(), doc().fittedPicture(), doc().sourcePicture()};
    }

    // Runs the command for the reader with the file as the dialog's answer.
    void give(Reader reader, const QString& file) {
        dialogs->errors.clear();
        dialogs->messages.clear();
        dialogs->answers = {file};
        const AsOrdinaryUser ordinary;
        switch (reader) {
            case Reader::Picture:
                mainWindow()->menu.thresholdsImportAction->trigger();
                break;
            case Reader::Project:
                dialogs->questionAnswers = {Dialogs::Answer::No};  // the picture made above
                mainWindow()->menu.openProjectAction->trigger();
                break;
            case Reader::RawStrip:
                mainWindow()->menu.rawStripImportAction->trigger();
                break;
        }
    }

    QTemporaryDir folder;
};

TEST_F(RobustnessTest, EveryBadInputIsRefusedAndChangesNothing) {
    for (const BadInput& input : badInputs()) {
        const QString file = path(input.fileName);
        input.make(file);
        const Snapshot before = snapshot();
        give(input.reader, file);
        ASSERT_EQ(dialogs->errors.size(), 1u) << input.row;
        EXPECT_EQ(dialogs->errors[0].toStdString(), expectedMessage(input, file).toStdString())
            << input.row;
        EXPECT_TRUE(dialogs->messages.empty()) << input.row;
        Snapshot after = snapshot();
        if (input.reader == Reader::RawStrip) {
            // The raw import sets the strip's size before its dialog opens, whatever
            // follows; the pixels stay.
            EXPECT_EQ(after.width, 8) << input.row;
            after.width = before.width;
            after.height = before.height;
            after.working = before.working;
        }
        EXPECT_TRUE(after == before) << input.row;
        if (input.reader == Reader::Picture) {
            EXPECT_EQ(mainWindow()->heightEdit->maxValue(), 256) << input.row;
        }
    }
}

TEST_F(RobustnessTest, AHugeSizeInAProjectIsClampedToTheBuffer) {
    QByteArray pixels(70000, '\0');
    for (int i = 0; i < pixels.size(); ++i) {
        pixels[i] = char(i % 7 + 250 * (i % 2));  // bytes above 3 too
    }
    writeFileBytes(path("huge.bip"), projectHeader(2'000'000'000, 2'000'000'000, 5) + pixels);
    give(Reader::Project, path("huge.bip"));
    EXPECT_TRUE(dialogs->errors.empty());
    ASSERT_EQ(doc().width(), 320);
    ASSERT_EQ(doc().height(), 204);  // 65536 div 320
    EXPECT_EQ(doc().palette(), 5);
    for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
        const int expected = i < 320 * 204 ? (uchar(pixels[i]) & 3) : 0;
        ASSERT_EQ(doc().buffer().at(i), expected) << i;
    }
}

TEST_F(RobustnessTest, PixelBytesAboveThreeKeepTheirLowTwoBits) {
    const QByteArray pixels = QByteArray::fromHex("0004080c0105090d02060a0e03070bff");
    writeFileBytes(path("high.bip"), projectHeader(8, 2, 0) + pixels);
    give(Reader::Project, path("high.bip"));
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(bufferRows(2), (std::vector<std::string>{"00001111", "22223333"}));
}

TEST_F(RobustnessTest, HugeFilesAreReadOnlyAsFarAsThePictureHolds) {
    const struct {
        Reader reader;
        const char* name;
        QByteArray head;
        std::string firstRow;
    } cases[] = {
        {Reader::Project, "huge.bip", projectHeader(8, 8, 0) + QByteArray(8, '\3'), "33333333"},
        {Reader::RawStrip, "huge.raw", QByteArray("\xF0", 1), "22220000"},
    };
    for (const auto& c : cases) {
        sparse(c.head, kHugeFileBytes)(path(c.name));
        const qint64 before = bytesReadSoFar();
        give(c.reader, path(c.name));
        const qint64 read = bytesReadSoFar() - before;
        EXPECT_TRUE(dialogs->errors.empty()) << c.name;
        EXPECT_EQ(bufferRows(1)[0], c.firstRow) << c.name;
        EXPECT_LT(read, 1 << 20) << c.name;
    }
}

TEST_F(RobustnessTest, AnEmptyRawStripGivesAnEmptyPicture) {
    writeFileBytes(path("empty.raw"), "");
    give(Reader::RawStrip, path("empty.raw"));
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(doc().width(), 8);
    for (int i = 0; i < 8 * doc().height(); ++i) {
        ASSERT_EQ(doc().buffer().at(i), 0) << i;
    }
}

TEST_F(RobustnessTest, AnUnwritableDestinationKeepsTheOldFile) {
    const QString locked = path("locked");
    QDir().mkpath(locked);
    writeFileBytes(locked + "/old.bip", "old contents");
    QFile::setPermissions(locked,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    for (const QString& file : {locked + "/new.bip", locked + "/old.bip"}) {
        dialogs->errors.clear();
        dialogs->answers = {file};
        {
            const AsOrdinaryUser ordinary;
            mainWindow()->menu.saveProjectAction->trigger();
        }
        ASSERT_EQ(dialogs->errors.size(), 1u) << file.toStdString();
        EXPECT_EQ(dialogs->errors[0], "Cannot create file " + file);
    }
    EXPECT_EQ(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"old.bip"});
    QFile old(locked + "/old.bip");
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents");
}

TEST_F(RobustnessTest, AFullDiskKeepsTheOldFile) {
    writeFileBytes(path("old.bip"), "old contents");
    // No file may grow past 4 KiB; the 64 x 64 project takes 4,111 bytes.
    doc().setPictureSize(64, 64);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    dialogs->answers = {path("old.bip")};
    mainWindow()->menu.saveProjectAction->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot write file " + path("old.bip") + ": File too large");
    QFile old(path("old.bip"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old contents");
    EXPECT_EQ(QDir(folder.path()).entryList({"old.bip*"}, QDir::Files | QDir::Hidden),
              QStringList{"old.bip"});
}

}  // namespace
