#include "ui/tools/selectiontool.h"

#include "document/document.h"

using namespace tovik;

void SelectionTool::press(const ToolEvent& event) {
    anchor_ = event.cell;
    if (context_.floating) {
        if (context_.floating->rect().contains(event.cell)) {
            mode_ = Mode::MovingFloating;
            floatingStart_ = context_.floating->at;
        } else {
            fixFloating();
            mode_ = Mode::None;
        }
        return;
    }
    if (context_.selection.contains(event.cell)) {
        mode_ = Mode::Moving;
        lifted_ = context_.document.copyArea(context_.selection);
        return;
    }
    mode_ = Mode::Selecting;
    context_.selection = cellRect(anchor_, event.cell) & context_.pictureRect();
    context_.clearPreview();
}

void SelectionTool::drag(const ToolEvent& event) {
    const QPoint offset = event.cell - anchor_;
    switch (mode_) {
        case Mode::Selecting:
            context_.selection = cellRect(anchor_, event.cell) & context_.pictureRect();
            context_.clearPreview();
            break;
        case Mode::Moving:
            context_.previewBlock(context_.selection, lifted_,
                                  context_.selection.topLeft() + offset);
            break;
        case Mode::MovingFloating:
            context_.floating->at = floatingStart_ + offset;
            context_.showSelection();
            break;
        case Mode::None:
            break;
    }
}

void SelectionTool::release(const ToolEvent& event) {
    drag(event);
    const QPoint offset = event.cell - anchor_;
    if (mode_ == Mode::Moving) {
        const QRect from = context_.selection;
        context_.selection = from.translated(offset) & context_.pictureRect();
        context_.clearPreview();
        if (!offset.isNull()) {
            context_.document.moveArea(from, offset);
        }
    }
    mode_ = Mode::None;
}

void SelectionTool::leave() {
    if (mode_ == Mode::Moving) {
        context_.clearPreview();
    }
    mode_ = Mode::None;
    fixFloating();
}

void SelectionTool::fixFloating() {
    if (!context_.floating) {
        return;
    }
    const FloatingBlock floating = *context_.floating;
    context_.floating.reset();
    context_.selection = floating.rect() & context_.pictureRect();
    context_.clearPreview();
    context_.document.pasteBlock(floating.block, floating.at);
}

void SelectionTool::dropFloating() {
    if (context_.floating) {
        context_.floating.reset();
        context_.clearPreview();
    }
}
