#include "ui/pictureview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "document/document.h"
#include "picture/picturesize.h"
#include "picture/render.h"
#include "ui/application.h"
#include "ui/controls.h"

using namespace tovik;

PictureView::PictureView(const PictureDocument& document, QWidget* parent)
    : QScrollArea(parent), document_(document), gridFirstLine_(kBlack) {
    setObjectName(QStringLiteral("ScrollBox1"));
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor::fromRgb(kSilver));
    setPalette(silver);
    setBackgroundRole(QPalette::Window);
    content_ = new QWidget;
    content_->setPalette(silver);
    content_->setAutoFillBackground(true);
    image_ = new ImageView(content_);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->move(4, 4);
    image_->resize(kStartWidth * 8, kStartHeight * 8);
    image_->setBitmap(QImage(image_->size(), QImage::Format_RGB32));
    image_->bitmap().fill(Qt::white);
    setWidget(content_);
    fitContent();
    showPicture();

    qApp->installEventFilter(this);
    image_->trackMouse();
    connect(image_, &ImageView::mouseDown, this, [this](Qt::MouseButton button, int x, int y) {
        held_ |= button;
        if (const auto cell = pressedCell({x, y})) {
            emit cellPressed(button, *cell);
        }
    });
    connect(image_, &ImageView::mouseMoved, this, [this](int x, int y) {
        const QPoint cell = cellUnder({x, y});
        emit mouseOverCell(cell);
        if (held_ != Qt::NoButton) {
            emit cellDragged(held_, cell);
        }
    });
    connect(image_, &ImageView::mouseUp, this, [this](Qt::MouseButton button, int x, int y) {
        held_ &= ~button;
        emit cellReleased(button, cellUnder({x, y}));
    });
    connect(image_, &ImageView::mouseLeft, this, &PictureView::mouseLeft);
    connect(&document_, &PictureDocument::pictureChanged, this, &PictureView::showPicture);
    connect(&document_, &PictureDocument::pixelChanged, this, &PictureView::showPixel);
}

void PictureView::fitContent() {
    content_->resize(image_->width() + 8, image_->height() + 8);
}

void PictureView::showPicture() {
    const int s = document_.viewScale();
    image_->resize(document_.width() * s, document_.height() * s);
    // A 2048 x 2048 view is 16 MB: kept while the size stays, as after a fill or a paste.
    if (image_->bitmap().size() != image_->size()) {
        image_->bitmap() = QImage(image_->size(), QImage::Format_RGB32);
    }
    fitContent();
    redraw();
}

void PictureView::setShowingSource(bool showing) {
    if (showingSource_ != showing) {
        showingSource_ = showing;
        redraw();
        emit showingSourceChanged(showing);
    }
}

// The space bar held in the main window or the preview shows the imported picture,
// whichever of their controls has the focus.
bool PictureView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QWidget* receiver =
            watched->isWidgetType() ? static_cast<QWidget*>(watched)->window() : nullptr;
        const bool ours =
            receiver != nullptr && (receiver == window() || spaceBarWindows_.contains(receiver));
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat() && (ours || showingSource_)) {
            setShowingSource(event->type() == QEvent::KeyPress);
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void PictureView::redraw() {
    const QImage& working = document_.workingBitmap();
    zoomX_ = working.width() > 0 ? image_->width() / working.width() : 0;
    zoomY_ = working.height() > 0 ? image_->height() / working.height() : 0;
    if (showingSource_) {
        // The fitted picture in the working bitmap's place, the rest black.
        QImage source(working.size(), QImage::Format_RGB32);
        source.fill(Qt::black);
        QPainter(&source).drawImage(0, 0, document_.fittedPicture());
        drawView(source, image_->bitmap(), zoomX_, zoomY_, gridFirstLine_);
    } else {
        drawView(working, image_->bitmap(), zoomX_, zoomY_, gridFirstLine_);
    }
    // The first grid draws line 0 with the pen nothing has used yet; every later one
    // with the dark grey the lines before left behind.
    viewFirstLineStale_ = gridFirstLine_ != kGridDark;
    gridFirstLine_ = kGridDark;
    image_->update();
}

// Only the pixel's cell and the grid lines over it are drawn again: the same pixels a
// whole redraw would give, at a small part of its cost.
void PictureView::showPixel(int x, int y) {
    const QImage& working = document_.workingBitmap();
    if (showingSource_) {
        return;
    }
    if (viewFirstLineStale_ || image_->bitmap().size() != working.size() * zoomX_ ||
        zoomX_ != zoomY_) {
        redraw();
        return;
    }
    image_->update(drawViewCell(working, image_->bitmap(), zoomX_, zoomY_, gridFirstLine_, x, y));
}

std::optional<QPoint> PictureView::pressedCell(QPoint at) {
    if (zoomX_ <= 0 || zoomY_ <= 0 || at.x() < 0 || at.y() < 0) {
        return std::nullopt;
    }
    const QPoint cell(at.x() / zoomX_, at.y() / zoomY_);
    const QImage& working = document_.workingBitmap();
    zoomX_ = working.width() > 0 ? image_->width() / working.width() : 0;
    zoomY_ = working.height() > 0 ? image_->height() / working.height() : 0;
    if (cell.x() >= working.width() || cell.y() >= working.height()) {
        return std::nullopt;
    }
    return cell;
}

QPoint PictureView::cellUnder(QPoint at) const {
    return {zoomX_ > 0 ? at.x() / zoomX_ : -1, zoomY_ > 0 ? at.y() / zoomY_ : -1};
}
