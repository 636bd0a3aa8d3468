#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "picture/picturesize.h"

namespace tovik {

// A PC picture brought in for conversion: read, fitted to the screen, and the size and
// height maximum the picture takes from it.
struct ImportedPicture {
    QImage fitted;                   // the picture fitted to the screen (RGB32), as it was read
    QSize loadedSize;                // the picture's size as the file holds it
    PictureSize size;                // W and H: the fitted size, clamped as the size rules clamp it
    int heightMax = kLoadHeightMax;  // 256, or the fitted height of a narrow tall picture
};

// Reads the picture file and fits it: the one import step of the import commands and
// of the batch program. Only the fitted picture is kept; every conversion stretches the
// loaded picture over the fitted size again, and a stretch of the fitted picture onto its
// own size gives it back pixel for pixel, so a large photograph is never held whole.
// Throws as loadPicture does; nothing is returned for a refused file.
ImportedPicture importPicture(const QString& path);

// The same for a picture already in memory (a pasted one): transparent pixels are
// composed over black, then the picture is fitted. A picture above kMaxPicturePixels is
// refused.
ImportedPicture importImage(const QImage& image);

}  // namespace tovik
