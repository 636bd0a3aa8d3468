#include "machinefiles/rawstrip.h"

#include "picture/pixelbuffer.h"

namespace tovik {

void readRawStrip(const QByteArray& bytes, int height, PixelBuffer& buffer) {
    int index = 0;
    // Rows past the buffer's end would be dropped anyway; stopping there also keeps an
    // absurd height from spinning through billions of rows.
    for (int y = 0; y < height && index < PixelBuffer::kSize; ++y) {
        // Past the end of the file a row is blank rather than a repeat of the last byte.
        const auto row = y < bytes.size() ? static_cast<uint8_t>(bytes[y]) : uint8_t{0};
        for (int bit = 7; bit >= 0; --bit) {
            buffer.set(index++, (row >> bit) & 1 ? 2 : 0);
        }
    }
}

}  // namespace tovik
