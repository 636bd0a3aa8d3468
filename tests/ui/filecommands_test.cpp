// The file commands of the main menu: project, exports and the raw strip, driven through
// the real main window with the dialogs answered by the test.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QtEndian>

#include "machinefiles/fileinfo.h"
#include "machinefiles/uknc.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/render.h"
#include "ui/previewwindow.h"
#include "windowtest.h"

namespace {

using tovik::paletteColour;

class FileCommandTest : public WindowTest {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }

    static QByteArray read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray projectHeader(int w, int h, int p) {
        QByteArray bytes("PRJ");
        for (int v : {w, h, p}) {
            char le[4];
            qToLittleEndian<qint32>(v, le);
            bytes.append(le, 4);
        }
        return bytes;
    }

    static void paint(int colour, int x, int y) {
        mainWindow()->colourGrid->selectColumn(colour);
        mainWindow()->paintAt(Qt::LeftButton, x * mainWindow()->zoomX(), y * mainWindow()->zoomY());
    }

    // The picture as it stands, to compare before and after a refused command.
    struct Snapshot {
        int width, height, palette;
        tovik::PixelBuffer buffer;
        QImage working;
        bool operator==(const Snapshot&) const = default;
    };
    static Snapshot snapshot() {
        return {doc().width(), doc().height(), doc().palette(), doc().buffer(),
                doc().workingBitmap()};
    }

    QTemporaryDir folder;
};

