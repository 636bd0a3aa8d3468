// The Floyd–Steinberg window driven through its own controls: the threshold and its
// label, the mode box, "Просмотр" converting the loaded picture (again and again, from
// what the last run left) and "Ok".
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <string>
#include <vector>

#include "picture/palette.h"
#include "ui/floydsteinbergwindow.h"
#include "windowtest.h"

namespace {

QImage uniform(QRgb colour) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

std::string bufferRow(int y) {
    const int w = doc().width();
    std::string row;
    for (int x = 0; x < w; ++x) {
        row += static_cast<char>('0' + doc().buffer().at(x + y * w));
    }
    return row;
}

void fillBuffer(int value) {
    for (int i = 0; i < doc().width() * doc().height(); ++i) {
        setEntry(i, value);
    }
}

TEST_F(WindowTest, FloydSteinbergWindowStartsMonochromeAt96) {
    EXPECT_EQ(fsWindow()->findChild<QSlider*>("TrackBar1"), fsWindow()->thresholdBar);
    EXPECT_EQ(fsWindow()->thresholdBar->value(), 96);
    EXPECT_EQ(fsWindow()->thresholdBar->minimum(), 0);
    EXPECT_EQ(fsWindow()->thresholdBar->maximum(), 255);
    EXPECT_EQ(fsWindow()->thresholdBar->tickInterval(), 10);
    EXPECT_EQ(fsWindow()->findChild<QLabel*>("Label1"), fsWindow()->thresholdCaption);
    EXPECT_EQ(fsWindow()->thresholdCaption->text(), QStringLiteral("Порог черного"));
    EXPECT_TRUE(fsWindow()->thresholdCaption->font().bold());
    EXPECT_EQ(fsWindow()->findChild<QLabel*>("Label2"), fsWindow()->thresholdLabel);
    EXPECT_EQ(fsWindow()->thresholdLabel->text(), "96");
    EXPECT_TRUE(fsWindow()->thresholdLabel->font().bold());
    EXPECT_EQ(fsWindow()->findChild<QCheckBox*>("CheckBox1"), fsWindow()->monochromeBox);
    EXPECT_EQ(fsWindow()->monochromeBox->text(), QStringLiteral("Монохром"));
    EXPECT_TRUE(fsWindow()->monochromeBox->isChecked());
    EXPECT_EQ(fsWindow()->monochromeBox->layoutDirection(), Qt::RightToLeft);  // caption first
    // Caption and box on one line, the bar below, its label to its right.
    EXPECT_LT(fsWindow()->thresholdCaption->geometry().bottom(), fsWindow()->thresholdBar->y());
    EXPECT_LT(fsWindow()->monochromeBox->geometry().bottom(), fsWindow()->thresholdBar->y() + 4);
    EXPECT_GT(fsWindow()->thresholdLabel->x(), fsWindow()->thresholdBar->geometry().right());
    EXPECT_EQ(fsWindow()->previewButton->text(), QStringLiteral("Просмотр"));
    EXPECT_EQ(fsWindow()->okButton->text(), "Ok");
    EXPECT_LT(fsWindow()->previewButton->x(), fsWindow()->okButton->x());
    EXPECT_EQ(fsWindow()->settings().threshold, 96);
    EXPECT_TRUE(fsWindow()->settings().monochrome);
}

TEST_F(WindowTest, TheThresholdLabelFollowsTheBarWithoutConverting) {
    struct Step {
        int value;  // -1: the Right key, -2: the End key
        int expected;
        const char* label;
    };
    const Step steps[] = {{0, 0, "0"}, {-1, 1, "1"}, {200, 200, "200"}, {-2, 255, "255"}};
    setEntry(9, 3);
    for (const auto& s : steps) {
        if (s.value == -1) {
            QTest::keyClick(fsWindow()->thresholdBar, Qt::Key_Right);
        } else if (s.value == -2) {
            QTest::keyClick(fsWindow()->thresholdBar, Qt::Key_End);
        } else {
            fsWindow()->thresholdBar->setValue(s.value);
        }
        EXPECT_EQ(fsWindow()->thresholdBar->value(), s.expected);
        EXPECT_EQ(fsWindow()->thresholdLabel->text(), s.label);
        EXPECT_EQ(fsWindow()->settings().threshold, s.expected);
    }
    EXPECT_EQ(doc().buffer().at(9), 3);
}

TEST_F(WindowTest, PreviewConvertsTheVisitedPixelsInTheModeOfTheBox) {
    struct Case {
        const char* name;
        QRgb colour;
        bool monochrome;
        int threshold;
        int fill;  // what the buffer held before: kept outside the visited pixels
        std::string row0, row1;
    };
    const Case cases[] = {
        {"mono white", qRgb(255, 255, 255), true, 96, 1, "12222221", "12222221"},
        {"mono black", qRgb(0, 0, 0), true, 96, 1, "10000001", "10000001"},
        {"mono white at 255", qRgb(255, 255, 255), true, 255, 1, "10000001", "10000001"},
        {"mono green at 254", qRgb(0, 255, 0), true, 254, 1, "12222221", "12222221"},
        {"colour red", qRgb(255, 0, 0), false, 96, 1, "13333331", "13333331"},
        {"colour green", qRgb(0, 255, 0), false, 96, 1, "12222221", "12222221"},
        {"colour blue", qRgb(0, 0, 255), false, 96, 3, "31111113", "31111113"},
        {"colour white", qRgb(255, 255, 255), false, 96, 1, "13232321", "12323231"},
        {"colour black", qRgb(0, 0, 0), false, 96, 1, "10000001", "10000001"},
    };
    fsWindow()->show();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        givePicture(uniform(c.colour));
        fillBuffer(c.fill);
        fsWindow()->thresholdBar->setValue(c.threshold);
        if (fsWindow()->monochromeBox->isChecked() != c.monochrome) {
            QTest::mouseClick(fsWindow()->monochromeBox, Qt::LeftButton);
        }
        QTest::mouseClick(fsWindow()->previewButton, Qt::LeftButton);
        EXPECT_EQ(bufferRow(0), c.row0);
        EXPECT_EQ(bufferRow(1), c.row1);
        EXPECT_EQ(bufferRow(6), c.row0);  // the last visited row
        // The last row is never visited.
        EXPECT_EQ(bufferRow(7), std::string(8, static_cast<char>('0' + c.fill)));
        EXPECT_EQ(workingPixel(1, 0), tovik::paletteColour(0, c.row0[1] - '0'));
    }
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(dialogs->asked.empty());
}

