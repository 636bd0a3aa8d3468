// Every window works on the picture on screen: the palette list's one rule, a source that
// follows an opened project, rankings applied only where they were made, the controls
// that undo brings back, the program's keys from every window, and W steps merged.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

#include "convert/preset.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/projectfile.h"
#include "ui/liveconverter.h"
#include "ui/paletterankingwindow.h"
#include "ui/palettewindow.h"
#include "windowtest.h"

namespace {

QImage landscape(int w, int h) {
    QImage picture(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture.setPixel(x, y, qRgb(x * 255 / w, 255 - y * 255 / h, (x * y) % 256));
        }
    }
    return picture;
}

void nextFrame() {
    QTest::qWait(LiveConverter::kFrameMs + 10);
}

// The buffer the method makes of the picture in the palette, at the width.
tovik::PixelBuffer converted(const tovik::MethodSettings& settings, const QImage& picture,
                             int palette, int width) {
    tovik::PixelBuffer buffer;
    QImage source = picture;
    tovik::convertPicture(settings, picture, source, palette, width, buffer);
    return buffer;
}

// A ranking thumbnail shows every picture pixel as one whole square in its palette's
// colour: the dither stays sharp at any picture size.
TEST(RankingThumbnails, EveryPixelIsOneWholeSquare) {
    struct Case {
        int width, height;
        QSize expected;
    };
    const Case cases[] = {
        {256, 256, {256, 256}},  // 1:1
        {320, 200, {320, 200}},  // 1:1, wider than tall
        {40, 30, {80, 60}},      // x2
        {30, 8, {90, 24}},       // x3
        {8, 8, {96, 96}},        // x12
        {64, 1024, {64, 1024}},  // the tallest picture, 1:1
    };
    tovik::PixelBuffer buffer;
    for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
        buffer.set(i, (i * 7 + i / 5) % 4);
    }
    for (const Case& c : cases) {
        const QImage thumbnail = thumbnailImage(buffer, c.width, c.height, 9);
        ASSERT_EQ(thumbnail.size(), c.expected) << c.width << "x" << c.height;
        const int scale = c.expected.width() / c.width;
        int wrong = 0;
        for (int y = 0; y < thumbnail.height(); ++y) {
            for (int x = 0; x < thumbnail.width(); ++x) {
                const int index = x / scale + y / scale * c.width;
                wrong += thumbnail.pixel(x, y) != tovik::paletteColour(9, buffer.at(index));
            }
        }
        EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;
    }
}

class CoherenceTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        picture = folder.filePath("photo.png");
        ASSERT_TRUE(landscape(48, 32).save(picture, "png"));
        // A 16 x 8 project in palette 3, unlike the photograph in size and content.
        tovik::PixelBuffer pixels;
        for (int i = 0; i < 16 * 8; ++i) {
            pixels.set(i, (i / 3) % 4);
        }
        project = folder.filePath("landscape.bip");
        tovik::writeFile(project, tovik::encodeProject(pixels, 16, 8, 3));
    }
    void importBy(QAction* action) {
        dialogs->answers = {picture};
        action->trigger();
    }
    void openProject() {
        dialogs->answers = {project};
        dialogs->questionAnswers = {Dialogs::Answer::No};  // the import is not kept
        mainWindow()->menu.openProjectAction->trigger();
    }
    PaletteRankingWindow& ranking() { return app().paletteRanking(); }
    void waitForRanking() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ranking().isRanking(); }, 20000));
        QCoreApplication::processEvents();
    }
    QString note() const { return mainWindow()->statusLine->currentMessage(); }

    QTemporaryDir folder;
    QString picture;
    QString project;
};

