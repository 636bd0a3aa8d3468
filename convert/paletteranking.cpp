#include "convert/paletteranking.h"

#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>

#include "convert/importpicture.h"
#include "convert/score.h"
#include "picture/palette.h"

namespace tovik {

std::vector<PaletteScore> rankPalettes(const MethodSettings& settings, const QImage& fitted,
                                       int pictureWidth) {
    // The fitted picture's side of the score is the same for every palette.
    const PictureScorer scorer(fitted);
    std::vector<PaletteScore> results(kPaletteCount);
    for (int p = 0; p < kPaletteCount; ++p) {
        results[size_t(p)].palette = p;
    }
    if (usesPalette(settings)) {
        QtConcurrent::blockingMap(results, [&](PaletteScore& result) {
            // Copies share the pixels until a method writes to its own.
            QImage source = fitted;
            convertPicture(settings, fitted, source, result.palette, pictureWidth, result.buffer);
            result.score = scorer.score(result.buffer, pictureWidth, result.palette);
        });
    } else {
        PixelBuffer buffer;
        QImage source = fitted;
        convertPicture(settings, fitted, source, 0, pictureWidth, buffer);
        QtConcurrent::blockingMap(results, [&](PaletteScore& result) {
            result.buffer = buffer;
            result.score = scorer.score(buffer, pictureWidth, result.palette);
        });
    }
    std::sort(results.begin(), results.end(), [](const PaletteScore& a, const PaletteScore& b) {
        return a.score != b.score ? a.score < b.score : a.palette < b.palette;
    });
    return results;
}

std::vector<PaletteScore> rankPalettes(const MethodSettings& settings,
                                       const ImportedPicture& picture) {
    return rankPalettes(settings, picture.fitted, picture.size.width);
}

}  // namespace tovik
