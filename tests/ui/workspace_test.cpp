// The main window as the user meets it: start-up, the grid, sizes, palettes, painting
// and the preview.
#include <QAbstractItemView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "picture/error.h"
#include "picture/palette.h"
#include "picture/render.h"
#include "ui/Chankconf.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
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
    QTest::mouseClick(Form1->Image1, button, {}, QPoint(x, y));
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
        {Form1, "Tovik Images", {883, 722}, true},
        {Form2, "Просмотр", {256, 256}, false},
        {Form3, "О программе", {226, 101}, false},
        {Form4, "Пороги", {431, 535}, false},
        {Form5, "Флойд Стеинберг", {325, 118}, false},
        {Chank_config, "Настройка", {345, 660}, false},
    };
    for (const auto& w : windows) {
        ASSERT_NE(w.window, nullptr) << w.caption;
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        EXPECT_EQ(w.window->size(), w.size) << w.caption;
        EXPECT_EQ(w.window->isVisible(), w.visible) << w.caption;
    }
    EXPECT_EQ(Form1->pos(), QPoint(531, 98));
    EXPECT_EQ(Form2->pos(), QPoint(726, 350));
    for (QWidget* tool : {static_cast<QWidget*>(Form2), static_cast<QWidget*>(Form4),
                          static_cast<QWidget*>(Form5), static_cast<QWidget*>(Chank_config)}) {
        EXPECT_TRUE(tool->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(tool->windowType(), Qt::Tool);
    }
}

TEST_F(WindowTest, StartStateOfTheToolBarAndPicture) {
    EXPECT_EQ(Form1->pictureWidth(), 64);
    EXPECT_EQ(Form1->pictureHeight(), 64);
    EXPECT_EQ(Form1->palette(), 0);
    EXPECT_EQ(Form1->SelectedColor, 0);
    EXPECT_EQ(Form1->ViewScale, 8);
    EXPECT_EQ(Form1->ZoomX, 8);
    EXPECT_EQ(Form1->ZoomY, 8);
    EXPECT_EQ(Form1->Image1->size(), QSize(512, 512));
    EXPECT_EQ(Form1->Image1->pos(), QPoint(4, 4));
    EXPECT_EQ(Form2->Image3->size(), QSize(256, 256));
    EXPECT_EQ(Form1->Label1->text(), "0");
    EXPECT_EQ(Form1->Shape1->brushColor(), kBlack);
    EXPECT_TRUE(Form1->CheckBox2->isChecked());
    EXPECT_FALSE(Form1->CheckBox1->isChecked());
    EXPECT_EQ(Form1->CSpinEdit1->minValue(), 8);
    EXPECT_EQ(Form1->CSpinEdit1->maxValue(), 320);
    EXPECT_EQ(Form1->CSpinEdit1->singleStep(), 8);
    EXPECT_EQ(Form1->CSpinEdit2->maxValue(), 1024);
    for (int i = 0; i < tovik::PixelBuffer::kSize; i += 997) {
        ASSERT_EQ(Form1->PixelBuffer.at(i), 0);
    }
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(Form1->DrawGrid1->cellColour(c), paletteColour(0, c));
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
    Form1->RedrawView();
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
    check(Form1->N1, {{"N2", "Открыть проект", true, false},
                      {"N3", "Сохранить проект", true, false},
                      {"N4", nullptr, true, false},
                      {"N5", "Экспорт", true, false},
                      {"N6", nullptr, true, false},
                      {"N7", "Импорт", true, false},
                      {"N25", nullptr, true, false},
                      {"N26", "УКНЦ", true, false},
                      {"N8", nullptr, true, false},
                      {"N9", "Выход", true, false}});
    check(Form1->N5, {{"BIN1", "BIN с палитрой", true, false},
                      {"N20", nullptr, true, false},
                      {"BIN2", "BIN с заголовком", true, false},
                      {"N21", nullptr, true, false},
                      {"N10", "Дамп (бинарный)", true, true},
                      {"N11", nullptr, true, false},
                      {"N12", "Текстовый", false, false},
                      {"N15", nullptr, true, false},
                      {"N24bitbmp1", "Битмэп (24 bit bmp)", true, false}});
    check(Form1->N7, {{"CGA321", "CGA_BWCM", true, false},
                      {"N19", nullptr, true, false},
                      {"N14", "Флойд-Стейнберг", true, false},
                      {"N22", nullptr, true, false},
                      {"NewFloyd1", "\"Чанки\"", true, false},
                      {"N16", nullptr, true, false},
                      {"N17", "Пороги", true, false},
                      {"N18", nullptr, true, false},
                      {"IMG1", "Tovik_IMG", true, false}});
    check(Form1->N23, {{"N24", "(импорт)Чанки", false, false}});
    const QList<QAction*> top = Form1->menuBar()->actions();
    ASSERT_EQ(top.size(), 3);
    EXPECT_EQ(top[0]->text(), "Файл");
    EXPECT_EQ(top[1]->text(), "Настройки (пример)");
    EXPECT_EQ(top[2]->objectName(), "N13");
    EXPECT_EQ(top[2]->text(), "Хелп");
    EXPECT_EQ(top[2]->menu(), nullptr);
}

