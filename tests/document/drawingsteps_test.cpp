// Each drawing operation on the document is one undo step, named for the tool, that
// undoes to the picture exactly as it was and redoes to what it made.
#include <gtest/gtest.h>

#include <QUndoStack>
#include <functional>

#include "document/document.h"
#include "picture/render.h"
#include "picture/selection.h"

namespace tovik {
namespace {

// A 16 x 8 picture in palette 1 with a box of colour 2 and a diagonal of colour 3, made
// outside the history.
void drawStart(PictureDocument& document) {
    document.setPictureSize(16, 8);
    document.setPalette(1);
    {
        PictureDocument::Step step(document, QStringLiteral("начало"));
        document.drawRectangle({2, 1, 6, 5}, true, 2);
        document.drawLine({0, 0}, {7, 7}, 3);
    }
    document.undoStack()->clear();
}

QImage rendered(const PictureDocument& document) {
    return renderPicture(document.buffer(), document.width(), document.height(),
                         document.palette());
}

TEST(DrawingStepsTest, OneNamedStepThatUndoesAndRedoesExactly) {
    const struct {
        const char* text;
        std::function<void(PictureDocument&)> operation;
        QPoint changedCell;
        int index;
    } cases[] = {
        {"рисование",
         [](PictureDocument& d) {
             d.strokeSegment({10, 1}, {10, 1}, 1);
             d.strokeSegment({10, 1}, {15, 6}, 1);
             d.strokeSegment({15, 6}, {9, 7}, 1);
             d.closeMerge();
         },
         {12, 3},
         1},
        {"линия",
         [](PictureDocument& d) {
             d.drawLine({0, 7}, {15, 7}, 1);
         },
         {8, 7},
         1},
        {"прямоугольник",
         [](PictureDocument& d) {
             d.drawRectangle({9, 0, 7, 8}, false, 1);
         },
         {15, 4},
         1},
        {"прямоугольник",
         [](PictureDocument& d) {
             d.drawRectangle({9, 0, 7, 8}, true, 1);
         },
         {12, 4},
         1},
        {"эллипс",
         [](PictureDocument& d) {
             d.drawEllipse({9, 0, 7, 8}, false, 1);
         },
         {9, 4},
         1},
        {"заливка",
         [](PictureDocument& d) {
             d.fill({3, 2}, 0);
         },
         {6, 5},
         0},
        {"замена цвета",
         [](PictureDocument& d) {
             d.replaceColour({0, 0, 16, 8}, 2, 1, false);
         },
         {4, 2},
         1},
        {"обмен цветов",
         [](PictureDocument& d) {
             d.replaceColour({0, 0, 16, 8}, 0, 3, true);
         },
         {0, 0},
         0},
        {"отражение",
         [](PictureDocument& d) {
             d.flip({0, 0, 16, 8}, Qt::Horizontal);
         },
         {15, 0},
         3},
        {"удаление",
         [](PictureDocument& d) {
             d.eraseArea({2, 1, 3, 3}, false);
         },
         {4, 2},
         0},
        {"вырезание",
         [](PictureDocument& d) {
             d.eraseArea({2, 1, 3, 3}, true);
         },
         {4, 2},
         0},
        {"перемещение",
         [](PictureDocument& d) {
             d.moveArea({2, 1, 6, 5}, {9, 0});
         },
         {15, 5},
         2},
        {"вставка",
         [](PictureDocument& d) {
             d.pasteBlock(CellBlock{2, 1, {1, 1}}, {15, 7});
         },
         {15, 7},
         1},
    };
    for (const auto& c : cases) {
        PictureDocument document;
        drawStart(document);
        const PictureState before = document.state();
        c.operation(document);
        QUndoStack* stack = document.undoStack();
        ASSERT_EQ(stack->count(), 1) << c.text;
        EXPECT_EQ(stack->undoText(), QString::fromUtf8(c.text));
        EXPECT_EQ(document.buffer().at(c.changedCell.x() + 16 * c.changedCell.y()), c.index)
            << c.text;
        EXPECT_EQ(document.workingBitmap(), rendered(document)) << c.text;
        const PictureState after = document.state();
        stack->undo();
        EXPECT_EQ(document.buffer(), before.buffer) << c.text;
        EXPECT_EQ(document.workingBitmap(), before.working) << c.text;
        stack->redo();
        EXPECT_EQ(document.buffer(), after.buffer) << c.text;
        EXPECT_EQ(document.workingBitmap(), after.working) << c.text;
    }
}

TEST(DrawingStepsTest, StrokesSeparatedByTheirEndAreStepsOfTheirOwn) {
    PictureDocument document;
    drawStart(document);
    for (int stroke = 0; stroke < 2; ++stroke) {
        document.strokeSegment({10, stroke}, {12, stroke}, 1);
        document.strokeSegment({12, stroke}, {14, stroke}, 1);
        document.closeMerge();
    }
    EXPECT_EQ(document.undoStack()->count(), 2);
    document.undoStack()->undo();
    EXPECT_EQ(document.buffer().at(14 + 16 * 1), 0);
    EXPECT_EQ(document.buffer().at(14), 1);
}

TEST(DrawingStepsTest, NothingChangedMakesNoStep) {
    PictureDocument document;
    drawStart(document);
    document.fill({3, 2}, 2);
    document.drawLine({40, 40}, {50, 50}, 1);
    document.replaceColour({0, 0, 16, 8}, 1, 1, true);
    EXPECT_EQ(document.undoStack()->count(), 0);
}

// A single press of the pencil leaves the document as painting a pixel always did.
TEST(DrawingStepsTest, AStrokeOfOneCellIsAPaintedPixel) {
    PictureDocument painted, stroked;
    drawStart(painted);
    drawStart(stroked);
    painted.paintPixel(11, 3, 3);
    stroked.strokeSegment({11, 3}, {11, 3}, 3);
    EXPECT_EQ(stroked.buffer(), painted.buffer());
    EXPECT_EQ(stroked.workingBitmap(), painted.workingBitmap());
}

// Few cells are shown one by one; a fill of the whole picture as one change.
TEST(DrawingStepsTest, ViewsFollowCellByCellOrAsAWhole) {
    PictureDocument document;
    document.setPictureSize(256, 256);
    int pixels = 0, pictures = 0;
    QObject::connect(&document, &PictureDocument::pixelChanged, [&] { ++pixels; });
    QObject::connect(&document, &PictureDocument::pictureChanged, [&] { ++pictures; });
    document.drawLine({0, 5}, {255, 5}, 2);
    EXPECT_EQ(pixels, 256);
    EXPECT_EQ(pictures, 0);
    document.fill({0, 0}, 1);
    EXPECT_EQ(pixels, 256);
    EXPECT_EQ(pictures, 1);
    document.undoStack()->undo();
    EXPECT_EQ(pictures, 2);
    EXPECT_EQ(document.buffer().at(0), 0);
    EXPECT_EQ(document.workingBitmap(), rendered(document));
}

}  // namespace
}  // namespace tovik
