#pragma once

#include <QWidget>

class DrawingTools;

namespace tovik {
class PictureDocument;
}

// Lies over the magnified view and shows what the drawing tools have not yet put in the
// picture: the shape being dragged, a floating block, and the selection's frame. It
// takes no mouse events; the view beneath gets them.
class ToolOverlay : public QWidget {
    Q_OBJECT
public:
    // Covers `view` and follows its size.
    ToolOverlay(const DrawingTools& tools, const tovik::PictureDocument& document, QWidget* view);

    // The view rectangle of a rectangle of cells.
    QRect viewRect(const QRect& cells) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSize zoom() const;
    void showCells(const QRect& cells);

    const DrawingTools& tools_;
    const tovik::PictureDocument& document_;
};
