#include "ui/tools/painttools.h"

#include "document/document.h"

using namespace tovik;

void PencilTool::press(const ToolEvent& event) {
    index_ = context_.colourFor(event.button);
    last_ = event.cell;
    down_ = true;
    // A press whose release never came still starts a stroke of its own.
    context_.document.closeMerge();
    context_.document.strokeSegment(last_, last_, index_);
}

void PencilTool::drag(const ToolEvent& event) {
    if (down_ && event.cell != last_) {
        context_.document.strokeSegment(last_, event.cell, index_);
        last_ = event.cell;
    }
}

void PencilTool::release(const ToolEvent& event) {
    if (down_) {
        drag(event);
        down_ = false;
        context_.document.closeMerge();
    }
}

void ShapeTool::press(const ToolEvent& event) {
    index_ = context_.colourFor(event.button);
    anchor_ = end_ = event.cell;
    down_ = true;
    context_.previewShape([this](const CellPlot& plot) { this->plot(plot); }, index_);
}

QPoint ShapeTool::endFor(const ToolEvent& event) const {
    if (!event.modifiers.testFlag(Qt::ShiftModifier)) {
        return event.cell;
    }
    return shape_ == Shape::Line ? constrainLine(anchor_, event.cell)
                                 : constrainSquare(anchor_, event.cell);
}

void ShapeTool::plot(const CellPlot& plot) const {
    switch (shape_) {
        case Shape::Line:
            plotLine(anchor_, end_, plot);
            break;
        case Shape::Rectangle:
            plotRectangle(cellRect(anchor_, end_), filled_, plot);
            break;
        case Shape::Ellipse:
            plotEllipse(cellRect(anchor_, end_), filled_, plot);
            break;
    }
}

void ShapeTool::drag(const ToolEvent& event) {
    if (!down_ || endFor(event) == end_) {
        return;
    }
    end_ = endFor(event);
    context_.previewShape([this](const CellPlot& plot) { this->plot(plot); }, index_);
}

void ShapeTool::release(const ToolEvent& event) {
    if (!down_) {
        return;
    }
    down_ = false;
    end_ = endFor(event);
    context_.clearPreview();
    PictureDocument& document = context_.document;
    switch (shape_) {
        case Shape::Line:
            document.drawLine(anchor_, end_, index_);
            break;
        case Shape::Rectangle:
            document.drawRectangle(cellRect(anchor_, end_), filled_, index_);
            break;
        case Shape::Ellipse:
            document.drawEllipse(cellRect(anchor_, end_), filled_, index_);
            break;
    }
}

void ShapeTool::leave() {
    if (down_) {
        down_ = false;
        context_.clearPreview();
    }
}

void FillTool::press(const ToolEvent& event) {
    context_.document.fill(event.cell, context_.colourFor(event.button));
}

void PipetteTool::press(const ToolEvent& event) {
    if (context_.pictureRect().contains(event.cell) && context_.pickColour) {
        context_.pickColour(context_.indexAt(event.cell));
    }
}
