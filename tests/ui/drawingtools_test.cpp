// The drawing tools driven as the view drives them, in picture cells, on a small picture:
// the cells each leaves, one undo step each, and the selection's moves, pastes and
// clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUndoStack>
#include <string>
#include <vector>

#include "document/document.h"
#include "ui/drawingtools.h"

namespace {

using Kind = DrawingTools::Kind;
using Rows = std::vector<std::string>;

struct Mouse {
    enum Action { Press, Drag, Release } action;
    QPoint cell;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    Qt::MouseButton button = Qt::LeftButton;
};

// A 10 x 8 picture: colour 2 in the left half of rows 1..3, colour 3 at (8, 0).
void drawStart(tovik::PictureDocument& document) {
    document.setPictureSize(10, 8);
    document.drawRectangle({0, 1, 5, 3}, true, 2);
    document.drawLine({8, 0}, {8, 0}, 3);
    document.undoStack()->clear();
}

// The top five rows; the cases that reach the bottom edge look at the rest themselves.
Rows rowsOf(const tovik::PictureDocument& document, int count = 5) {
    Rows rows;
    for (int y = 0; y < count; ++y) {
        std::string row;
        for (int x = 0; x < document.width(); ++x) {
            row += char('0' + document.buffer().at(x + y * document.width()));
        }
        rows.push_back(row);
    }
    return rows;
}

void run(DrawingTools& tools, const std::vector<Mouse>& mouse) {
    for (const Mouse& m : mouse) {
        switch (m.action) {
            case Mouse::Press:
                tools.press(m.cell, m.button, m.modifiers);
                break;
            case Mouse::Drag:
                tools.drag(m.cell, m.modifiers);
                break;
            case Mouse::Release:
                tools.release(m.cell, m.modifiers);
                break;
        }
    }
}

constexpr auto kShift = Qt::ShiftModifier;

TEST(DrawingToolsTest, EachToolLeavesItsCellsAsOneUndoStep) {
    const struct {
        const char* name;
        Kind kind;
        std::vector<Mouse> mouse;
        Rows expected;
        const char* undoText;
    } cases[] = {
        {"pencil, a fast drag",
         Kind::Pencil,
         {{Mouse::Press, {0, 0}}, {Mouse::Drag, {9, 4}}, {Mouse::Release, {9, 4}}},
         {"1100000030", "2211200000", "2222110000", "2222201100", "0000000011"},
         "рисование"},
        {"pencil, right button",
         Kind::Pencil,
         {{Mouse::Press, {1, 1}, {}, Qt::RightButton},
          {Mouse::Drag, {1, 3}},
          {Mouse::Release, {1, 3}}},
         {"0000000030", "2022200000", "2022200000", "2022200000", "0000000000"},
         "рисование"},
        {"line with Shift",
         Kind::Line,
         {{Mouse::Press, {1, 0}}, {Mouse::Drag, {9, 2}, kShift}, {Mouse::Release, {9, 2}, kShift}},
         {"0111111111", "2222200000", "2222200000", "2222200000", "0000000000"},
         "линия"},
        {"line at 45°",
         Kind::Line,
         {{Mouse::Press, {5, 0}}, {Mouse::Drag, {8, 4}, kShift}, {Mouse::Release, {9, 3}, kShift}},
         {"0000010030", "2222201000", "2222200100", "2222200010", "0000000001"},
         "линия"},
        {"square box",
         Kind::Rectangle,
         {{Mouse::Press, {5, 0}}, {Mouse::Release, {9, 2}, kShift}},
         {"0000011111", "2222210001", "2222210001", "2222210001", "0000011111"},
         "прямоугольник"},
        {"filled box",
         Kind::FilledRectangle,
         {{Mouse::Press, {9, 4}}, {Mouse::Release, {7, 3}}},
         {"0000000030", "2222200000", "2222200000", "2222200111", "0000000111"},
         "прямоугольник"},
        {"filled ellipse",
         Kind::FilledEllipse,
         {{Mouse::Press, {5, 0}}, {Mouse::Release, {9, 4}}},
         {"0000001110", "2222211111", "2222211111", "2222211111", "0000001110"},
         "эллипс"},
        {"fill",
         Kind::Fill,
         {{Mouse::Press, {9, 4}}, {Mouse::Release, {9, 4}}},
         {"1111111131", "2222211111", "2222211111", "2222211111", "1111111111"},
         "заливка"},
        {"selection moved over the edge",
         Kind::Selection,
         {{Mouse::Press, {3, 1}},
          {Mouse::Drag, {5, 3}},
          {Mouse::Release, {5, 3}},
          {Mouse::Press, {4, 2}},
          {Mouse::Drag, {8, 3}},
          {Mouse::Release, {10, 7}}},
         {"0000000030", "2220000000", "2220000000", "2220000000", "0000000000"},
         "перемещение"},
    };
    for (const auto& c : cases) {
        tovik::PictureDocument document;
        drawStart(document);
        DrawingTools tools(document);
        tools.setColour(1);
        tools.choose(c.kind);
        run(tools, c.mouse);
        EXPECT_EQ(rowsOf(document), c.expected) << c.name;
        EXPECT_EQ(document.undoStack()->count(), 1) << c.name;
        EXPECT_EQ(document.undoStack()->undoText(), QString::fromUtf8(c.undoText)) << c.name;
        EXPECT_TRUE(tools.preview().area.isEmpty()) << c.name;
        // Only the fill and the selection's moved cells reach the bottom rows.
        const char* bottom = c.kind == Kind::Selection ? "0000000002"
                             : c.kind == Kind::Fill    ? "1111111111"
                                                       : "0000000000";
        EXPECT_EQ(rowsOf(document, 8)[6], bottom) << c.name;
    }
}

// The shape shows while it is dragged; the picture changes only on the release.
TEST(DrawingToolsTest, ALineIsPreviewedWhileDragged) {
    tovik::PictureDocument document;
    drawStart(document);
    DrawingTools tools(document);
    tools.choose(Kind::Line);
    tools.setColour(3);
    const Rows before = rowsOf(document);
    tools.press({0, 4}, Qt::LeftButton, {});
    tools.drag({9, 4}, {});
    EXPECT_EQ(rowsOf(document), before);
    EXPECT_EQ(tools.preview().area, QRect(0, 4, 10, 1));
    EXPECT_EQ(qAlpha(tools.preview().cells.pixel(9, 4)), 255);
    tools.drag({0, 0}, {});
    EXPECT_EQ(tools.preview().area, QRect(0, 0, 1, 5));
    EXPECT_EQ(qAlpha(tools.preview().cells.pixel(9, 4)), 0);
    tools.choose(Kind::Pencil);  // another tool drops the half-drawn line
    EXPECT_TRUE(tools.preview().area.isEmpty());
    EXPECT_EQ(rowsOf(document), before);
}

TEST(DrawingToolsTest, PipetteAndAltPickTheColourWithoutAStep) {
    tovik::PictureDocument document;
    drawStart(document);
    DrawingTools tools(document);
    int picked = -1;
    QObject::connect(&tools, &DrawingTools::colourPicked, [&](int colour) { picked = colour; });
    tools.choose(Kind::Pipette);
    run(tools, {{Mouse::Press, {2, 2}}, {Mouse::Release, {2, 2}}});
    EXPECT_EQ(picked, 2);
    tools.choose(Kind::Fill);
    run(tools, {{Mouse::Press, {8, 0}, Qt::AltModifier}, {Mouse::Release, {8, 0}}});
    EXPECT_EQ(picked, 3);
    EXPECT_EQ(tools.colour(), 3);
    EXPECT_EQ(document.undoStack()->count(), 0);
}

// Copied cells paste as a floating block at the selection's corner; dragged past the
// edge and fixed, the part inside the picture lands, as one step.
TEST(DrawingToolsTest, CopiedCellsPasteFloatingAndAreFixedAtTheEdge) {
    tovik::PictureDocument document;
    drawStart(document);
    DrawingTools tools(document);
    tools.select({3, 1, 2, 2});
    tools.copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QLatin1String(DrawingTools::kCellsMimeType)));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(2, 2));

    tools.select({7, 0, 1, 1});
    ASSERT_TRUE(tools.paste(QGuiApplication::clipboard()->mimeData()));
    EXPECT_EQ(tools.current(), Kind::Selection);
    EXPECT_TRUE(tools.isFloating());
    run(tools, {{Mouse::Press, {7, 0}}, {Mouse::Drag, {9, 6}}, {Mouse::Release, {9, 6}}});
    EXPECT_EQ(document.undoStack()->count(), 0);
    tools.fixFloating();
    EXPECT_EQ(rowsOf(document, 8), (Rows{"0000000030", "2222200000", "2222200000", "2222200000",
                                         "0000000000", "0000000000", "0000000002", "0000000002"}));
    EXPECT_EQ(document.undoStack()->count(), 1);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("вставка"));
    EXPECT_EQ(tools.selection(), QRect(9, 6, 1, 2));

    // Dropped, a floating block leaves nothing behind.
    ASSERT_TRUE(tools.paste(QGuiApplication::clipboard()->mimeData()));
    tools.dropFloating();
    EXPECT_EQ(document.undoStack()->count(), 1);

    // A press outside a floating block fixes it.
    tools.select({0, 0, 1, 1});
    ASSERT_TRUE(tools.paste(QGuiApplication::clipboard()->mimeData()));
    run(tools, {{Mouse::Press, {5, 5}}, {Mouse::Release, {5, 5}}});
    EXPECT_EQ(rowsOf(document)[0], "2200000030");
    EXPECT_FALSE(tools.isFloating());
    EXPECT_EQ(document.undoStack()->count(), 2);

    // A picture from elsewhere is not ours to paste.
    QMimeData other;
    other.setImageData(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_FALSE(tools.paste(&other));
}

