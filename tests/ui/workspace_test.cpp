// The main window as the user meets it: start-up, the grid, sizes, palettes, painting
// and the preview.
#include <QAbstractItemView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "picture/error.h"
#include "picture/palette.h"
#include "picture/render.h"
#include "ui/aboutwindow.h"
#include "ui/chunksettingswindow.h"
#include "ui/floydsteinbergwindow.h"
#include "ui/previewwindow.h"
#include "ui/thresholdswindow.h"
#include "windowtest.h"

namespace {

using tovik::kGridDark;
using tovik::kGridLight;
using tovik::kGridMiddle;
using tovik::paletteColour;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kWhite = 0xFFFFFFFF;

void click(Qt::MouseButton button, int x, int y) {
    QTest::mouseClick(mainWindow()->view->image(), button, {}, QPoint(x, y));
}

// What the view shows at start: black, lines every 8 pixels, the first vertical line
// black (no pen has been used yet), the horizontal lines over the vertical ones.
QRgb startViewPixel(int x, int y) {
    if (y % 8 == 0) {
        return tovik::gridLineColour(y / 8);
    }
    if (x == 0) {
        return kBlack;
    }
    if (x % 8 == 0) {
        return tovik::gridLineColour(x / 8);
    }
    return kBlack;
}

TEST_F(WindowTest, SixWindowsExistAtStartWithTheirCaptionsAndSizes) {
    struct Expected {
        QWidget* window;
        const char* caption;
        QSize size;
        bool visible;
    };
    const Expected windows[] = {
        {mainWindow(), "Tovik Images", {883, 722}, true},
        {preview(), "Просмотр", {256, 256}, false},
        {about(), "О программе", {226, 101}, false},
        {thresholdsWindow(), "Пороги", {431, 535}, false},
        {fsWindow(), "Флойд Стеинберг", {325, 150}, false},  // with the preset buttons
        {chunkWindow(), "Настройка", {345, 692}, false},     // with the preset buttons
    };
    for (const auto& w : windows) {
        ASSERT_NE(w.window, nullptr) << w.caption;
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        EXPECT_EQ(w.window->size(), w.size) << w.caption;
        EXPECT_EQ(w.window->isVisible(), w.visible) << w.caption;
    }
    EXPECT_EQ(mainWindow()->pos(), QPoint(531, 98));
    EXPECT_EQ(preview()->pos(), QPoint(726, 350));
    for (QWidget* tool :
         {static_cast<QWidget*>(preview()), static_cast<QWidget*>(thresholdsWindow()),
          static_cast<QWidget*>(fsWindow()), static_cast<QWidget*>(chunkWindow())}) {
        EXPECT_TRUE(tool->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(tool->windowType(), Qt::Tool);
    }
}

TEST_F(WindowTest, StartStateOfTheToolBarAndPicture) {
    EXPECT_EQ(doc().width(), 64);
    EXPECT_EQ(doc().height(), 64);
    EXPECT_EQ(doc().palette(), 0);
    EXPECT_EQ(mainWindow()->selectedColour(), 0);
    EXPECT_EQ(doc().viewScale(), 8);
    EXPECT_EQ(mainWindow()->zoomX(), 8);
    EXPECT_EQ(mainWindow()->zoomY(), 8);
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(512, 512));
    EXPECT_EQ(mainWindow()->view->image()->pos(), QPoint(4, 4));
    EXPECT_EQ(preview()->image->size(), QSize(256, 256));
    EXPECT_EQ(mainWindow()->colourNumberLabel->text(), "0");
    EXPECT_EQ(mainWindow()->colourSwatch->brushColor(), kBlack);
    EXPECT_TRUE(mainWindow()->magnifyBox->isChecked());
    EXPECT_FALSE(mainWindow()->previewBox->isChecked());
    EXPECT_EQ(mainWindow()->widthEdit->minValue(), 8);
    EXPECT_EQ(mainWindow()->widthEdit->maxValue(), 320);
    EXPECT_EQ(mainWindow()->widthEdit->singleStep(), 8);
    EXPECT_EQ(mainWindow()->heightEdit->maxValue(), 1024);
    for (int i = 0; i < tovik::PixelBuffer::kSize; i += 997) {
        ASSERT_EQ(doc().buffer().at(i), 0);
    }
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(mainWindow()->colourGrid->cellColour(c), paletteColour(0, c));
    }
}

