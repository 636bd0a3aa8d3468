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

// Reads a picture file: JPEG by isJpegFileName, and by the extension in any case: BMP
// (.bmp), PNG (.png), GIF (.gif, its first frame), TIFF (.tif, .tiff, its first picture)
// and WebP (.webp, its first frame); Error("Unknown picture file extension (.%s)") for any
// other. The extension alone chooses the reader, never the content. Throws Error("Cannot
// open file %s") when the file cannot be read, and a clear Error for a file larger than
// kMaxPictureFileBytes. A name without an extension is refused with
// Error("Unknown picture file type: the name %s has no extension"). The extension is
// judged before the file is opened. The result is RGB32, transparent pixels composed over
// black and 16-bit samples brought to 8 bits (composeOverBlack in load/qtreader.h).
QImage loadPicture(const QString& path);

// The picture of the file as loadPicture reads it, stretched (nearest pixel) to the size
// sizeFor gives for the picture's own size: the pixels of stretchNearest(loadPicture(path),
// ...), but a JPEG keeps only the rows the stretch samples, so a large photograph is never
// held whole. Throws as loadPicture does.
QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor);

}  // namespace tovik