TEST_F(WindowTest, DumpItemFlipsItsCheckMarkOnEachUse) {
    EXPECT_FALSE(Form1->N10->isChecked());
    Form1->N10->trigger();
    EXPECT_TRUE(Form1->N10->isChecked());
    Form1->N10->trigger();
    EXPECT_FALSE(Form1->N10->isChecked());
}

TEST_F(WindowTest, MagnificationOffAndOnAgain) {
    Form1->CheckBox2->setChecked(false);
    EXPECT_EQ(Form1->ViewScale, 4);
    EXPECT_EQ(Form1->Image1->size(), QSize(256, 256));
    EXPECT_EQ(Form1->Image1->bitmap().size(), QSize(256, 256));
    EXPECT_EQ(Form2->Image3->size(), QSize(128, 128));
    EXPECT_EQ(Form2->Image3->bitmap().size(), QSize(128, 128));
    EXPECT_EQ(Form1->ZoomX, 4);
    EXPECT_EQ(Form1->pictureWidth(), 64);
    EXPECT_EQ(Form1->pictureHeight(), 64);
    const std::pair<int, QRgb> lines[] = {{4, kGridDark}, {16, kGridMiddle}, {32, kGridLight},
                                          {2, kBlack},    {48, kGridMiddle}, {252, kGridDark}};
    for (const auto& [x, colour] : lines) {
        EXPECT_EQ(viewPixel(x, 1), colour) << x;
        EXPECT_EQ(viewPixel(1, x), colour) << x;
    }
    Form1->CheckBox2->setChecked(true);
    EXPECT_EQ(Form1->ViewScale, 8);
    EXPECT_EQ(Form1->Image1->size(), QSize(512, 512));
    EXPECT_EQ(Form2->Image3->size(), QSize(256, 256));
    EXPECT_EQ(Form1->pictureWidth(), 64);
}

TEST_F(WindowTest, WiderPictureShowsOldColumnsUntilTheNextFullRedraw) {
    Form1->DrawGrid1->selectColumn(3);
    click(Qt::LeftButton, 3, 11);  // pixel (0, 1): entry 64 at W = 64
    ASSERT_EQ(Form1->PixelBuffer.at(64), 3);

    Form1->CSpinEdit1->stepBy(1);
    ASSERT_EQ(Form1->pictureWidth(), 72);
    EXPECT_EQ(Form1->Image2.size(), QSize(72, 64));
    EXPECT_EQ(Form1->Image1->size(), QSize(576, 512));
    EXPECT_EQ(Form2->Image3->size(), QSize(288, 256));
    // The old 64 columns stay where they were, the 8 new ones are black.
    EXPECT_EQ(workingPixel(0, 1), kRed);
    EXPECT_EQ(workingPixel(64, 0), kBlack);
    EXPECT_EQ(viewPixel(3, 11), kRed);
    EXPECT_EQ(viewPixel(68 * 8 + 3, 3), kBlack);
    EXPECT_EQ(Form1->PixelBuffer.at(64), 3);

    // The next full redraw reads the same bytes with stride 72: entry 64 is now (64, 0).
    choosePalette(0);
    EXPECT_EQ(workingPixel(64, 0), kRed);
    EXPECT_EQ(workingPixel(0, 1), kBlack);
    EXPECT_EQ(viewPixel(64 * 8 + 3, 3), kRed);
}

