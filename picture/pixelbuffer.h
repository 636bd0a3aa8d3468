#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tovik {

// The working picture: 65,536 colour indices 0..3. Pixel (x, y) of a W-wide picture
// is entry x + y*W; the stride is always the current W, so a size change only changes
// how the entries are read. Writes outside the array are dropped and every stored
// value is masked to two bits, so no caller can break either bound.
class PixelBuffer {
public:
    static constexpr int kSize = 65536;

    PixelBuffer() { clear(); }

    void clear() { entries_.fill(0); }
    void clearFirst(int count);

    uint8_t at(int index) const {
        return index >= 0 && index < kSize ? entries_[static_cast<size_t>(index)] : 0;
    }
    void set(int index, int value) {
        if (index >= 0 && index < kSize) {
            entries_[static_cast<size_t>(index)] = static_cast<uint8_t>(value & 3);
        }
    }

    const uint8_t* data() const { return entries_.data(); }

    bool operator==(const PixelBuffer&) const = default;

private:
    std::array<uint8_t, kSize> entries_;
};

// Number of entries of a W x H picture that exist in the buffer.
inline int pictureEntries(int width, int height) {
    const long long n = static_cast<long long>(width) * height;
    return n <= 0 ? 0 : (n > PixelBuffer::kSize ? PixelBuffer::kSize : static_cast<int>(n));
}

}  // namespace tovik
