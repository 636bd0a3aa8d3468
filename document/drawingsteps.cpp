// The drawing tools' operations on the document, each an undo step named for the tool.
#include <QCoreApplication>

#include "document/document.h"
#include "picture/drawing.h"
#include "picture/selection.h"

namespace tovik {

void PictureDocument::strokeSegment(QPoint from, QPoint to, int index) {
    editCells(
        tr("рисование"),
        [&](PictureCells& cells) { return tovik::drawLine(cells, from, to, index); },
        kStrokeMergeKey);
}

void PictureDocument::drawLine(QPoint a, QPoint b, int index) {
    editCells(tr("линия"),
              [&](PictureCells& cells) { return tovik::drawLine(cells, a, b, index); });
}

void PictureDocument::drawRectangle(const QRect& box, bool filled, int index) {
    editCells(tr("прямоугольник"),
              [&](PictureCells& cells) { return tovik::drawRectangle(cells, box, filled, index); });
}

void PictureDocument::drawEllipse(const QRect& box, bool filled, int index) {
    editCells(tr("эллипс"),
              [&](PictureCells& cells) { return tovik::drawEllipse(cells, box, filled, index); });
}

void PictureDocument::fill(QPoint at, int index) {
    editCells(tr("заливка"), [&](PictureCells& cells) { return floodFill(cells, at, index); });
}

void PictureDocument::replaceColour(const QRect& area, int from, int to, bool swap) {
    editCells(swap ? tr("обмен цветов") : tr("замена цвета"), [&](PictureCells& cells) {
        return tovik::replaceColour(cells, area, from, to, swap);
    });
}

void PictureDocument::flip(const QRect& area, Qt::Orientation orientation) {
    editCells(tr("отражение"),
              [&](PictureCells& cells) { return flipArea(cells, area, orientation); });
}

CellBlock PictureDocument::copyArea(const QRect& area) const {
    PixelBuffer buffer = state_.buffer;  // the cells' view writes too; a copy is cheap
    return copyBlock(PictureCells(buffer, state_.width, state_.height), area);
}

void PictureDocument::eraseArea(const QRect& area, bool cut) {
    editCells(cut ? tr("вырезание") : tr("удаление"),
              [&](PictureCells& cells) { return tovik::drawRectangle(cells, area, true, 0); });
}

void PictureDocument::moveArea(const QRect& area, QPoint offset) {
    editCells(tr("перемещение"),
              [&](PictureCells& cells) { return tovik::moveArea(cells, area, offset); });
}

void PictureDocument::pasteBlock(const CellBlock& block, QPoint at) {
    editCells(tr("вставка"), [&](PictureCells& cells) { return placeBlock(cells, block, at); });
}

}  // namespace tovik
