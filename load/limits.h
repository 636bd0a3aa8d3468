#pragma once

#include <QtGlobal>

#include "picture/error.h"

namespace tovik {

// A picture whose header claims more pixels than this is refused before anything large
// is allocated. It lets in the 108-megapixel photographs of today's phones.
constexpr qint64 kMaxPicturePixels = 120'000'000;

// A picture file larger than this is refused unread. The largest picture allowed, as a
// 32-bit BMP, takes 480 MB.
constexpr qint64 kMaxPictureFileBytes = qint64(512) << 20;

// The error of a picture above the pixel limit, a kind of its own so that the message
// that names the file can say what to do about it.
class PictureTooLargeError : public Error {
public:
    using Error::Error;
};

// The error for a picture of more than kMaxPicturePixels.
PictureTooLargeError pictureTooLarge(qint64 width, qint64 height);

}  // namespace tovik
