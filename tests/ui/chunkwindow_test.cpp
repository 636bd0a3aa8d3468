// The chunk settings window driven through its own controls: the rows and their squares,
// the key filter of the edits, Enter applying the colours, "Просмотр", "Сброс", "Ок",
// and the edits' integer conversion with its failures.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "picture/error.h"
#include "picture/palette.h"
#include "ui/chunksettingswindow.h"
#include "windowtest.h"

namespace {

using tovik::ChunkColour;

// The rows as the window definition lays them out: the red, green and blue edits, the
// fixed square's colour and the edits' starting texts.
struct Row {
    int red, green, blue;
    QRgb fixed;
    int r, g, b;
};
constexpr Row kRows[16] = {
    {1, 2, 3, 0x000000, 10, 10, 10},       {4, 6, 5, 0x464646, 40, 40, 40},
    {7, 8, 9, 0xFF0000, 220, 50, 50},      {10, 11, 12, 0x7F0000, 127, 50, 50},
    {13, 14, 15, 0x00FF00, 50, 220, 50},   {16, 17, 18, 0x007F00, 50, 100, 50},
    {19, 20, 21, 0x0000FF, 50, 50, 220},   {22, 23, 24, 0x00007F, 10, 10, 127},
    {25, 26, 27, 0xFFFF00, 220, 220, 50},  {28, 29, 30, 0x7F7F00, 124, 127, 20},
    {31, 32, 33, 0x00FFFF, 50, 200, 200},  {34, 35, 36, 0x007F7F, 20, 100, 100},
    {37, 38, 39, 0xFF00FF, 200, 50, 200},  {40, 41, 42, 0x7F007F, 127, 50, 127},
    {43, 44, 45, 0x7F7F7F, 100, 100, 100}, {46, 47, 48, 0xFFFFFF, 255, 255, 255},
};

QLineEdit* edit(int number) {
    return chunkWindow()->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
}

// The colour a row's reference square shows.
QRgb square(int row) {
    return chunkWindow()->referenceSquares[row - 1]->brushColor();
}

void press(QWidget* widget, Qt::Key key, const QString& text,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::sendKeyEvent(QTest::Click, widget, key, text, modifiers);
}

void pressEnter(QWidget* widget) {
    press(widget, Qt::Key_Return, QStringLiteral("\r"));
}

// Empties an edit with backspace, then types the digits, as the user does.
void retype(QLineEdit* target, const char* digits) {
    target->end(false);
    for (qsizetype i = target->text().size(); i > 0; --i) {
        press(target, Qt::Key_Backspace, QStringLiteral("\b"));
    }
    for (const char* c = digits; *c != '\0'; ++c) {
        QTest::keyClick(target, *c);
    }
}

QImage uniform(int value) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(qRgb(value, value, value));
    return picture;
}

void clickPreview() {
    QTest::mouseClick(chunkWindow()->previewButton, Qt::LeftButton);
}

// The grey 128 picture with the starting references: pattern 14 in every chunk but the
// first, whose colour is the mean with the register's starting black (pattern 1).
const std::vector<std::string> kGreyAtStart = {"00101010", "01232323", "10101010", "23232323"};

TEST(ParseInteger, SignAndDecimalDigitsOnly) {
    const std::pair<const char*, int> good[] = {
        {"0", 0},
        {"7", 7},
        {"255", 255},
        {"999", 999},
        {"007", 7},
        {"+5", 5},
        {"-5", -5},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : good) {
        EXPECT_EQ(tovik::parseInteger(QString::fromUtf8(text)), value) << text;
    }
    const char* bad[] = {"",    " 7",         "7 ",          "1a",        "+",  "-",
                         "--1", "$FF",        "0x10",        "1.5",       "x9", "٣",
                         "１",  "2147483648", "-2147483649", "9999999999"};
    for (const char* text : bad) {
        try {
            tovik::parseInteger(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const tovik::Error& error) {
            EXPECT_EQ(
                error.message(),
                QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(text)));
        }
    }
}

