#include "ui/previewwindow.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "document/document.h"
#include "picture/render.h"
#include "ui/controls.h"
#include "ui/placement.h"
#include "ui/toolwindow.h"

PreviewWindow::PreviewWindow(const tovik::PictureDocument& document)
    : QWidget(nullptr, kToolWindowFlags), document_(document) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Просмотр"));
    scroller_ = new QScrollArea(this);
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->move(0, 0);
    image = new ImageView;
    image->setObjectName(QStringLiteral("Image3"));
    // Presses and moves over the picture belong to the window, which is dragged by them.
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->resize(256, 256);
    scroller_->setWidget(image);
    scroller_->viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->setBitmap(QImage(256, 256, QImage::Format_RGB32));
    image->bitmap().fill(Qt::black);
    fitToImage();
    move(726, 350);
    connect(&document_, &tovik::PictureDocument::pictureChanged, this, &PreviewWindow::showPicture);
    connect(&document_, &tovik::PictureDocument::pixelChanged, this, &PreviewWindow::showPixel);
}

void PreviewWindow::showPicture() {
    const int s = document_.viewScale();
    const QSize size(document_.width() * s / 2, document_.height() * s / 2);
    if (image->size() != size) {
        image->resize(size);
        image->setBitmap(QImage(size, QImage::Format_RGB32));
        fitToImage();
    }
    refresh();
}

void PreviewWindow::showPixel(int x, int y) {
    if (!showingSource_) {
        image->update(tovik::stretchPixelInto(document_.workingBitmap(), image->bitmap(), x, y));
    }
}

void PreviewWindow::refresh() {
    const QImage& working = document_.workingBitmap();
    if (showingSource_) {
        // The fitted picture in the working bitmap's place, the rest black, as the view.
        QImage source(working.size(), QImage::Format_RGB32);
        source.fill(Qt::black);
        QPainter(&source).drawImage(0, 0, document_.fittedPicture());
        tovik::stretchInto(source, image->bitmap());
    } else {
        tovik::stretchInto(working, image->bitmap());
    }
    image->update();
}

void PreviewWindow::setShowingSource(bool showing) {
    if (showingSource_ != showing) {
        showingSource_ = showing;
        refresh();
    }
}

void PreviewWindow::fitToImage() {
    const QRect available = screen()->availableGeometry();
    // Until a window manager has framed the window its frame is unknown: allow for a
    // caption and thin borders.
    QMargins frame(geometry().left() - frameGeometry().left(),
                   geometry().top() - frameGeometry().top(),
                   frameGeometry().right() - geometry().right(),
                   frameGeometry().bottom() - geometry().bottom());
    if (frame.isNull()) {
        const int border = 4;
        frame = QMargins(border, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border,
                         border, border);
    }
    const QSize most(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    QSize client = image->size();
    if (client.width() > most.width() || client.height() > most.height()) {
        // Room for the scroll bars the cut-off direction needs.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        client = (client + QSize(bar, bar)).boundedTo(most);
    }
    const bool grew = client.width() > width() || client.height() > height();
    setFixedSize(client);
    scroller_->resize(client);
    // A shown window that grew moves to where it hides no other window, wholly on the
    // screen.
    if (isVisible() && grew) {
        placeWindow(this);
    } else if (isVisible()) {
        fitOnScreen(this);
    }
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

void PreviewWindow::mousePressEvent(QMouseEvent* event) {
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    systemMove_ = false;
}

void PreviewWindow::mouseMoveEvent(QMouseEvent* event) {
    drag(event->buttons(), event->globalPosition().toPoint());
}

void PreviewWindow::mouseReleaseEvent(QMouseEvent*) {
    systemMove_ = false;
}

// The window manager moves the window as by its caption; with none (a bare X server)
// the window follows the mouse itself.
void PreviewWindow::drag(Qt::MouseButtons buttons, QPoint globalPosition) {
    if (!buttons.testFlag(Qt::LeftButton) || systemMove_) {
        return;
    }
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        systemMove_ = true;
        return;
    }
    move(globalPosition - dragOffset_);
}
