#include "picture/drawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tovik {

namespace {

// Gathers the cells a drawing wrote into one rectangle.
class Touched {
public:
    void add(int x, int y) {
        left_ = std::min(left_, x);
        right_ = std::max(right_, x);
        top_ = std::min(top_, y);
        bottom_ = std::max(bottom_, y);
    }
    QRect rect() const {
        return left_ > right_ ? QRect() : QRect(QPoint(left_, top_), QPoint(right_, bottom_));
    }

private:
    int left_ = INT_MAX, right_ = INT_MIN, top_ = INT_MAX, bottom_ = INT_MIN;
};

// Plots into the picture and keeps the rectangle of the cells that were inside it.
QRect drawShape(PictureCells& cells, int index, const std::function<void(const CellPlot&)>& shape) {
    Touched touched;
    shape([&](int x, int y) {
        if (cells.contains(x, y)) {
            cells.set(x, y, index);
            touched.add(x, y);
        }
    });
    return touched.rect();
}

}  // namespace

void plotLine(QPoint a, QPoint b, const CellPlot& plot) {
    const int dx = std::abs(b.x() - a.x()), dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int x = a.x(), y = a.y();
    int err = dx + dy;
    for (;;) {
        plot(x, y);
        if (x == b.x() && y == b.y()) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

QPoint constrainLine(QPoint from, QPoint to) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const int ax = std::abs(dx), ay = std::abs(dy);
    // tan 22.5° = sqrt(2) - 1 splits the directions halfway between the allowed ones.
    constexpr double kTan22 = 0.41421356237309503;
    if (ay <= ax * kTan22) {
        return {to.x(), from.y()};
    }
    if (ax <= ay * kTan22) {
        return {from.x(), to.y()};
    }
    const int d = std::max(ax, ay);
    return {from.x() + (dx < 0 ? -d : d), from.y() + (dy < 0 ? -d : d)};
}

QPoint constrainSquare(QPoint from, QPoint to) {
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const int d = std::max(std::abs(dx), std::abs(dy));
    return {from.x() + (dx < 0 ? -d : d), from.y() + (dy < 0 ? -d : d)};
}

void plotRectangle(const QRect& box, bool filled, const CellPlot& plot) {
    if (box.isEmpty()) {
        return;
    }
    for (int y = box.top(); y <= box.bottom(); ++y) {
        if (filled || y == box.top() || y == box.bottom()) {
            for (int x = box.left(); x <= box.right(); ++x) {
                plot(x, y);
            }
        } else {
            plot(box.left(), y);
            plot(box.right(), y);
        }
    }
}

// The midpoint ellipse fitted to a box of any size, even or odd: four mirrored quadrants
// are walked together from the widest row, so the shape is symmetric by construction.
// The error terms need more than 32 bits for large boxes.
void plotEllipse(const QRect& box, bool filled, const CellPlot& plot) {
    if (box.isEmpty()) {
        return;
    }
    // Rows' leftmost and rightmost cells, filled between when asked.
    std::vector<int> rowLeft(size_t(box.height()), INT_MAX);
    std::vector<int> rowRight(size_t(box.height()), INT_MIN);
    const auto put = [&](long long x, long long y) {
        const int row = static_cast<int>(y) - box.top();
        if (row < 0 || row >= box.height()) {
            return;
        }
        rowLeft[size_t(row)] = std::min(rowLeft[size_t(row)], static_cast<int>(x));
        rowRight[size_t(row)] = std::max(rowRight[size_t(row)], static_cast<int>(x));
        if (!filled) {
            plot(static_cast<int>(x), static_cast<int>(y));
        }
    };
    long long x0 = box.left(), x1 = box.right(), y0 = box.top(), y1 = box.bottom();
    long long a = x1 - x0, b = y1 - y0;
    const long long b1 = b & 1;
    long long dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    long long err = dx + dy + b1 * a * a;
    y0 += (b + 1) / 2;
    y1 = y0 - b1;
    const long long stepX = 8 * b * b, stepY = 8 * a * a;
    do {
        put(x1, y0);
        put(x0, y0);
        put(x0, y1);
        put(x1, y1);
        const long long e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            dy += stepY;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += stepX;
            err += dx;
        }
    } while (x0 <= x1);
    // A box one or two cells wide stops before the tips: finish them.
    while (y0 - y1 <= b) {
        put(x0 - 1, y0);
        put(x1 + 1, y0++);
        put(x0 - 1, y1);
        put(x1 + 1, y1--);
    }
    if (filled) {
        for (int row = 0; row < box.height(); ++row) {
            for (int x = rowLeft[size_t(row)]; x <= rowRight[size_t(row)]; ++x) {
                plot(x, box.top() + row);
            }
        }
    }
}

