#include "load/picturefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>

#include "load/bmp.h"
#include "load/fit.h"
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

enum class PictureFormat { Unknown, Jpeg, Bmp, Png, Gif, Tiff, Webp };

// The most bytes of a file's start that recognising its format looks at.
constexpr qint64 kHeadBytes = 12;

Error tooLargeFile(const QString& path) {
    return Error(QCoreApplication::translate(
                     "tovik::PictureFile",
                     "Picture file %1 is too large: over %2 MB. Reduce it in a picture editor.")
                     .arg(path)
                     .arg(kMaxPictureFileBytes >> 20));
}

// The format the file's first bytes announce, or Unknown.
PictureFormat formatOfContent(const QByteArray& head) {
    static const struct {
        const char* signature;
        int length;
        int at;
        PictureFormat format;
    } kSignatures[] = {
        {"\xFF\xD8\xFF", 3, 0, PictureFormat::Jpeg},
        {"\x89PNG\r\n\x1A\n", 8, 0, PictureFormat::Png},
        {"GIF87a", 6, 0, PictureFormat::Gif},
        {"GIF89a", 6, 0, PictureFormat::Gif},
        {"BM", 2, 0, PictureFormat::Bmp},
        {"II*\0", 4, 0, PictureFormat::Tiff},
        {"MM\0*", 4, 0, PictureFormat::Tiff},
        {"II+\0", 4, 0, PictureFormat::Tiff},  // BigTIFF
        {"MM\0+", 4, 0, PictureFormat::Tiff},
        {"WEBP", 4, 8, PictureFormat::Webp},  // after "RIFF" and the length
    };
    for (const auto& known : kSignatures) {
        const QByteArray signature(known.signature, known.length);
        if (head.mid(known.at, known.length) == signature &&
            (known.format != PictureFormat::Webp || head.startsWith("RIFF"))) {
            return known.format;
        }
    }
    return PictureFormat::Unknown;
}

// The reader the file name suggests, JPEG by isJpegFileName's rule, the others by the
// whole extension in any case; Unknown for any other name.
PictureFormat formatOfName(const QString& path) {
    if (isJpegFileName(path)) {
        return PictureFormat::Jpeg;
    }
    static const struct {
        const char* extension;
        PictureFormat format;
    } kExtensions[] = {
        {"bmp", PictureFormat::Bmp},  {"png", PictureFormat::Png},   {"gif", PictureFormat::Gif},
        {"tif", PictureFormat::Tiff}, {"tiff", PictureFormat::Tiff}, {"webp", PictureFormat::Webp},
    };
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const auto& known : kExtensions) {
        if (extension == QLatin1String(known.extension)) {
            return known.format;
        }
    }
    return PictureFormat::Unknown;
}

// The reader for the file: the one its content announces, else the one its name suggests
// (whose own message then says what is wrong), else none.
PictureFormat formatOf(const QString& path, const QByteArray& head) {
    PictureFormat format = formatOfContent(head);
    if (format == PictureFormat::Unknown) {
        format = formatOfName(path);
    }
    if (format == PictureFormat::Unknown) {
        throw Error(QCoreApplication::translate(
                        "tovik::PictureFile",
                        "%1 is not a picture that the program reads. Choose a JPEG, PNG, GIF, BMP, "
                        "TIFF or WebP picture.")
                        .arg(path));
    }
    return format;
}

// A file too large to be a picture is refused unread.
void checkFileSize(const QString& path) {
    if (QFileInfo(path).size() > kMaxPictureFileBytes) {
        throw tooLargeFile(path);
    }
}

// The file's bytes. The read is bounded as well as the size checked, for a file that
// grows meanwhile or a device that reports no size.
QByteArray readPictureFile(const QString& path) {
    const QByteArray bytes = readFile(path, kMaxPictureFileBytes + 1);
    if (bytes.size() > kMaxPictureFileBytes) {
        throw tooLargeFile(path);
    }
    return bytes;
}