TEST_F(WindowTest, ChunkSettingsRowsStartAsTheTableSays) {
    for (int r = 1; r <= 16; ++r) {
        SCOPED_TRACE(r);
        const Row& row = kRows[r - 1];
        const int top = 12 + 36 * (r - 1);
        Shape* fixed = chunkWindow()->findChild<Shape*>(QStringLiteral("Shape%1").arg(r));
        ASSERT_EQ(fixed, chunkWindow()->patternSquares[r - 1]);
        EXPECT_EQ(fixed->geometry(), QRect(12, top, 32, 32));
        EXPECT_EQ(fixed->brushColor(), 0xFF000000 | row.fixed);
        Shape* reference = chunkWindow()->findChild<Shape*>(QStringLiteral("Shape%1").arg(16 + r));
        ASSERT_EQ(reference, chunkWindow()->referenceSquares[r - 1]);
        EXPECT_EQ(reference->geometry(), QRect(288, top, 32, 32));
        EXPECT_EQ(reference->brushColor(), qRgb(row.r, row.g, row.b));
        const struct {
            int number, left, value;
            QRgb letters;
        } edits[3] = {{row.red, 68, row.r, 0xFFFF0000},
                      {row.green, 144, row.g, 0xFF008000},
                      {row.blue, 220, row.b, 0xFF0000FF}};
        for (const auto& e : edits) {
            QLineEdit* found =
                chunkWindow()->findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(e.number));
            ASSERT_EQ(found, edit(e.number)) << e.number;
            EXPECT_EQ(found->geometry(), QRect(e.left, top + 4, 41, 24));
            EXPECT_EQ(found->text(), QString::number(e.value));
            EXPECT_EQ(found->maxLength(), 3);
            EXPECT_EQ(found->palette().color(QPalette::Text).rgb(), e.letters);
            EXPECT_EQ(found->palette().color(QPalette::Base).rgb(), 0xFFFFFBF0);
            EXPECT_EQ(found->font().pixelSize(), 13);
            EXPECT_TRUE(found->font().bold());
        }
    }
    EXPECT_EQ(square(10), qRgb(124, 127, 20));
    EXPECT_EQ(edit(49)->geometry(), QRect(280, 588, 37, 21));
    EXPECT_EQ(edit(49)->text(), "96");
    EXPECT_EQ(edit(49)->maxLength(), 3);
    EXPECT_EQ(chunkWindow()->squaredBox->text(), QStringLiteral("Квадратичная"));
    EXPECT_EQ(chunkWindow()->squaredBox->pos(), QPoint(12, 592));
    EXPECT_TRUE(chunkWindow()->squaredBox->isChecked());
    EXPECT_EQ(chunkWindow()->toningBox->text(), QStringLiteral("Тонирование"));
    EXPECT_EQ(chunkWindow()->toningBox->pos(), QPoint(168, 592));
    EXPECT_FALSE(chunkWindow()->toningBox->isChecked());
    const std::pair<QPushButton*, QRect> buttons[] = {
        {chunkWindow()->resetButton, QRect(16, 616, 75, 25)},
        {chunkWindow()->previewButton, QRect(168, 616, 75, 25)},
        {chunkWindow()->okButton, QRect(256, 616, 75, 25)},
    };
    for (const auto& [button, geometry] : buttons) {
        EXPECT_EQ(button->geometry(), geometry) << button->objectName().toStdString();
    }
    EXPECT_EQ(chunkWindow()->resetButton->text(), QStringLiteral("Сброс"));
    EXPECT_EQ(chunkWindow()->previewButton->text(), QStringLiteral("Просмотр"));
    EXPECT_EQ(chunkWindow()->okButton->text(), QStringLiteral("Ок"));
    EXPECT_TRUE(chunkWindow()->font().bold());
    EXPECT_EQ(chunkWindow()->font().pointSize(), 8);
    // Nothing is read into the main window before a conversion.
    EXPECT_EQ(doc().chunkReferences(), tovik::ChunkReferences{});
}

TEST_F(WindowTest, ColourEditsTakeOnlyTypedDigitsAndBackspace) {
    struct Case {
        const char* name;
        Qt::Key key;
        QString text;
        Qt::KeyboardModifiers modifiers;
        const char* expected;
    };
    const Case cases[] = {
        {"letter", Qt::Key_A, "a", Qt::NoModifier, "10"},
        {"capital", Qt::Key_Z, "Z", Qt::ShiftModifier, "10"},
        {"cyrillic", Qt::Key_unknown, QStringLiteral("ж"), Qt::NoModifier, "10"},
        {"greek", Qt::Key_unknown, QStringLiteral("λ"), Qt::NoModifier, "10"},
        {"space", Qt::Key_Space, " ", Qt::NoModifier, "10"},
        {"minus", Qt::Key_Minus, "-", Qt::NoModifier, "10"},
        {"plus", Qt::Key_Plus, "+", Qt::ShiftModifier, "10"},
        {"digit", Qt::Key_5, "5", Qt::NoModifier, "105"},
        {"keypad digit", Qt::Key_7, "7", Qt::KeypadModifier, "107"},
        {"backspace", Qt::Key_Backspace, "\b", Qt::NoModifier, "1"},
        {"return", Qt::Key_Return, "\r", Qt::NoModifier, "10"},
        {"keypad enter", Qt::Key_Enter, "\r", Qt::KeypadModifier, "10"},
    };
    for (int number : {2, 5, 49}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            edit(number)->setText("10");
            press(edit(number), c.key, c.text, c.modifiers);
            EXPECT_EQ(edit(number)->text(), c.expected) << number;
        }
    }
    // A fourth digit does not fit.
    edit(2)->setText("10");
    QTest::keyClicks(edit(2), "56");
    EXPECT_EQ(edit(2)->text(), "105");
    // Keys that type nothing still edit.
    press(edit(2), Qt::Key_Left, {});
    press(edit(2), Qt::Key_Delete, {});
    EXPECT_EQ(edit(2)->text(), "10");
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, PastedTextIsAcceptedAndReportedWhenUsed) {
    QGuiApplication::clipboard()->setText("x9");
    edit(1)->selectAll();
    press(edit(1), Qt::Key_V, "v", Qt::ControlModifier);
    EXPECT_EQ(edit(1)->text(), "x9");
    pressEnter(edit(3));
    EXPECT_EQ(dialogs->errors, (std::vector<QString>{"'x9' is not a valid integer value"}));
    EXPECT_EQ(square(1), qRgb(10, 10, 10));
}

