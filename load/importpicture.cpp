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

}  // namespace

ImportedPicture importPicture(const QString& path) {
    FitResult fit;
    ImportedPicture picture;
    picture.fitted = loadPictureStretched(path, [&](QSize size) {
        picture.loadedSize = size;
        fit = fitPicture(size.width(), size.height());
        return QSize(fit.width, fit.height);
    });
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
    picture.fitted = stretchNearest(composeOverBlack(image), fit.width, fit.height);
    applyFit(picture, fit);
    return picture;
}

}  // namespace tovik
