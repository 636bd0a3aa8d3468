#pragma once

#include <QByteArray>
#include <QImage>

#include "load/limits.h"

namespace tovik {

// Decodes a WebP (the first frame of an animation) through Qt's reader into an RGB32
// image, transparent pixels composed over black. Throws Error("WebP image is not valid")
// for a damaged or truncated file, and a clear Error for a picture above maxPixels.
QImage decodeWebp(const QByteArray& bytes, qint64 maxPixels = kMaxPicturePixels);

}  // namespace tovik