TEST_F(WindowTest, ColourThreeUnderThreePalettes) {
    Form1->PixelBuffer.set(0, 3);
    const std::pair<int, QRgb> cases[] = {{0, kRed}, {4, kWhite}, {9, qRgb(144, 0, 0)}};
    for (const auto& [palette, colour] : cases) {
        choosePalette(palette);
        ASSERT_EQ(Form1->palette(), palette);
        EXPECT_EQ(workingPixel(0, 0), colour) << palette;
        EXPECT_EQ(viewPixel(4, 4), colour) << palette;
        EXPECT_EQ(Form2->Image3->bitmap().pixel(2, 2), colour) << palette;
    }
}

TEST_F(WindowTest, SpinEditsClampWhatTheyAreGiven) {
    struct Case {
        int given;
        int width;
    };
    for (const auto& c : {Case{1000, 320}, Case{3, 8}, Case{-5, 8}, Case{100, 100}}) {
        Form1->CSpinEdit1->setClampedValue(c.given);
        EXPECT_EQ(Form1->pictureWidth(), c.width) << c.given;
        EXPECT_EQ(Form1->Image1->width(), c.width * 8) << c.given;
        EXPECT_EQ(Form1->Image2.width(), c.width) << c.given;
    }
    Form1->CSpinEdit2->setClampedValue(5000);
    EXPECT_EQ(Form1->pictureHeight(), 1024);
    Form1->CSpinEdit2->setClampedValue(0);
    EXPECT_EQ(Form1->pictureHeight(), 8);
}

TEST_F(WindowTest, SizesNeverPassTheBuffer) {
    Form1->CSpinEdit2->setClampedValue(1024);  // 64 x 1024 fills the buffer exactly
    ASSERT_EQ(Form1->pictureHeight(), 1024);
    Form1->CSpinEdit1->stepBy(1);  // 72 x 1024 would not fit: refused
    EXPECT_EQ(Form1->pictureWidth(), 64);
    Form1->CSpinEdit1->stepBy(-1);
    EXPECT_EQ(Form1->pictureWidth(), 56);

    Form1->setPictureSize(72, 910);  // 65,520 entries
    ASSERT_EQ(Form1->pictureHeight(), 910);
    Form1->CSpinEdit2->stepBy(1);
    EXPECT_EQ(Form1->pictureHeight(), 910);

    Form1->setPictureSize(320, 1024);
    EXPECT_EQ(Form1->pictureWidth(), 320);
    EXPECT_EQ(Form1->pictureHeight(), 204);  // 65536 div 320
}

TEST_F(WindowTest, TheSizeTextCannotBeTyped) {
    Form1->CSpinEdit1->setFocus();
    QTest::keyClicks(Form1->CSpinEdit1, "9");
    EXPECT_EQ(Form1->pictureWidth(), 64);
    QTest::keyClick(Form1->CSpinEdit1, Qt::Key_Up);
    EXPECT_EQ(Form1->pictureWidth(), 72);
    QTest::keyClick(Form1->CSpinEdit1, Qt::Key_PageUp);
    EXPECT_EQ(Form1->pictureWidth(), 72);
    QTest::keyClick(Form1->CSpinEdit2, Qt::Key_Down);
    EXPECT_EQ(Form1->pictureHeight(), 63);
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
        Form1->CheckBox2->setChecked(c.magnified);
        Form1->PixelBuffer.clear();
        Form1->RedrawPicture();
        Form1->DrawGrid1->selectColumn(3);
        click(Qt::LeftButton, c.press.x(), c.press.y());
        EXPECT_EQ(Form1->PixelBuffer.at(c.index), 3) << c.press.x() << "," << c.press.y();
        EXPECT_EQ(workingPixel(c.pixel.x(), c.pixel.y()), kRed);
        const int s = Form1->ViewScale;
        EXPECT_EQ(viewPixel(c.pixel.x() * s + s / 2, c.pixel.y() * s + s / 2), kRed);
        // Nothing else changed.
        int painted = 0;
        for (int i = 0; i < 64 * 64; ++i) {
            painted += Form1->PixelBuffer.at(i) != 0;
        }
        EXPECT_EQ(painted, 1);
    }
}

