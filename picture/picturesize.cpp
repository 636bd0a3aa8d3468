#include "picture/picturesize.h"

#include <algorithm>

#include "picture/pixelbuffer.h"

namespace tovik {

int heightLimitForWidth(int width) {
    return PixelBuffer::kSize / std::max(width, 1);
}

bool sizeFitsBuffer(int width, int height) {
    return static_cast<long long>(width) * height <= PixelBuffer::kSize;
}

PictureSize clampPictureSize(int width, int height, int heightMax) {
    PictureSize size;
    size.width = std::clamp(width, kMinWidth, kMaxWidth);
    size.height = std::min(std::clamp(height, kMinHeight, std::max(heightMax, kMinHeight)),
                           heightLimitForWidth(size.width));
    return size;
}

}  // namespace tovik
