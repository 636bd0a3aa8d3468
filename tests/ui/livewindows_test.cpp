// The tool windows that answer at once ("Сразу"), the "Палитра" window, before and after,
// and the numbers beside the track bars.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "convert/palettediffusion.h"
#include "ui/liveconverter.h"
#include "ui/palettewindow.h"
#include "windowtest.h"

namespace {

QImage gradient(int w, int h) {
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
        }
    }
    return picture;
}

// Lets the live conversion that is due run, and a frame pass.
void nextFrame() {
    QTest::qWait(LiveConverter::kFrameMs + 10);
}

TEST_F(WindowTest, ABurstOfChangesConvertsOnceWithTheLastValuesAsOneStep) {
    givePicture(gradient(40, 30));
    ThresholdsWindow* window = thresholdsWindow();
    window->liveBox->setChecked(true);
    QUndoStack* stack = doc().undoStack();
    const int start = stack->index();
    int conversions = 0;
    QObject::connect(&doc(), &tovik::PictureDocument::pictureChanged, [&] { ++conversions; });

    window->thresholdBars[3]->setValue(10);  // one burst: three changes before any event
    window->thresholdBars[5]->setValue(200);
    window->thresholdBars[7]->setValue(0);
    nextFrame();
    EXPECT_EQ(conversions, 1);
    EXPECT_EQ(stack->index(), start + 1);
    EXPECT_EQ(stack->undoText(), "Пороги");
    const tovik::PixelBuffer afterBurst = doc().buffer();
    doc().convert(window->settings());  // what the last values give
    EXPECT_TRUE(doc().buffer() == afterBurst);
    doc().undoStack()->undo();

    // The rest of the drag joins the same step; letting go ends it.
    for (int value : {20, 30, 40}) {
        window->thresholdBars[3]->setValue(value);
        nextFrame();
    }
    EXPECT_EQ(stack->index(), start + 1);
    emit window->adjustmentFinished();
    window->thresholdBars[3]->setValue(50);
    nextFrame();
    EXPECT_EQ(stack->index(), start + 2);
    stack->undo();
    stack->undo();
    EXPECT_EQ(stack->index(), start);

    // Without "Сразу" a change converts nothing, as the window always did.
    window->liveBox->setChecked(false);
    conversions = 0;
    window->thresholdBars[3]->setValue(60);
    nextFrame();
    EXPECT_EQ(conversions, 0);
}

TEST_F(WindowTest, LiveFloydSteinbergStartsFromTheFittedPictureEachTime) {
    givePicture(gradient(40, 30));
    FloydSteinbergWindow* window = fsWindow();
    window->liveBox->setChecked(true);
    window->thresholdBar->setValue(90);
    nextFrame();
    const tovik::PixelBuffer first = doc().buffer();
    window->thresholdBar->setValue(91);
    nextFrame();
    window->thresholdBar->setValue(90);
    nextFrame();
    EXPECT_TRUE(doc().buffer() == first);
}

TEST_F(WindowTest, ThePaletteWindowDithersToTheChosenPalette) {
    QTemporaryDir folder;
    const QString file = folder.filePath("g.png");
    ASSERT_TRUE(gradient(48, 32).save(file, "png"));
    dialogs->answers = {file};
    mainWindow()->menu.paletteImportAction->trigger();
    PaletteWindow* window = &app().paletteWindow();
    ASSERT_TRUE(window->isVisible());
    EXPECT_TRUE(window->liveBox->isChecked());
    const auto expected = [&](int palette) {
        tovik::PixelBuffer buffer;
        QImage source = doc().fittedPicture();
        tovik::convertPicture(window->settings(), doc().fittedPicture(), source, palette, 48,
                              buffer);
        return buffer;
    };
    EXPECT_TRUE(doc().buffer() == expected(0));

    choosePalette(9);  // the list: the picture is dithered again to palette 9, one step
    EXPECT_TRUE(doc().buffer() == expected(9));
    EXPECT_EQ(doc().undoStack()->undoText(), "палитра");

    window->kernelBox->setCurrentIndex(7);  // Atkinson, live
    nextFrame();
    EXPECT_EQ(std::get<tovik::DiffusionSettings>(window->settings()).kernel,
              tovik::DiffusionKernel::Atkinson);
    EXPECT_TRUE(doc().buffer() == expected(9));
    window->strengthBox->setValue(40);  // typed into the spin box beside the bar
    EXPECT_EQ(window->strengthBar->value(), 40);
    window->methodBox->setCurrentIndex(1);
    window->matrixBox->setCurrentIndex(2);
    nextFrame();
    EXPECT_TRUE(std::holds_alternative<tovik::OrderedSettings>(window->settings()));
    EXPECT_TRUE(doc().buffer() == expected(9));
    EXPECT_FALSE(window->kernelBox->isEnabled());
}

TEST_F(WindowTest, TheSourceButtonShowsTheFittedPictureWhileHeld) {
    QImage picture(6, 6, QImage::Format_RGB32);  // in an 8 x 8 picture
    picture.fill(qRgb(10, 200, 30));
    givePicture(picture);
    doc().convert(thresholdsWindow()->settings());
    const QRgb result = viewPixel(12, 12);
    ASSERT_NE(result, qRgb(10, 200, 30));
    QTest::mousePress(mainWindow()->sourceButton, Qt::LeftButton);
    EXPECT_EQ(viewPixel(12, 12), qRgb(10, 200, 30));
    EXPECT_EQ(viewPixel(7 * doc().viewScale() + 3, 12), qRgb(0, 0, 0)) << "outside the picture";
    QTest::mouseRelease(mainWindow()->sourceButton, Qt::LeftButton);
    EXPECT_EQ(viewPixel(12, 12), result);
}

TEST_F(WindowTest, EveryTrackBarHasANumberThatCanBeTyped) {
    for (int i = 1; i <= 9; ++i) {
        QSpinBox* box = thresholdsWindow()->valueBoxes[i];
        EXPECT_EQ(box->value(), thresholdsWindow()->thresholdBars[i]->value());
        box->setValue(i * 11);
        EXPECT_EQ(thresholdsWindow()->thresholdBars[i]->value(), i * 11);
        EXPECT_EQ(thresholdsWindow()->valueLabels[i]->text(), QString::number(i * 11));
    }
    fsWindow()->thresholdBar->setValue(17);
    EXPECT_EQ(fsWindow()->thresholdBox->value(), 17);
}

}  // namespace