TEST_F(WindowTest, StartViewIsBlackUnderTheThreeGreyGrid) {
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            ASSERT_EQ(viewPixel(x, y), startViewPixel(x, y)) << x << ", " << y;
        }
    }
    // The landmarks: light grey at 64, middle grey at 32, dark grey at 8, all on row 1.
    EXPECT_EQ(viewPixel(64, 1), kGridLight);
    EXPECT_EQ(viewPixel(32, 1), kGridMiddle);
    EXPECT_EQ(viewPixel(8, 1), kGridDark);
    EXPECT_EQ(viewPixel(0, 1), kBlack);
    EXPECT_EQ(viewPixel(5, 0), kGridDark);  // the horizontal line at 0 is dark grey
}

TEST_F(WindowTest, LaterGridsDrawTheFirstVerticalLineDarkGrey) {
    mainWindow()->redrawView();
    EXPECT_EQ(viewPixel(0, 1), kGridDark);
    EXPECT_EQ(viewPixel(0, 0), kGridDark);
}

TEST_F(WindowTest, MenuHoldsEveryItemInOrder) {
    struct Item {
        const char* name;
        const char* caption;  // nullptr for a separator
        bool enabled;
        bool checkable;
    };
    auto check = [](QMenu* menu, std::vector<Item> expected) {
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()))
            << menu->objectName().toStdString();
        for (size_t i = 0; i < expected.size(); ++i) {
            QAction* a = actions[static_cast<qsizetype>(i)];
            EXPECT_EQ(a->objectName(), QString::fromLatin1(expected[i].name));
            if (expected[i].caption == nullptr) {
                EXPECT_TRUE(a->isSeparator()) << expected[i].name;
            } else {
                EXPECT_EQ(a->text(), QString::fromUtf8(expected[i].caption));
                EXPECT_EQ(a->isEnabled(), expected[i].enabled) << expected[i].name;
                EXPECT_EQ(a->isCheckable(), expected[i].checkable) << expected[i].name;
            }
        }
    };
    check(mainWindow()->menu.fileMenu, {{"N2", "Открыть проект", true, false},
                                        {"N3", "Сохранить проект", true, false},
                                        {"N4", nullptr, true, false},
                                        {"N5", "Экспорт", true, false},
                                        {"N6", nullptr, true, false},
                                        {"N7", "Импорт", true, false},
                                        {"N25", nullptr, true, false},
                                        {"N26", "УКНЦ", true, false},
                                        {"N8", nullptr, true, false},
                                        {"N9", "Выход", true, false}});
    check(mainWindow()->menu.exportMenu, {{"BIN1", "BIN с палитрой", true, false},
                                          {"N20", nullptr, true, false},
                                          {"BIN2", "BIN с заголовком", true, false},
                                          {"N21", nullptr, true, false},
                                          {"N10", "Дамп (бинарный)", true, true},
                                          {"N11", nullptr, true, false},
                                          {"N12", "Текстовый", false, false},
                                          {"N15", nullptr, true, false},
                                          {"N24bitbmp1", "Битмэп (24 bit bmp)", true, false}});
    check(mainWindow()->menu.importMenu, {{"CGA321", "CGA_BWCM", true, false},
                                          {"N19", nullptr, true, false},
                                          {"N14", "Флойд-Стейнберг", true, false},
                                          {"N22", nullptr, true, false},
                                          {"NewFloyd1", "\"Чанки\"", true, false},
                                          {"N16", nullptr, true, false},
                                          {"N17", "Пороги", true, false},
                                          {"N18", nullptr, true, false},
                                          {"IMG1", "Tovik_IMG", true, false},
                                          {"PaletteSeparator", nullptr, true, false},
                                          {"PaletteImportItem", "Палитра…", true, false}});
    check(mainWindow()->menu.settingsMenu, {{"N24", "(импорт)Чанки", false, false},
                                            {"PickPaletteItem", "Подобрать палитру", true, false}});
    const QList<QAction*> top = mainWindow()->menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text(), "Файл");
    EXPECT_EQ(top[1]->text(), "Правка");
    EXPECT_EQ(top[2]->text(), "Настройки (пример)");
    EXPECT_EQ(top[3]->objectName(), "N13");
    EXPECT_EQ(top[3]->text(), "Хелп");
    EXPECT_EQ(top[3]->menu(), nullptr);
}

