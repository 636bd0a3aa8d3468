// The picture import commands of the main menu: loading and fitting, and the steps each
// command takes around its conversion, driven through the real windows.
#include <QImage>
#include <QTemporaryDir>

#include "convert/chunks.h"
#include "load/jpeg_test_helpers.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "ui/chunksettingswindow.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/previewwindow.h"
#include "ui/thresholdswindow.h"
#include "windowtest.h"

namespace {

using tovik::paletteColour;

constexpr QRgb kMagenta = 0xFFFF00FF, kCyan = 0xFF00FFFF, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000,
               kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

class ImportCommandTest : public WindowTest {
protected:
    // Writes a BMP picture made of vertical stripes of the given colours.
    QString stripes(const QString& name, int w, int h, std::vector<QRgb> colours) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                image.setPixel(x, y, colours[static_cast<size_t>(x) % colours.size()]);
            }
        }
        const QString file = folder.filePath(name);
        tovik::writeFile(file, tovik::encodeBmp24(image));
        return file;
    }

    QString uniform(const QString& name, int w, int h, QRgb colour) {
        return stripes(name, w, h, {colour});
    }

    static int entry(int x, int y) { return doc().buffer().at(x + y * doc().width()); }

    QTemporaryDir folder;
};

TEST_F(ImportCommandTest, LoadingFitsThePictureAndSetsTheSize) {
    struct Case {
        int w, h;
        int fittedW, fittedH;
        int heightMax;
    };
    const Case cases[] = {
        {300, 300, 256, 256, 256}, {640, 480, 256, 192, 256}, {480, 640, 192, 256, 256},
        {256, 256, 256, 256, 256}, {100, 300, 100, 300, 300}, {200, 1000, 200, 327, 327},
        {255, 300, 255, 257, 257}, {5, 5, 5, 5, 256},         {3, 9000, 3, 8192, 8192},
        {1000, 1, 256, 1, 256},    {1, 1000, 1, 1000, 1000},
    };
    for (const auto& c : cases) {
        dialogs->answers = {
            uniform(QStringLiteral("p%1x%2.bmp").arg(c.w).arg(c.h), c.w, c.h, kWhite)};
        app().imports().loadSourcePicture();
        const QString label = QStringLiteral("%1 x %2").arg(c.w).arg(c.h);
        ASSERT_TRUE(dialogs->errors.empty()) << dialogs->errors[0].toStdString();
        EXPECT_EQ(doc().state().loadedSize, QSize(c.w, c.h)) << label.toStdString();
        EXPECT_EQ(doc().sourcePicture().size(), QSize(c.fittedW, c.fittedH)) << label.toStdString();
        EXPECT_EQ(mainWindow()->heightEdit->maxValue(), c.heightMax) << label.toStdString();
        // The spin edits hold the fitted size, raised to 8 and kept within the buffer.
        const int w = std::max(c.fittedW, 8);
        const int h = std::min(std::max(c.fittedH, 8), 65536 / w);
        EXPECT_EQ(doc().width(), w) << label.toStdString();
        EXPECT_EQ(doc().height(), h) << label.toStdString();
        EXPECT_LE(doc().width() * doc().height(), 65536);
        EXPECT_EQ(doc().workingBitmap().size(), QSize(w, h));
        EXPECT_EQ(mainWindow()->view->image()->size(),
                  QSize(w * doc().viewScale(), h * doc().viewScale()));
    }
}

