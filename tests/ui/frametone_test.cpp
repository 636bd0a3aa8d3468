// "Кадр и тон": the window's result is the core's (and so the batch program's) for the same
// settings, and undo of a drag brings back the frame and tone exactly.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include "convert/method.h"
#include "load/frame.h"
#include "load/importpicture.h"
#include "machinefiles/bmp24.h"
#include "picture/fileio.h"
#include "picture/projectfile.h"
#include "ui/frametonewindow.h"
#include "ui/liveconverter.h"
#include "windowtest.h"

namespace {

using namespace tovik;

void nextFrame() {
    QTest::qWait(LiveConverter::kFrameMs + 10);
}

void mouse(QWidget* widget, QEvent::Type type, QPointF at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

TEST_F(WindowTest, FrameAndToneGiveTheBatchBytesAndADragUndoes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.bmp");
    QImage photograph(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            photograph.setPixel(x, y, qRgb(x * 255 / 300, y * 255 / 200, (x * y) % 256));
        }
    }
    writeFile(path, encodeBmp24(photograph));
    dialogs->answers = {path};
    app().imports().importPalette();
    app().imports().openFrameTone();
    FrameToneWindow* window = &app().frameTone();
    ASSERT_TRUE(window->isVisible());
    window->resize(500, 600);
    QCoreApplication::processEvents();

    window->toneBoxes[kBrightness]->setValue(15);
    window->toneBoxes[kGamma]->setValue(1.4);
    nextFrame();
    emit window->adjustmentFinished();
    window->fillButton->click();
    nextFrame();
    const Framing beforeDrag = doc().framing();
    EXPECT_EQ(beforeDrag.frame.kind, Frame::Kind::Fill);
    EXPECT_EQ(beforeDrag.tone, (ToneSettings{.brightness = 15, .gamma = 1.4}));
    const int stepsBeforeDrag = doc().undoStack()->index();

    // One drag of the bottom right corner inwards, over several frames.
    const QRect fill = window->frameView->frame();
    FrameView* view = window->frameView;
    mouse(view, QEvent::MouseButtonPress, view->toView(fill.bottomRight() + QPoint(1, 1)));
    for (int step = 1; step <= 3; ++step) {
        mouse(view, QEvent::MouseMove,
              view->toView(QPointF(fill.right() + 1 - 30 * step, fill.bottom() + 1 - 20 * step)));
        nextFrame();
    }
    mouse(view, QEvent::MouseButtonRelease, view->toView(QPointF(fill.right() - 89, 0)));
    nextFrame();
    const Framing dragged = doc().framing();
    ASSERT_EQ(dragged.frame.kind, Frame::Kind::Rect);
    EXPECT_EQ(dragged.frame.rect.topLeft(), fill.topLeft());
    EXPECT_LT(dragged.frame.rect.width(), fill.width());
    EXPECT_EQ(doc().undoStack()->index(), stepsBeforeDrag + 1);

    // The batch program's bytes for the same settings: --frame X,Y,W,H --size WxH
    // --brightness 15 --gamma 1.4 --method diffusion.
    const FramedPicture framed = framePicture(importPicture(path), dragged);
    PixelBuffer buffer;
    QImage source = framed.fitted;
    convertPicture(DiffusionSettings{}, framed.fitted, source, doc().palette(), framed.size.width,
                   buffer);
    EXPECT_EQ(encodeProject(doc().buffer(), doc().width(), doc().height(), doc().palette()),
              encodeProject(buffer, framed.size.width, framed.size.height, doc().palette()));

    doc().undoStack()->undo();
    EXPECT_EQ(doc().framing(), beforeDrag);
    EXPECT_EQ(window->framing(), beforeDrag);
    EXPECT_EQ(doc().fittedPicture(), framePicture(importPicture(path), beforeDrag).fitted);
}

}  // namespace
