// The thresholds window driven through its own controls: track bars and their labels,
// the reset by right click and by "Сброс", "Просмотр" converting the loaded picture,
// and "Ок".
#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <string>
#include <vector>

#include "picture/palette.h"
#include "ui/thresholdswindow.h"
#include "windowtest.h"

namespace {

constexpr int kDefaults[10] = {0, 250, 50, 50, 128, 30, 128, 30, 128, 96};

// A picture as the import leaves it: the loaded and the fitted picture, and the size.

void rightClick(QWidget* widget) {
    const QPoint centre = widget->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &event);
}

void setAll(int value) {
    for (int i = 1; i <= 9; ++i) {
        thresholdsWindow()->thresholdBars[i]->setValue(value);
    }
}

std::vector<int> positions() {
    std::vector<int> values;
    for (int i = 1; i <= 9; ++i) {
        values.push_back(thresholdsWindow()->thresholdBars[i]->value());
    }
    return values;
}

// Eight columns of colours that each fall to another rule, over two rows so that both
// checkerboard phases show; the six rows below are black.
QImage ruleSampler() {
    const QRgb columns[8] = {qRgb(0, 0, 0),     qRgb(255, 255, 255), qRgb(255, 0, 0),
                             qRgb(120, 0, 0),   qRgb(0, 255, 0),     qRgb(0, 0, 255),
                             qRgb(255, 255, 0), qRgb(128, 128, 128)};
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x) {
            picture.setPixel(x, y, columns[x]);
        }
    }
    return picture;
}

TEST_F(WindowTest, ThresholdsWindowStartsAtTheDefaults) {
    const QRgb shapeColours[9] = {0,          0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 0xFFA60000,
                                  0xFF80FF00, 0xFF008000, 0xFF0000FF, 0xFF000080};
    for (int i = 1; i <= 9; ++i) {
        SCOPED_TRACE(i);
        QSlider* bar = thresholdsWindow()->findChild<QSlider*>(QStringLiteral("TrackBar%1").arg(i));
        ASSERT_EQ(bar, thresholdsWindow()->thresholdBars[i]);
        EXPECT_EQ(bar->value(), kDefaults[i]);
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 255);
        EXPECT_EQ(bar->tickInterval(), 10);
        QLabel* label = thresholdsWindow()->findChild<QLabel*>(QStringLiteral("Label%1").arg(i));
        ASSERT_EQ(label, thresholdsWindow()->valueLabels[i]);
        EXPECT_EQ(label->text(), QString::number(kDefaults[i]));
        EXPECT_TRUE(label->font().bold());
        if (i <= 8) {
            Shape* shape = thresholdsWindow()->findChild<Shape*>(QStringLiteral("Shape%1").arg(i));
            ASSERT_EQ(shape, thresholdsWindow()->squares[i]);
            EXPECT_EQ(shape->brushColor(), shapeColours[i]);
            EXPECT_EQ(shape->size(), QSize(37, 37));
            EXPECT_EQ(shape->toolTip(), QStringLiteral("Правая кнопка - СБРОС"));
        }
    }
    EXPECT_EQ(thresholdsWindow()->toningBox->text(), QStringLiteral("Тонирование"));
    EXPECT_FALSE(thresholdsWindow()->toningBox->isChecked());
    EXPECT_EQ(thresholdsWindow()->resetButton->text(), QStringLiteral("Сброс"));
    EXPECT_EQ(thresholdsWindow()->previewButton->text(), QStringLiteral("Просмотр"));
    EXPECT_EQ(thresholdsWindow()->okButton->text(), QStringLiteral("Ок"));
    EXPECT_TRUE(thresholdsWindow()->previewButton->font().bold());
    // Left, centre, right.
    EXPECT_LT(thresholdsWindow()->resetButton->x(), thresholdsWindow()->previewButton->x());
    EXPECT_LT(thresholdsWindow()->previewButton->x(), thresholdsWindow()->okButton->x());
    const auto settings = thresholdsWindow()->settings();
    EXPECT_EQ(settings.t, tovik::kDefaultThresholds);
    EXPECT_FALSE(settings.toning);
}

TEST_F(WindowTest, MovingATrackBarWritesItsLabelOnly) {
    struct Case {
        int bar;
        int value;
        const char* label;
    };
    const Case cases[] = {{1, 0, "0"}, {2, 255, "255"}, {5, 31, "31"}, {9, 7, "7"}};
    setEntry(0, 3);
    for (const auto& c : cases) {
        thresholdsWindow()->thresholdBars[c.bar]->setValue(c.value);
        EXPECT_EQ(thresholdsWindow()->valueLabels[c.bar]->text(), c.label) << c.bar;
    }
    // The keyboard moves a bar one step.
    QTest::keyClick(thresholdsWindow()->thresholdBars[4], Qt::Key_Right);
    EXPECT_EQ(thresholdsWindow()->thresholdBars[4]->value(), 129);
    EXPECT_EQ(thresholdsWindow()->valueLabels[4]->text(), "129");
    EXPECT_EQ(doc().buffer().at(0), 3);  // nothing converted
    EXPECT_EQ(thresholdsWindow()->settings().t,
              (std::array<int, 9>{0, 255, 50, 129, 31, 128, 30, 128, 7}));
}

