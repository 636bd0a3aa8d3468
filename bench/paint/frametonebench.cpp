// Opening "Кадр и тон" on a large photograph against importing it alone, in one run,
// alternating: the import as the menu command does it (read, fit, keep the copy, take it
// into the document), then the same import followed by the window opened and painted.
// Prints both medians, their ratio and the memory of the kept copy.
// usage: frametonebench PHOTO.jpg [ROUNDS]
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "document/document.h"
#include "load/importpicture.h"
#include "ui/application.h"
#include "ui/desktop.h"
#include "ui/frametonewindow.h"

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: frametonebench PHOTO.jpg [ROUNDS]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    Desktop desktop;
    desktop.show();
    tovik::PictureDocument& document = desktop.document();
    FrameToneWindow& window = desktop.frameTone();

    std::vector<double> imports, opens;
    QElapsedTimer timer;
    qsizetype keptBytes = 0;
    QSize keptSize, loadedSize;
    for (int round = 0; round <= rounds; ++round) {  // round 0 warms up, untimed
        window.hide();
        QCoreApplication::processEvents();
        timer.start();
        document.takePicture(tovik::importPicture(path));
        QCoreApplication::processEvents();
        const double importMs = timer.nsecsElapsed() / 1e6;

        window.hide();
        QCoreApplication::processEvents();
        timer.start();
        document.takePicture(tovik::importPicture(path));
        desktop.imports().openFrameTone();
        window.frameView->repaint();
        QCoreApplication::processEvents();
        const double openMs = timer.nsecsElapsed() / 1e6;
        if (round > 0) {
            imports.push_back(importMs);
            opens.push_back(openMs);
        }
        keptBytes = document.photograph()->kept.sizeInBytes();
        keptSize = document.photograph()->kept.size();
        loadedSize = document.photograph()->loadedSize;
    }
    const double ratio = median(opens) / median(imports);
    std::printf("frame-tone: %d x %d photograph, median of %d rounds\n", loadedSize.width(),
                loadedSize.height(), rounds);
    std::printf("  import alone (read, fit, keep the copy)     %8.1f ms\n", median(imports));
    std::printf("  import, then \"Кадр и тон\" opened, painted  %8.1f ms\n", median(opens));
    std::printf("  ratio  %.3f  (goal: at most 1.2%s)\n", ratio,
                ratio > 1.2 ? ", NOT MET" : ", met");
    std::printf("  kept copy %d x %d: %.2f MB  (goal: at most 16 MB%s)\n", keptSize.width(),
                keptSize.height(), keptBytes / 1048576.0,
                keptBytes > (qsizetype(16) << 20) ? ", NOT MET" : ", met");
    return ratio <= 1.2 && keptBytes <= (qsizetype(16) << 20) ? 0 : 1;
}
