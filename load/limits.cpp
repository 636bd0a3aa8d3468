#include "load/limits.h"

#include <QCoreApplication>
#include <QString>

namespace tovik {

PictureTooLargeError pictureTooLarge(qint64 width, qint64 height) {
    return PictureTooLargeError(
        QCoreApplication::translate("tovik::Load", "Picture is too large: %1 x %2 pixels")
            .arg(width)
            .arg(height));
}

}  // namespace tovik
