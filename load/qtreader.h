#pragma once

#include <QByteArray>
#include <QImage>

#include "picture/error.h"

namespace tovik {

// Lets Qt's readers allocate any picture of up to maxPixels pixels: our own header checks
// bound the size, and the readers' default limit (128 MB) lies far below it. Up to 16
// bytes a pixel are allowed, for pictures read with 16-bit or floating-point samples.
void allowPictureAllocation(qint64 maxPixels);

// Reads the bytes with Qt's reader for `format`, forced: the format is never decided from
// the content, which would quietly read other formats. The size the header gives is
// checked against maxPixels before any pixel is read. Throws `invalid` when the reader
// fails. The first frame of an animation is read. The result is composeOverBlack's.
QImage readWithQt(const QByteArray& bytes, const char* format, qint64 maxPixels,
                  const Error& invalid);

// The picture as RGB32, every pixel composed over black: a channel c of a pixel with alpha
// a becomes the nearest whole number to 255 · (c / cMax) · (a / aMax), where cMax and
// aMax are 255 for 8-bit samples and 65535 for 16-bit ones. This is c·a/255 for 8-bit
// samples and, without alpha, c/257 for 16-bit ones; neither can fall halfway between two
// whole numbers, so there is no tie to break. A picture stored premultiplied already holds
// its colours composed over black: they are kept, brought to 8 bits as c/257 to the nearest.
QImage composeOverBlack(const QImage& image);

}  // namespace tovik
