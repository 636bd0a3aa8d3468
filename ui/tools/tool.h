#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "picture/drawing.h"
#include "picture/selection.h"

namespace tovik {
class PictureDocument;
}

// What the view shows over the picture while a tool works: cells not yet drawn (a line
// being dragged, a floating block) and the selection's frame.
struct ToolPreview {
    QImage cells;     // one pixel a picture cell; transparent where the picture shows
    QRect area;       // the cells of `cells` that hold something
    QRect selection;  // the frame, in picture cells; empty when nothing is selected
};

// A block of cells lifted or pasted, not yet part of the picture.
struct FloatingBlock {
    tovik::CellBlock block;
    QPoint at;  // its top left cell; it may lie past the picture's edges
    QRect rect() const { return {at, QSize(block.width, block.height)}; }
};

// What the tools share: the document, the chosen colour, the selection and the preview.
class ToolContext {
public:
    explicit ToolContext(tovik::PictureDocument& document) : document(document) {}

    tovik::PictureDocument& document;
    int colour = 0;  // what the left button draws; any other button draws colour 0
    QRect selection;
    std::optional<FloatingBlock> floating;
    ToolPreview preview;
    // Told when the preview or the selection changed, with the cells to show again.
    std::function<void(const QRect&)> previewChanged;
    // The pipette's choice.
    std::function<void(int)> pickColour;

    QRect pictureRect() const;
    int indexAt(QPoint cell) const;
    // The colour a button draws.
    int colourFor(Qt::MouseButton button) const { return button == Qt::LeftButton ? colour : 0; }
    // The preview: a shape in one colour, or a floating block over a hole of colour 0,
    // or nothing; the frame is the selection's, or the floating block's.
    void previewShape(const std::function<void(const tovik::CellPlot&)>& shape, int index);
    void previewBlock(const QRect& hole, const tovik::CellBlock& block, QPoint at);
    void clearPreview();
    // Shows the selection's frame (or the floating block's) again.
    void showSelection();

private:
    void startPreview();
    void finishPreview(const QRect& area);
};

// The mouse over the picture, in cells; the cell may lie outside the picture in a drag.
struct ToolEvent {
    QPoint cell;
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
};

// A drawing tool: what a press, a drag and a release on the picture do.
class Tool {
public:
    explicit Tool(ToolContext& context) : context_(context) {}
    virtual ~Tool() = default;
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    virtual void press(const ToolEvent& event) = 0;
    virtual void drag(const ToolEvent&) {}
    virtual void release(const ToolEvent&) {}
    // Another tool is chosen: what is half done is dropped.
    virtual void leave() {}

protected:
    ToolContext& context_;
};
