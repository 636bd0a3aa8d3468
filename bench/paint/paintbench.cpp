// Painting one pixel of a 256 x 256 picture at x8, from the press to the view updated:
// the press handler (working bitmap, full view redraw with its grid, preview refresh)
// and the synchronous repaint of the part of the view the window shows. The reference in
// the same run is Qt's own nearest-pixel enlargement of the same picture to the view's
// size, the least any full redraw of the view has to do.
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ui/Application.h"
#include "ui/Controls.h"
#include "ui/Main.h"

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
    Application::createForms();
    Form1->show();
    Form1->setPictureSize(256, 256);
    Form1->RedrawPicture();
    Form1->DrawGrid1->selectColumn(3);
    QCoreApplication::processEvents();

    constexpr int kPresses = 300;
    std::vector<double> ours, reference;
    QElapsedTimer timer;
    for (int i = 0; i < kPresses; ++i) {
        // Presses spread over the visible part of the view.
        const QPointF at(8 * (i % 90) + 3, 8 * ((i * 7) % 70) + 3);
        QMouseEvent press(QEvent::MouseButtonPress, at, Form1->Image1->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, Form1->Image1->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        timer.start();
        QCoreApplication::sendEvent(Form1->Image1, &press);
        Form1->Image1->repaint();
        ours.push_back(timer.nsecsElapsed() / 1e6);
        QCoreApplication::sendEvent(Form1->Image1, &release);

        timer.start();
        const QImage scaled =
            Form1->Image2.scaled(2048, 2048, Qt::IgnoreAspectRatio, Qt::FastTransformation);
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
    Application::destroyForms();
    return 0;
}
