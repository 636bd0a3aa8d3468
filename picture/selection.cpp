#include "picture/selection.h"

#include <QDataStream>
#include <QIODevice>

#include "picture/palette.h"

namespace tovik {

CellBlock copyBlock(const PictureCells& cells, const QRect& area) {
    const QRect clipped = area & cells.bounds();
    CellBlock block;
    if (clipped.isEmpty()) {
        return block;
    }
    block.width = clipped.width();
    block.height = clipped.height();
    block.indices.reserve(size_t(block.width) * size_t(block.height));
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            block.indices.push_back(static_cast<uint8_t>(cells.at(x, y)));
        }
    }
    return block;
}

QRect placeBlock(PictureCells& cells, const CellBlock& block, QPoint at) {
    const QRect covered = QRect(at, QSize(block.width, block.height)) & cells.bounds();
    for (int y = covered.top(); y <= covered.bottom(); ++y) {
        for (int x = covered.left(); x <= covered.right(); ++x) {
            cells.set(x, y, block.at(x - at.x(), y - at.y()));
        }
    }
    return covered;
}

QRect moveArea(PictureCells& cells, const QRect& area, QPoint offset) {
    const QRect from = area & cells.bounds();
    if (from.isEmpty()) {
        return {};
    }
    const CellBlock block = copyBlock(cells, from);
    drawRectangle(cells, from, true, 0);
    return from | placeBlock(cells, block, from.topLeft() + offset);
}

namespace {

// The clipboard's bytes: a version, the size, then the indices a byte each.
constexpr quint32 kBlockVersion = 1;
constexpr int kBlockMaxCells = PixelBuffer::kSize;

}  // namespace

QByteArray blockBytes(const CellBlock& block) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << kBlockVersion << qint32(block.width) << qint32(block.height);
    out.writeRawData(reinterpret_cast<const char*>(block.indices.data()),
                     static_cast<int>(block.indices.size()));
    return bytes;
}

std::optional<CellBlock> blockFromBytes(const QByteArray& bytes) {
    QDataStream in(bytes);
    quint32 version = 0;
    qint32 width = 0, height = 0;
    in >> version >> width >> height;
    if (in.status() != QDataStream::Ok || version != kBlockVersion || width <= 0 || height <= 0 ||
        static_cast<long long>(width) * height > kBlockMaxCells) {
        return std::nullopt;
    }
    CellBlock block{width, height, std::vector<uint8_t>(size_t(width) * size_t(height))};
    const int count = static_cast<int>(block.indices.size());
    if (in.readRawData(reinterpret_cast<char*>(block.indices.data()), count) != count ||
        !in.atEnd()) {
        return std::nullopt;
    }
    for (uint8_t& index : block.indices) {
        if (index > 3) {
            return std::nullopt;
        }
    }
    return block;
}

QImage blockImage(const CellBlock& block, int palette) {
    QImage image(block.width, block.height, QImage::Format_RGB32);
    for (int y = 0; y < block.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < block.width; ++x) {
            row[x] = paletteColour(palette, block.at(x, y));
        }
    }
    return image;
}

}  // namespace tovik
