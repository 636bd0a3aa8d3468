#include "picture/render.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

QRgb* rowOf(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}
const QRgb* rowOf(const QImage& image, int y) {
    return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

}  // namespace

QImage renderPicture(const PixelBuffer& buffer, int width, int height, int palette) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    QRgb colours[4];
    for (int c = 0; c < 4; ++c) {
        colours[c] = paletteColour(palette, c);
    }
    int index = 0;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = rowOf(image, y);
        for (int x = 0; x < image.width(); ++x, ++index) {
            row[x] = colours[buffer.at(index)];
        }
    }
    return image;
}

QImage resizedKeeping(const QImage& image, int width, int height, QRgb fill) {
    QImage result(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    result.fill(fill);
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const int w = std::min(source.width(), result.width());
    const int h = std::min(source.height(), result.height());
    for (int y = 0; y < h; ++y) {
        std::memcpy(rowOf(result, y), rowOf(source, y), sizeof(QRgb) * static_cast<size_t>(w));
    }
    return result;
}

void stretchInto(const QImage& sourceImage, QImage& target) {
    if (target.isNull() || sourceImage.isNull()) {
        return;
    }
    const QImage source = sourceImage.convertToFormat(QImage::Format_RGB32);
    const int sw = source.width(), sh = source.height();
    const int tw = target.width(), th = target.height();
    std::vector<int> columns(static_cast<size_t>(tw));
    for (int x = 0; x < tw; ++x) {
        columns[static_cast<size_t>(x)] = stretchSourceIndex(x, sw, tw);
    }
    int previousSourceRow = -1;
    for (int y = 0; y < th; ++y) {
        const int sy = stretchSourceIndex(y, sh, th);
        QRgb* out = rowOf(target, y);
        if (sy == previousSourceRow) {
            // Enlarging repeats whole rows: copy the row just built.
            std::memcpy(out, rowOf(target, y - 1), sizeof(QRgb) * static_cast<size_t>(tw));
            continue;
        }
        const QRgb* in = rowOf(source, sy);
        for (int x = 0; x < tw; ++x) {
            out[x] = in[columns[static_cast<size_t>(x)]];
        }
        previousSourceRow = sy;
    }
}

namespace {

// The target indices [first, last) whose centre falls on source index s.
std::pair<int, int> stretchedRange(int s, int sourceSize, int targetSize) {
    // stretchSourceIndex never decreases; start from the estimate and step to the edges.
    int first = static_cast<int>(static_cast<long long>(s) * targetSize / sourceSize);
    while (first > 0 && stretchSourceIndex(first - 1, sourceSize, targetSize) >= s) {
        --first;
    }
    while (first < targetSize && stretchSourceIndex(first, sourceSize, targetSize) < s) {
        ++first;
    }
    int last = first;
    while (last < targetSize && stretchSourceIndex(last, sourceSize, targetSize) == s) {
        ++last;
    }
    return {first, last};
}

}  // namespace

QRect stretchPixelInto(const QImage& source, QImage& target, int x, int y) {
    if (target.isNull() || !source.valid(x, y)) {
        return {};
    }
    const auto [left, right] = stretchedRange(x, source.width(), target.width());
    const auto [top, bottom] = stretchedRange(y, source.height(), target.height());
    const QRgb colour = source.pixel(x, y);
    for (int ty = top; ty < bottom; ++ty) {
        std::fill(rowOf(target, ty) + left, rowOf(target, ty) + right, colour);
    }
    return QRect(left, top, right - left, bottom - top);
}

QRgb gridLineColour(int n) {
    if (n > 0 && n % 8 == 0) {
        return kGridLight;
    }
    if (n > 0 && n % 4 == 0) {
        return kGridMiddle;
    }
    return kGridDark;
}

void drawView(const QImage& working, QImage& view, int zoomX, int zoomY, QRgb firstLine) {
    if (view.isNull()) {
        return;
    }
    stretchInto(working, view);
    const int vw = view.width(), vh = view.height();
    if (zoomX > 0) {
        // Vertical lines go in row by row; the columns and colours are the same for all.
        std::vector<std::pair<int, QRgb>> lines;
        for (int c = 0; static_cast<long long>(c) * zoomX < vw; ++c) {
            lines.emplace_back(c * zoomX, c == 0 ? firstLine : gridLineColour(c));
        }
        for (int y = 0; y < vh; ++y) {
            QRgb* row = rowOf(view, y);
            for (const auto& [x, colour] : lines) {
                row[x] = colour;
            }
        }
    }
    if (zoomY > 0) {
        // Horizontal lines are drawn after the vertical ones and cover the crossings.
        for (int r = 0; static_cast<long long>(r) * zoomY < vh; ++r) {
            std::fill_n(rowOf(view, r * zoomY), vw, gridLineColour(r));
        }
    }
}

QRect drawViewCell(const QImage& working, QImage& view, int zoomX, int zoomY, QRgb firstLine, int x,
                   int y) {
    const QRect cell = stretchPixelInto(working, view, x, y);
    if (cell.isEmpty()) {
        return cell;
    }
    // The lines that cross the cell, vertical first as drawView draws them.
    for (int column = cell.left(); column <= cell.right(); ++column) {
        if (zoomX > 0 && column % zoomX == 0) {
            const int c = column / zoomX;
            const QRgb colour = c == 0 ? firstLine : gridLineColour(c);
            for (int row = cell.top(); row <= cell.bottom(); ++row) {
                rowOf(view, row)[column] = colour;
            }
        }
    }
    for (int row = cell.top(); row <= cell.bottom(); ++row) {
        if (zoomY > 0 && row % zoomY == 0) {
            std::fill(rowOf(view, row) + cell.left(), rowOf(view, row) + cell.right() + 1,
                      gridLineColour(row / zoomY));
        }
    }
    return cell;
}

}  // namespace tovik
