#pragma once

namespace tovik {

// Limits of the picture size, as the two spin edits of the tool bar hold them.
constexpr int kMinWidth = 8;
constexpr int kMaxWidth = 320;
constexpr int kWidthStep = 8;
constexpr int kStartWidth = 64;
constexpr int kMinHeight = 8;
constexpr int kStartHeightMax = 1024;  // the height maximum of a fresh start
constexpr int kLoadHeightMax = 256;    // the height maximum every picture load sets first
constexpr int kStartHeight = 64;

struct PictureSize {
    int width = kStartWidth;
    int height = kStartHeight;
    bool operator==(const PictureSize&) const = default;
};

// The tallest picture of width w that still fits the 65,536 entries of the buffer.
int heightLimitForWidth(int width);

// W*H never exceeds the buffer: a step of either spin edit that would pass it is refused.
bool sizeFitsBuffer(int width, int height);

// The size the spin edits end up with when the program puts w, then h into them:
// W clamped to 8..320, H to 8..heightMax and then to the buffer's limit for that W.
PictureSize clampPictureSize(int width, int height, int heightMax);

}  // namespace tovik
