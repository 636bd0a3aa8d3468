#include "load/tiff.h"

#include <QCoreApplication>
#include <mutex>

#include <tiffio.h>

#include "load/qtreader.h"
#include "picture/error.h"

namespace tovik {

namespace {

Error invalidTiff() {
    return Error(QCoreApplication::translate("tovik::Load", "TIFF image is not valid"));
}

constexpr int kTagWidth = 256;
constexpr int kTagHeight = 257;
constexpr int kTagPhotometric = 262;
constexpr int kTagStripOffsets = 273;
constexpr int kTagStripByteCounts = 279;
constexpr int kTagColourMap = 320;
constexpr int kTagTileOffsets = 324;
constexpr int kTagTileByteCounts = 325;
constexpr int kPhotometricPalette = 3;

// Bytes of one value of each field type; 0 for a type libtiff skips.
int typeSize(int type) {
    switch (type) {
        case 1:  // byte
        case 2:  // text
        case 6:  // signed byte
        case 7:  // undefined
            return 1;
        case 3:  // short
        case 8:  // signed short
            return 2;
        case 4:   // long
        case 9:   // signed long
        case 11:  // float
        case 13:  // sub-directory
            return 4;
        case 5:   // rational
        case 10:  // signed rational
        case 12:  // double
        case 16:  // long8
        case 17:  // signed long8
        case 18:  // sub-directory8
            return 8;
        default:
            return 0;
    }
}

// The first directory of a TIFF or BigTIFF file, read with bounds checks: every read
// outside the file refuses it.
class TiffFile {
public:
    explicit TiffFile(const QByteArray& bytes)
        : p_(reinterpret_cast<const uchar*>(bytes.constData())), size_(bytes.size()) {}

    qint64 size() const { return size_; }
    void need(quint64 at, quint64 count) const {
        if (at > quint64(size_) || count > quint64(size_) - at) {
            throw invalidTiff();
        }
    }
    // An unsigned number of `count` bytes in the file's byte order.
    quint64 number(quint64 at, int count) const {
        need(at, count);
        quint64 value = 0;
        for (int i = 0; i < count; ++i) {
            const int shift = 8 * (bigEndian_ ? count - 1 - i : i);
            value |= quint64(p_[at + i]) << shift;
        }
        return value;
    }
    void setBigEndian(bool bigEndian) { bigEndian_ = bigEndian; }

private:
    const uchar* p_;
    qint64 size_;
    bool bigEndian_ = false;
};

// Where a field's values lie and what they are.
struct Field {
    int type = 0;
    quint64 count = 0;
    quint64 at = 0;
    bool present() const { return count != 0; }
};

// Value `i` of a field of shorts, longs or long8s.
quint64 value(const TiffFile& file, const Field& field, quint64 i) {
    if (field.type != 3 && field.type != 4 && field.type != 16) {
        throw invalidTiff();
    }
    const int size = typeSize(field.type);
    return file.number(field.at + i * size, size);
}

// Qt's reader, or libtiff under it, reads what a cut file still holds and fills or drops
// the rest: a colour map past the end is dropped with a warning and the picture comes out
// grey. So the first directory is checked here: every field's values, and every strip or
// tile of picture data, must lie inside the file.
void checkTiff(const QByteArray& bytes, qint64 maxPixels) {
    TiffFile file(bytes);
    if (bytes.startsWith("MM")) {
        file.setBigEndian(true);
    } else if (!bytes.startsWith("II")) {
        throw invalidTiff();
    }
    const quint64 version = file.number(2, 2);
    const bool big = version == 43;
    if (!big && version != 42) {
        throw invalidTiff();
    }
    const int offsetSize = big ? 8 : 4;
    const int countSize = big ? 8 : 2;
    const int entrySize = big ? 20 : 12;
    if (big && (file.number(4, 2) != 8 || file.number(6, 2) != 0)) {
        throw invalidTiff();
    }
    const quint64 directory = file.number(big ? 8 : 4, offsetSize);
    const quint64 entries = file.number(directory, countSize);
    if (entries == 0 || entries > quint64(file.size())) {
        throw invalidTiff();
    }
    file.need(directory + countSize, entries * entrySize);
    Field width, height, photometric, offsets, byteCounts, tileOffsets, tileByteCounts;
    bool colourMap = false;
    for (quint64 i = 0; i < entries; ++i) {
        const quint64 at = directory + countSize + i * entrySize;
        Field field;
        const int tag = int(file.number(at, 2));
        field.type = int(file.number(at + 2, 2));
        field.count = file.number(at + 4, offsetSize);
        const int size = typeSize(field.type);
        if (size == 0) {
            continue;
        }
        if (field.count > quint64(file.size())) {
            throw invalidTiff();  // more values than the file has bytes
        }
        const quint64 bytesNeeded = field.count * size;
        const quint64 valueAt = at + 4 + offsetSize;
        field.at = bytesNeeded <= quint64(offsetSize) ? valueAt : file.number(valueAt, offsetSize);
        file.need(field.at, bytesNeeded);
        switch (tag) {
            case kTagWidth:
                width = field;
                break;
            case kTagHeight:
                height = field;
                break;
            case kTagPhotometric:
                photometric = field;
                break;
            case kTagStripOffsets:
                offsets = field;
                break;
            case kTagStripByteCounts:
                byteCounts = field;
                break;
            case kTagTileOffsets:
                tileOffsets = field;
                break;
            case kTagTileByteCounts:
                tileByteCounts = field;
                break;
            case kTagColourMap:
                colourMap = true;
                break;
            default:
                break;
        }
    }
    if (!width.present() || !height.present()) {
        throw invalidTiff();
    }
    const quint64 w = value(file, width, 0), h = value(file, height, 0);
    if (w == 0 || h == 0) {
        throw invalidTiff();
    }
    if (w > quint64(maxPixels) || h > quint64(maxPixels) || qint64(w * h) > maxPixels) {
        throw pictureTooLarge(qint64(w), qint64(h));
    }
    if (tileOffsets.present()) {
        offsets = tileOffsets;
        byteCounts = tileByteCounts;
    }
    // Without byte counts nothing says where the data ends, so a cut cannot be told.
    if (!offsets.present() || offsets.count != byteCounts.count) {
        throw invalidTiff();
    }
    for (quint64 i = 0; i < offsets.count; ++i) {
        file.need(value(file, offsets, i), value(file, byteCounts, i));
    }
    if (photometric.present() && value(file, photometric, 0) == kPhotometricPalette && !colourMap) {
        throw invalidTiff();
    }
}

}  // namespace

QImage decodeTiff(const QByteArray& bytes, qint64 maxPixels) {
    checkTiff(bytes, maxPixels);
    // libtiff's own handlers print every complaint (a damaged strip, a field it does not
    // know) on standard error; the reader's failure is reported by our message instead.
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
    return readWithQt(bytes, "tiff", maxPixels, invalidTiff());
}

}  // namespace tovik
