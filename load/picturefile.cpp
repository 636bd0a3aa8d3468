#include "load/picturefile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "load/fit.h"
#include "load/bmp.h"
#include "load/gif.h"
#include "load/jpeg.h"
#include "load/png.h"
#include "load/tiff.h"
#include "load/webp.h"
#include "picture/error.h"
#include "picture/fileio.h"

namespace tovik {

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

enum class PictureFormat { Jpeg, Bmp, Png, Gif, Tiff, Webp };

Error tooLargeFile(const QString& name) {
    return Error(QStringLiteral("Picture file %1 is too large: over %2 MB")
                     .arg(name)
                     .arg(kMaxPictureFileBytes >> 20));
}

// The reader for the file name, JPEG first by isJpegFileName's rule, the others by the
// whole extension in any case.
PictureFormat formatOf(const QString& name, const QString& extension) {
    if (isJpegFileName(name)) {
        return PictureFormat::Jpeg;
    }
    static const struct {
        const char* extension;
        PictureFormat format;
    } kExtensions[] = {
        {"bmp", PictureFormat::Bmp},  {"png", PictureFormat::Png},   {"gif", PictureFormat::Gif},
        {"tif", PictureFormat::Tiff}, {"tiff", PictureFormat::Tiff}, {"webp", PictureFormat::Webp},
    };
    const QString lower = extension.toLower();
    for (const auto& known : kExtensions) {
        if (lower == QLatin1String(known.extension)) {
            return known.format;
        }
    }
    throw Error(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

// The reader the file goes to, judged by its extension before the file is read, as a
// reader chosen by extension would: a name it cannot handle is refused whether or not the
// file exists. A file too large to be a picture is refused unread.
PictureFormat checkPictureFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        throw Error(
            QStringLiteral("Unknown picture file type: the name %1 has no extension").arg(name));
    }
    const PictureFormat format = formatOf(name, name.mid(dot + 1));
    if (QFileInfo(path).size() > kMaxPictureFileBytes) {
        throw tooLargeFile(name);
    }
    return format;
}

// The file's bytes. The read is bounded as well as the size checked, for a file that
// grows meanwhile or a device that reports no size.
QByteArray readPictureFile(const QString& path) {
    const QByteArray bytes = readFile(path, kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        throw tooLargeFile(QFileInfo(path).fileName());
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

// The picture decoded whole.
QImage decodeWhole(const QByteArray& bytes, PictureFormat format) {
    switch (format) {
        case PictureFormat::Jpeg:
            return decodeJpeg(bytes);
        case PictureFormat::Bmp:
            return decodeBmp(bytes);
        case PictureFormat::Png:
            return decodePng(bytes);
        case PictureFormat::Gif:
            return decodeGif(bytes);
        case PictureFormat::Tiff:
            return decodeTiff(bytes);
        case PictureFormat::Webp:
            return decodeWebp(bytes);
    }
    return {};
}

}  // namespace

QImage loadPicture(const QString& path) {
    const PictureFormat format = checkPictureFile(path);
    return decodeWhole(readPictureFile(path), format);
}

QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    const PictureFormat format = checkPictureFile(path);
    if (format == PictureFormat::Jpeg) {
        // The decoder reads what it needs as it goes, never past the end of the picture.
        const OpenFile file(path);
        return decodeJpegFileStretched(file.file, sizeFor);
    }
    const QImage picture = decodeWhole(readPictureFile(path), format);
    const QSize target = sizeFor(picture.size());
    return stretchNearest(picture, target.width(), target.height());
}

}  // namespace tovik
