#include "load/gif.h"

#include <QCoreApplication>
#include <array>

#include "load/qtreader.h"
#include "picture/error.h"

namespace tovik {

namespace {

Error invalidGif() {
    return Error(QCoreApplication::translate("tovik::Load", "GIF image is not valid"));
}

constexpr qint64 kScreenDescriptorEnd = 13;
constexpr qint64 kImageDescriptorSize = 10;
constexpr uchar kExtension = 0x21;
constexpr uchar kImage = 0x2C;
constexpr int kMaxCodeBits = 12;
constexpr int kTableSize = 1 << kMaxCodeBits;

class GifBytes {
public:
    explicit GifBytes(const QByteArray& bytes)
        : p_(reinterpret_cast<const uchar*>(bytes.constData())), size_(bytes.size()) {}

    uchar byte(qint64 at) const {
        need(at, 1);
        return p_[at];
    }
    int u16(qint64 at) const {
        need(at, 2);
        return p_[at] | p_[at + 1] << 8;
    }
    void need(qint64 at, qint64 count) const {
        if (at < 0 || count > size_ - at) {
            throw invalidGif();
        }
    }
    // The data of the sub-blocks from `at` on, joined; `at` moves past their terminator.
    QByteArray subBlocks(qint64& at) const {
        QByteArray data;
        for (int length = byte(at++); length != 0; length = byte(at++)) {
            need(at, length);
            data.append(reinterpret_cast<const char*>(p_ + at), length);
            at += length;
        }
        return data;
    }

private:
    const uchar* p_;
    qint64 size_;
};

// Walks the compressed codes without drawing anything: true when they give at least
// `pixels` pixels before the end code or the end of the data, every code being one the
// table already holds or the one it is about to add. Qt's reader draws what a stream cut
// short gives and reports success, leaving the rest of the frame empty.
bool codesGivePixels(const QByteArray& data, int minCodeBits, qint64 pixels) {
    const int clear = 1 << minCodeBits, end = clear + 1;
    std::array<qint32, kTableSize> length{};
    for (int i = 0; i < clear; ++i) {
        length[i] = 1;
    }
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const qint64 bits = qint64(data.size()) * 8;
    qint64 at = 0, given = 0;
    int width = minCodeBits + 1, next = end + 1, previous = -1;
    while (given < pixels) {
        if (at + width > bits) {
            return false;
        }
        int code = 0;
        for (int i = 0; i < width; ++i, ++at) {
            code |= ((p[at >> 3] >> (at & 7)) & 1) << i;
        }
        if (code == clear) {
            width = minCodeBits + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code == end) {
            return false;
        }
        qint32 codeLength = 0;
        if (code < next) {
            codeLength = length[code];
        } else if (code == next && previous >= 0) {
            codeLength = length[previous] + 1;  // the previous string and its own first pixel
        } else {
            return false;
        }
        // A full table takes no more entries until the next clear code.
        if (previous >= 0 && next < kTableSize) {
            length[next++] = length[previous] + 1;
            if (next == 1 << width && width < kMaxCodeBits) {
                ++width;
            }
        }
        given += codeLength;
        previous = code;
    }
    return true;
}

// Checks the file up to the end of its first frame, the only one read: the blocks before
// it whole, the frame's sizes within the limit, and its codes enough for all its pixels.
void checkGif(const QByteArray& bytes, qint64 maxPixels) {
    const GifBytes gif(bytes);
    gif.need(0, kScreenDescriptorEnd);
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")) {
        throw invalidGif();
    }
    const int screenWidth = gif.u16(6), screenHeight = gif.u16(8);
    if (qint64(screenWidth) * screenHeight > maxPixels) {
        throw pictureTooLarge(screenWidth, screenHeight);
    }
    const auto tableBytes = [](uchar flags) { return (flags & 0x80) ? 3 << ((flags & 7) + 1) : 0; };
    qint64 at = kScreenDescriptorEnd + tableBytes(gif.byte(10));
    while (true) {
        const uchar block = gif.byte(at++);
        if (block == kExtension) {
            ++at;  // its label
            gif.subBlocks(at);
        } else if (block == kImage) {
            gif.need(at, kImageDescriptorSize - 1);
            const int width = gif.u16(at + 4), height = gif.u16(at + 6);
            if (width == 0 || height == 0) {
                throw invalidGif();
            }
            if (qint64(width) * height > maxPixels) {
                throw pictureTooLarge(width, height);
            }
            at += kImageDescriptorSize - 1 + tableBytes(gif.byte(at + 8));
            const int minCodeBits = gif.byte(at++);
            if (minCodeBits < 1 || minCodeBits > 8) {
                throw invalidGif();
            }
            if (!codesGivePixels(gif.subBlocks(at), minCodeBits, qint64(width) * height)) {
                throw invalidGif();
            }
            return;
        } else {
            throw invalidGif();  // the trailer before any frame, or no block at all
        }
    }
}

}  // namespace

QImage decodeGif(const QByteArray& bytes, qint64 maxPixels) {
    checkGif(bytes, maxPixels);
    return readWithQt(bytes, "gif", maxPixels, invalidGif());
}

}  // namespace tovik
