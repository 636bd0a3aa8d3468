#pragma once

// The bad inputs of docs/robustness.md that are refused, made byte by byte here, with the
// message each must give. The window tests and the batch program's tests both run every
// one and check that nothing the user had changes.

#include <linux/capability.h>
#include <sys/fsuid.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <functional>
#include <vector>

#include <jerror.h>

#include "load/formats_test_helpers.h"
#include "load/jpeg_test_helpers.h"

namespace tovik::testing {

// Which reader a bad input goes to: a picture import, opening a project, the raw strip.
enum class Reader { Picture, Project, RawStrip };

struct BadInput {
    const char* row;  // the row of the table in docs/robustness.md
    Reader reader;
    QString fileName;
    std::function<void(const QString& path)> make;
    QString message;  // %1 is the whole path, %2 the file name
};

inline void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

inline std::function<void(const QString&)> bytes(const QByteArray& content) {
    return [content](const QString& path) { writeFileBytes(path, content); };
}

// A file whose size is `size` without taking the disk space (a sparse file), starting
// with `head`.
inline std::function<void(const QString&)> sparse(const QByteArray& head, qint64 size) {
    return [head, size](const QString& path) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(head);
            file.resize(size);
        }
    };
}

inline void makeFolder(const QString& path) {
    QDir().mkpath(path);
}

// Readable by nobody; the tests take away root's power to read it anyway.
inline void makeUnreadable(const QString& path) {
    writeFileBytes(path, "PRJ");
    ::chmod(QFile::encodeName(path).constData(), 0);
}

inline QByteArray projectHeader(int w, int h, int p) {
    QByteArray b("PRJ");
    putU32(b, quint32(w));
    putU32(b, quint32(h));
    putU32(b, quint32(p));
    return b;
}

inline QByteArray hugeJpeg() {
    QByteArray jpeg = encodeJpeg(makeTestPicture(16, 16), JpegKind::Baseline);
    // Frame header: length (2), precision (1), height (2), width (2); 60000 = 0xEA60.
    const qsizetype frame = findMarker(jpeg, 0xC0);
    for (int i : {3, 5}) {
        jpeg[frame + i] = char(0xEA);
        jpeg[frame + i + 1] = char(0x60);
    }
    return jpeg;
}

inline QByteArray hugeBmp() {
    QByteArray bmp = makeBmp(2, 2, 24, false, QByteArray(12, '\x40'));
    const QByteArray side = QByteArray::fromHex("204e0000");  // 20000
    bmp.replace(18, 4, side);
    bmp.replace(22, 4, side);
    return bmp;
}

inline QByteArray hugePng() {
    return withPngSize(encodeWith(makeTestPicture(16, 16), "png"), 20000, 20000);
}

inline QByteArray hugeGif() {
    QByteArray gif = makeGif(2, 2, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, {{0, 1, 1, 0}});
    gif.replace(6, 4, QByteArray::fromHex("204e204e"));  // the screen: 20000 x 20000
    return gif;
}

// The directory's first two fields are the width and the height, values at 18 and 30.
inline QByteArray hugeTiff() {
    QByteArray tiff = tiffDirectoryFirst(makeTestPicture(16, 16), 4);
    const QByteArray side = QByteArray::fromHex("204e0000");  // 20000
    tiff.replace(18, 4, side);
    tiff.replace(30, 4, side);
    return tiff;
}

// A lossless WebP keeps width - 1 and height - 1 in 14 bits each after its signature byte.
inline QByteArray hugeWebp() {
    QByteArray webp = encodeWith(makeTestPicture(16, 16), "webp", 100);
    const auto* p = reinterpret_cast<const uchar*>(webp.constData()) + 21;
    const quint32 flags = quint32(p[3]) >> 4 << 28;
    QByteArray sizes;
    putU32(sizes, flags | 11999u << 14 | 11999u);
    webp.replace(21, 4, sizes);
    return webp;
}

// The picture with bytes from the middle on changed.
inline QByteArray damaged(QByteArray bytes, qsizetype from, qsizetype count = 32) {
    for (qsizetype i = from; i < from + count && i < bytes.size(); ++i) {
        bytes[i] = char(bytes[i] ^ 0x5A);
    }
    return bytes;
}