// The list converts again only the untouched result of a palette method, whichever
// windows are open; everything else is recoloured, and the status bar says which.
TEST_F(CoherenceTest, ThePaletteListFollowsOneRule) {
    const auto paletteWindow = [] { return &app().paletteWindow(); };
    struct Case {
        const char* name;
        std::function<void()> before;
        bool convertsAgain;
    };
    const Case cases[] = {
        {"thresholds result, palette window open",
         [&] {
             importBy(mainWindow()->menu.thresholdsImportAction);
             paletteWindow()->show();
         },
         false},
        {"opened project after a palette import",
         [&] {
             importBy(mainWindow()->menu.paletteImportAction);
             openProject();
         },
         false},
        {"thresholds preset naming a palette, palette window open",
         [&] {
             importBy(mainWindow()->menu.paletteImportAction);
             importBy(mainWindow()->menu.thresholdsImportAction);
             const QString preset = folder.filePath("t.json");
             tovik::writePreset(preset, {tovik::ThresholdSettings{}, 6, false});
             dialogs->answers = {preset};
             thresholdsWindow()->loadPresetButton->click();
             EXPECT_EQ(doc().palette(), 6);
         },
         false},
        {"palette result, painted",
         [&] {
             importBy(mainWindow()->menu.paletteImportAction);
             doc().paintPixel(0, 0, doc().buffer().at(0) ^ 1);
         },
         false},
        {"palette result, window closed by Ок",
         [&] {
             importBy(mainWindow()->menu.paletteImportAction);
             paletteWindow()->okButton->click();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        c.before();
        const tovik::PixelBuffer before = doc().buffer();
        const QSize size(doc().width(), doc().height());
        const auto made = doc().state().conversion;
        choosePalette(11);
        EXPECT_EQ(doc().palette(), 11);
        EXPECT_EQ(QSize(doc().width(), doc().height()), size);
        EXPECT_EQ(doc().undoStack()->undoText(), "палитра");
        if (c.convertsAgain) {
            EXPECT_TRUE(doc().buffer() ==
                        converted(*made, doc().fittedPicture(), 11, doc().width()));
            EXPECT_EQ(note(), "Палитра 11: картинка пересчитана из исходника в её цвета");
        } else {
            EXPECT_TRUE(doc().buffer() == before);
            EXPECT_EQ(note(), "Палитра 11: перекрашено, номера цветов те же");
        }
    }
}

// After an opened project "Исходник" shows the project and the ranking ranks it: a
// thumbnail applies a conversion of the project's own picture at its size.
TEST_F(CoherenceTest, AnOpenedProjectIsTheSourceOfEveryCommand) {
    importBy(mainWindow()->menu.paletteImportAction);
    openProject();
    ASSERT_EQ(doc().width(), 16);
    const QImage drawn = doc().workingBitmap();
    QTest::mousePress(mainWindow()->sourceButton, Qt::LeftButton);
    const int scale = doc().viewScale();
    EXPECT_EQ(viewPixel(4 * scale + 1, 2 * scale + 1), drawn.pixel(4, 2));
    QTest::mouseRelease(mainWindow()->sourceButton, Qt::LeftButton);

    mainWindow()->pickPaletteButton->click();
    waitForRanking();
    const tovik::PaletteScore chosen = ranking().results()[2];
    ranking().entries[2]->click();
    EXPECT_EQ(doc().width(), 16);
    EXPECT_EQ(doc().height(), 8);
    EXPECT_EQ(doc().palette(), chosen.palette);
    EXPECT_TRUE(doc().buffer() ==
                converted(app().paletteWindow().settings(), drawn, chosen.palette, 16));
}

// A preset with "palette": "auto" ranks with its own method, which the thumbnail applies.
TEST_F(CoherenceTest, AnAutoPalettePresetRanksWithItsOwnSettings) {
    importBy(mainWindow()->menu.paletteImportAction);  // Floyd–Steinberg kernel at start
    tovik::DiffusionSettings atkinson;
    atkinson.kernel = tovik::DiffusionKernel::Atkinson;
    atkinson.strength = 80;
    const QString preset = folder.filePath("auto.json");
    tovik::writePreset(preset, {atkinson, std::nullopt, true});
    dialogs->answers = {preset};
    app().paletteWindow().loadPresetButton->click();
    waitForRanking();
    const tovik::PaletteScore chosen = ranking().results()[0];
    ranking().entries[0]->click();
    EXPECT_EQ(doc().state().conversion, std::optional<tovik::MethodSettings>(atkinson));
    EXPECT_TRUE(doc().buffer() ==
                converted(atkinson, doc().fittedPicture(), chosen.palette, doc().width()));
}

// A ranking made at one width is not laid out at another: it is made again.
TEST_F(CoherenceTest, ARankingIsAppliedOnlyToTheSizeItWasMadeFor) {
    importBy(mainWindow()->menu.thresholdsImportAction);
    mainWindow()->pickPaletteButton->click();
    waitForRanking();
    const tovik::PixelBuffer before = doc().buffer();
    mainWindow()->widthEdit->setValue(40);
    ASSERT_EQ(doc().width(), 40);
    QSignalSpy done(&ranking(), &PaletteRankingWindow::rankingDone);
    ranking().entries[1]->click();
    EXPECT_TRUE(doc().buffer() == before);
    EXPECT_EQ(doc().width(), 40);
    EXPECT_EQ(note(),
              "Картинка изменилась после подбора: палитры подобраны заново, выберите снова");
    ASSERT_TRUE(done.count() == 1 || done.wait(20000));
    const tovik::PaletteScore chosen = ranking().results()[1];
    ranking().entries[1]->click();
    EXPECT_EQ(doc().palette(), chosen.palette);
    EXPECT_TRUE(doc().buffer() == converted(thresholdsWindow()->settings(), doc().fittedPicture(),
                                            chosen.palette, 40));
}

// Undo and redo put the settings of the conversion they bring back into its window,
// without converting; the value undone, chosen again, converts.
TEST_F(CoherenceTest, UndoBringsBackTheWindowsControls) {
    importBy(mainWindow()->menu.paletteImportAction);
    PaletteWindow& window = app().paletteWindow();
    QUndoStack* stack = doc().undoStack();
    const int start = stack->index();
    window.strengthBar->setValue(50);
    nextFrame();
    emit window.adjustmentFinished();
    ASSERT_EQ(stack->index(), start + 1);
    const tovik::PixelBuffer at50 = doc().buffer();

    mainWindow()->menu.undoAction->trigger();
    nextFrame();
    EXPECT_EQ(window.strengthBar->value(), 100);
    EXPECT_EQ(stack->index(), start);
    mainWindow()->menu.redoAction->trigger();
    nextFrame();
    EXPECT_EQ(window.strengthBar->value(), 50);
    EXPECT_EQ(stack->index(), start + 1);

    mainWindow()->menu.undoAction->trigger();
    window.strengthBar->setValue(50);
    nextFrame();
    EXPECT_EQ(stack->index(), start + 1);
    EXPECT_TRUE(doc().buffer() == at50);

    // The thresholds window likewise.
    importBy(mainWindow()->menu.thresholdsImportAction);
    QSlider* bar = thresholdsWindow()->thresholdBars[2];
    const int madeWith = bar->value();
    bar->setValue(madeWith + 7);
    nextFrame();
    thresholdsWindow()->previewButton->click();
    mainWindow()->menu.undoAction->trigger();
    EXPECT_EQ(bar->value(), madeWith);
}

// Undo, redo, paste and the project's keys work from a tool window and from the preview.
TEST_F(CoherenceTest, TheProgramsKeysWorkFromEveryWindow) {
    importBy(mainWindow()->menu.thresholdsImportAction);
    QUndoStack* stack = doc().undoStack();
    const int imported = stack->index();
    struct Case {
        const char* name;
        std::function<QWidget*()> window;
        QKeyCombination key;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"undo from the thresholds window", [] { return thresholdsWindow(); }, Qt::CTRL | Qt::Key_Z,
         [&] { EXPECT_EQ(stack->index(), imported - 1); }},
        {"redo from the preview", [] { return preview(); }, Qt::CTRL | Qt::Key_Y,
         [&] { EXPECT_EQ(stack->index(), imported); }},
        {"save from the palette window", [] { return &app().paletteWindow(); },
         Qt::CTRL | Qt::Key_S, [&] { EXPECT_EQ(dialogs->asked.back(), "SaveDialog2"); }},
        {"open from the thresholds window", [] { return thresholdsWindow(); }, Qt::CTRL | Qt::Key_O,
         [&] { EXPECT_EQ(dialogs->asked.back(), "OpenDialog1"); }},
        {"paste from the preview", [] { return preview(); }, Qt::CTRL | Qt::Key_V,
         [&] { EXPECT_EQ(note(), "В буфере обмена нет картинки"); }},
    };
    QGuiApplication::clipboard()->clear();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* window = c.window();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        dialogs->answers = {std::nullopt};
        QTest::keyClick(window, c.key.key(), c.key.keyboardModifiers());
        c.check();
    }
}

