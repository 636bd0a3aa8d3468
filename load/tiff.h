#pragma once

#include <QByteArray>
#include <QImage>

#include "load/limits.h"

namespace tovik {

// Decodes the first picture of a TIFF through Qt's reader into an RGB32 image,
// transparent pixels composed over black, 16-bit samples brought to 8 bits. Throws
// Error("TIFF image is not valid") for a damaged or truncated file, and a clear Error
// for a picture above maxPixels.
QImage decodeTiff(const QByteArray& bytes, qint64 maxPixels = kMaxPicturePixels);

}  // namespace tovik
