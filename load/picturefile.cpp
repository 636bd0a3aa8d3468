#include "load/picturefile.h"

#include <QFileInfo>

#include "convert/fit.h"
#include "load/bmp.h"
#include "load/jpeg.h"
#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {

Error pictureTooLarge(qint64 width, qint64 height) {
    return Error(QStringLiteral("Picture is too large: %1 x %2 pixels").arg(width).arg(height));
}

bool isJpegFileName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        return false;
    }
    const QString extension = name.mid(dot).toLower();
    return extension.contains(QLatin1String("jpg")) || extension.contains(QLatin1String("jpeg"));
}

namespace {

// The file's bytes, and whether they take the JPEG path. The extension is judged before
// the file is read, as a reader chosen by extension would: a name it cannot handle is
// refused whether or not the file exists.
QByteArray readPictureFile(const QString& path, bool& jpeg) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        throw Error(
            QStringLiteral("Unknown picture file type: the name %1 has no extension").arg(name));
    }
    const QString extension = name.mid(dot + 1);
    jpeg = isJpegFileName(path);
    if (!jpeg && extension.toLower() != QLatin1String("bmp")) {
        throw Error(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    }
    // The size is checked before reading, and the read is bounded as well, for a file
    // that grows meanwhile or a device that reports no size.
    const auto tooLargeFile = [&name] {
        return Error(QStringLiteral("Picture file %1 is too large: over %2 MB")
                         .arg(name)
                         .arg(kMaxPictureFileBytes >> 20));
    };
    if (QFileInfo(path).size() > kMaxPictureFileBytes) {
        throw tooLargeFile();
    }
    const QByteArray bytes = readFile(path, kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        throw tooLargeFile();
    }
    return bytes;
}

}  // namespace

QImage loadPicture(const QString& path) {
    bool jpeg = false;
    const QByteArray bytes = readPictureFile(path, jpeg);
    return jpeg ? decodeJpeg(bytes) : decodeBmp(bytes);
}

QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    bool jpeg = false;
    const QByteArray bytes = readPictureFile(path, jpeg);
    if (jpeg) {
        return decodeJpegStretched(bytes, sizeFor);
    }
    const QImage picture = decodeBmp(bytes);
    const QSize target = sizeFor(picture.size());
    return stretchNearest(picture, target.width(), target.height());
}

}  // namespace tovik