TEST_F(ImportCommandTest, AFileThatCannotBeReadChangesNothingButTheHeightMaximum) {
    dialogs->answers = {uniform("first.bmp", 20, 10, kRed)};
    mainWindow()->menu.thresholdsImportAction->trigger();
    const QImage loaded = doc().fittedPicture(), source = doc().sourcePicture();
    const tovik::PixelBuffer buffer = doc().buffer();
    const QString jpe = folder.filePath("picture.jpe");
    tovik::writeFile(jpe, "not a picture");
    QFile(folder.filePath("broken.bmp")).open(QIODevice::WriteOnly);
    struct Case {
        QString file;
        QString message;
    };
    const Case cases[] = {
        {jpe, jpe + " is not a picture that the program reads. Choose a JPEG, PNG, GIF, BMP, TIFF "
                    "or WebP picture."},
        {folder.filePath("broken.bmp"),
         QString::fromStdString(tovik::testing::damagedPicture(folder.filePath("broken.bmp"),
                                                               "Bitmap image is not valid"))},
        {folder.filePath("missing.bmp"), "Cannot open file " + folder.filePath("missing.bmp")},
    };
    for (const auto& c : cases) {
        mainWindow()->heightEdit->setMaxValue(1024);
        dialogs->errors.clear();
        dialogs->answers = {c.file};
        mainWindow()->menu.thresholdsImportAction->trigger();
        ASSERT_EQ(dialogs->errors.size(), 1u) << c.file.toStdString();
        EXPECT_EQ(dialogs->errors[0], c.message);
        EXPECT_EQ(doc().fittedPicture(), loaded);
        EXPECT_EQ(doc().sourcePicture(), source);
        EXPECT_TRUE(doc().buffer() == buffer);
        EXPECT_EQ(doc().width(), 20);
        EXPECT_EQ(doc().height(), 10);
        EXPECT_EQ(mainWindow()->heightEdit->maxValue(), 256);
    }
}

TEST_F(ImportCommandTest, ThresholdsCommandConvertsAndLaysOutItsWindows) {
    // Columns of white, black, red, green and blue under the default thresholds.
    dialogs->answers = {stripes("colours.bmp", 10, 4, {kWhite, kBlack, kRed, kGreen, kBlue})};
    mainWindow()->menu.thresholdsImportAction->trigger();
    ASSERT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(doc().width(), 10);
    EXPECT_EQ(doc().height(), 8);
    // White: 2 3 / 1 2 by phase; black 0; red 3; green 2; blue 1.
    const int expectedRow0[] = {2, 0, 3, 2, 1, 3, 0, 3, 2, 1};
    const int expectedRow1[] = {1, 0, 3, 2, 1, 2, 0, 3, 2, 1};
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(entry(x, 0), expectedRow0[x]) << x;
        EXPECT_EQ(entry(x, 1), expectedRow1[x]) << x;
        EXPECT_EQ(entry(x, 5), 0) << x;  // below the 10 x 4 picture: cleared
    }
    EXPECT_TRUE(thresholdsWindow()->isVisible());
    EXPECT_TRUE(preview()->isVisible());
    EXPECT_EQ(thresholdsWindow()->x(), 10);
    EXPECT_TRUE(mainWindow()->previewBox->isChecked());
    EXPECT_FALSE(mainWindow()->magnifyBox->isChecked());
    EXPECT_EQ(doc().viewScale(), 4);
    EXPECT_EQ(preview()->y(), thresholdsWindow()->y());
    EXPECT_EQ(preview()->x(), thresholdsWindow()->frameGeometry().width() + 20);
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(40, 32));
    EXPECT_EQ(preview()->image->size(), QSize(20, 16));
    EXPECT_EQ(workingPixel(2, 0), paletteColour(0, 3));
    EXPECT_EQ(preview()->image->bitmap().pixel(5, 1), paletteColour(0, 3));
}

TEST_F(ImportCommandTest, ConversionsBeforeAnyLoadChangeNothing) {
    mainWindow()->colourGrid->selectColumn(2);
    mainWindow()->paintAt(Qt::LeftButton, 20, 20);
    const tovik::PixelBuffer before = doc().buffer();
    for (QAction* command :
         {mainWindow()->menu.thresholdsImportAction, mainWindow()->menu.floydSteinbergImportAction,
          mainWindow()->menu.cgaImportAction, mainWindow()->menu.chunkImportAction}) {
        command->trigger();  // the file dialog is cancelled
        EXPECT_TRUE(dialogs->errors.empty()) << command->objectName().toStdString();
        EXPECT_TRUE(doc().buffer() == before) << command->objectName().toStdString();
        EXPECT_TRUE(doc().sourcePicture().isNull());
    }
    EXPECT_EQ(mainWindow()->heightEdit->maxValue(), 256);
}

TEST_F(ImportCommandTest, SmallPictureFillsOnlyItsCornerOfTheMinimumSize) {
    setEntry(7 + 7 * 8, 3);
    dialogs->answers = {uniform("five.bmp", 5, 5, kRed)};
    mainWindow()->menu.thresholdsImportAction->trigger();
    ASSERT_EQ(doc().width(), 8);
    ASSERT_EQ(doc().height(), 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(entry(x, y), x < 5 && y < 5 ? 3 : 0) << x << "," << y;
        }
    }
}

