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
    QImage kept = {};                // the photograph for framing: keptSize(loadedSize)
};

// The most pixels the kept copy of a photograph holds: 16 MB at 4 bytes a pixel.
constexpr qint64 kKeptPixels = qint64(4) << 20;

// The size of the copy of a photograph kept for framing. A photograph of at most
// kKeptPixels is kept whole. A larger one is kept at an odd multiple of its fitted size on
// each side (at most the photograph's own side, together at most kKeptPixels): the
// nearest-pixel stretch of such a copy onto the fitted size takes exactly the pixels the
// stretch of the photograph itself takes, since the centre of fitted pixel x falls on the
// middle copy pixel x*k + (k-1)/2, whose own centre lies where fitted pixel x's does.
QSize keptSize(QSize loaded);

// Reads the picture file and fits it: the one import step of the import commands and
// of the batch program. The fitted picture and a copy of the photograph reduced to
// keptSize are kept, so a large photograph is never held whole; the fitted picture is the
// nearest-pixel stretch of the copy, and so of the photograph. Throws as loadPicture
// does; nothing is returned for a refused file. Without keepPhotograph, as for a batch
// conversion whose frame is the fit, no copy is kept and only the fitted picture's rows
// are read.
ImportedPicture importPicture(const QString& path, bool keepPhotograph = true);

// The same for a picture already in memory (a pasted one): transparent pixels are
// composed over black, then the picture is fitted. A picture above kMaxPicturePixels is
// refused.
ImportedPicture importImage(const QImage& image);

}  // namespace tovik
