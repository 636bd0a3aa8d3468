#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

namespace tovik {

// A picture whose header claims more pixels than this is refused before anything large
// is allocated.
constexpr qint64 kMaxPicturePixels = 100'000'000;

// A picture file larger than this is refused unread. The largest picture allowed, as a
// 32-bit BMP, takes 400 MB.
constexpr qint64 kMaxPictureFileBytes = qint64(512) << 20;

// True when the lower-cased extension of the name (from its last full stop on) contains
// "jpg" or "jpeg": .JPG, .Jpeg and .jpg all take the JPEG path; .jpe does not.
bool isJpegFileName(const QString& path);

// Decodes a JPEG at full scale with the floating-point inverse transform and block
// smoothing, into an RGB32 image (bytes blue, green, red, 0xFF). Greyscale gives grey,
// CMYK and YCCK are converted to RGB. Throws Error("JPEG error #N") for a damaged or
// truncated file, and a clear Error for a picture above kMaxPicturePixels.
QImage decodeJpeg(const QByteArray& bytes);
// The same with a lower pixel limit, for callers (the fuzzers) that must stay small.
QImage decodeJpeg(const QByteArray& bytes, qint64 maxPixels);

// The JPEG stretched (nearest pixel) to the size sizeFor gives for its own size: the
// pixels of stretchNearest(decodeJpeg(bytes), ...), but without the whole picture in
// memory. Throws as decodeJpeg does.
QImage decodeJpegStretched(const QByteArray& bytes, const std::function<QSize(QSize)>& sizeFor,
                           qint64 maxPixels = kMaxPicturePixels);

// Decodes a BMP into an RGB32 image. Throws Error("Bitmap image is not valid") for a
// damaged or truncated file, and a clear Error for a picture above kMaxPicturePixels.
QImage decodeBmp(const QByteArray& bytes);
QImage decodeBmp(const QByteArray& bytes, qint64 maxPixels);

// Reads a picture file: JPEG by isJpegFileName, BMP for the extension .bmp, and
// Error("Unknown picture file extension (.%s)") for any other. Throws Error("Cannot open
// file %s") when the file cannot be read, and a clear Error for a file larger than
// kMaxPictureFileBytes. A name without an extension is refused with
// Error("Unknown picture file type: the name %s has no extension"). The extension is
// judged before the file is opened. The result is RGB32.
QImage loadPicture(const QString& path);

// The picture of the file as loadPicture reads it, stretched (nearest pixel) to the size
// sizeFor gives for the picture's own size: the pixels of stretchNearest(loadPicture(path),
// ...), but a JPEG keeps only the rows the stretch samples, so a large photograph is never
// held whole. For a batch run that needs nothing but the fitted picture. Throws as
// loadPicture does.
QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor);

}  // namespace tovik
