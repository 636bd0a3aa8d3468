#pragma once

#include <QImage>

#include "load/fit.h"

// What every picture reader promises of a picture it accepts: RGB32, not empty, and
// fitted as loading fits it. A broken promise ends the run as a crash would.
inline void checkDecodedPicture(const QImage& image) {
    if (image.format() != QImage::Format_RGB32 || image.width() <= 0 || image.height() <= 0) {
        __builtin_trap();
    }
    const tovik::FitResult fit = tovik::fitPicture(image.width(), image.height());
    const QImage fitted = tovik::stretchNearest(image, fit.width, fit.height);
    if (fitted.width() != fit.width || fitted.height() != fit.height) {
        __builtin_trap();
    }
}
