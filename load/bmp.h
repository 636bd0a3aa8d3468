#pragma once

#include <QByteArray>
#include <QImage>

namespace tovik {

// Decodes a BMP into an RGB32 image. Throws Error("Bitmap image is not valid") for a
// damaged or truncated file, and a clear Error for a picture above kMaxPicturePixels.
QImage decodeBmp(const QByteArray& bytes);
QImage decodeBmp(const QByteArray& bytes, qint64 maxPixels);

}  // namespace tovik
