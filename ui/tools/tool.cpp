#include "ui/tools/tool.h"

#include "document/document.h"
#include "picture/palette.h"

using namespace tovik;

QRect ToolContext::pictureRect() const {
    return {0, 0, document.width(), document.height()};
}

int ToolContext::indexAt(QPoint cell) const {
    return pictureRect().contains(cell)
               ? document.buffer().at(cell.x() + cell.y() * document.width())
               : 0;
}

void ToolContext::startPreview() {
    const QSize size(document.width(), document.height());
    if (preview.cells.size() != size) {
        preview.cells = QImage(size, QImage::Format_ARGB32_Premultiplied);
        preview.cells.fill(Qt::transparent);
    } else if (!preview.area.isEmpty()) {
        for (int y = preview.area.top(); y <= preview.area.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(preview.cells.scanLine(y));
            std::fill(row + preview.area.left(), row + preview.area.right() + 1, QRgb(0));
        }
    }
}

void ToolContext::finishPreview(const QRect& area) {
    const QRect old = preview.area | preview.selection;
    preview.area = area & pictureRect();
    preview.selection = floating ? floating->rect() : selection;
    if (previewChanged) {
        previewChanged(old | preview.area | preview.selection);
    }
}

void ToolContext::previewShape(const std::function<void(const CellPlot&)>& shape, int index) {
    startPreview();
    const QRgb colour = paletteColour(document.palette(), index);
    const QRect picture = pictureRect();
    QRect area;
    shape([&](int x, int y) {
        if (picture.contains(x, y)) {
            preview.cells.setPixel(x, y, colour);
            area |= QRect(x, y, 1, 1);
        }
    });
    finishPreview(area);
}

void ToolContext::previewBlock(const QRect& hole, const CellBlock& block, QPoint at) {
    startPreview();
    const QRect picture = pictureRect();
    const QRect cleared = hole & picture;
    const QRgb black = paletteColour(document.palette(), 0);
    for (int y = cleared.top(); y <= cleared.bottom(); ++y) {
        for (int x = cleared.left(); x <= cleared.right(); ++x) {
            preview.cells.setPixel(x, y, black);
        }
    }
    const QRect placed = QRect(at, QSize(block.width, block.height)) & picture;
    for (int y = placed.top(); y <= placed.bottom(); ++y) {
        for (int x = placed.left(); x <= placed.right(); ++x) {
            preview.cells.setPixel(
                x, y, paletteColour(document.palette(), block.at(x - at.x(), y - at.y())));
        }
    }
    finishPreview(cleared | placed);
}

void ToolContext::clearPreview() {
    startPreview();
    finishPreview({});
}

void ToolContext::showSelection() {
    if (floating) {
        previewBlock({}, floating->block, floating->at);
    } else {
        clearPreview();
    }
}
