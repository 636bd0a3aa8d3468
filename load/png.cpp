#include "load/png.h"

#include <QCoreApplication>
#include <algorithm>

#include <zlib.h>

#include "load/qtreader.h"
#include "picture/error.h"

namespace tovik {

namespace {

Error invalidPng() {
    return Error(QCoreApplication::translate("tovik::Load", "PNG image is not valid"));
}

quint32 readU32(const uchar* p) {
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

bool chunkIs(const uchar* type, const char* name) {
    return std::equal(type, type + 4, reinterpret_cast<const uchar*>(name));
}

constexpr uchar kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr qint64 kChunkOverhead = 12;  // length, type, and the checksum after the data
constexpr quint32 kHeaderLength = 13;

// Bit depths allowed for each colour type: grey, -, RGB, palette, grey + alpha, -, RGBA.
bool validDepth(int colourType, int depth) {
    switch (colourType) {
        case 0:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

// Qt's reader refuses a PNG cut short, but libpng writes its complaint to standard error
// on the way, where the batch program's own message belongs. So the file is checked here
// first: every chunk whole and matching its checksum, a valid header first, image data,
// a palette where one is needed, and the end chunk. A checksum also catches most damage
// inside the compressed data.
void checkPng(const QByteArray& bytes, qint64 maxPixels) {
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < qint64(sizeof kSignature) || !std::equal(kSignature, kSignature + 8, p)) {
        throw invalidPng();
    }
    qint64 at = sizeof kSignature;
    int colourType = -1;
    bool palette = false, data = false;
    while (true) {
        if (size - at < kChunkOverhead) {
            throw invalidPng();  // no end chunk
        }
        const qint64 length = readU32(p + at);
        if (length > size - at - kChunkOverhead) {
            throw invalidPng();
        }
        const uchar* type = p + at + 4;
        const uchar* content = type + 4;
        if (crc32(0, type, uInt(length + 4)) != readU32(content + length)) {
            throw invalidPng();
        }
        if (colourType < 0) {
            if (!chunkIs(type, "IHDR") || length != kHeaderLength) {
                throw invalidPng();
            }
            const quint32 width = readU32(content), height = readU32(content + 4);
            const int depth = content[8];
            colourType = content[9];
            if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu ||
                !validDepth(colourType, depth) || content[10] != 0 || content[11] != 0 ||
                content[12] > 1) {
                throw invalidPng();
            }
            if (qint64(width) * height > maxPixels) {
                throw pictureTooLarge(width, height);
            }
        } else if (chunkIs(type, "PLTE")) {
            palette = true;
        } else if (chunkIs(type, "IDAT")) {
            data = true;
        } else if (chunkIs(type, "IEND")) {
            break;
        }
        at += kChunkOverhead + length;
    }
    if (!data || (colourType == 3 && !palette)) {
        throw invalidPng();
    }
}

}  // namespace

QImage decodePng(const QByteArray& bytes, qint64 maxPixels) {
    checkPng(bytes, maxPixels);
    return readWithQt(bytes, "png", maxPixels, invalidPng());
}

}  // namespace tovik
