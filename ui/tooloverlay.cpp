#include "ui/tooloverlay.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include "document/document.h"
#include "ui/drawingtools.h"

ToolOverlay::ToolOverlay(const DrawingTools& tools, const tovik::PictureDocument& document,
                         QWidget* view)
    : QWidget(view), tools_(tools), document_(document) {
    setObjectName(QStringLiteral("ToolOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(view->rect());
    view->installEventFilter(this);
    connect(&tools, &DrawingTools::previewChanged, this, &ToolOverlay::showCells);
    show();
}

bool ToolOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

// The view's own zoom: its size over the picture's, as its full redraw finds it.
QSize ToolOverlay::zoom() const {
    const QSize picture = document_.workingBitmap().size();
    if (picture.isEmpty()) {
        return {};
    }
    return {width() / picture.width(), height() / picture.height()};
}

QRect ToolOverlay::viewRect(const QRect& cells) const {
    const QSize z = zoom();
    return {cells.x() * z.width(), cells.y() * z.height(), cells.width() * z.width(),
            cells.height() * z.height()};
}

// The frame's dashes lie on the cells' edge: one view pixel more on each side.
void ToolOverlay::showCells(const QRect& cells) {
    if (!cells.isEmpty()) {
        update(viewRect(cells).adjusted(-2, -2, 2, 2));
    }
}

void ToolOverlay::paintEvent(QPaintEvent* event) {
    const QSize z = zoom();
    if (z.isEmpty()) {
        return;
    }
    QPainter painter(this);
    const ToolPreview& preview = tools_.preview();
    const QRect cells =
        preview.area & QRect(event->rect().x() / z.width(), event->rect().y() / z.height(),
                             event->rect().width() / z.width() + 2,
                             event->rect().height() / z.height() + 2);
    if (!cells.isEmpty() && !preview.cells.isNull()) {
        // Whole cells, scaled without smoothing: the same squares the view draws.
        painter.drawImage(viewRect(cells), preview.cells, cells);
    }
    if (!preview.selection.isEmpty()) {
        const QRect frame = viewRect(preview.selection).adjusted(0, 0, -1, -1);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(frame);
    }
}