TEST_F(WindowTest, DumpItemFlipsItsCheckMarkOnEachUse) {
    EXPECT_FALSE(mainWindow()->menu.dumpAction->isChecked());
    mainWindow()->menu.dumpAction->trigger();
    EXPECT_TRUE(mainWindow()->menu.dumpAction->isChecked());
    mainWindow()->menu.dumpAction->trigger();
    EXPECT_FALSE(mainWindow()->menu.dumpAction->isChecked());
}

TEST_F(WindowTest, MagnificationOffAndOnAgain) {
    mainWindow()->magnifyBox->setChecked(false);
    EXPECT_EQ(doc().viewScale(), 4);
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(256, 256));
    EXPECT_EQ(mainWindow()->view->image()->bitmap().size(), QSize(256, 256));
    EXPECT_EQ(preview()->image->size(), QSize(128, 128));
    EXPECT_EQ(preview()->image->bitmap().size(), QSize(128, 128));
    EXPECT_EQ(mainWindow()->zoomX(), 4);
    EXPECT_EQ(doc().width(), 64);
    EXPECT_EQ(doc().height(), 64);
    const std::pair<int, QRgb> lines[] = {{4, kGridDark}, {16, kGridMiddle}, {32, kGridLight},
                                          {2, kBlack},    {48, kGridMiddle}, {252, kGridDark}};
    for (const auto& [x, colour] : lines) {
        EXPECT_EQ(viewPixel(x, 1), colour) << x;
        EXPECT_EQ(viewPixel(1, x), colour) << x;
    }
    mainWindow()->magnifyBox->setChecked(true);
    EXPECT_EQ(doc().viewScale(), 8);
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(512, 512));
    EXPECT_EQ(preview()->image->size(), QSize(256, 256));
    EXPECT_EQ(doc().width(), 64);
}

TEST_F(WindowTest, WiderPictureShowsOldColumnsUntilTheNextFullRedraw) {
    mainWindow()->colourGrid->selectColumn(3);
    click(Qt::LeftButton, 3, 11);  // pixel (0, 1): entry 64 at W = 64
    ASSERT_EQ(doc().buffer().at(64), 3);

    mainWindow()->widthEdit->stepBy(1);
    ASSERT_EQ(doc().width(), 72);
    EXPECT_EQ(doc().workingBitmap().size(), QSize(72, 64));
    EXPECT_EQ(mainWindow()->view->image()->size(), QSize(576, 512));
    EXPECT_EQ(preview()->image->size(), QSize(288, 256));
    // The old 64 columns stay where they were, the 8 new ones are black.
    EXPECT_EQ(workingPixel(0, 1), kRed);
    EXPECT_EQ(workingPixel(64, 0), kBlack);
    EXPECT_EQ(viewPixel(3, 11), kRed);
    EXPECT_EQ(viewPixel(68 * 8 + 3, 3), kBlack);
    EXPECT_EQ(doc().buffer().at(64), 3);

    // The next full redraw reads the same bytes with stride 72: entry 64 is now (64, 0).
    choosePalette(0);
    EXPECT_EQ(workingPixel(64, 0), kRed);
    EXPECT_EQ(workingPixel(0, 1), kBlack);
    EXPECT_EQ(viewPixel(64 * 8 + 3, 3), kRed);
}

TEST_F(WindowTest, ColourThreeUnderThreePalettes) {
    setEntry(0, 3);
    const std::pair<int, QRgb> cases[] = {{0, kRed}, {4, kWhite}, {9, qRgb(144, 0, 0)}};
    for (const auto& [palette, colour] : cases) {
        choosePalette(palette);
        ASSERT_EQ(doc().palette(), palette);
        EXPECT_EQ(workingPixel(0, 0), colour) << palette;
        EXPECT_EQ(viewPixel(4, 4), colour) << palette;
        EXPECT_EQ(preview()->image->bitmap().pixel(2, 2), colour) << palette;
    }
}

TEST_F(WindowTest, SpinEditsClampWhatTheyAreGiven) {
    struct Case {
        int given;
        int width;
    };
    for (const auto& c : {Case{1000, 320}, Case{3, 8}, Case{-5, 8}, Case{100, 100}}) {
        mainWindow()->widthEdit->setClampedValue(c.given);
        EXPECT_EQ(doc().width(), c.width) << c.given;
        EXPECT_EQ(mainWindow()->view->image()->width(), c.width * 8) << c.given;
        EXPECT_EQ(doc().workingBitmap().width(), c.width) << c.given;
    }
    mainWindow()->heightEdit->setClampedValue(5000);
    EXPECT_EQ(doc().height(), 1024);
    mainWindow()->heightEdit->setClampedValue(0);
    EXPECT_EQ(doc().height(), 8);
}

