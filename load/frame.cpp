#include "load/frame.h"

#include <algorithm>
#include <vector>

#include "load/fit.h"
#include "load/importpicture.h"
#include "picture/error.h"

namespace tovik {

void checkTargetSize(const PictureSize& size) {
    if (size.width < kMinWidth || size.width > kMaxWidth) {
        throw Error(QStringLiteral("The width %1 of the size %1x%2 is outside its range %3..%4")
                        .arg(size.width)
                        .arg(size.height)
                        .arg(kMinWidth)
                        .arg(kMaxWidth));
    }
    const int maxHeight = heightLimitForWidth(size.width);
    if (size.height < kMinHeight || size.height > maxHeight) {
        throw Error(
            QStringLiteral("The height %2 of the size %1x%2 is outside its range %3..%4 for "
                           "the width %1")
                .arg(size.width)
                .arg(size.height)
                .arg(kMinHeight)
                .arg(maxHeight));
    }
}

void checkFraming(const Framing& framing, QSize photograph) {
    checkTone(framing.tone);
    if (framing.size) {
        checkTargetSize(*framing.size);
    }
    switch (framing.frame.kind) {
        case Frame::Kind::Fit:
            return;
        case Frame::Kind::Fill:
            if (!framing.size) {
                throw Error(QStringLiteral("The frame fill needs a target size W x H"));
            }
            return;
        case Frame::Kind::Rect:
            break;
    }
    const QRect& r = framing.frame.rect;
    const int w = photograph.width(), h = photograph.height();
    if (r.x() < 0 || r.y() < 0 || r.width() < 1 || r.height() < 1 ||
        qint64(r.x()) + r.width() > w || qint64(r.y()) + r.height() > h) {
        throw Error(QStringLiteral("The frame %1,%2,%3,%4 leaves the photograph of %5 x %6: "
                                   "X 0..%7, Y 0..%8, W 1..%5-X, H 1..%6-Y")
                        .arg(r.x())
                        .arg(r.y())
                        .arg(r.width())
                        .arg(r.height())
                        .arg(w)
                        .arg(h)
                        .arg(w - 1)
                        .arg(h - 1));
    }
}

QRect fillRect(QSize photograph, QSize target) {
    const qint64 sw = photograph.width(), sh = photograph.height();
    const qint64 tw = target.width(), th = target.height();
    if (sw * th > sh * tw) {
        // Wider than the target: the full height, the width cut to the proportions.
        const int width = int(std::clamp((2 * sh * tw + th) / (2 * th), qint64(1), sw));
        return QRect(int((sw - width) / 2), 0, width, int(sh));
    }
    const int height = int(std::clamp((2 * sw * th + tw) / (2 * tw), qint64(1), sh));
    return QRect(0, int((sh - height) / 2), int(sw), height);
}

QRect frameRect(const Frame& frame, QSize photograph, std::optional<PictureSize> size) {
    switch (frame.kind) {
        case Frame::Kind::Fit:
            break;
        case Frame::Kind::Fill:
            if (size) {
                return fillRect(photograph, QSize(size->width, size->height));
            }
            break;
        case Frame::Kind::Rect:
            return frame.rect;
    }
    return QRect(QPoint(0, 0), photograph);
}

namespace {

// The kept index under the centre of target index t of `count`, placed over the span
// [first, first + length) of a photograph side of `side` held as `kept` indices.
int keptIndex(int t, int count, qint64 first, qint64 length, int side, int kept) {
    const qint64 numerator =
        qint64(kept) * (2 * qint64(count) * first + (2 * qint64(t) + 1) * length);
    return int(std::min<qint64>(kept - 1, numerator / (2 * qint64(count) * side)));
}

}  // namespace

QImage stretchFrame(const QImage& keptImage, QSize photographSize, const QRect& rect, int width,
                    int height) {
    if (keptImage.isNull() || width <= 0 || height <= 0 || photographSize.isEmpty()) {
        return QImage();
    }
    const QImage kept = keptImage.convertToFormat(QImage::Format_RGB32);
    std::vector<int> columns(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        columns[size_t(x)] =
            keptIndex(x, width, rect.x(), rect.width(), photographSize.width(), kept.width());
    }
    QImage target(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int sy =
            keptIndex(y, height, rect.y(), rect.height(), photographSize.height(), kept.height());
        const QRgb* in = reinterpret_cast<const QRgb*>(kept.constScanLine(sy));
        QRgb* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            out[x] = in[columns[size_t(x)]];
        }
    }
    return target;
}

FramedPicture framePicture(const ImportedPicture& picture, const Framing& framing) {
    checkFraming(framing, picture.loadedSize);
    FramedPicture result;
    if (framing.frame.kind == Frame::Kind::Fit) {
        result.fitted = picture.fitted;
        result.size = picture.size;
        result.heightMax = picture.heightMax;
        if (framing.size) {
            result.size = *framing.size;
            result.heightMax = std::max(result.heightMax, framing.size->height);
        }
    } else {
        const QRect rect = frameRect(framing.frame, picture.loadedSize, framing.size);
        QSize fitted;
        if (framing.size) {
            fitted = QSize(framing.size->width, framing.size->height);
            result.heightMax = std::max(kLoadHeightMax, framing.size->height);
        } else {
            const FitResult fit = fitPicture(rect.width(), rect.height());
            fitted = QSize(fit.width, fit.height);
            result.heightMax = fit.narrowTall ? fit.height : kLoadHeightMax;
        }
        result.size = clampPictureSize(fitted.width(), fitted.height(), result.heightMax);
        result.fitted =
            stretchFrame(picture.kept, picture.loadedSize, rect, fitted.width(), fitted.height());
    }
    const ToneSettings tone =
        framing.autoTone ? autoTone(result.fitted, framing.tone) : framing.tone;
    result.fitted = applyTone(result.fitted, tone);
    return result;
}

}  // namespace tovik
