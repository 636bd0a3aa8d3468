#pragma once

#include "ui/tools/tool.h"

// Выделение: a drag outside the selection draws a new one; a drag inside moves its cells
// (the place they leave takes colour 0) as one undo step on release. A floating block (a
// paste) moves with a drag inside it and is fixed by a press outside it.
class SelectionTool : public Tool {
public:
    using Tool::Tool;
    void press(const ToolEvent& event) override;
    void drag(const ToolEvent& event) override;
    void release(const ToolEvent& event) override;
    void leave() override;

    // The floating block becomes part of the picture, as one undo step.
    void fixFloating();
    // The floating block is dropped; the picture stays as it was.
    void dropFloating();

private:
    enum class Mode { None, Selecting, Moving, MovingFloating };
    Mode mode_ = Mode::None;
    QPoint anchor_;  // where the drag began
    QPoint floatingStart_;
    tovik::CellBlock lifted_;  // the selection's cells while they move
};
