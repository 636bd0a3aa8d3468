#include "load/limits.h"

#include <QString>

namespace tovik {

Error pictureTooLarge(qint64 width, qint64 height) {
    return Error(QStringLiteral("Picture is too large: %1 x %2 pixels").arg(width).arg(height));
}

}  // namespace tovik