TEST_F(FileCommandTest, EachCommandAsksItsOwnDialog) {
    struct Case {
        QAction* action;
        const char* dialog;
        const char* filter;
        const char* extension;
    };
    const Case cases[] = {
        {mainWindow()->menu.openProjectAction, "OpenDialog1", "*.bip|*.bip", "*.bip"},
        {mainWindow()->menu.saveProjectAction, "SaveDialog2", "*.bip|*.bip", "*.bip"},
        {mainWindow()->menu.binWithPaletteAction, "SaveDialog1", "Бинарный файл|*.bin", "*.bin"},
        {mainWindow()->menu.binWithHeaderAction, "SaveDialog1", "Бинарный файл|*.bin", "*.bin"},
        {mainWindow()->menu.dumpAction, "SaveDialog1", "Бинарный файл|*.bin", "*.bin"},
        {mainWindow()->menu.bmpExportAction, "SaveDialog3", "*.bmp|*.bmp", "*.bmp"},
        {mainWindow()->menu.ukncExportAction, "SaveDialog4", "MAC|*.MAC", "*.MAC"},
        {mainWindow()->menu.rawStripImportAction, "OpenDialog3", "Все файлы|*", "*"},
        {mainWindow()->menu.thresholdsImportAction, "OpenDialog2",
         "*.bmp, *.jpg, *.png, *.gif, *.tif, "
         "*.webp|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.webp",
         "*.jpg"},
    };
    for (const auto& c : cases) {
        dialogs->dialogsShown.clear();
        c.action->trigger();  // every dialog is cancelled
        ASSERT_EQ(dialogs->dialogsShown.size(), 1u) << c.dialog;
        EXPECT_EQ(dialogs->dialogsShown[0].name, c.dialog);
        EXPECT_EQ(dialogs->dialogsShown[0].filter, QString::fromUtf8(c.filter));
        EXPECT_EQ(dialogs->dialogsShown[0].defaultExt, c.extension);
    }
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST_F(FileCommandTest, SavingWritesHeaderAndPixels) {
    choosePalette(3);
    paint(2, 0, 0);
    paint(1, 63, 63);
    dialogs->answers = {path("a.bip")};
    mainWindow()->menu.saveProjectAction->trigger();
    const QByteArray file = read(path("a.bip"));
    ASSERT_EQ(file.size(), 4111);
    EXPECT_EQ(file.left(15).toHex(' '), "50 52 4a 40 00 00 00 40 00 00 00 03 00 00 00");
    EXPECT_EQ(file[15], 2);
    EXPECT_EQ(file[4110], 1);
    EXPECT_EQ(file.mid(15).count('\0'), 4094);
    EXPECT_TRUE(dialogs->messages.empty());  // saving is silent
    EXPECT_TRUE(dialogs->usesCurrentFolder());
}

TEST_F(FileCommandTest, SaveThenOpenRestoresThePictureButNotTheChosenColour) {
    doc().setPictureSize(72, 40);
    choosePalette(7);
    paint(2, 3, 4);
    paint(3, 71, 39);
    paint(1, 70, 0);
    const Snapshot saved = snapshot();
    dialogs->answers = {path("round.bip")};
    mainWindow()->menu.saveProjectAction->trigger();

    clearEntries();
    doc().setPictureSize(64, 64);
    choosePalette(0);
    mainWindow()->colourGrid->selectColumn(1);
    const QRgb swatch = mainWindow()->colourSwatch->brushColor();

    dialogs->answers = {path("round.bip")};
    dialogs->questionAnswers = {Dialogs::Answer::No};  // the changes since the save go
    mainWindow()->menu.openProjectAction->trigger();
    EXPECT_TRUE(snapshot() == saved);
    EXPECT_EQ(mainWindow()->selectedColour(), 1);
    EXPECT_EQ(mainWindow()->colourNumberLabel->text(), "1");
    EXPECT_EQ(mainWindow()->colourSwatch->brushColor(), swatch);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(mainWindow()->colourGrid->cellColour(c), paletteColour(7, c));
    }
    EXPECT_EQ(viewPixel(3 * 8 + 4, 4 * 8 + 4), paletteColour(7, 2));
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(FileCommandTest, RefusedOrMissingProjectsChangeNothing) {
    paint(3, 5, 5);
    choosePalette(2);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message;  // %1 is the file name
    };
    const QByteArray pixels(64 * 64, '\1');
    const Case cases[] = {
        {"nomagic.bip", "PRX" + projectHeader(64, 64, 0).mid(3) + pixels,
         "%1 is not a project file: it does not begin with PRJ. Choose a project that this program "
         "saved."},
        {"short.bip", projectHeader(64, 64, 0).left(14),
         "%1 is not a project file: its header is cut short (14 of 15 bytes). Choose a project "
         "that this program saved."},
        {"zerowidth.bip", projectHeader(0, 64, 0) + pixels,
         "Project file %1 has an invalid picture size 0 x 64. Choose a project that this program "
         "saved."},
        {"negativeheight.bip", projectHeader(64, -3, 0) + pixels,
         "Project file %1 has an invalid picture size 64 x -3. Choose a project that this program "
         "saved."},
        {"palette16.bip", projectHeader(64, 64, 16) + pixels,
         "Project file %1 has an invalid palette number 16 (0..15 allowed). Choose a project that "
         "this program saved."},
    };
    const Snapshot before = snapshot();
    for (const auto& c : cases) {
        write(path(c.name), c.bytes);
        dialogs->errors.clear();
        dialogs->answers = {path(c.name)};
        mainWindow()->menu.openProjectAction->trigger();
        ASSERT_EQ(dialogs->errors.size(), 1u) << c.name;
        EXPECT_EQ(dialogs->errors[0], QString::fromLatin1(c.message).arg(path(c.name)));
        EXPECT_TRUE(snapshot() == before) << c.name;
    }
    dialogs->errors.clear();
    dialogs->answers = {path("missing.bip")};
    mainWindow()->menu.openProjectAction->trigger();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot open file " + path("missing.bip"));
    // A cancelled dialog leaves the buffer too, not only the screen.
    mainWindow()->menu.openProjectAction->trigger();
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(FileCommandTest, OpeningClampsAndShearsAsTheHeaderSays) {
    // A 64 x 64 file whose width says 65: rows shift one pixel further each, and the last
    // 64 entries of the 65 x 64 picture have no bytes left, so they are black.
    QByteArray pixels(64 * 64, '\0');
    for (int y = 0; y < 64; ++y) {
        pixels[y * 64] = 3;  // a red left column in the file's own layout
    }
    write(path("w65.bip"), projectHeader(65, 64, 0) + pixels);
    dialogs->answers = {path("w65.bip")};
    mainWindow()->menu.openProjectAction->trigger();
    ASSERT_EQ(doc().width(), 65);
    ASSERT_EQ(doc().height(), 64);
    for (int y = 0; y < 10; ++y) {
        const int entry = 64 * y;  // read with stride 65: column 65 - y of row y - 1
        EXPECT_EQ(workingPixel(entry % 65, entry / 65), paletteColour(0, 3)) << y;
    }
    for (int i = 64 * 64; i < 65 * 64; ++i) {
        EXPECT_EQ(doc().buffer().at(i), 0) << i;
    }

    // Sizes outside the spin edits are clamped; a short pixel part leaves the rest black.
    write(path("big.bip"), projectHeader(1000, 3, 5) + QByteArray(10, '\2'));
    dialogs->answers = {path("big.bip")};
    mainWindow()->menu.openProjectAction->trigger();
    EXPECT_EQ(doc().width(), 320);
    EXPECT_EQ(doc().height(), 8);
    EXPECT_EQ(doc().palette(), 5);
    EXPECT_EQ(doc().buffer().at(9), 2);
    EXPECT_EQ(doc().buffer().at(10), 0);

    // Pixel bytes above 3 keep their low two bits.
    write(path("high.bip"), projectHeader(8, 8, 0) + QByteArray("\x07\xff\x04", 3));
    dialogs->answers = {path("high.bip")};
    mainWindow()->menu.openProjectAction->trigger();
    EXPECT_EQ(doc().buffer().at(0), 3);
    EXPECT_EQ(doc().buffer().at(1), 3);
    EXPECT_EQ(doc().buffer().at(2), 0);
}

TEST_F(FileCommandTest, ATallProjectComesInAtTheLoweredHeightMaximum) {
    QByteArray pixels(64 * 1000, '\0');
    pixels[64 * 255] = 1;  // last row that fits
    pixels[64 * 256] = 2;  // first row cut off
    write(path("tall.bip"), projectHeader(64, 1000, 0) + pixels);
    mainWindow()->menu.thresholdsImportAction->trigger();  // a picture import, cancelled: the
                                                           // height maximum becomes 256
    ASSERT_EQ(mainWindow()->heightEdit->maxValue(), 256);
    dialogs->answers = {path("tall.bip")};
    mainWindow()->menu.openProjectAction->trigger();
    EXPECT_EQ(doc().height(), 256);
    EXPECT_EQ(doc().buffer().at(64 * 255), 1);
    EXPECT_EQ(doc().buffer().at(64 * 256), 0);
}

TEST_F(FileCommandTest, PackedExportsWriteTheirLayoutsAndConfirm) {
    struct Case {
        QAction* action;
        int size;
        QByteArray start;
        tovik::ExportFormat format;
    };
    const Case cases[] = {
        {mainWindow()->menu.dumpAction, 1024, QByteArray(4, '\0'), tovik::ExportFormat::Dump},
        {mainWindow()->menu.binWithHeaderAction, 1028, QByteArray::fromHex("00400004"),
         tovik::ExportFormat::BinWithHeader},
        {mainWindow()->menu.binWithPaletteAction, 1040,
         QByteArray::fromHex("f03f0004df15000bb2ff010057000"
                             "0a0"),
         tovik::ExportFormat::BinWithPalette},
    };
    for (const auto& c : cases) {
        dialogs->messages.clear();
        const QString name = path(c.action->objectName() + ".bin");
        dialogs->answers = {name};
        c.action->trigger();
        const QByteArray file = read(name);
        EXPECT_EQ(file.size(), c.size) << name.toStdString();
        EXPECT_TRUE(file.startsWith(c.start)) << file.left(16).toHex(' ').toStdString();
        ASSERT_EQ(dialogs->messages.size(), 1u);
        EXPECT_EQ(dialogs->messages[0].first, "Экспорт");
        EXPECT_EQ(dialogs->messages[0].second,
                  "          Успешно!\n" + tovik::describeExport(c.format, c.size, 64, 64, 0));
    }
    // The bottom-right pixels land in the last byte: indices 1, 2, 3, 0 pack to 0x39.
    paint(1, 60, 63);
    paint(2, 61, 63);
    paint(3, 62, 63);
    dialogs->answers = {path("last.bin")};
    mainWindow()->menu.dumpAction->trigger();
    EXPECT_EQ(static_cast<uint8_t>(read(path("last.bin")).back()), 0x39);
}

TEST_F(FileCommandTest, AFailedExportSaysSoAndKeepsTheOldFile) {
    write(path("keep.bin"), "old contents");
    const QString folderName = path("sub");
    QDir().mkpath(folderName);
    for (QAction* action :
         {mainWindow()->menu.binWithPaletteAction, mainWindow()->menu.binWithHeaderAction,
          mainWindow()->menu.dumpAction, mainWindow()->menu.bmpExportAction,
          mainWindow()->menu.ukncExportAction, mainWindow()->menu.saveProjectAction}) {
        dialogs->errors.clear();
        dialogs->messages.clear();
        dialogs->answers = {folderName};  // a name that is a folder cannot be created
        action->trigger();
        ASSERT_EQ(dialogs->errors.size(), 1u) << action->objectName().toStdString();
        EXPECT_EQ(dialogs->errors[0], "Cannot create file " + folderName);
        EXPECT_TRUE(dialogs->messages.empty());
        dialogs->answers = {path("nofolder/x.bin")};
        action->trigger();
        EXPECT_EQ(dialogs->errors.size(), 2u);
    }
    EXPECT_EQ(read(path("keep.bin")), "old contents");
}

TEST_F(FileCommandTest, BitmapExportShowsTheColoursOfThePaletteNowShown) {
    paint(1, 0, 0);
    paint(3, 63, 63);
    for (int palette : {0, 9}) {
        choosePalette(palette);
        const QString name = path(QStringLiteral("p%1.bmp").arg(palette));
        dialogs->answers = {name};
        mainWindow()->menu.bmpExportAction->trigger();
        const QByteArray file = read(name);
        ASSERT_EQ(file.size(), 54 + 64 * 64 * 3);
        EXPECT_EQ(file[28], 24);  // bits per pixel
        QImage image;
        ASSERT_TRUE(image.loadFromData(file, "BMP"));
        EXPECT_EQ(image.size(), QSize(64, 64));
        EXPECT_EQ(image.pixel(0, 0), paletteColour(palette, 1));
        EXPECT_EQ(image.pixel(63, 63), paletteColour(palette, 3));
        EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);
        ASSERT_FALSE(dialogs->messages.empty());
        EXPECT_EQ(dialogs->messages.back().second,
                  "          Успешно!\n" + tovik::describeExport(tovik::ExportFormat::Bmp24,
                                                                 file.size(), 64, 64, palette));
    }
}

