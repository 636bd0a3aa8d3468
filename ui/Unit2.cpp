#include "ui/Unit2.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QWindow>

#include "ui/Controls.h"
#include "ui/Main.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Просмотр"));
    Image3 = new ImageView(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    // Presses and moves over the picture belong to the window, which is dragged by them.
    Image3->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image3->move(0, 0);
    Image3->resize(256, 256);
    Image3->setBitmap(QImage(256, 256, QImage::Format_RGB32));
    Image3->bitmap().fill(Qt::black);
    fitToImage();
    move(726, 350);
}

void TForm2::setImageSize(int width, int height) {
    Image3->setControlWidth(width);
    Image3->setControlHeight(height);
    Image3->setBitmapWidth(width);
    Image3->setBitmapHeight(height);
    fitToImage();
}

void TForm2::fitToImage() {
    setFixedSize(Image3->size());
}

void TForm2::FormClose() {
    if (Form1 != nullptr) {
        Form1->CheckBox1->setChecked(false);
    }
}

void TForm2::FormMouseMove(Qt::MouseButtons buttons, QPoint globalPosition) {
    if (!buttons.testFlag(Qt::LeftButton) || systemMove_) {
        return;
    }
    // The window manager moves the window as by its caption; with none (a bare X server)
    // the window follows the mouse itself.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        systemMove_ = true;
        return;
    }
    move(globalPosition - dragOffset_);
}

void TForm2::closeEvent(QCloseEvent* event) {
    event->accept();
    FormClose();
}

void TForm2::mousePressEvent(QMouseEvent* event) {
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    systemMove_ = false;
}

void TForm2::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove(event->buttons(), event->globalPosition().toPoint());
}

void TForm2::mouseReleaseEvent(QMouseEvent*) {
    systemMove_ = false;
}
