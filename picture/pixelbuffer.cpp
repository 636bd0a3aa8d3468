#include "picture/pixelbuffer.h"

#include <algorithm>

namespace tovik {

void PixelBuffer::clearFirst(int count) {
    std::fill_n(entries_.begin(), std::clamp(count, 0, kSize), uint8_t{0});
}

}  // namespace tovik