TEST_F(WindowTest, TypedColourReachesItsSquareOnlyOnEnterInAColourEdit) {
    struct Case {
        int enterIn;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {{47, Qt::Key_Return, Qt::NoModifier},
                          {1, Qt::Key_Return, Qt::NoModifier},
                          {5, Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.enterIn);
        edit(1)->setText("10");
        chunkWindow()->updateSquares();
        retype(edit(1), "200");
        EXPECT_EQ(edit(1)->text(), "200");
        EXPECT_EQ(square(1), qRgb(10, 10, 10));
        const QString before = edit(c.enterIn)->text();
        press(edit(c.enterIn), c.key, "\r", c.modifiers);
        EXPECT_EQ(square(1), qRgb(200, 10, 10));
        EXPECT_EQ(edit(c.enterIn)->text(), before);  // Enter types nothing
    }
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, EnterInTheThresholdEditDoesNothing) {
    retype(edit(1), "200");
    pressEnter(edit(49));
    EXPECT_EQ(square(1), qRgb(10, 10, 10));
    EXPECT_EQ(edit(49)->text(), "96");
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, AnEmptiedEditStopsTheSquaresAtItsRow) {
    retype(edit(1), "99");  // row 1
    retype(edit(8), "1");   // row 3, green
    retype(edit(10), "");   // row 4, red
    retype(edit(46), "0");  // row 16
    pressEnter(edit(10));
    EXPECT_EQ(dialogs->errors, (std::vector<QString>{"'' is not a valid integer value"}));
    EXPECT_EQ(square(1), qRgb(99, 10, 10));
    EXPECT_EQ(square(3), qRgb(220, 1, 50));
    EXPECT_EQ(square(4), qRgb(127, 50, 50));
    EXPECT_EQ(square(16), qRgb(255, 255, 255));
    EXPECT_EQ(edit(10)->text(), "");
    // The window goes on working.
    QTest::keyClick(edit(10), '5');
    pressEnter(edit(10));
    EXPECT_EQ(dialogs->errors.size(), 1u);
    EXPECT_EQ(square(4), qRgb(5, 50, 50));
    EXPECT_EQ(square(16), qRgb(0, 255, 255));
}

TEST_F(WindowTest, ValuesCountByTheirLowEightBits) {
    struct Case {
        const char* text;
        bool typed;  // otherwise inserted, as a paste does
        int byte;
    };
    const Case cases[] = {{"300", true, 44},  {"256", true, 0},   {"999", true, 231},
                          {"255", true, 255}, {"-1", false, 255}, {"+5", false, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.typed) {
            retype(edit(6), c.text);  // row 2, green
        } else {
            edit(6)->setText(c.text);
        }
        EXPECT_EQ(edit(6)->text(), c.text);
        pressEnter(edit(48));
        EXPECT_EQ(square(2), qRgb(40, c.byte, 40));
        clickPreview();
        EXPECT_EQ(doc().chunkReferences()[1], (ChunkColour{40, static_cast<uint8_t>(c.byte), 40}));
    }
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, PreviewConvertsWithTheTextsNotTheSquares) {
    givePicture(uniform(128));
    chunkWindow()->show();
    clickPreview();
    EXPECT_EQ(bufferRows(4), kGreyAtStart);
    EXPECT_EQ(doc().chunkReferences(), tovik::kChunkStartReferences);

    // Row 2 (pattern 1: black with one blue pixel) now matches the grey exactly; the
    // first chunk's darker mean goes to pattern 5 (green and black).
    retype(edit(4), "128");
    retype(edit(6), "128");
    retype(edit(5), "128");
    clickPreview();
    EXPECT_EQ(bufferRows(4),
              (std::vector<std::string>{"20000000", "02010101", "00000000", "01010101"}));
    EXPECT_EQ(doc().chunkReferences()[1], (ChunkColour{128, 128, 128}));
    EXPECT_EQ(square(2), qRgb(40, 40, 40));
    EXPECT_EQ(workingPixel(0, 0), tovik::paletteColour(0, 2));
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(dialogs->asked.empty());
}

TEST_F(WindowTest, ResetRestoresTheEditsAndSquaresOnly) {
    retype(edit(28), "200");
    retype(edit(1), "5");
    retype(edit(47), "");
    retype(edit(49), "12");
    QTest::mouseClick(chunkWindow()->squaredBox, Qt::LeftButton);
    QTest::mouseClick(chunkWindow()->toningBox, Qt::LeftButton);
    pressEnter(edit(1));  // stops at the empty row 16 edit
    ASSERT_EQ(square(10), qRgb(200, 127, 20));
    dialogs->errors.clear();

    QTest::mouseClick(chunkWindow()->resetButton, Qt::LeftButton);
    for (int r = 1; r <= 16; ++r) {
        SCOPED_TRACE(r);
        const Row& row = kRows[r - 1];
        const int red = r == 10 ? 127 : row.r;
        EXPECT_EQ(edit(row.red)->text(), QString::number(red));
        EXPECT_EQ(edit(row.green)->text(), QString::number(row.g));
        EXPECT_EQ(edit(row.blue)->text(), QString::number(row.b));
        EXPECT_EQ(square(r), qRgb(red, row.g, row.b));
    }
    EXPECT_EQ(edit(49)->text(), "12");
    EXPECT_FALSE(chunkWindow()->squaredBox->isChecked());
    EXPECT_TRUE(chunkWindow()->toningBox->isChecked());
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, TheToningThresholdIsReadOnlyWhenToning) {
    struct Case {
        const char* name;
        bool toning;
        const char* threshold;  // put in as a paste would
        const char* error;      // nullptr: converted
    };
    const Case cases[] = {
        {"empty, toning", true, "", "'' is not a valid integer value"},
        {"letters, toning", true, "9x", "'9x' is not a valid integer value"},
        {"empty, no toning", false, "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->errors.clear();
        givePicture(uniform(128));
        for (int i = 0; i < 64; ++i) {
            setEntry(i, 3);
        }
        const tovik::PixelBuffer before = doc().buffer();
        chunkWindow()->toningBox->setChecked(c.toning);
        edit(49)->setText(c.threshold);
        clickPreview();
        if (c.error != nullptr) {
            EXPECT_EQ(dialogs->errors, (std::vector<QString>{c.error}));
            EXPECT_EQ(doc().buffer(), before);
            EXPECT_EQ(doc().sourcePicture(), doc().fittedPicture());
        } else {
            EXPECT_TRUE(dialogs->errors.empty());
            EXPECT_EQ(bufferRows(4), kGreyAtStart);
        }
    }
}

TEST_F(WindowTest, ABadColourEditStopsTheReadingBeforeTheConversion) {
    givePicture(uniform(128));
    setEntry(1, 2);
    const tovik::PixelBuffer before = doc().buffer();
    edit(20)->setText("1x");  // row 7, green
    clickPreview();
    EXPECT_EQ(dialogs->errors, (std::vector<QString>{"'1x' is not a valid integer value"}));
    EXPECT_EQ(doc().buffer(), before);
    tovik::ChunkReferences expected{};
    for (int k = 0; k < 6; ++k) {
        expected[static_cast<size_t>(k)] = tovik::kChunkStartReferences[static_cast<size_t>(k)];
    }
    expected[6] = {50, 0, 0};  // its red was read
    EXPECT_EQ(doc().chunkReferences(), expected);
}

TEST_F(WindowTest, PreviewWithToningTwiceDiffers) {
    givePicture(uniform(100));
    chunkWindow()->toningBox->setChecked(true);
    clickPreview();
    const tovik::PixelBuffer first = doc().buffer();
    const QImage toned = doc().sourcePicture().copy();
    EXPECT_NE(toned, doc().fittedPicture());
    clickPreview();
    EXPECT_NE(doc().buffer(), first);
    EXPECT_NE(doc().sourcePicture(), toned);
    EXPECT_TRUE(dialogs->errors.empty());
}

TEST_F(WindowTest, OkHidesTheChunkSettingsAndKeepsTheirContents) {
    chunkWindow()->show();
    retype(edit(30), "7");
    QTest::mouseClick(chunkWindow()->okButton, Qt::LeftButton);
    EXPECT_FALSE(chunkWindow()->isVisible());
    EXPECT_EQ(edit(30)->text(), "7");
    mainWindow()->menu.chunkSettingsAction->setEnabled(true);
    mainWindow()->menu.chunkSettingsAction->trigger();
    EXPECT_TRUE(chunkWindow()->isVisible());
    EXPECT_EQ(edit(30)->text(), "7");
}

}  // namespace