// The file open for reading, closed when it goes.
struct OpenFile {
    explicit OpenFile(const QString& path)
        : file(QFileInfo(path).isDir() ? nullptr
                                       : std::fopen(QFile::encodeName(path).constData(), "rb")) {
        if (file == nullptr) {
            throw Error(
                QCoreApplication::translate("tovik::PictureFile", "Cannot open file %1").arg(path));
        }
    }
    ~OpenFile() { std::fclose(file); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    FILE* file;
};

// Up to `count` more bytes of the open file, appended to `bytes`.
void readMore(const QString& path, FILE* file, QByteArray& bytes, qint64 count) {
    char chunk[1 << 16];
    while (count > 0) {
        const size_t n = std::fread(chunk, 1, size_t(std::min<qint64>(count, sizeof chunk)), file);
        bytes.append(chunk, qsizetype(n));
        count -= qint64(n);
        if (n == 0) {
            break;
        }
    }
    if (std::ferror(file) != 0) {
        throw Error(
            QCoreApplication::translate("tovik::PictureFile", "Cannot read file %1").arg(path));
    }
}

// The picture decoded whole.
QImage decodeWhole(const QByteArray& bytes, PictureFormat format,
                   qint64 maxPixels = kMaxPicturePixels) {
    switch (format) {
        case PictureFormat::Jpeg:
            return decodeJpeg(bytes, maxPixels);
        case PictureFormat::Bmp:
            return decodeBmp(bytes, maxPixels);
        case PictureFormat::Png:
            return decodePng(bytes, maxPixels);
        case PictureFormat::Gif:
            return decodeGif(bytes, maxPixels);
        case PictureFormat::Tiff:
            return decodeTiff(bytes, maxPixels);
        case PictureFormat::Webp:
            return decodeWebp(bytes, maxPixels);
        case PictureFormat::Unknown:
            break;
    }
    return {};
}

// What the reader decodes, or its complaint with the file's name and what to do.
template <typename Decode>
QImage decodeNamed(const QString& path, Decode decode) {
    try {
        return decode();
    } catch (const PictureTooLargeError& e) {
        throw Error(QCoreApplication::translate(
                        "tovik::PictureFile",
                        "%1: %2. Reduce it in a picture editor to at most %3 million pixels.")
                        .arg(path, e.message())
                        .arg(kMaxPicturePixels / 1'000'000));
    } catch (const Error& e) {
        throw Error(QCoreApplication::translate(
                        "tovik::PictureFile",
                        "%1: %2. The file is damaged or cut short: open it in a picture editor "
                        "and save it again, or choose another file.")
                        .arg(path, e.message()));
    }
}

}  // namespace

QImage decodePicture(const QByteArray& bytes, const QString& path, qint64 maxPixels) {
    const PictureFormat format = formatOf(path, bytes.left(kHeadBytes));
    return decodeNamed(path, [&] { return decodeWhole(bytes, format, maxPixels); });
}

QImage loadPicture(const QString& path) {
    checkFileSize(path);
    return decodePicture(readPictureFile(path), path);
}

QImage loadPictureStretched(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    checkFileSize(path);
    const OpenFile file(path);
    QByteArray bytes;
    readMore(path, file.file, bytes, kHeadBytes);
    const PictureFormat format = formatOf(path, bytes);
    if (format == PictureFormat::Jpeg && std::fseek(file.file, 0, SEEK_SET) == 0) {
        // The decoder reads what it needs as it goes, never past the end of the picture.
        return decodeNamed(path, [&] { return decodeJpegFileStretched(file.file, sizeFor); });
    }
    readMore(path, file.file, bytes, kMaxPictureFileBytes + 1 - bytes.size());
    if (bytes.size() > kMaxPictureFileBytes) {
        throw tooLargeFile(path);
    }
    if (format == PictureFormat::Jpeg) {
        return decodeNamed(path, [&] { return decodeJpegStretched(bytes, sizeFor); });
    }
    const QImage picture = decodeNamed(path, [&] { return decodeWhole(bytes, format); });
    const QSize target = sizeFor(picture.size());
    return stretchNearest(picture, target.width(), target.height());
}

}  // namespace tovik