TEST_F(FileCommandTest, UkncSourceIsWrittenFromTheBuffer) {
    paint(3, 0, 0);
    paint(1, 9, 2);
    dialogs->answers = {path("pic.MAC")};
    mainWindow()->menu.ukncExportAction->trigger();
    const QByteArray file = read(path("pic.MAC"));
    EXPECT_EQ(file, tovik::makeUkncSource(doc().buffer(), 64, 64));
    EXPECT_TRUE(file.startsWith(".BYTE  10, 100\r\n.BYTE  1, 1, "));
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_EQ(dialogs->messages[0].second,
              "          Успешно!\n" +
                  tovik::describeExport(tovik::ExportFormat::UkncSource, file.size(), 64, 64, 0));
    EXPECT_TRUE(dialogs->usesCurrentFolder());
}

TEST_F(FileCommandTest, RawStripImport) {
    write(path("strip.raw"), QByteArray("\x80", 1) + QByteArray(1023, '\0'));
    dialogs->answers = {path("strip.raw")};
    mainWindow()->menu.rawStripImportAction->trigger();
    EXPECT_EQ(doc().width(), 8);
    EXPECT_EQ(doc().height(), 1024);
    EXPECT_EQ(doc().buffer().at(0), 2);
    for (int i = 1; i < 8 * 1024; ++i) {
        ASSERT_EQ(doc().buffer().at(i), 0) << i;
    }
    EXPECT_EQ(workingPixel(0, 0), paletteColour(0, 2));

    // A short file: the rows past its end are 0, not copies of its last byte.
    write(path("three.raw"), QByteArray("\xa5\x01\xff", 3));
    dialogs->answers = {path("three.raw")};
    mainWindow()->menu.rawStripImportAction->trigger();
    const int row0[] = {2, 0, 2, 0, 0, 2, 0, 2};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(doc().buffer().at(k), row0[k]) << k;
        EXPECT_EQ(doc().buffer().at(16 + k), 2) << k;
        EXPECT_EQ(doc().buffer().at(24 + k), 0) << k;
    }
    EXPECT_EQ(doc().buffer().at(15), 2);
}

