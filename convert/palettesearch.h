#pragma once

#include <QImage>
#include <atomic>
#include <functional>

#include "convert/palettediffusion.h"

namespace tovik {

class PixelBuffer;

// The search: diffusion to the palette, then refined pass after pass (refinePaletteSearch).
struct SearchSettings {
    DiffusionSettings start;  // the diffusion the search starts from
    int passes = 4;           // 1..kMaxSearchPasses; a pass that changes nothing ends it early
    bool operator==(const SearchSettings&) const = default;
};

constexpr int kMaxSearchPasses = 32;

// How a refinement runs. None of it changes the result: the same picture and passes give
// the same bytes with any number of threads.
struct SearchControl {
    int threads = 0;  // 0: one per processor
    // Read often (every row of a band); once true, the refinement stops within a few
    // milliseconds and returns false.
    const std::atomic<bool>* cancel = nullptr;
    // Called on the calling thread after each half pass with the halves done and the
    // halves at most to come (2 * passes); a pass that changes nothing ends early.
    std::function<void(int done, int total)> progress;
};

// Diffusion with settings.start, then refinePaletteSearch with settings.passes on every
// processor. Writes the buffer as convertDiffusion does.
void convertSearch(const QImage& fitted, const SearchSettings& settings, int palette,
                   int pictureWidth, PixelBuffer& buffer);

// Refines a conversion of `fitted` to the palette (entry y*pictureWidth + x, as the
// conversions write it; usually convertDiffusion's result). Each pass visits every pixel
// whose neighbourhood changed in the pass before (all of them at first) and tries its
// other three colours and swapping it with its right and lower neighbour, keeping the
// change that lowers the objective most, if any does. The objective (searchObjective)
// is the score at sigma 1, plus the same score at sigma 3 on every fourth row and column,
// summed over each half band and counted where that sum is above 98 % of the start's,
// which keeps the picture's tones where the eye sees them from further away, plus a
// penalty on each band's mean CIELAB colour (after the sigma 1 blur) moving more than 0.5
// from the start's, which keeps the overall colour. The search never raises it. A change
// updates the blurred pictures only over the neighbourhood it touches.
//
// The picture is cut into bands of 32 rows; in each half pass every other band is
// refined, in parallel, far enough apart that they share nothing. Returns true with the
// buffer refined, or false, with the buffer as it was, when cancelled. A null picture
// changes nothing and returns true.
bool refinePaletteSearch(const QImage& fitted, int palette, int pictureWidth, int passes,
                         PixelBuffer& buffer, const SearchControl& control = {});

// The refinement's objective for `result`, a search that started from `start`; both as
// refinePaletteSearch reads the buffer. Lower is better.
double searchObjective(const QImage& fitted, int palette, int pictureWidth,
                       const PixelBuffer& result, const PixelBuffer& start);

}  // namespace tovik