constexpr qint64 kHugeFileBytes = qint64(700) << 20;

inline std::vector<BadInput> badInputs() {
    const QByteArray jpeg = encodeJpeg(makeTestPicture(64, 64), JpegKind::Baseline);
    const QByteArray bmp = makeBmp(16, 16, 24, false, QByteArray(16 * 16 * 3, '\x7F'));
    const QByteArray pixels(64 * 64, '\1');
    // A reader's complaint, after the file's path and before what to do.
    const auto refused = [](const QString& reason) {
        return "%1: " + reason +
               ". The file is damaged or cut short: open it in a picture editor and save it "
               "again, or choose another file.";
    };
    const auto tooLarge = [](int width, int height) {
        return "%1: Picture is too large: " + QString::number(width) + " x " +
               QString::number(height) +
               " pixels. Reduce it in a picture editor to at most 120 million pixels.";
    };
    const auto jpegError = [&](int code) {
        return refused(QStringLiteral("JPEG image is not valid (decoder error #%1)").arg(code));
    };
    const QString invalidBitmap = refused("Bitmap image is not valid");
    const QString cannotOpen = QStringLiteral("Cannot open file %1");
    const QImage picture = makeTestPicture(64, 64);
    const QByteArray png = encodeWith(picture, "png");
    const QByteArray gif = makeGif(4, 4, {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                                   {{0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1}});
    // Qt's writer puts the colour map of an indexed TIFF at the end of the file.
    const QByteArray tiff = encodeWith(picture.convertToFormat(QImage::Format_Indexed8), "tiff");
    const QByteArray stripsTiff = tiffDirectoryFirst(picture, 8);
    const QByteArray webp = encodeWith(picture, "webp", 100);
    const QString invalidPng = refused("PNG image is not valid");
    const QString invalidGif = refused("GIF image is not valid");
    const QString invalidTiff = refused("TIFF image is not valid");
    const QString invalidWebp = refused("WebP image is not valid");
    return {
        {"JPEG, truncated", Reader::Picture, "cut.jpg", bytes(jpeg.left(jpeg.size() / 2)),
         jpegError(JWRN_JPEG_EOF)},
        {"JPEG, garbage", Reader::Picture, "garbage.jpg", bytes("this is no picture at all"),
         jpegError(JERR_NO_SOI)},
        {"JPEG, zero-length", Reader::Picture, "empty.jpg", bytes(""), jpegError(JERR_INPUT_EMPTY)},
        {"JPEG, huge dimensions", Reader::Picture, "huge.jpg", bytes(hugeJpeg()),
         tooLarge(60000, 60000)},
        {"BMP, truncated", Reader::Picture, "cut.bmp", bytes(bmp.left(bmp.size() - 100)),
         invalidBitmap},
        {"BMP, garbage", Reader::Picture, "garbage.bmp", bytes("BM and then nothing useful"),
         invalidBitmap},
        {"BMP, zero-length", Reader::Picture, "empty.bmp", bytes(""), invalidBitmap},
        {"BMP, huge dimensions", Reader::Picture, "huge.bmp", bytes(hugeBmp()),
         tooLarge(20000, 20000)},
        {"PNG, truncated", Reader::Picture, "cut.png", bytes(png.left(png.size() / 2)), invalidPng},
        {"PNG, damaged", Reader::Picture, "damaged.png",
         bytes(damaged(png, png.indexOf("IDAT") + 8)), invalidPng},
        {"PNG, huge dimensions", Reader::Picture, "huge.png", bytes(hugePng()),
         tooLarge(20000, 20000)},
        {"Text named .png", Reader::Picture, "photo.png", bytes("this is no picture"), invalidPng},
        {"GIF, truncated", Reader::Picture, "cut.gif", bytes(gif.left(gif.size() - 5)), invalidGif},
        {"GIF, damaged", Reader::Picture, "damaged.gif",
         bytes(damaged(gif, gif.indexOf(char(0x2C)) + 12, 2)), invalidGif},
        {"GIF, huge dimensions", Reader::Picture, "huge.gif", bytes(hugeGif()),
         tooLarge(20000, 20000)},
        {"TIFF, truncated", Reader::Picture, "cut.tif", bytes(tiff.left(tiff.size() - 100)),
         invalidTiff},
        {"TIFF, damaged", Reader::Picture, "damaged.tiff", bytes(damaged(stripsTiff, 128, 4)),
         invalidTiff},
        {"TIFF, huge dimensions", Reader::Picture, "huge.tif", bytes(hugeTiff()),
         tooLarge(20000, 20000)},
        {"WebP, truncated", Reader::Picture, "cut.webp", bytes(webp.left(webp.size() / 2)),
         invalidWebp},
        {"WebP, damaged", Reader::Picture, "damaged.webp", bytes(damaged(webp, webp.size() / 2)),
         invalidWebp},
        {"WebP, huge dimensions", Reader::Picture, "huge.webp", bytes(hugeWebp()),
         tooLarge(12000, 12000)},
        {"Picture file over 512 MB", Reader::Picture, "enormous.jpg",
         sparse(jpeg.left(100), kHugeFileBytes),
         "Picture file %1 is too large: over 512 MB. Reduce it in a picture editor."},
        {"Picture of another type", Reader::Picture, "photo.pcx", bytes("this is no picture"),
         "%1 is not a picture that the program reads. Choose a JPEG, PNG, GIF, BMP, TIFF or WebP "
         "picture."},
        {"A folder as picture", Reader::Picture, "folder.bmp", makeFolder, cannotOpen},
        {"An unreadable picture", Reader::Picture, "locked.jpg", makeUnreadable, cannotOpen},
        {"A missing picture", Reader::Picture, "missing.bmp", [](const QString&) {}, cannotOpen},
        {"Project, bad magic", Reader::Project, "magic.bip",
         bytes("PRX" + projectHeader(64, 64, 0).mid(3) + pixels),
         "%1 is not a project file: it does not begin with PRJ. Choose a project that this program "
         "saved."},
        {"Project, zero-length", Reader::Project, "empty.bip", bytes(""),
         "%1 is not a project file: it does not begin with PRJ. Choose a project that this program "
         "saved."},
        {"Project, short header", Reader::Project, "short.bip",
         bytes(projectHeader(64, 64, 0).left(7)),
         "%1 is not a project file: its header is cut short (7 of 15 bytes). Choose a project that "
         "this program saved."},
        {"Project, width or height below 1", Reader::Project, "zero.bip",
         bytes(projectHeader(0, 64, 0) + pixels),
         "Project file %1 has an invalid picture size 0 x 64. Choose a project that this program "
         "saved."},
        {"Project, palette 99", Reader::Project, "palette.bip",
         bytes(projectHeader(64, 64, 99) + pixels),
         "Project file %1 has an invalid palette number 99 (0..15 allowed). Choose a project that "
         "this program saved."},
        {"A folder as project", Reader::Project, "folder.bip", makeFolder, cannotOpen},
        {"An unreadable project", Reader::Project, "locked.bip", makeUnreadable, cannotOpen},
        {"A folder as raw strip", Reader::RawStrip, "folder.raw", makeFolder, cannotOpen},
        {"An unreadable raw strip", Reader::RawStrip, "locked.raw", makeUnreadable, cannotOpen},
    };
}

// The message the input must give, for the file made at path.
inline QString expectedMessage(const BadInput& input, const QString& path) {
    QString message = input.message;
    return message.replace("%1", path).replace("%2", input.fileName);
}

// For a child between fork and exec: the program it starts cannot read or write files it
// has no permission for, which root otherwise can. Harmless when not root.
inline void dropFileOverrideOnExec() {
    ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
    ::prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
}

// While it lives, this thread's file access is checked as for an ordinary user, so that
// files without permission are refused even when the tests run as root.
class AsOrdinaryUser {
public:
    // The group first: only root may change it.
    AsOrdinaryUser() : previousGroup_(::setfsgid(kNobody)), previous_(::setfsuid(kNobody)) {}
    ~AsOrdinaryUser() {
        ::setfsuid(previous_);
        ::setfsgid(previousGroup_);
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    int previousGroup_;
    int previous_;
};

}  // namespace tovik::testing
