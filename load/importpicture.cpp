#include "load/importpicture.h"

#include "load/fit.h"
#include "load/picturefile.h"
#include "load/qtreader.h"

namespace tovik {

namespace {

// The size and height maximum a picture of the loaded size takes.
void applyFit(ImportedPicture& picture, const FitResult& fit) {
    picture.heightMax = fit.narrowTall ? fit.height : kLoadHeightMax;
    picture.size = clampPictureSize(fit.width, fit.height, picture.heightMax);
}

// The largest odd number at most n, and at least 1.
int oddAtMost(qint64 n) {
    return n <= 1 ? 1 : int(n % 2 == 1 ? n : n - 1);
}

// The kept copy and the fitted picture stretched from it.
void keepAndFit(ImportedPicture& picture, QImage kept, const FitResult& fit) {
    picture.fitted = stretchNearest(kept, fit.width, fit.height);
    picture.kept = std::move(kept);
}

}  // namespace

QSize keptSize(QSize loaded) {
    const qint64 w = loaded.width(), h = loaded.height();
    if (w * h <= kKeptPixels) {
        return loaded;
    }
    const FitResult fit = fitPicture(loaded.width(), loaded.height());
    int kx = oddAtMost(w / fit.width), ky = oddAtMost(h / fit.height);
    while (qint64(kx) * fit.width * ky * fit.height > kKeptPixels) {
        if (kx >= ky && kx > 1) {
            kx -= 2;
        } else {
            ky -= 2;
        }
    }
    return QSize(kx * fit.width, ky * fit.height);
}

ImportedPicture importPicture(const QString& path, bool keepPhotograph) {
    FitResult fit;
    ImportedPicture picture;
    QImage kept = loadPictureStretched(path, [&](QSize size) {
        picture.loadedSize = size;
        fit = fitPicture(size.width(), size.height());
        return keepPhotograph ? keptSize(size) : QSize(fit.width, fit.height);
    });
    if (keepPhotograph) {
        keepAndFit(picture, std::move(kept), fit);
    } else {
        picture.fitted = std::move(kept);
    }
    applyFit(picture, fit);
    return picture;
}

ImportedPicture importImage(const QImage& image) {
    if (qint64(image.width()) * image.height() > kMaxPicturePixels) {
        throw pictureTooLarge(image.width(), image.height());
    }
    ImportedPicture picture;
    picture.loadedSize = image.size();
    const FitResult fit = fitPicture(image.width(), image.height());
    const QImage composed = composeOverBlack(image);
    const QSize kept = keptSize(image.size());
    keepAndFit(
        picture,
        kept == image.size() ? composed : stretchNearest(composed, kept.width(), kept.height()),
        fit);
    applyFit(picture, fit);
    return picture;
}

}  // namespace tovik
