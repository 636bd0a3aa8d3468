// The score of a 256 x 256 pair and the ranking of the 16 palettes, each timed against one
// conversion of the same picture in the same run: the thresholds method (the reference)
// and the chunk method. A conversion here is what a fresh start does: a fresh copy of the
// fitted picture and an all-zero buffer.
//
//   scorebench PICTURE [ROUNDS]
#include <QElapsedTimer>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "convert/importpicture.h"
#include "convert/method.h"
#include "convert/paletteranking.h"
#include "convert/score.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"
#include "picture/render.h"

namespace {

using namespace tovik;

// Milliseconds of one call, the median of `rounds` calls after one untimed call.
double medianMs(int rounds, const std::function<void()>& call) {
    call();
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        call();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
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

    const double conversion = medianMs(rounds, [&] { convertOnce(thresholds, picture); });
    const double chunkConversion = medianMs(rounds, [&] { convertOnce(chunks, picture); });
    const double score = medianMs(rounds, [&] { pictureScore(picture.fitted, result); });
    const double ranking = medianMs(rounds, [&] { rankPalettes(thresholds, picture); });
    const double chunkRanking = medianMs(rounds, [&] { rankPalettes(chunks, picture); });
    const double diffusionRanking = medianMs(rounds, [&] { rankPalettes(diffusion, picture); });

    std::printf("score and palette ranking, %d x %d picture, median of %d rounds, %d threads\n", w,
                h, rounds, QThreadPool::globalInstance()->maxThreadCount());
    std::printf("  one conversion, thresholds (the reference)   %8.3f ms\n", conversion);
    std::printf("  one conversion, chunks                       %8.3f ms  ratio %6.2f\n",
                chunkConversion, chunkConversion / conversion);
    std::printf("  score of a pair (one thread)                 %8.3f ms  ratio %6.2f\n", score,
                score / conversion);
    std::printf("  16-palette ranking, thresholds               %8.3f ms  ratio %6.2f\n", ranking,
                ranking / conversion);
    std::printf(
        "  16-palette ranking, chunks                   %8.3f ms  ratio %6.2f"
        "  (%.2f chunk conversions)\n",
        chunkRanking, chunkRanking / conversion, chunkRanking / chunkConversion);
    std::printf("  16-palette ranking, diffusion                %8.3f ms  ratio %6.2f\n",
                diffusionRanking, diffusionRanking / conversion);
    return 0;
}
