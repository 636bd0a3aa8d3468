#pragma once

#include <QtGlobal>

#include "picture/error.h"

namespace tovik {

// A picture whose header claims more pixels than this is refused before anything large
// is allocated.
constexpr qint64 kMaxPicturePixels = 100'000'000;

// A picture file larger than this is refused unread. The largest picture allowed, as a
// 32-bit BMP, takes 400 MB.
constexpr qint64 kMaxPictureFileBytes = qint64(512) << 20;

// The error for a picture of more than kMaxPicturePixels.
Error pictureTooLarge(qint64 width, qint64 height);

}  // namespace tovik