TEST_F(ImportCommandTest, CancelledLoadConvertsThePictureAlreadyThere) {
    dialogs->answers = {uniform("red.bmp", 12, 9, kRed)};
    mainWindow()->menu.thresholdsImportAction->trigger();
    clearEntries();
    mainWindow()
        ->menu.thresholdsImportAction->trigger();  // cancelled: the same picture is converted again
    EXPECT_EQ(entry(0, 0), 3);
    EXPECT_EQ(entry(11, 8), 3);
}

TEST_F(ImportCommandTest, FloydSteinbergCommandShowsItsWindowWithoutConverting) {
    setEntry(0, 1);
    dialogs->answers = {uniform("grey.bmp", 16, 12, qRgb(200, 200, 200))};
    mainWindow()->menu.floydSteinbergImportAction->trigger();
    EXPECT_TRUE(fsWindow()->isVisible());
    EXPECT_FALSE(mainWindow()->magnifyBox->isChecked());
    EXPECT_EQ(doc().viewScale(), 4);
    EXPECT_EQ(doc().width(), 16);
    EXPECT_EQ(doc().height(), 12);
    EXPECT_EQ(doc().buffer().at(0), 1);  // not converted until "Просмотр"
    EXPECT_EQ(workingPixel(0, 0), paletteColour(0, 1));
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(64, 48));
}

TEST_F(ImportCommandTest, CgaCommandSelectsPaletteFourAndKeepsUnmatchedPixels) {
    doc().setPictureSize(8, 8);
    mainWindow()->colourGrid->selectColumn(1);
    for (int x = 0; x < 8; ++x) {
        mainWindow()->paintAt(Qt::LeftButton, x * mainWindow()->zoomX(), 0);
    }
    dialogs->answers = {
        stripes("cga.bmp", 6, 3, {kBlack, kMagenta, kCyan, kWhite, kRed, qRgb(150, 89, 151)})};
    mainWindow()->menu.cgaImportAction->trigger();
    EXPECT_EQ(doc().palette(), 4);
    const int row0[] = {0, 1, 2, 3, 1, 1, 1, 1};  // red and the near-magenta keep their 1
    const int row1[] = {0, 1, 2, 3, 0, 0, 0, 0};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(entry(x, 0), row0[x]) << x;
        EXPECT_EQ(entry(x, 1), row1[x]) << x;
    }
    EXPECT_EQ(workingPixel(1, 1), kMagenta);
    EXPECT_EQ(workingPixel(2, 1), kCyan);
    EXPECT_EQ(workingPixel(3, 1), kWhite);

    // A cancelled dialog still switches to palette 4 and converts the old picture again.
    choosePalette(0);
    setEntry(1 + 8, 0);
    mainWindow()->menu.cgaImportAction->trigger();
    EXPECT_EQ(doc().palette(), 4);
    EXPECT_EQ(entry(1, 1), 1);
}

TEST_F(ImportCommandTest, ChunkCommandConvertsEnablesItsItemAndShowsItsWindow) {
    dialogs->answers = {uniform("red.bmp", 8, 6, kRed)};
    mainWindow()->menu.chunkImportAction->trigger();
    ASSERT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(mainWindow()->menu.chunkSettingsAction->isEnabled());
    EXPECT_TRUE(chunkWindow()->isVisible());
    EXPECT_TRUE(mainWindow()->previewBox->isChecked());
    EXPECT_TRUE(preview()->isVisible());
    EXPECT_FALSE(mainWindow()->magnifyBox->isChecked());
    EXPECT_EQ(doc().viewScale(), 4);
    // Pure red is pattern 2, all indices 3, in every chunk but (0, 0), whose colour is
    // half of red (the register starts black).
    for (int y = 0; y < 6; ++y) {
        for (int x = 2; x < 8; ++x) {
            EXPECT_EQ(entry(x, y), 3) << x << "," << y;
        }
    }
    EXPECT_EQ(doc().chunkReferences(), tovik::kChunkStartReferences);
}

}  // namespace
