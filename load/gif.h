#pragma once

#include <QByteArray>
#include <QImage>

#include "load/limits.h"

namespace tovik {

// Decodes the first frame of a GIF through Qt's reader into an RGB32 image, transparent
// pixels composed over black. Throws Error("GIF image is not valid") for a damaged file
// or one cut before the first frame ends, and a clear Error for a picture (the logical
// screen or the first frame) above maxPixels.
QImage decodeGif(const QByteArray& bytes, qint64 maxPixels = kMaxPicturePixels);

}  // namespace tovik
