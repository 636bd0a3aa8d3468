// The drawing tools in the running program: the view's mouse, the strip's keys, the
// clipboard before an import, and "Заменить цвет…" through the dialogs.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUndoStack>

#include "picture/palette.h"
#include "ui/drawingtools.h"
#include "ui/pictureview.h"
#include "windowtest.h"

namespace {

void drag(QPoint from, QPoint to) {
    QWidget* image = mainWindow()->view->image();
    QTest::mousePress(image, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), image->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(image, &move);
    QTest::mouseRelease(image, Qt::LeftButton, {}, to);
}

// A line and a fill drawn with the mouse after their keys; the view shows them.
TEST_F(WindowTest, KeysChooseToolsThatDrawWithTheMouse) {
    mainWindow()->colourGrid->selectColumn(2);
    mainWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mainWindow()));
    QTest::keyClick(mainWindow()->view, Qt::Key_L);
    ASSERT_EQ(mainWindow()->tools->current(), DrawingTools::Kind::Line);
    EXPECT_TRUE(mainWindow()->toolStrip.toolLabel->text().startsWith(QStringLiteral("Линия")));
    drag({8 * 1 + 3, 8 * 2 + 3}, {8 * 6 + 3, 8 * 2 + 3});
    // Shift with a shape's key takes its filled form, not the outline.
    QTest::keyClick(mainWindow()->view, Qt::Key_R, Qt::ShiftModifier);
    EXPECT_EQ(mainWindow()->tools->current(), DrawingTools::Kind::FilledRectangle);
    QTest::keyClick(mainWindow()->view, Qt::Key_O);
    EXPECT_EQ(mainWindow()->tools->current(), DrawingTools::Kind::Ellipse);
    QTest::keyClick(mainWindow()->view, Qt::Key_F);
    mainWindow()->colourGrid->selectColumn(1);
    QTest::mouseClick(mainWindow()->view->image(), Qt::LeftButton, {}, {8 * 3 + 3, 8 * 3 + 3});
    EXPECT_EQ(bufferRows(4)[2].substr(0, 8), "12222221");
    EXPECT_EQ(bufferRows(4)[3].substr(0, 8), "11111111");
    EXPECT_EQ(doc().undoStack()->count(), 2);
    EXPECT_EQ(doc().undoStack()->undoText(), QStringLiteral("заливка"));
    EXPECT_EQ(viewPixel(8 * 6 + 4, 8 * 2 + 4), tovik::paletteColour(doc().palette(), 2));
}

// Ctrl+V places cells copied in the program; a picture from elsewhere still imports.
TEST_F(WindowTest, PasteTakesCopiedCellsBeforeAnImport) {
    DrawingTools& tools = *mainWindow()->tools;
    doc().drawRectangle({0, 0, 2, 2}, true, 3);
    tools.select({0, 0, 2, 2});
    mainWindow()->toolStrip.copy->trigger();
    tools.select({10, 10, 1, 1});
    mainWindow()->menu.pasteAction->trigger();
    ASSERT_TRUE(tools.isFloating());
    EXPECT_TRUE(dialogs->asked.empty());
    mainWindow()->toolStrip.fixFloating->trigger();
    EXPECT_EQ(doc().buffer().at(11 + 11 * 64), 3);
    EXPECT_EQ(doc().undoStack()->undoText(), QStringLiteral("вставка"));

    QImage outside(16, 16, QImage::Format_RGB32);
    outside.fill(Qt::white);
    QGuiApplication::clipboard()->setImage(outside);
    mainWindow()->menu.pasteAction->trigger();
    EXPECT_FALSE(tools.isFloating());
    EXPECT_EQ(doc().fittedPicture().size(), QSize(16, 16));
}

// The dialog's answer is one step; a cancel is none.
TEST_F(WindowTest, ReplaceColourRunsThroughTheDialogs) {
    doc().drawRectangle({0, 0, 4, 1}, true, 1);
    const int steps = doc().undoStack()->count();
    dialogs->replacement.reset();
    mainWindow()->toolStrip.replaceColour->trigger();
    EXPECT_EQ(doc().undoStack()->count(), steps);
    dialogs->replacement = ColourReplacement{1, 0, true, false};
    mainWindow()->toolStrip.replaceColour->trigger();
    EXPECT_EQ(bufferRows(2)[0].substr(0, 6), "000011");
    EXPECT_EQ(bufferRows(2)[1].substr(0, 6), "111111");
    EXPECT_EQ(doc().undoStack()->undoText(), QStringLiteral("обмен цветов"));
    // The dialog opens again with the last choice.
    mainWindow()->toolStrip.replaceColour->trigger();
    ASSERT_EQ(dialogs->replacementsAsked.size(), 3u);
    EXPECT_TRUE(dialogs->replacementsAsked.back().swap);
}

}  // namespace
