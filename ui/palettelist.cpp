#include "ui/palettelist.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "picture/palette.h"
#include "ui/controls.h"

namespace {

// The palette list's pictures (its image list), 37 x 14, black with three 11 x 12 bars
// in colours 1, 2 and 3 of each palette: fixed data of the window, kept apart from the
// palette table.
constexpr QRgb kPaletteImageBars[16][3] = {
    {0x0000FF, 0x00FF00, 0xFF0000}, {0xFFFF00, 0xFF00FF, 0xFF0000}, {0x00FFFF, 0x0000FF, 0xFF00FF},
    {0x00FF00, 0x00FFFF, 0xFFFF00}, {0xFF00FF, 0x00FFFF, 0xFFFFFF}, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF},
    {0xC00000, 0x900000, 0xFF0000}, {0xC0FF00, 0x90FF00, 0xFFFF00}, {0xC000FF, 0x9000FF, 0xFF00FF},
    {0x90FF00, 0x9000FF, 0x900000}, {0xC0FF00, 0xC000FF, 0xC00000}, {0x00FFFF, 0xFFFF00, 0xFF0000},
    {0xFF0000, 0x00FF00, 0x00FFFF}, {0x00FFFF, 0xFFFF00, 0xFFFFFF}, {0xFFFF00, 0x00FF00, 0xFFFFFF},
    {0x00FFFF, 0x00FF00, 0xFFFFFF},
};

QPixmap paletteImage(int index) {
    QImage image(kPaletteImageWidth, kPaletteImageHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (int bar = 0; bar < 3; ++bar) {
        painter.fillRect(1 + 12 * bar, 1, 11, 12, QColor::fromRgb(kPaletteImageBars[index][bar]));
    }
    return QPixmap::fromImage(image);
}

// Draws the palette list's entries.
class PaletteItemDelegate : public QStyledItemDelegate {
public:
    PaletteItemDelegate(const QWidget* list, QObject* parent)
        : QStyledItemDelegate(parent), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        drawPaletteEntry(*painter, list_->palette(), index.row(), option.rect,
                         option.state.testFlag(QStyle::State_Selected));
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 17};
    }

private:
    const QWidget* list_;
};

}  // namespace

void drawPaletteEntry(QPainter& painter, const QPalette& colours, int index, const QRect& rect,
                      bool selected) {
    painter.fillRect(rect, selected ? colours.highlight() : colours.base());
    painter.drawPixmap(rect.left() + 1, rect.top() + 1, paletteImage(index));
    painter.setPen(selected ? colours.highlightedText().color() : colours.text().color());
    painter.drawText(
        QRect(rect.left() + kPaletteImageWidth + 3, rect.top() + 1, rect.width(), rect.height()),
        Qt::AlignLeft | Qt::AlignTop, QString::number(index));
}

void fillPaletteList(PaletteComboBox* list) {
    list->setItemDelegate(new PaletteItemDelegate(list, list));
    list->setIconSize(QSize(kPaletteImageWidth, kPaletteImageHeight));
    for (int i = 0; i < tovik::kPaletteCount; ++i) {
        list->addItem(QIcon(paletteImage(i)), QString::number(i));
    }
}