TEST_F(WindowTest, RightClickOnAShapeResetsTheBarOfItsRowOnly) {
    for (int i = 1; i <= 8; ++i) {
        SCOPED_TRACE(i);
        setAll(3);
        rightClick(thresholdsWindow()->squares[i]);
        for (int j = 1; j <= 9; ++j) {
            EXPECT_EQ(thresholdsWindow()->thresholdBars[j]->value(), j == i ? kDefaults[i] : 3)
                << j;
            EXPECT_EQ(thresholdsWindow()->valueLabels[j]->text(),
                      QString::number(j == i ? kDefaults[i] : 3));
        }
    }
}

TEST_F(WindowTest, ResetSetsAllNineBackFirstToLast) {
    setAll(3);
    thresholdsWindow()->toningBox->setChecked(true);
    std::vector<int> order;
    for (int i = 1; i <= 9; ++i) {
        QObject::connect(thresholdsWindow()->thresholdBars[i], &QSlider::valueChanged,
                         thresholdsWindow(), [&order, i] { order.push_back(i); });
    }
    thresholdsWindow()->show();
    QTest::mouseClick(thresholdsWindow()->resetButton, Qt::LeftButton);
    EXPECT_EQ(positions(), (std::vector<int>{250, 50, 50, 128, 30, 128, 30, 128, 96}));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(thresholdsWindow()->valueLabels[i]->text(), QString::number(kDefaults[i]));
    }
    EXPECT_TRUE(thresholdsWindow()->toningBox->isChecked());  // the box is not a track bar
}

TEST_F(WindowTest, PreviewConvertsWithThePositionsNowSet) {
    struct Case {
        const char* name;
        int bar;  // 0: none moved
        int value;
        bool toning;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"defaults", 0, 0, false, {"03302131", "02332122", "00000000"}},
        // Black below 130 takes the dark red and the grey as well.
        {"black threshold 130", 2, 130, false, {"03302130", "02302120", "00000000"}},
        // Every visited pixel is dark: columns 1..6 of rows 0..6 become 0.
        {"toning at 255", 9, 255, true, {"00000001", "00000002", "00000000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTest::mouseClick(thresholdsWindow()->resetButton, Qt::LeftButton);
        givePicture(ruleSampler());
        setEntry(9215, 3);
        setEntry(9216, 3);
        if (c.bar != 0) {
            thresholdsWindow()->thresholdBars[c.bar]->setValue(c.value);
        }
        thresholdsWindow()->toningBox->setChecked(c.toning);
        thresholdsWindow()->show();
        QTest::mouseClick(thresholdsWindow()->previewButton, Qt::LeftButton);
        EXPECT_EQ(bufferRows(3), c.rows);
        // The first 9,216 entries are cleared, whatever the picture size.
        EXPECT_EQ(doc().buffer().at(9215), 0);
        EXPECT_EQ(doc().buffer().at(9216), 3);
        // And the working bitmap is redrawn from them.
        EXPECT_EQ(workingPixel(2, 0), tovik::paletteColour(0, doc().buffer().at(2)));
        EXPECT_EQ(workingPixel(7, 1), tovik::paletteColour(0, doc().buffer().at(15)));
    }
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(dialogs->asked.empty());  // no file dialog
}

TEST_F(WindowTest, PreviewTwiceGivesTheSamePictureWithOrWithoutToning) {
    QImage ramp(16, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) {
            ramp.setPixel(x, y, qRgb(16 * x, 30 * y, 100));
        }
    }
    for (bool toning : {false, true}) {
        SCOPED_TRACE(toning);
        givePicture(ramp);
        thresholdsWindow()->toningBox->setChecked(toning);
        QTest::mouseClick(thresholdsWindow()->previewButton, Qt::LeftButton);
        const tovik::PixelBuffer first = doc().buffer();
        const QImage source = doc().sourcePicture().copy();
        QTest::mouseClick(thresholdsWindow()->previewButton, Qt::LeftButton);
        EXPECT_EQ(doc().buffer(), first);
        EXPECT_EQ(doc().sourcePicture(), source);
    }
}

TEST_F(WindowTest, OkHidesTheThresholdsWindowAndKeepsThePicture) {
    givePicture(ruleSampler());
    thresholdsWindow()->show();
    QTest::mouseClick(thresholdsWindow()->previewButton, Qt::LeftButton);
    const tovik::PixelBuffer converted = doc().buffer();
    thresholdsWindow()->thresholdBars[2]->setValue(200);
    QTest::mouseClick(thresholdsWindow()->okButton, Qt::LeftButton);
    EXPECT_FALSE(thresholdsWindow()->isVisible());
    EXPECT_EQ(doc().buffer(), converted);
    EXPECT_EQ(thresholdsWindow()->thresholdBars[2]->value(), 200);  // hidden, not reset
}

}  // namespace
