#pragma once

#include <QImage>
#include <vector>

#include "convert/method.h"
#include "picture/pixelbuffer.h"

namespace tovik {

struct ImportedPicture;

// One palette's conversion of a picture and its score.
struct PaletteScore {
    int palette = 0;
    double score = 0;    // unrounded
    PixelBuffer buffer;  // the conversion's indices, stride pictureWidth
    // A search's entry left as the diffusion it starts from: only the first is refined.
    bool searchStart = false;
};

// Converts the fitted picture with each of the 16 palettes as from a fresh start (a fresh
// copy of the picture and an all-zero buffer every time), scores each conversion and
// returns all 16, lowest score first, equal scores by the lower palette number. A method
// whose indices do not depend on the palette converts once and is scored 16 times. The
// search ranks by the diffusion it starts from, then refines the first and scores it
// again; it stays first.
// The work runs on the global thread pool and the call returns when all of it is done:
// a window runs it with QtConcurrent::run to stay responsive.
std::vector<PaletteScore> rankPalettes(const MethodSettings& settings, const QImage& fitted,
                                       int pictureWidth);
std::vector<PaletteScore> rankPalettes(const MethodSettings& settings,
                                       const ImportedPicture& picture);

}  // namespace tovik