TEST_F(WindowTest, OtherButtonsErase) {
    choosePalette(4);
    Form1->DrawGrid1->selectColumn(2);
    for (Qt::MouseButton eraser : {Qt::RightButton, Qt::MiddleButton}) {
        click(Qt::LeftButton, 20, 20);
        ASSERT_EQ(Form1->PixelBuffer.at(2 + 2 * 64), 2);
        ASSERT_EQ(workingPixel(2, 2), paletteColour(4, 2));
        click(eraser, 20, 20);
        EXPECT_EQ(Form1->PixelBuffer.at(2 + 2 * 64), 0);
        EXPECT_EQ(workingPixel(2, 2), kBlack);
        EXPECT_EQ(viewPixel(20, 20), kBlack);
        EXPECT_EQ(Form1->SelectedColor, 2);
    }
}

TEST_F(WindowTest, MovingWithTheButtonHeldPaintsNothing) {
    Form1->DrawGrid1->selectColumn(1);
    QTest::mousePress(Form1->Image1, Qt::LeftButton, {}, QPoint(4, 4));
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 60),
                     Form1->Image1->mapToGlobal(QPointF(60, 60)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(Form1->Image1, &move);
    QTest::mouseRelease(Form1->Image1, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(Form1->PixelBuffer.at(0), 1);
    EXPECT_EQ(Form1->PixelBuffer.at(7 + 7 * 64), 0);
}

TEST_F(WindowTest, PaletteFiveShowsEveryColourWhiteAndKeepsTheSwatch) {
    for (int c = 1; c <= 3; ++c) {
        Form1->DrawGrid1->selectColumn(c);
        click(Qt::LeftButton, c * 8 + 1, 1);
    }
    ASSERT_EQ(Form1->Shape1->brushColor(), kRed);
    choosePalette(5);
    const QRgb cells[] = {kBlack, kWhite, kWhite, kWhite};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(Form1->DrawGrid1->cellColour(c), cells[c]) << c;
        EXPECT_EQ(workingPixel(c, 0), cells[c]) << c;
    }
    EXPECT_EQ(Form1->Shape1->brushColor(), kRed);
    EXPECT_EQ(Form1->Label1->text(), "3");
    EXPECT_EQ(Form1->SelectedColor, 3);
    // Choosing a cell again takes the new palette's colour.
    Form1->DrawGrid1->selectColumn(3);
    EXPECT_EQ(Form1->Shape1->brushColor(), kWhite);
}

TEST_F(WindowTest, ClosingTheListWithoutAChangeStillRedraws) {
    Form1->PixelBuffer.set(5, 2);
    ASSERT_EQ(workingPixel(5, 0), kBlack);
    choosePalette(0);
    EXPECT_EQ(Form1->palette(), 0);
    EXPECT_EQ(workingPixel(5, 0), paletteColour(0, 2));
}

TEST_F(WindowTest, ColourCellsFollowMouseAndKeys) {
    QTest::mouseClick(Form1->DrawGrid1, Qt::LeftButton, {}, Form1->DrawGrid1->cellRect(2).center());
    EXPECT_EQ(Form1->SelectedColor, 2);
    EXPECT_EQ(Form1->Label1->text(), "2");
    EXPECT_EQ(Form1->Shape1->brushColor(), paletteColour(0, 2));
    QTest::keyClick(Form1->DrawGrid1, Qt::Key_Right);
    EXPECT_EQ(Form1->SelectedColor, 3);
    QTest::keyClick(Form1->DrawGrid1, Qt::Key_Right);  // no fifth cell
    EXPECT_EQ(Form1->SelectedColor, 3);
    QTest::keyClick(Form1->DrawGrid1, Qt::Key_Left);
    EXPECT_EQ(Form1->SelectedColor, 2);
}

