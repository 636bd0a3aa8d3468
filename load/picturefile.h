#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

#include "load/limits.h"

namespace tovik {

// True when the lower-cased extension of the name (from its last full stop on) contains
// "jpg" or "jpeg": .JPG, .Jpeg and .jpg all take the JPEG path; .jpe does not.
bool isJpegFileName(const QString& path);

// Reads a picture file. The reader is chosen by the file's first bytes: JPEG (FF D8 FF),
// PNG, GIF (GIF87a, GIF89a, its first frame), BMP ("BM"), TIFF or BigTIFF (II or MM, its
// first picture) and WebP (RIFF....WEBP, its first frame). The name is only a hint, taken
// when the content announces none of these: JPEG by isJpegFileName, the others by their
// extension in any case (.bmp, .png, .gif, .tif, .tiff, .webp); that reader's message then
// says what is wrong. A file that neither its content nor its name places is refused with
// an Error naming it. Throws Error("Cannot open file %s") when the file cannot be read, and
// a clear Error for a file larger than kMaxPictureFileBytes. A reader's Error comes back
// prefixed with the file's path and followed by what to do. The result is RGB32,
// transparent pixels composed over black and 16-bit samples brought to 8 bits
// (composeOverBlack in load/qtreader.h).
QImage loadPicture(const QString& path);

// The picture that a file of these bytes at `path` gives loadPicture: the path is the hint
// and is named in the messages. maxPixels is lower for callers (the fuzzers) that must
// stay small.
QImage decodePicture(const QByteArray& bytes, const QString& path,
                     qint64 maxPixels = kMaxPicturePixels);

// The picture of the file as loadPicture reads it, stretched (nearest pixel) to the size
// sizeFor gives for the picture's own size: the pixels of stretchNearest(loadPicture(path),
// ...), but a JPEG keeps only the rows the stretch samples, so a large photograph is never
// held whole. Throws as loadPicture does.
QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor);

}  // namespace tovik