TEST(DrawingToolsTest, SelectionCommandsOrTheWholePicture) {
    const struct {
        const char* name;
        QRect selection;
        std::function<void(DrawingTools&)> command;
        Rows expected;
    } cases[] = {
        {"cut",
         {3, 0, 3, 2},
         [](DrawingTools& t) { t.cut(); },
         {"0000000030", "2220000000", "2222200000", "2222200000", "0000000000"}},
        {"delete",
         {8, 0, 9, 9},
         [](DrawingTools& t) { t.erase(); },
         {"0000000000", "2222200000", "2222200000", "2222200000", "0000000000"}},
        {"flip the selection",
         {4, 0, 2, 5},
         [](DrawingTools& t) { t.flip(Qt::Horizontal); },
         {"0000000030", "2222020000", "2222020000", "2222020000", "0000000000"}},
        {"flip the picture",
         {},
         [](DrawingTools& t) { t.flip(Qt::Vertical); },
         {"0000000000", "0000000000", "0000000000", "0000000000", "2222200000"}},
        {"swap in the selection",
         {0, 0, 2, 5},
         [](DrawingTools& t) {
             t.replaceColour({0, 2, true, true});
         },
         {"2200000030", "0022200000", "0022200000", "0022200000", "2200000000"}},
        {"replace everywhere",
         {0, 0, 2, 5},
         [](DrawingTools& t) {
             t.replaceColour({2, 1, false, false});
         },
         {"0000000030", "1111100000", "1111100000", "1111100000", "0000000000"}},
    };
    for (const auto& c : cases) {
        tovik::PictureDocument document;
        drawStart(document);
        DrawingTools tools(document);
        tools.select(c.selection);
        c.command(tools);
        EXPECT_EQ(rowsOf(document), c.expected) << c.name;
        EXPECT_EQ(document.undoStack()->count(), 1) << c.name;
    }
}

}  // namespace
