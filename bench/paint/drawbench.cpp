// The drawing tools on a 256 x 256 picture at x8 (a 2048 x 2048 view), from the mouse
// event to the view repainted: a stroke's new cell, a 256-cell line, a box over the whole
// picture, and a fill of all 65,536 cells (also the fill alone, without the window). Each
// is given as a share of a 16.7 ms frame and against Qt's own enlargement of the picture
// to the view's size in the same run, the least any full redraw of the view has to do.
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QUndoStack>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "document/document.h"
#include "picture/drawing.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/desktop.h"
#include "ui/drawingtools.h"
#include "ui/mainwindow.h"
#include "ui/pictureview.h"

namespace {

constexpr double kFrameMs = 16.7;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile95(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
}

class Mouse {
public:
    explicit Mouse(QWidget* image) : image_(image) {}
    // The middle of picture cell (x, y) at x8.
    void press(int x, int y) { send(QEvent::MouseButtonPress, x, y, Qt::LeftButton); }
    void move(int x, int y) { send(QEvent::MouseMove, x, y, Qt::LeftButton); }
    void release(int x, int y) { send(QEvent::MouseButtonRelease, x, y, Qt::NoButton); }

private:
    void send(QEvent::Type type, int x, int y, Qt::MouseButtons buttons) {
        const QPointF at(8 * x + 4, 8 * y + 4);
        QMouseEvent event(type, at, image_->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(image_, &event);
    }
    QWidget* image_;
};

// The repaint the events asked for, done now rather than at the next frame.
void repaint() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

bool report(const char* what, const std::vector<double>& times, double reference, double limitMs) {
    const double m = median(times);
    const bool pass = m <= limitMs;
    std::printf(
        "%s  %-44s median %6.3f ms, 95th %6.3f ms; %.3f of a frame; %.3f x reference "
        "(limit %.1f ms)\n",
        pass ? "pass" : "FAIL", what, m, percentile95(times), m / kFrameMs, m / reference, limitMs);
    return pass;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    Desktop desktop;
    MainWindow* window = &desktop.mainWindow();
    window->show();
    tovik::PictureDocument& document = desktop.document();
    document.setPictureSize(256, 256);
    document.redraw();
    window->colourGrid->selectColumn(3);
    QCoreApplication::processEvents();
    DrawingTools& tools = *window->tools;
    Mouse mouse(window->view->image());

    std::vector<double> reference;
    for (int i = 0; i < 20; ++i) {
        reference.push_back(timed([&] {
            const QImage scaled = document.workingBitmap().scaled(2048, 2048, Qt::IgnoreAspectRatio,
                                                                  Qt::FastTransformation);
            if (scaled.isNull()) {
                std::abort();
            }
        }));
    }
    const double ref = median(reference);
    std::printf("drawing tools, 256 x 256 at x8 (view 2048 x 2048)\n");
    std::printf("  reference (QImage::scaled to 2048 x 2048): median %.2f ms\n", ref);
    bool pass = true;

    // A stroke along the rows, one new cell a mouse move.
    tools.choose(DrawingTools::Kind::Pencil);
    std::vector<double> stroke;
    mouse.press(0, 0);
    repaint();
    for (int i = 1; i < 1500; ++i) {
        const int row = i / 255, step = i % 255;
        const int x = row % 2 == 0 ? step : 255 - step;
        stroke.push_back(timed([&] {
            mouse.move(x, row);
            repaint();
        }));
    }
    mouse.release(0, 5);
    pass &= report("pencil, a stroke's new cell", stroke, ref, 0.2);

    // A fast stroke: 32 cells between two mouse events.
    std::vector<double> fastStroke;
    mouse.press(0, 10);
    for (int i = 1; i < 200; ++i) {
        fastStroke.push_back(timed([&] {
            mouse.move(i % 2 == 0 ? 0 : 31, 10 + i / 2 % 200);
            repaint();
        }));
    }
    mouse.release(0, 10);
    pass &= report("pencil, 32 cells a mouse move", fastStroke, ref, kFrameMs);

    const auto shape = [&](DrawingTools::Kind kind, int x1, int y1, std::vector<double>& drag,
                           std::vector<double>& release) {
        tools.choose(kind);
        for (int i = 0; i < 20; ++i) {
            mouse.press(0, 0);
            drag.push_back(timed([&] {
                mouse.move(x1 - 1, y1);
                repaint();
            }));
            release.push_back(timed([&] {
                mouse.release(x1, y1);
                repaint();
            }));
            document.undoStack()->undo();
            repaint();
        }
    };
    std::vector<double> lineDrag, line, boxDrag, box, filledDrag, filled;
    shape(DrawingTools::Kind::Line, 255, 255, lineDrag, line);
    pass &= report("line of 256 cells, shown while dragged", lineDrag, ref, kFrameMs);
    pass &= report("line of 256 cells, drawn on release", line, ref, kFrameMs);
    shape(DrawingTools::Kind::Rectangle, 255, 255, boxDrag, box);
    pass &= report("box round the whole picture, dragged", boxDrag, ref, kFrameMs);
    pass &= report("box round the whole picture, drawn", box, ref, kFrameMs);
    shape(DrawingTools::Kind::FilledRectangle, 255, 255, filledDrag, filled);
    pass &= report("filled box of the whole picture, dragged", filledDrag, ref, kFrameMs);
    pass &= report("filled box of the whole picture, drawn", filled, ref, kFrameMs);

    // The fill alone on the cells, then through the tool to the view repainted.
    std::vector<double> fillCore, fill;
    tovik::PixelBuffer buffer;
    tovik::PictureCells cells(buffer, 256, 256);
    for (int i = 0; i < 50; ++i) {
        fillCore.push_back(timed([&] { tovik::floodFill(cells, {i, i}, (i + 1) % 2); }));
    }
    pass &= report("fill of 65,536 cells, the fill alone", fillCore, ref, 2.0);
    tools.choose(DrawingTools::Kind::Fill);
    for (int i = 0; i < 20; ++i) {
        window->colourGrid->selectColumn(i % 2 == 0 ? 1 : 0);
        fill.push_back(timed([&] {
            mouse.press(100, 100);
            mouse.release(100, 100);
            repaint();
        }));
    }
    pass &= report("fill of 65,536 cells, to the view repainted", fill, ref, kFrameMs);
    return pass ? 0 : 1;
}
