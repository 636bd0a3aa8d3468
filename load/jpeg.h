#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdio>
#include <functional>

#include "load/limits.h"

namespace tovik {

// Decodes a JPEG at full scale with the floating-point inverse transform and block
// smoothing, into an RGB32 image (bytes blue, green, red, 0xFF). Greyscale gives grey,
// CMYK and YCCK are converted to RGB. Throws Error("JPEG image is not valid (decoder error
// #N)") for a damaged or truncated file, and a clear Error for a picture above
// kMaxPicturePixels.
QImage decodeJpeg(const QByteArray& bytes);
// The same with a lower pixel limit, for callers (the fuzzers) that must stay small.
QImage decodeJpeg(const QByteArray& bytes, qint64 maxPixels);

// The JPEG stretched (nearest pixel) to the size sizeFor gives for its own size: the
// pixels of stretchNearest(decodeJpeg(bytes), ...), but without the whole picture in
// memory. Throws as decodeJpeg does.
QImage decodeJpegStretched(const QByteArray& bytes, const std::function<QSize(QSize)>& sizeFor,
                           qint64 maxPixels = kMaxPicturePixels);

// The same, reading the JPEG from the file a piece at a time from where it stands, so that
// the file is never held whole. A damaged file is read a second time from its start.
QImage decodeJpegFileStretched(FILE* file, const std::function<QSize(QSize)>& sizeFor,
                               qint64 maxPixels = kMaxPicturePixels);

}  // namespace tovik
