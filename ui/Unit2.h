#pragma once

#include <QPoint>
#include <QWidget>

class ImageView;

// The preview: a small always-on-top tool window showing the working bitmap at half the
// view's magnification, dragged by its body.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2();

    ImageView* Image3;

    // Sets the image's control size, then its bitmap size; the window follows.
    void setImageSize(int width, int height);
    // Lays the window out again so that it fits its image.
    void fitToImage();

    void FormClose();
    void FormMouseMove(Qt::MouseButtons buttons, QPoint globalPosition);

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint dragOffset_;        // press position relative to the window's top-left corner
    bool systemMove_ = false;  // the window manager took the drag over
};

extern TForm2* Form2;
