#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

#include "picture/drawing.h"

namespace tovik {

// A rectangle of colour indices taken out of a picture: what a selection copies and what
// a floating selection carries until it is placed.
struct CellBlock {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> indices;  // row by row, width * height of them

    bool isEmpty() const { return width <= 0 || height <= 0; }
    int at(int x, int y) const { return indices[size_t(x + y * width)]; }
    bool operator==(const CellBlock&) const = default;
};

// The cells of `area` that lie inside the picture.
CellBlock copyBlock(const PictureCells& cells, const QRect& area);
// Puts the block with its top left corner at `at`; what falls outside the picture is
// dropped. Returns the cells it covered.
QRect placeBlock(PictureCells& cells, const CellBlock& block, QPoint at);
// Moves the cells of `area` by `offset`: the place they leave takes colour 0, and what
// goes past the picture's edge is lost. Returns the cells it changed, both places.
QRect moveArea(PictureCells& cells, const QRect& area, QPoint offset);

// The block as the program puts it on the clipboard under its own type, and read back;
// nothing for bytes that are not a whole block.
QByteArray blockBytes(const CellBlock& block);
std::optional<CellBlock> blockFromBytes(const QByteArray& bytes);
// The block in the palette's colours, for other programs.
QImage blockImage(const CellBlock& block, int palette);

}  // namespace tovik