TEST_F(WindowTest, SizesNeverPassTheBuffer) {
    mainWindow()->heightEdit->setClampedValue(1024);  // 64 x 1024 fills the buffer exactly
    ASSERT_EQ(doc().height(), 1024);
    mainWindow()->widthEdit->stepBy(1);  // 72 x 1024 would not fit: refused
    EXPECT_EQ(doc().width(), 64);
    mainWindow()->widthEdit->stepBy(-1);
    EXPECT_EQ(doc().width(), 56);

    doc().setPictureSize(72, 910);  // 65,520 entries
    ASSERT_EQ(doc().height(), 910);
    mainWindow()->heightEdit->stepBy(1);
    EXPECT_EQ(doc().height(), 910);

    doc().setPictureSize(320, 1024);
    EXPECT_EQ(doc().width(), 320);
    EXPECT_EQ(doc().height(), 204);  // 65536 div 320
}

TEST_F(WindowTest, TheSizeTextCannotBeTyped) {
    mainWindow()->widthEdit->setFocus();
    QTest::keyClicks(mainWindow()->widthEdit, "9");
    EXPECT_EQ(doc().width(), 64);
    QTest::keyClick(mainWindow()->widthEdit, Qt::Key_Up);
    EXPECT_EQ(doc().width(), 72);
    QTest::keyClick(mainWindow()->widthEdit, Qt::Key_PageUp);
    EXPECT_EQ(doc().width(), 72);
    QTest::keyClick(mainWindow()->heightEdit, Qt::Key_Down);
    EXPECT_EQ(doc().height(), 63);
}

TEST_F(WindowTest, PressesPaintThePixelUnderThem) {
    struct Case {
        bool magnified;
        QPoint press;
        int index;  // entry painted, W = 64
        QPoint pixel;
    };
    const Case cases[] = {
        {true, {15, 9}, 1 + 64, {1, 1}},
        {true, {7, 7}, 0, {0, 0}},
        {false, {15, 9}, 3 + 2 * 64, {3, 2}},
        {true, {511, 511}, 63 + 63 * 64, {63, 63}},
    };
    for (const auto& c : cases) {
        mainWindow()->magnifyBox->setChecked(c.magnified);
        clearEntries();
        doc().redraw();
        mainWindow()->colourGrid->selectColumn(3);
        click(Qt::LeftButton, c.press.x(), c.press.y());
        EXPECT_EQ(doc().buffer().at(c.index), 3) << c.press.x() << "," << c.press.y();
        EXPECT_EQ(workingPixel(c.pixel.x(), c.pixel.y()), kRed);
        const int s = doc().viewScale();
        EXPECT_EQ(viewPixel(c.pixel.x() * s + s / 2, c.pixel.y() * s + s / 2), kRed);
        // Nothing else changed.
        int painted = 0;
        for (int i = 0; i < 64 * 64; ++i) {
            painted += doc().buffer().at(i) != 0;
        }
        EXPECT_EQ(painted, 1);
    }
}

TEST_F(WindowTest, OtherButtonsErase) {
    choosePalette(4);
    mainWindow()->colourGrid->selectColumn(2);
    for (Qt::MouseButton eraser : {Qt::RightButton, Qt::MiddleButton}) {
        click(Qt::LeftButton, 20, 20);
        ASSERT_EQ(doc().buffer().at(2 + 2 * 64), 2);
        ASSERT_EQ(workingPixel(2, 2), paletteColour(4, 2));
        click(eraser, 20, 20);
        EXPECT_EQ(doc().buffer().at(2 + 2 * 64), 0);
        EXPECT_EQ(workingPixel(2, 2), kBlack);
        EXPECT_EQ(viewPixel(20, 20), kBlack);
        EXPECT_EQ(mainWindow()->selectedColour(), 2);
    }
}

