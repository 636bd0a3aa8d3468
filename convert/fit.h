#pragma once

#include <QImage>

namespace tovik {

// The fitted size of a w x h picture: the longer side becomes at most 256 (rules A, B,
// C1), a narrow tall picture keeps its width and grows to at most 65536 div max(w, 8)
// rows (rule C2, which also makes that height the new height maximum), and a picture
// with no side above 256 keeps its size (rule D).
struct FitResult {
    int width = 0;
    int height = 0;
    bool narrowTall = false;  // rule C2: the height maximum becomes `height`
    bool operator==(const FitResult&) const = default;
};

FitResult fitPicture(int width, int height);

// The nearest-pixel stretch of the whole picture onto width x height (RGB32); an empty
// picture or size gives an empty image.
QImage stretchNearest(const QImage& picture, int width, int height);

}  // namespace tovik
