#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <functional>

#include "picture/pixelbuffer.h"

namespace tovik {

// The picture as the drawing tools see it: cell (x, y) of a W x H picture is buffer
// entry x + y*W. Cells outside W x H, and entries past the buffer's end, read as 0 and
// take no writes, so a shape may run over the edges and is clipped there.
class PictureCells {
public:
    PictureCells(PixelBuffer& buffer, int width, int height)
        : buffer_(buffer), width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    QRect bounds() const { return {0, 0, width_, height_}; }
    bool contains(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ && x + y * width_ < PixelBuffer::kSize;
    }
    int at(int x, int y) const { return contains(x, y) ? buffer_.at(x + y * width_) : 0; }
    void set(int x, int y, int index) {
        if (contains(x, y)) {
            buffer_.set(x + y * width_, index);
        }
    }
    PixelBuffer& buffer() { return buffer_; }

private:
    PixelBuffer& buffer_;
    int width_;
    int height_;
};

// Receives the cells of a shape one by one; the same cell may come more than once.
using CellPlot = std::function<void(int x, int y)>;

// The rectangle with corners a and b, both inside it. (QRect::normalized() leaves out
// the corners of a rectangle given the wrong way round.)
inline QRect cellRect(QPoint a, QPoint b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// The cells of the line from a to b, both ends included, each a step to one of its
// eight neighbours: a stroke through them has no gaps however far apart a and b are.
void plotLine(QPoint a, QPoint b, const CellPlot& plot);
// The end of a line from `from` towards `to` kept horizontal, vertical or at 45°,
// whichever is nearest the pointer's direction.
QPoint constrainLine(QPoint from, QPoint to);
// The corner opposite `from` of the square nearest the rectangle from..to.
QPoint constrainSquare(QPoint from, QPoint to);
// The border of the box, or all of it.
void plotRectangle(const QRect& box, bool filled, const CellPlot& plot);
// The ellipse touching the four sides of the box, its outline or all of it; the same
// seen from any side of the box, so mirrored left to right and top to bottom.
void plotEllipse(const QRect& box, bool filled, const CellPlot& plot);

// Each drawing operation below returns the rectangle of the cells it may have changed,
// within the picture; an empty rectangle when none.
QRect drawLine(PictureCells& cells, QPoint a, QPoint b, int index);
QRect drawRectangle(PictureCells& cells, const QRect& box, bool filled, int index);
QRect drawEllipse(PictureCells& cells, const QRect& box, bool filled, int index);
// Every cell of the 4-connected region of one index that holds `at` takes `index`.
// Cells touching only at corners are not connected.
QRect floodFill(PictureCells& cells, QPoint at, int index);
// Within `area` (clipped to the picture): index `from` becomes `to`, or, when `swap` is
// set, the two trade places.
QRect replaceColour(PictureCells& cells, const QRect& area, int from, int to, bool swap);
// Mirrors `area` (clipped to the picture) left to right, or top to bottom.
QRect flipArea(PictureCells& cells, const QRect& area, Qt::Orientation orientation);

}  // namespace tovik