// A held arrow steps W many times and makes one undo step; a second press makes another.
// Clicks on the arrows merge until a pause.
TEST_F(CoherenceTest, AHeldArrowIsOneUndoStep) {
    SpinEdit* edit = mainWindow()->widthEdit;
    edit->setFocus();
    QUndoStack* stack = doc().undoStack();
    const int start = stack->index();
    const int width = doc().width();
    const auto press = [edit](bool repeat) {
        QKeyEvent event(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(edit, &event);
    };
    press(false);
    for (int i = 0; i < 5; ++i) {
        press(true);
    }
    QTest::keyRelease(edit, Qt::Key_Up);
    EXPECT_GE(doc().width(), width + 6 * tovik::kWidthStep);
    EXPECT_EQ(stack->index(), start + 1);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(stack->index(), start + 2);
    // Clicks on the arrows: a burst is one step, one after a pause another.
    edit->stepBy(1);
    edit->stepBy(1);
    EXPECT_EQ(stack->index(), start + 3);
    QTest::qWait(800);
    edit->stepBy(1);
    EXPECT_EQ(stack->index(), start + 4);
    for (int i = 0; i < 4; ++i) {
        mainWindow()->menu.undoAction->trigger();
    }
    EXPECT_EQ(doc().width(), width);
    EXPECT_EQ(stack->index(), start);
}

}  // namespace

