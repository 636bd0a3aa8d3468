#include "load/bmp.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <algorithm>

#include "load/limits.h"
#include "load/qtreader.h"
#include "picture/error.h"

namespace tovik {

namespace {

Error invalidBitmap() {
    return Error(QCoreApplication::translate("tovik::Load", "Bitmap image is not valid"));
}

quint32 readU32(const QByteArray& b, int at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}
quint16 readU16(const QByteArray& b, int at) {
    const auto* p = reinterpret_cast<const uchar*>(b.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}

constexpr int kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;  // the old OS/2 header: 16-bit sizes, no compression
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kBiAlphaBitfields = 6;
constexpr quint32 kBiRle8 = 1;
constexpr quint32 kBiRle4 = 2;

// Walks the run-length codes from `at` without drawing anything: true when they reach the
// end-of-bitmap code, or end every row, before the file ends.
bool rleComplete(const QByteArray& bytes, qint64 at, qint64 height, quint32 bitCount) {
    const qint64 size = bytes.size();
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    qint64 rows = 0;
    while (at + 2 <= size && rows < height) {
        const int count = p[at], code = p[at + 1];
        at += 2;
        if (count != 0 || code > 2) {
            // A run of one value, or `code` pixels stored as they are, padded to 16 bits.
            if (count == 0) {
                const qint64 stored = bitCount == 8 ? code : (code + 1) / 2;
                at += (stored + 1) & ~qint64(1);
                if (at > size) {
                    return false;
                }
            }
        } else if (code == 0) {
            ++rows;  // end of row
        } else if (code == 1) {
            return true;  // end of bitmap
        } else {
            if (at + 2 > size) {
                return false;
            }
            rows += p[at + 1];  // move right and down
            at += 2;
        }
    }
    return rows >= height;
}

// The reader fills whatever a short file lacks and reports success, so a file too short
// for its own pixel rows is refused here: uncompressed rows by their size, run-length
// rows by walking their codes.
void checkBmpHeader(const QByteArray& bytes, qint64 maxPixels) {
    const qint64 size = bytes.size();
    if (size < kFileHeaderSize + qint64(kCoreHeaderSize) || bytes[0] != 'B' || bytes[1] != 'M') {
        throw invalidBitmap();
    }
    const quint32 pixelOffset = readU32(bytes, 10);
    const quint32 headerSize = readU32(bytes, 14);
    qint64 width = 0, height = 0;
    quint32 bitCount = 0, compression = kBiRgb, colours = 0;
    qint64 entrySize = 4;
    if (headerSize == kCoreHeaderSize) {
        width = readU16(bytes, 18);
        height = readU16(bytes, 20);
        bitCount = readU16(bytes, 24);
        entrySize = 3;
    } else if (headerSize >= kInfoHeaderSize && size >= kFileHeaderSize + qint64(kInfoHeaderSize)) {
        width = qint32(readU32(bytes, 18));
        height = qint32(readU32(bytes, 22));
        bitCount = readU16(bytes, 28);
        compression = readU32(bytes, 30);
        colours = readU32(bytes, 46);
    } else {
        throw invalidBitmap();
    }
    height = height < 0 ? -height : height;  // negative: rows stored top first
    if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 32) {
        throw invalidBitmap();
    }
    if (width * height > maxPixels) {
        throw pictureTooLarge(width, height);
    }
    // The reader starts the pixels at the given offset, but never before the headers,
    // masks and colour table it has read.
    qint64 tableEnd = kFileHeaderSize + qint64(headerSize);
    if (headerSize == kInfoHeaderSize && compression == kBiBitfields) {
        tableEnd += 12;
    } else if (headerSize == kInfoHeaderSize && compression == kBiAlphaBitfields) {
        tableEnd += 16;
    }
    if (bitCount <= 8) {
        // A table longer than the pixels can index is refused: the reader would read it
        // all and then warn about every entry it cannot store.
        if (colours > (1u << bitCount)) {
            throw invalidBitmap();
        }
        tableEnd += entrySize * (colours != 0 ? colours : (1u << bitCount));
    }
    const qint64 pixelStart = std::max<qint64>(pixelOffset, tableEnd);
    if (pixelStart >= size) {
        throw invalidBitmap();
    }
    if ((compression == kBiRle8 && bitCount == 8) || (compression == kBiRle4 && bitCount == 4)) {
        if (!rleComplete(bytes, pixelStart, height, bitCount)) {
            throw invalidBitmap();
        }
        return;
    }
    if (compression != kBiRgb && compression != kBiBitfields && compression != kBiAlphaBitfields) {
        return;  // the reader refuses what it cannot read
    }
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    if (pixelStart + stride * height > size) {
        throw invalidBitmap();
    }
}

}  // namespace

QImage decodeBmp(const QByteArray& bytes) {
    return decodeBmp(bytes, kMaxPicturePixels);
}

QImage decodeBmp(const QByteArray& bytes, qint64 maxPixels) {
    checkBmpHeader(bytes, maxPixels);
    // The header passed the size check, so the reader's own allocation limit (far below
    // our pixel limit) must not refuse it.
    allowPictureAllocation(maxPixels);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The format is forced: deciding by content would quietly read other formats.
    QImageReader reader(&buffer, "bmp");
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        throw invalidBitmap();
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace tovik