QRect drawLine(PictureCells& cells, QPoint a, QPoint b, int index) {
    return drawShape(cells, index, [&](const CellPlot& plot) { plotLine(a, b, plot); });
}

QRect drawRectangle(PictureCells& cells, const QRect& box, bool filled, int index) {
    return drawShape(cells, index, [&](const CellPlot& plot) { plotRectangle(box, filled, plot); });
}

QRect drawEllipse(PictureCells& cells, const QRect& box, bool filled, int index) {
    return drawShape(cells, index, [&](const CellPlot& plot) { plotEllipse(box, filled, plot); });
}

// Scanline fill: each run of the old index is filled whole, and the rows above and below
// it get one seed per run of the old index they hold there. No recursion, so a picture
// of one colour is no deeper than a single cell.
QRect floodFill(PictureCells& cells, QPoint at, int index) {
    index &= 3;
    if (!cells.contains(at.x(), at.y())) {
        return {};
    }
    const int old = cells.at(at.x(), at.y());
    if (old == index) {
        return {};
    }
    Touched touched;
    std::vector<QPoint> seeds{at};
    const auto seedRow = [&](int left, int right, int y) {
        bool inRun = false;
        for (int x = left; x <= right; ++x) {
            const bool match = cells.contains(x, y) && cells.at(x, y) == old;
            if (match && !inRun) {
                seeds.emplace_back(x, y);
            }
            inRun = match;
        }
    };
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        const int y = seed.y();
        if (cells.at(seed.x(), y) != old || !cells.contains(seed.x(), y)) {
            continue;
        }
        int left = seed.x(), right = seed.x();
        while (cells.contains(left - 1, y) && cells.at(left - 1, y) == old) {
            --left;
        }
        while (cells.contains(right + 1, y) && cells.at(right + 1, y) == old) {
            ++right;
        }
        for (int x = left; x <= right; ++x) {
            cells.set(x, y, index);
        }
        touched.add(left, y);
        touched.add(right, y);
        seedRow(left, right, y - 1);
        seedRow(left, right, y + 1);
    }
    return touched.rect();
}

QRect replaceColour(PictureCells& cells, const QRect& area, int from, int to, bool swap) {
    from &= 3;
    to &= 3;
    const QRect clipped = area & cells.bounds();
    Touched touched;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (!cells.contains(x, y)) {
                continue;
            }
            const int value = cells.at(x, y);
            if (value == from) {
                cells.set(x, y, to);
                touched.add(x, y);
            } else if (swap && value == to) {
                cells.set(x, y, from);
                touched.add(x, y);
            }
        }
    }
    return from == to ? QRect() : touched.rect();
}

QRect flipArea(PictureCells& cells, const QRect& area, Qt::Orientation orientation) {
    const QRect clipped = area & cells.bounds();
    if (clipped.isEmpty()) {
        return {};
    }
    const auto exchange = [&](int x1, int y1, int x2, int y2) {
        const int first = cells.at(x1, y1);
        cells.set(x1, y1, cells.at(x2, y2));
        cells.set(x2, y2, first);
    };
    if (orientation == Qt::Horizontal) {
        for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
            for (int l = clipped.left(), r = clipped.right(); l < r; ++l, --r) {
                exchange(l, y, r, y);
            }
        }
    } else {
        for (int t = clipped.top(), b = clipped.bottom(); t < b; ++t, --b) {
            for (int x = clipped.left(); x <= clipped.right(); ++x) {
                exchange(x, t, x, b);
            }
        }
    }
    return clipped;
}

}  // namespace tovik