// Every control of the windows says what it does; the imports say which palette they
// write; the list's recolour and the palette method's conversion have undo names apart.
TEST_F(CoherenceTest, EveryControlHasATooltipAndTheImportsNameTheirPalette) {
    const std::vector<QWidget*> windows{mainWindow(),  thresholdsWindow(),     fsWindow(),
                                        chunkWindow(), &app().paletteWindow(), &ranking()};
    for (QWidget* window : windows) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) ||
                                   qobject_cast<QAbstractSlider*>(control) ||
                                   qobject_cast<QComboBox*>(control) ||
                                   qobject_cast<QAbstractSpinBox*>(control);
            // Ours all have names; Qt's own parts (scroll bars, menu buttons) have none.
            const QString name = control->objectName();
            if (isControl && !name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
                EXPECT_FALSE(control->toolTip().isEmpty())
                    << window->objectName().toStdString() << " "
                    << control->objectName().toStdString();
            }
        }
    }
    const MainMenu& menu = mainWindow()->menu;
    for (QAction* fixed :
         {menu.floydSteinbergImportAction, menu.chunkImportAction, menu.thresholdsImportAction}) {
        EXPECT_TRUE(fixed->toolTip().contains("палитры 0")) << fixed->text().toStdString();
    }
    EXPECT_TRUE(menu.cgaImportAction->toolTip().contains("палитры 4"));
    EXPECT_TRUE(menu.paletteImportAction->toolTip().contains("любой из 16 палитр"));

    importBy(menu.paletteImportAction);
    EXPECT_EQ(doc().undoStack()->undoText(), "метод «Палитра»");
    app().paletteWindow().previewButton->click();
    EXPECT_EQ(doc().undoStack()->undoText(), "метод «Палитра»");
}

// "Да" in the quit question saves a project that has a name to its own file, unasked.
TEST_F(CoherenceTest, QuittingWithDaSavesToTheProjectsOwnFile) {
    dialogs->answers = {project};
    mainWindow()->menu.openProjectAction->trigger();
    ASSERT_EQ(doc().fileName(), project);
    doc().paintPixel(5, 1, 1);  // it was 3
    dialogs->asked.clear();
    dialogs->questionAnswers = {Dialogs::Answer::Yes};
    QCloseEvent close;
    QCoreApplication::sendEvent(mainWindow(), &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_EQ(dialogs->questions, std::vector<QString>{"Сохранить изменения?"});
    EXPECT_TRUE(dialogs->asked.empty());
    EXPECT_EQ(tovik::readProject(project).pixels.at(5 + 1 * 16), 1);
    EXPECT_FALSE(doc().isModified());
}
