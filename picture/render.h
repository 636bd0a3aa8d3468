#pragma once

#include <QImage>

namespace tovik {

class PixelBuffer;

// Grid line colours of the magnified view.
constexpr QRgb kGridDark = 0xFF404040;    // 64, 64, 64
constexpr QRgb kGridMiddle = 0xFF808080;  // 128, 128, 128: screen byte boundaries (4 pixels)
constexpr QRgb kGridLight = 0xFFC8C8C8;   // 200, 200, 200: boundaries of byte pairs
constexpr QRgb kBlack = 0xFF000000;

// The image itself when its rows already hold 4 bytes a pixel in the order blue, green,
// red, spare (RGB32, or ARGB32 read the same way), else a converted copy.
inline QImage asRgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
               ? image
               : image.convertToFormat(QImage::Format_RGB32);
}

// Paints the working bitmap: one bitmap pixel per picture pixel, entry x + y*W shown in
// palette p. Entries past the end of the buffer read as 0.
QImage renderPicture(const PixelBuffer& buffer, int width, int height, int palette);

// A copy of the image at a new size with the old pixels at their coordinates and the new
// area filled, as a bitmap keeps its content when it is resized.
QImage resizedKeeping(const QImage& image, int width, int height, QRgb fill);

// Stretches the whole of source over the whole of target, nearest pixel, no smoothing:
// target pixel (x, y) of a tw x th target takes the source pixel under its centre,
// ((2x + 1)*sw / (2*tw), (2y + 1)*sh / (2*th)). Whole-number enlargements repeat each
// source pixel exactly; shrinking drops whole rows and columns; nothing is averaged.
void stretchInto(const QImage& source, QImage& target);

// The source row (or column) under the centre of target row t, as stretchInto takes it.
inline int stretchSourceIndex(int t, int sourceSize, int targetSize) {
    return static_cast<int>((2LL * t + 1) * sourceSize / (2LL * targetSize));
}

// Stretches again only the target pixels that take source pixel (x, y): what stretchInto
// would change after that one pixel of the source changed. Returns their rectangle.
QRect stretchPixelInto(const QImage& source, QImage& target, int x, int y);

// Colour of grid line n (a column or row number): light grey on positive multiples of 8,
// middle grey on other positive multiples of 4, dark grey elsewhere.
QRgb gridLineColour(int n);

// Draws the magnified view: the working bitmap stretched over the whole view, then the
// vertical grid lines every zoomX pixels, then the horizontal ones every zoomY pixels.
// firstLine is the colour of vertical line 0 (the pen the previous draw left behind).
void drawView(const QImage& working, QImage& view, int zoomX, int zoomY, QRgb firstLine);

// Draws the cell of working pixel (x, y) in the view and the grid lines over it, exactly
// as drawView draws that part, and returns the cell's rectangle.
QRect drawViewCell(const QImage& working, QImage& view, int zoomX, int zoomY, QRgb firstLine, int x,
                   int y);

}  // namespace tovik