// The view reports the press, the drag and the release in picture cells, for whatever
// acts on the picture; painting takes only the press.
TEST_F(WindowTest, MovingWithTheButtonHeldPaintsNothing) {
    const PictureView* view = mainWindow()->view;
    QSignalSpy pressed(view, &PictureView::cellPressed);
    QSignalSpy dragged(view, &PictureView::cellDragged);
    QSignalSpy released(view, &PictureView::cellReleased);
    mainWindow()->colourGrid->selectColumn(1);
    QTest::mousePress(mainWindow()->view->image(), Qt::LeftButton, {}, QPoint(4, 4));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 60),
                     mainWindow()->view->image()->mapToGlobal(QPointF(60, 60)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(mainWindow()->view->image(), &move);
    QTest::mouseRelease(mainWindow()->view->image(), Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(doc().buffer().at(0), 1);
    EXPECT_EQ(doc().buffer().at(7 + 7 * 64), 0);
    const auto cells = [](const QSignalSpy& spy) {
        std::vector<QPoint> list;
        for (const QList<QVariant>& signal : spy) {
            list.push_back(signal.at(1).toPoint());
        }
        return list;
    };
    EXPECT_EQ(cells(pressed), std::vector<QPoint>{QPoint(0, 0)});
    EXPECT_EQ(cells(dragged), std::vector<QPoint>{QPoint(7, 7)});
    EXPECT_EQ(cells(released), std::vector<QPoint>{QPoint(7, 7)});
    ASSERT_EQ(released.size(), 1);
    EXPECT_EQ(released[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
}

TEST_F(WindowTest, PaletteFiveShowsEveryColourWhiteAndKeepsTheSwatch) {
    for (int c = 1; c <= 3; ++c) {
        mainWindow()->colourGrid->selectColumn(c);
        click(Qt::LeftButton, c * 8 + 1, 1);
    }
    ASSERT_EQ(mainWindow()->colourSwatch->brushColor(), kRed);
    choosePalette(5);
    const QRgb cells[] = {kBlack, kWhite, kWhite, kWhite};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(mainWindow()->colourGrid->cellColour(c), cells[c]) << c;
        EXPECT_EQ(workingPixel(c, 0), cells[c]) << c;
    }
    EXPECT_EQ(mainWindow()->colourSwatch->brushColor(), kRed);
    EXPECT_EQ(mainWindow()->colourNumberLabel->text(), "3");
    EXPECT_EQ(mainWindow()->selectedColour(), 3);
    // Choosing a cell again takes the new palette's colour.
    mainWindow()->colourGrid->selectColumn(3);
    EXPECT_EQ(mainWindow()->colourSwatch->brushColor(), kWhite);
}

TEST_F(WindowTest, ClosingTheListWithoutAChangeStillRedraws) {
    setEntry(5, 2);
    ASSERT_EQ(workingPixel(5, 0), kBlack);
    choosePalette(0);
    EXPECT_EQ(doc().palette(), 0);
    EXPECT_EQ(workingPixel(5, 0), paletteColour(0, 2));
}

TEST_F(WindowTest, ColourCellsFollowMouseAndKeys) {
    QTest::mouseClick(mainWindow()->colourGrid, Qt::LeftButton, {},
                      mainWindow()->colourGrid->cellRect(2).center());
    EXPECT_EQ(mainWindow()->selectedColour(), 2);
    EXPECT_EQ(mainWindow()->colourNumberLabel->text(), "2");
    EXPECT_EQ(mainWindow()->colourSwatch->brushColor(), paletteColour(0, 2));
    QTest::keyClick(mainWindow()->colourGrid, Qt::Key_Right);
    EXPECT_EQ(mainWindow()->selectedColour(), 3);
    QTest::keyClick(mainWindow()->colourGrid, Qt::Key_Right);  // no fifth cell
    EXPECT_EQ(mainWindow()->selectedColour(), 3);
    QTest::keyClick(mainWindow()->colourGrid, Qt::Key_Left);
    EXPECT_EQ(mainWindow()->selectedColour(), 2);
}

TEST_F(WindowTest, PaletteListEntriesShowTheirPalette) {
    ASSERT_EQ(mainWindow()->paletteList->count(), 16);
    for (int p = 0; p < 16; ++p) {
        EXPECT_EQ(mainWindow()->paletteList->itemText(p), QString::number(p));
        QImage entry(100, 17, QImage::Format_RGB32);
        entry.fill(Qt::gray);
        {
            QPainter painter(&entry);
            mainWindow()->drawPaletteEntry(painter, p, entry.rect(), false);
        }
        // The image at (1, 1): black frame, bars of colours 1, 2 and 3 at x 1, 13 and 25.
        EXPECT_EQ(entry.pixel(1, 1), kBlack) << p;
        EXPECT_EQ(entry.pixel(1 + 12, 1 + 6), kBlack) << p;
        for (int bar = 0; bar < 3; ++bar) {
            EXPECT_EQ(entry.pixel(1 + 1 + 12 * bar + 5, 1 + 1 + 6), paletteColour(p, bar + 1))
                << "palette " << p << " bar " << bar;
        }
        EXPECT_EQ(entry.pixel(1 + 36, 1 + 13), kBlack) << p;
    }
}

TEST_F(WindowTest, PreviewClosedByItsBoxAndShownAgain) {
    mainWindow()->previewBox->setChecked(true);
    ASSERT_TRUE(preview()->isVisible());
    EXPECT_EQ(preview()->size(), QSize(256, 256));
    preview()->close();
    EXPECT_FALSE(preview()->isVisible());
    EXPECT_FALSE(mainWindow()->previewBox->isChecked());

    mainWindow()->colourGrid->selectColumn(3);
    click(Qt::LeftButton, 12, 12);  // pixel (1, 1), shown 4 x 4 in the preview
    mainWindow()->previewBox->setChecked(true);
    EXPECT_TRUE(preview()->isVisible());
    EXPECT_EQ(preview()->image->bitmap().pixel(5, 5), kRed);
    EXPECT_EQ(preview()->image->bitmap().pixel(3, 5), kBlack);
    mainWindow()->previewBox->setChecked(false);
    EXPECT_FALSE(preview()->isVisible());
}

TEST_F(WindowTest, PreviewIsDraggedByItsBody) {
    mainWindow()->previewBox->setChecked(true);
    const QPoint start = preview()->pos();
    QTest::mousePress(preview(), Qt::LeftButton, {}, QPoint(10, 10));
    const QPoint to = preview()->mapToGlobal(QPoint(40, 25));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 25), QPointF(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(preview(), &move);
    QTest::mouseRelease(preview(), Qt::LeftButton, {}, QPoint(40, 25));
    EXPECT_EQ(preview()->pos(), start + QPoint(30, 15));
}

TEST_F(WindowTest, AboutIsModalAndCentredOnTheMainWindow) {
    mainWindow()->menu.aboutAction->trigger();
    ASSERT_TRUE(about()->isVisible());
    EXPECT_EQ(about()->windowModality(), Qt::ApplicationModal);
    const QPoint centre = mainWindow()->frameGeometry().center();
    EXPECT_LE(std::abs(about()->frameGeometry().center().x() - centre.x()), 1)
        << about()->frameGeometry().center().x() << " " << centre.x();
    EXPECT_LE(std::abs(about()->frameGeometry().center().y() - centre.y()), 1)
        << about()->frameGeometry().center().y() << " " << centre.y();
    EXPECT_EQ(about()->nicknameShadow->text(), "Tovik");
    EXPECT_EQ(about()->nicknameLabel->text(), "Tovik");
    EXPECT_EQ(about()->nicknameShadow->pos(), QPoint(73, 5));
    EXPECT_EQ(about()->nicknameLabel->pos(), QPoint(72, 4));
    EXPECT_EQ(about()->titleLabel->text(), "Tovik Images");
    EXPECT_EQ(about()->versionLabel->text(), "v 0.7");
    // The black nickname lies over the white one.
    EXPECT_GT(about()->children().indexOf(about()->nicknameLabel),
              about()->children().indexOf(about()->nicknameShadow));
    about()->close();
}

TEST_F(WindowTest, ChunkSettingsItemShowsItsWindowOnceEnabled) {
    EXPECT_FALSE(mainWindow()->menu.chunkSettingsAction->isEnabled());
    mainWindow()->menu.chunkSettingsAction->setEnabled(true);
    mainWindow()->menu.chunkSettingsAction->trigger();
    EXPECT_TRUE(chunkWindow()->isVisible());
}

TEST_F(WindowTest, ExitEndsTheMessageLoop) {
    QTimer::singleShot(0, mainWindow()->menu.quitAction, &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
}

// An object whose event handler fails, as a command does.
class FailingObject : public QObject {
public:
    bool event(QEvent*) override { throw tovik::Error("Cannot open file x.bip"); }
};

TEST_F(WindowTest, AnEscapingErrorIsShownAndTheProgramGoesOn) {
    FailingObject failing;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    ASSERT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(dialogs->errors[0], "Cannot open file x.bip");
    // The window still works.
    click(Qt::LeftButton, 9, 9);
    EXPECT_EQ(mainWindow()->zoomX(), 8);
}

}  // namespace
