#pragma once

#include <QImage>

namespace tovik {

// The fitted size of a w x h picture: a square, wide, or tall and at least 256 wide
// picture with a side above 256 is scaled so that its longer side is 256; a narrow tall
// picture keeps its width and grows to at most 65536 div max(w, 8) rows (that height then
// becomes the height maximum); a picture with no side above 256 keeps its size.
struct FitResult {
    int width = 0;
    int height = 0;
    bool narrowTall = false;  // narrow and tall: the height maximum becomes `height`
    bool operator==(const FitResult&) const = default;
};

FitResult fitPicture(int width, int height);

// The nearest-pixel stretch of the whole picture onto width x height (RGB32); an empty
// picture or size gives an empty image.
QImage stretchNearest(const QImage& picture, int width, int height);

}  // namespace tovik
