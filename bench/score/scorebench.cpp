// The score of a 256 x 256 pair and the ranking of the 16 palettes, each timed against one
// conversion of the same picture in the same run: the thresholds method (the reference)
// and the chunk method. A conversion here is what a fresh start does: a fresh copy of the
// fitted picture and an all-zero buffer.
//
//   scorebench PICTURE [ROUNDS]
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "load/importpicture.h"
#include "convert/method.h"
#include "convert/paletteranking.h"
#include "convert/score.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace {

using namespace tovik;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

PixelBuffer convertOnce(const MethodSettings& settings, const ImportedPicture& picture) {
    PixelBuffer buffer;
    QImage source = picture.fitted;
    convertPicture(settings, picture.fitted, source, 0, picture.size.width, buffer);
    return buffer;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: scorebench PICTURE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 31;
    ImportedPicture picture;
    try {
        picture = importPicture(QString::fromLocal8Bit(argv[1]));
    } catch (const Error& e) {
        std::fprintf(stderr, "scorebench: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    const int w = picture.size.width, h = picture.size.height;
    const MethodSettings thresholds = ThresholdSettings{};
    const MethodSettings chunks = ChunkSettings{};
    const MethodSettings diffusion = DiffusionSettings{};
    const QImage result = renderPicture(convertOnce(thresholds, picture), w, h, 0);

    // Each round times every call once, one after the other, so that a load on the machine
    // that comes and goes weighs on the reference as on the rest; one untimed round first.
    const std::vector<std::function<void()>> calls = {
        [&] { convertOnce(thresholds, picture); },     [&] { convertOnce(chunks, picture); },
        [&] { pictureScore(picture.fitted, result); }, [&] { rankPalettes(thresholds, picture); },
        [&] { rankPalettes(chunks, picture); },        [&] { rankPalettes(diffusion, picture); },
    };
    std::vector<std::vector<double>> times(calls.size());
    QElapsedTimer timer;
    for (int round = 0; round <= rounds; ++round) {
        for (size_t c = 0; c < calls.size(); ++c) {
            timer.start();
            calls[c]();
            if (round > 0) {
                times[c].push_back(double(timer.nsecsElapsed()) / 1e6);
            }
        }
    }
    // The fastest round too: on a machine shared with other work the median of a long call
    // suffers more from being preempted than that of a short one.
    std::printf("score and palette ranking, %d x %d picture %s, %d rounds, %d threads\n", w, h,
                QFileInfo(QString::fromLocal8Bit(argv[1])).fileName().toLocal8Bit().constData(),
                rounds, QThreadPool::globalInstance()->maxThreadCount());
    std::printf("  %-46s %-31s   %-31s\n", "", "median of the rounds", "fastest round");
    std::printf("  %-46s %9s %10s %10s   %9s %10s %10s\n", "", "ms", "/ thresh.", "/ chunks", "ms",
                "/ thresh.", "/ chunks");
    const char* names[] = {
        "one conversion, thresholds (the reference)",
        "one conversion, chunks",
        "score of one pair (one thread)",
        "16-palette ranking, thresholds (1 conversion)",
        "16-palette ranking, chunks (1 conversion)",
        "16-palette ranking, diffusion (16 conversions)",
    };
    const double thresholdsMedian = median(times[0]), chunksMedian = median(times[1]);
    const double thresholdsFastest = fastest(times[0]), chunksFastest = fastest(times[1]);
    for (size_t c = 0; c < calls.size(); ++c) {
        const double m = median(times[c]), f = fastest(times[c]);
        std::printf("  %-46s %9.3f %10.2f %10.2f   %9.3f %10.2f %10.2f\n", names[c], m,
                    m / thresholdsMedian, m / chunksMedian, f, f / thresholdsFastest,
                    f / chunksFastest);
    }
    return 0;
}
