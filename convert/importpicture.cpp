#include "convert/importpicture.h"

#include "convert/fit.h"
#include "load/picturefile.h"

namespace tovik {

ImportedPicture importPicture(const QString& path) {
    FitResult fit;
    ImportedPicture picture;
    picture.fitted = loadPictureStretched(path, [&](QSize size) {
        picture.loadedSize = size;
        fit = fitPicture(size.width(), size.height());
        return QSize(fit.width, fit.height);
    });
    picture.heightMax = fit.narrowTall ? fit.height : kLoadHeightMax;
    picture.size = clampPictureSize(fit.width, fit.height, picture.heightMax);
    return picture;
}

}  // namespace tovik