TEST_F(WindowTest, PaletteListEntriesShowTheirPalette) {
    ASSERT_EQ(Form1->ComboBox1->count(), 16);
    for (int p = 0; p < 16; ++p) {
        EXPECT_EQ(Form1->ComboBox1->itemText(p), QString::number(p));
        QImage entry(100, 17, QImage::Format_RGB32);
        entry.fill(Qt::gray);
        {
            QPainter painter(&entry);
            Form1->ComboBox1DrawItem(painter, p, entry.rect(), false);
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
    Form1->CheckBox1->setChecked(true);
    ASSERT_TRUE(Form2->isVisible());
    EXPECT_EQ(Form2->size(), QSize(256, 256));
    Form2->close();
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(Form1->CheckBox1->isChecked());

    Form1->DrawGrid1->selectColumn(3);
    click(Qt::LeftButton, 12, 12);  // pixel (1, 1), shown 4 x 4 in the preview
    Form1->CheckBox1->setChecked(true);
    EXPECT_TRUE(Form2->isVisible());
    EXPECT_EQ(Form2->Image3->bitmap().pixel(5, 5), kRed);
    EXPECT_EQ(Form2->Image3->bitmap().pixel(3, 5), kBlack);
    Form1->CheckBox1->setChecked(false);
    EXPECT_FALSE(Form2->isVisible());
}

TEST_F(WindowTest, PreviewIsDraggedByItsBody) {
    Form1->CheckBox1->setChecked(true);
    const QPoint start = Form2->pos();
    QTest::mousePress(Form2, Qt::LeftButton, {}, QPoint(10, 10));
    const QPoint to = Form2->mapToGlobal(QPoint(40, 25));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 25), QPointF(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(Form2, &move);
    QTest::mouseRelease(Form2, Qt::LeftButton, {}, QPoint(40, 25));
    EXPECT_EQ(Form2->pos(), start + QPoint(30, 15));
}

TEST_F(WindowTest, AboutIsModalAndCentredOnTheMainWindow) {
    Form1->N13->trigger();
    ASSERT_TRUE(Form3->isVisible());
    EXPECT_EQ(Form3->windowModality(), Qt::ApplicationModal);
    const QPoint centre = Form1->frameGeometry().center();
    EXPECT_LE(std::abs(Form3->frameGeometry().center().x() - centre.x()), 1)
        << Form3->frameGeometry().center().x() << " " << centre.x();
    EXPECT_LE(std::abs(Form3->frameGeometry().center().y() - centre.y()), 1)
        << Form3->frameGeometry().center().y() << " " << centre.y();
    EXPECT_EQ(Form3->Label1->text(), "Tovik");
    EXPECT_EQ(Form3->Label2->text(), "Tovik");
    EXPECT_EQ(Form3->Label1->pos(), QPoint(73, 5));
    EXPECT_EQ(Form3->Label2->pos(), QPoint(72, 4));
    EXPECT_EQ(Form3->Label3->text(), "Tovik Images");
    EXPECT_EQ(Form3->Label5->text(), "v 0.7");
    // The black nickname lies over the white one.
    EXPECT_GT(Form3->children().indexOf(Form3->Label2), Form3->children().indexOf(Form3->Label1));
    Form3->close();
}

TEST_F(WindowTest, ChunkSettingsItemShowsItsWindowOnceEnabled) {
    EXPECT_FALSE(Form1->N24->isEnabled());
    Form1->N24->setEnabled(true);
    Form1->N24->trigger();
    EXPECT_TRUE(Chank_config->isVisible());
}

TEST_F(WindowTest, ExitEndsTheMessageLoop) {
    QTimer::singleShot(0, Form1->N9, &QAction::trigger);
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
    EXPECT_EQ(Form1->ZoomX, 8);
}

}  // namespace
