#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "load/tone.h"
#include "picture/picturesize.h"

namespace tovik {

struct ImportedPicture;

// The part of the photograph that becomes the picture.
struct Frame {
    enum class Kind {
        Fit,   // the whole photograph by the fit rule ("Вписать")
        Fill,  // the target size filled, the photograph cropped centred ("Заполнить")
        Rect,  // a rectangle in the photograph's own pixels
    };
    Kind kind = Kind::Fit;
    QRect rect = {};  // for Rect only
    bool operator==(const Frame&) const = default;
};

// Frame and tone of one import and the target size: nothing keeps the fit rule (for
// Fit the photograph's, for Rect the rectangle's); Fill needs a size.
struct Framing {
    Frame frame = {};
    ToneSettings tone = {};
    std::optional<PictureSize> size = {};
    // Brightness and contrast set by autoTone from the framed picture before its tone.
    bool autoTone = false;
    bool operator==(const Framing&) const = default;
    bool isNeutral() const { return *this == Framing{}; }
};

// The picture a conversion starts from, as the import makes it for the framing.
struct FramedPicture {
    QImage fitted;  // RGB32
    PictureSize size;
    int heightMax = kLoadHeightMax;
};

// Throws Error for a target size the tool bar's rules refuse: W outside 8..320, H below
// 8, or W x H past the buffer's 65,536 entries; the message names the size and the range.
void checkTargetSize(const PictureSize& size);

// Throws Error naming the value and its range for a rectangle that leaves the photograph
// of that size or is empty, a Fill without a size, a bad size or a tone out of range.
void checkFraming(const Framing& framing, QSize photograph);

// The rectangle of the photograph Fill takes for a target of that size: as much of the
// photograph as the target's proportions allow, centred.
QRect fillRect(QSize photograph, QSize target);

// The rectangle of the photograph the frame takes (the whole photograph for Fit).
QRect frameRect(const Frame& frame, QSize photograph, std::optional<PictureSize> size);

// The fitted picture of the import as the framing shapes it, from the kept copy of the
// photograph, nearest pixel, then toned. Fit with no size gives the import's own fitted
// picture, size and height maximum, toned: with a neutral tone, today's bytes. A size
// given to Fit changes only the picture's size, as the tool bar does after an import.
// Throws as checkFraming does.
FramedPicture framePicture(const ImportedPicture& picture, const Framing& framing);

// Stretches the rectangle `rect` of a photograph of photographSize, held as `kept` (the
// photograph or a copy of it at another size), onto width x height, nearest pixel: target
// pixel (x, y) takes the kept pixel under the centre of its place in the rectangle. For
// the whole photograph held whole that is stretchNearest's pixel.
QImage stretchFrame(const QImage& kept, QSize photographSize, const QRect& rect, int width,
                    int height);

}  // namespace tovik