TEST_F(WindowTest, PreviewAgainConvertsWhatTheLastRunLeft) {
    givePicture(uniform(qRgb(100, 100, 100)));
    QTest::mouseClick(fsWindow()->previewButton, Qt::LeftButton);
    const tovik::PixelBuffer first = doc().buffer();
    const QImage diffused = doc().sourcePicture().copy();
    EXPECT_NE(diffused, doc().fittedPicture());
    QTest::mouseClick(fsWindow()->previewButton, Qt::LeftButton);
    EXPECT_NE(doc().buffer(), first);
    EXPECT_NE(doc().sourcePicture(), diffused);
    // The first visited pixel gets no error from any other: on both times.
    EXPECT_EQ(first.at(1), 2);
    EXPECT_EQ(doc().buffer().at(1), 2);
}

TEST_F(WindowTest, OkHidesTheFloydSteinbergWindowAndKeepsThePicture) {
    givePicture(uniform(qRgb(255, 255, 255)));
    fsWindow()->show();
    QTest::mouseClick(fsWindow()->previewButton, Qt::LeftButton);
    const tovik::PixelBuffer converted = doc().buffer();
    QTest::mouseClick(fsWindow()->okButton, Qt::LeftButton);
    EXPECT_FALSE(fsWindow()->isVisible());
    EXPECT_EQ(doc().buffer(), converted);
    EXPECT_EQ(doc().buffer().at(1), 2);
}

}  // namespace