TEST_F(FileCommandTest, RawStripSizeIsSetEvenWhenTheDialogIsCancelled) {
    paint(3, 8, 0);  // entry 8 of the 64-wide picture: row 1 of an 8-wide one
    mainWindow()->menu.rawStripImportAction->trigger();
    EXPECT_EQ(doc().width(), 8);
    EXPECT_EQ(doc().height(), 1024);
    EXPECT_EQ(workingPixel(0, 1), paletteColour(0, 3));

    // After a picture import lowered the height maximum, the strip is 256 rows.
    mainWindow()->menu.thresholdsImportAction->trigger();
    write(path("long.raw"), QByteArray(1024, '\xff'));
    dialogs->answers = {path("long.raw")};
    mainWindow()->menu.rawStripImportAction->trigger();
    EXPECT_EQ(doc().height(), 256);
    EXPECT_EQ(doc().buffer().at(8 * 256 - 1), 2);
}

TEST_F(FileCommandTest, RawStripThatCannotBeOpenedLeavesTheBuffer) {
    paint(1, 0, 0);
    const tovik::PixelBuffer before = doc().buffer();
    dialogs->answers = {path("missing.raw")};
    mainWindow()->menu.rawStripImportAction->trigger();
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot open file " + path("missing.raw"));
    EXPECT_TRUE(doc().buffer() == before);
}

}  // namespace
