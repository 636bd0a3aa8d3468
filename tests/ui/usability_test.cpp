// What a new user runs into: dialogs and boxes that show their whole text, a preview that
// keeps to the screen, colour cells that follow the palette, the status bar, Qt's own
// texts in Russian, and pictures brought in by dropping or pasting them.
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>

#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/projectfile.h"
#include "windowtest.h"

namespace {

using tovik::paletteColour;

class UsabilityTest : public WindowTest {
protected:
    QString picture(const QString& name, int w, int h, QRgb colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = folder.filePath(name);
        tovik::writeFile(file, tovik::encodeBmp24(image));
        return file;
    }

    static void expectCellsShow(int palette) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(mainWindow()->colourGrid->cellColour(c), paletteColour(palette, c)) << c;
        }
    }

    static void drop(const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint at = mainWindow()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(mainWindow(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(mainWindow(), &dropped);
    }

    QTemporaryDir folder;
};

TEST_F(UsabilityTest, TheColourCellsFollowEveryChangeOfPalette) {
    const QString cga = picture("cga.bmp", 16, 16, qRgb(255, 0, 255));
    const QString project = folder.filePath("p.bip");
    tovik::writeFile(project, tovik::encodeProject(tovik::PixelBuffer(), 8, 8, 11));
    choosePalette(2);
    expectCellsShow(2);
    dialogs->answers = {cga};
    mainWindow()->menu.cgaImportAction->trigger();
    expectCellsShow(4);
    dialogs->answers = {project};
    dialogs->questionAnswers = {Dialogs::Answer::No};
    mainWindow()->menu.openProjectAction->trigger();
    expectCellsShow(11);
    mainWindow()->menu.undoAction->trigger();
    expectCellsShow(4);
    mainWindow()->menu.undoAction->trigger();
    expectCellsShow(2);
}

TEST_F(UsabilityTest, ThePreviewNeverExceedsTheScreen) {
    const QRect available = preview()->screen()->availableGeometry();
    mainWindow()->previewBox->setChecked(true);
    struct Case {
        int w, h;
    };
    for (const Case c : {Case{320, 200}, Case{256, 256}, Case{8, 1024}, Case{64, 64}}) {
        doc().setPictureSize(c.w, c.h);
        doc().setViewScale(8);
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        EXPECT_EQ(preview()->image->size(), QSize(c.w * 4, c.h * 4));
        EXPECT_LE(preview()->frameGeometry().width(), available.width());
        EXPECT_LE(preview()->frameGeometry().height(), available.height());
        EXPECT_TRUE(available.contains(preview()->frameGeometry()));
        if (c.w * 4 <= available.width() - 40 && c.h * 4 <= available.height() - 60) {
            EXPECT_EQ(preview()->size(), preview()->image->size());
        }
    }
}

TEST_F(UsabilityTest, TheAboutWindowShowsEveryLineWhole) {
    const QRect inside = about()->rect();
    for (const QLabel* label : about()->findChildren<QLabel*>()) {
        EXPECT_TRUE(inside.contains(label->geometry())) << label->objectName().toStdString();
    }
}

TEST_F(UsabilityTest, AMessageBoxIsWideEnoughForItsCaption) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Экспорт"),
                    QStringLiteral("          Успешно!"), QMessageBox::Ok);
    QtDialogs::fitCaption(box);
    box.show();
    QFont bold = box.font();
    bold.setBold(true);
    EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 120);
}

TEST_F(UsabilityTest, QtsOwnButtonsSpeakRussian) {
    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Отмена");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "Сохранить");
}

TEST_F(UsabilityTest, TheStatusBarSaysWhereWhatAndWhy) {
    mainWindow()->colourGrid->selectColumn(2);
    mainWindow()->paintAt(Qt::LeftButton, 8 * 5 + 3, 8 * 7 + 3);
    QTest::mouseMove(mainWindow()->view->image(), QPoint(8 * 5 + 1, 8 * 7 + 6));
    EXPECT_EQ(mainWindow()->positionLabel->text(), "x 5, y 7: цвет 2");
    EXPECT_EQ(mainWindow()->sizeLabel->text(), "64 × 64");
    choosePalette(9);
    EXPECT_EQ(mainWindow()->paletteLabel->text(), "палитра 9");

    doc().setPictureSize(320, 204);
    mainWindow()->heightEdit->stepBy(1);
    EXPECT_EQ(doc().height(), 204);
    EXPECT_EQ(mainWindow()->statusLine->currentMessage(), "W · H не больше 65536");
    EXPECT_EQ(mainWindow()->sizeLabel->text(), "320 × 204");
}

TEST_F(UsabilityTest, DropsAndPasteImportWithTheLastImportCommand) {
    const QString red = picture("red.bmp", 20, 10, qRgb(255, 0, 0));
    const QString green = folder.filePath("green.png");
    QImage greenPicture(30, 12, QImage::Format_RGB32);
    greenPicture.fill(qRgb(0, 255, 0));
    ASSERT_TRUE(greenPicture.save(green, "png"));
    const QString project = folder.filePath("p.bip");
    tovik::writeFile(project, tovik::encodeProject(tovik::PixelBuffer(), 16, 16, 7));
    const QUndoStack* stack = doc().undoStack();

    drop(red);  // thresholds at start: pure red is index 3
    EXPECT_EQ(doc().width(), 20);
    EXPECT_EQ(doc().buffer().at(0), 3);
    EXPECT_EQ(stack->undoText(), "Пороги");

    dialogs->answers = {red};
    mainWindow()->menu.cgaImportAction->trigger();
    drop(green);  // now CGA_BWCM, which leaves pure green alone
    EXPECT_EQ(stack->undoText(), "CGA_BWCM");
    EXPECT_EQ(doc().width(), 30);
    EXPECT_EQ(stack->index(), 3);

    dialogs->questionAnswers = {Dialogs::Answer::No};
    drop(project);
    EXPECT_EQ(stack->undoText(), "открытие проекта");
    EXPECT_EQ(doc().palette(), 7);
    EXPECT_EQ(mainWindow()->windowTitle(), "p.bip — Tovik Images");

    QImage pasted(40, 8, QImage::Format_ARGB32);
    pasted.fill(qRgba(255, 255, 255, 0));  // transparent: composed over black
    QGuiApplication::clipboard()->setImage(pasted);
    mainWindow()->menu.pasteAction->trigger();
    EXPECT_EQ(stack->undoText(), "CGA_BWCM");
    EXPECT_EQ(doc().width(), 40);
    EXPECT_EQ(doc().fittedPicture().pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_TRUE(dialogs->asked.size() == 1u);  // only the CGA_BWCM command's own dialog
    EXPECT_TRUE(dialogs->errors.empty());
}

}  // namespace
