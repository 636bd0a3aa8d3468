// Painting one pixel of a 256 x 256 picture at x8, from the press to the view updated:
// the press handler (buffer, working bitmap, undo step, the pixel's cell of the view and
// of the preview) and the repaint of what that changed on the screen. The reference in
// the same run is Qt's own nearest-pixel enlargement of the same picture to the view's
// size, the least any full redraw of the view has to do.
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/document.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/desktop.h"
#include "ui/mainwindow.h"
#include "ui/pictureview.h"

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile95(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() * 95 / 100];
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
    desktop.document().setPictureSize(256, 256);
    desktop.document().redraw();
    window->colourGrid->selectColumn(3);
    QCoreApplication::processEvents();

    constexpr int kPresses = 300;
    std::vector<double> ours, reference;
    QElapsedTimer timer;
    for (int i = 0; i < kPresses; ++i) {
        // Presses spread over the visible part of the view.
        const QPointF at(8 * (i % 90) + 3, 8 * ((i * 7) % 70) + 3);
        QMouseEvent press(QEvent::MouseButtonPress, at, window->view->image()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, window->view->image()->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        timer.start();
        QCoreApplication::sendEvent(window->view->image(), &press);
        // The repaint the press asked for, done now rather than at the next frame.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ours.push_back(timer.nsecsElapsed() / 1e6);
        QCoreApplication::sendEvent(window->view->image(), &release);

        timer.start();
        const QImage scaled = desktop.document().workingBitmap().scaled(
            2048, 2048, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        reference.push_back(timer.nsecsElapsed() / 1e6);
        if (scaled.isNull()) {
            return 1;
        }
    }
    const double oursMedian = median(ours), referenceMedian = median(reference);
    std::printf("paint one pixel, 256 x 256 at x8 (view 2048 x 2048), %d presses\n", kPresses);
    std::printf("  ours: median %.2f ms, 95th percentile %.2f ms\n", oursMedian,
                percentile95(ours));
    std::printf("  reference (QImage::scaled to 2048 x 2048): median %.2f ms\n", referenceMedian);
    std::printf("  ratio ours / reference: %.2f; share of a 16.7 ms frame: %.2f\n",
                oursMedian / referenceMedian, oursMedian / 16.7);
    return 0;
}
