#pragma once

#include "ui/tools/tool.h"

// Карандаш: a press paints one cell, a drag every cell the pointer crosses; the whole
// stroke is one undo step.
class PencilTool : public Tool {
public:
    using Tool::Tool;
    void press(const ToolEvent& event) override;
    void drag(const ToolEvent& event) override;
    void release(const ToolEvent& event) override;

private:
    QPoint last_;
    int index_ = 0;
    bool down_ = false;
};

// Линия, Прямоугольник and Эллипс: press at one end or corner, drag with the shape shown,
// release to draw it. Shift keeps the line at a multiple of 45°, the box a square.
class ShapeTool : public Tool {
public:
    enum class Shape { Line, Rectangle, Ellipse };
    ShapeTool(ToolContext& context, Shape shape, bool filled)
        : Tool(context), shape_(shape), filled_(filled) {}
    void press(const ToolEvent& event) override;
    void drag(const ToolEvent& event) override;
    void release(const ToolEvent& event) override;
    void leave() override;

private:
    QPoint endFor(const ToolEvent& event) const;
    void plot(const tovik::CellPlot& plot) const;

    Shape shape_;
    bool filled_;
    QPoint anchor_, end_;
    int index_ = 0;
    bool down_ = false;
};

// Заливка: the 4-connected region of one colour under the pointer.
class FillTool : public Tool {
public:
    using Tool::Tool;
    void press(const ToolEvent& event) override;
};

// Пипетка: the colour under the pointer becomes the chosen colour.
class PipetteTool : public Tool {
public:
    using Tool::Tool;
    void press(const ToolEvent& event) override;
    void drag(const ToolEvent& event) override { press(event); }
};
