#pragma once

#include <QPoint>
#include <QWidget>

class ImageView;
class QScrollArea;

namespace tovik {
class PictureDocument;
}

// The preview: a small always-on-top tool window showing the working bitmap at half the
// view's magnification, dragged by its body. It never grows past the screen: a larger
// picture scrolls inside it. Its close box only hides it and says so.
class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(const tovik::PictureDocument& document);

    ImageView* image;

    // Stretches the whole working bitmap into the preview's image, or the imported
    // picture while the source is shown.
    void refresh();
    // Before and after, as the main window's view: the source while `showing`.
    void setShowingSource(bool showing);
    // Lays the window out again so that it fits its image, or the screen's available
    // area when the image is larger; a shown window is moved wholly onto the screen.
    void fitToImage();

signals:
    // The close box was used.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showPicture();
    void showPixel(int x, int y);
    void drag(Qt::MouseButtons buttons, QPoint globalPosition);

    const tovik::PictureDocument& document_;
    QScrollArea* scroller_;
    QPoint dragOffset_;        // press position relative to the window's top-left corner
    bool systemMove_ = false;  // the window manager took the drag over
    bool showingSource_ = false;
};
