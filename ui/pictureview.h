#pragma once

#include <QList>
#include <QPoint>
#include <QRgb>
#include <QScrollArea>
#include <optional>

class ImageView;

namespace tovik {
class PictureDocument;
}

// The magnified view of the picture in its scroll box: every picture pixel a square of
// view pixels with the grid over it, redrawn as the document changes. The space bar held
// over it shows the imported picture as it was fitted instead of the result.
//
// The mouse is reported in picture cells: a press inside the picture emits cellPressed,
// a move with the button held cellDragged, the release cellReleased, so that whatever
// acts on the picture (painting today) plugs in through these signals.
class PictureView : public QScrollArea {
    Q_OBJECT
public:
    PictureView(const tovik::PictureDocument& document, QWidget* parent);

    // The bitmap control of the view.
    ImageView* image() const { return image_; }
    // View pixels per picture pixel, as the last full redraw found them.
    int zoomX() const { return zoomX_; }
    int zoomY() const { return zoomY_; }

    // Draws the whole view from the working bitmap with its grid.
    void redraw();
    // Before and after: while on, the view shows the fitted picture instead of the result.
    void setShowingSource(bool showing);
    bool isShowingSource() const { return showingSource_; }
    // The space bar held in this window too shows the source (the preview).
    void takeSpaceBarFrom(const QWidget* window) { spaceBarWindows_.append(window); }

    // The picture cell a press at view position `at` lands on, or nothing outside the
    // picture. The press is measured with the zoom of the last full redraw; the view
    // then takes the zoom its size gives now.
    std::optional<QPoint> pressedCell(QPoint at);
    // The cell under view position `at` with the zoom of the last full redraw; it may lie
    // outside the picture.
    QPoint cellUnder(QPoint at) const;

signals:
    void cellPressed(Qt::MouseButton button, QPoint cell);
    void cellDragged(Qt::MouseButtons buttons, QPoint cell);
    void cellReleased(Qt::MouseButton button, QPoint cell);
    // The mouse is over the view at this cell (also without a button held), or has left.
    void mouseOverCell(QPoint cell);
    void mouseLeft();
    // The source shown or the result again, so that the preview follows.
    void showingSourceChanged(bool showing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPicture();
    void showPixel(int x, int y);
    void fitContent();

    const tovik::PictureDocument& document_;
    QWidget* content_;
    ImageView* image_;
    int zoomX_ = 0;
    int zoomY_ = 0;
    QRgb gridFirstLine_;               // the pen the last grid left behind: black before the first
    bool viewFirstLineStale_ = false;  // the view's line 0 is not what a redraw draws now
    bool showingSource_ = false;
    QList<const QWidget*> spaceBarWindows_;
    Qt::MouseButtons held_;  // the buttons pressed on the view, for drags and the release
};
