#include "load/picturefile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

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

// Whether the file takes the JPEG path, judged by its extension before the file is read,
// as a reader chosen by extension would: a name it cannot handle is refused whether or
// not the file exists. A file too large to be a picture is refused unread.
bool checkPictureFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        throw Error(
            QStringLiteral("Unknown picture file type: the name %1 has no extension").arg(name));
    }
    const QString extension = name.mid(dot + 1);
    const bool jpeg = isJpegFileName(path);
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
    return jpeg;
}

QByteArray readPictureFile(const QString& path) {
    const QByteArray bytes = readFile(path, kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        throw Error(QStringLiteral("Picture file %1 is too large: over %2 MB")
                        .arg(QFileInfo(path).fileName())
                        .arg(kMaxPictureFileBytes >> 20));
    }
    return bytes;
}

// The file open for reading, closed when it goes.
struct OpenFile {
    explicit OpenFile(const QString& path)
        : file(QFileInfo(path).isDir() ? nullptr
                                       : std::fopen(QFile::encodeName(path).constData(), "rb")) {
        if (file == nullptr) {
            throw Error(QStringLiteral("Cannot open file %1").arg(path));
        }
    }
    ~OpenFile() { std::fclose(file); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    FILE* file;
};

}  // namespace

QImage loadPicture(const QString& path) {
    const bool jpeg = checkPictureFile(path);
    const QByteArray bytes = readPictureFile(path);
    return jpeg ? decodeJpeg(bytes) : decodeBmp(bytes);
}

QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    if (checkPictureFile(path)) {
        // The decoder reads what it needs as it goes, never past the end of the picture.
        const OpenFile file(path);
        return decodeJpegFileStretched(file.file, sizeFor);
    }
    const QImage picture = decodeBmp(readPictureFile(path));
    const QSize target = sizeFor(picture.size());
    return stretchNearest(picture, target.width(), target.height());
}

}  // namespace tovik
