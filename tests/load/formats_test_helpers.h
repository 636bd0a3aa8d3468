#pragma once

// Test pictures in PNG, TIFF and WebP written with Qt's writers, and in GIF and
// directory-first TIFF laid out here (Qt has no GIF writer, and its TIFF writer puts the
// directory after the picture data).

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace tovik::testing {

// The picture in the format by Qt's writer; quality 100 makes WebP lossless.
inline QByteArray encodeWith(const QImage& picture, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) {
        writer.setQuality(quality);
    }
    return writer.write(picture) ? bytes : QByteArray();
}

// ---- PNG -------------------------------------------------------------------------------

inline quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

inline void putBigU32(QByteArray& b, quint32 v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        b.append(char((v >> shift) & 0xFF));
    }
}

// The PNG with the size in its header changed, the header's checksum made to match.
inline QByteArray withPngSize(QByteArray png, quint32 width, quint32 height) {
    QByteArray size;
    putBigU32(size, width);
    putBigU32(size, height);
    png.replace(16, 8, size);  // after the signature, length and "IHDR"
    QByteArray crc;
    putBigU32(crc, crc32Of(png.mid(12, 17)));  // "IHDR" and its 13 bytes
    png.replace(29, 4, crc);
    return png;
}

// ---- GIF -------------------------------------------------------------------------------

// The frame's colour indices compressed as a GIF frame holds them: variable-width codes
// from minCodeBits + 1 up to 12 bits, in sub-blocks of at most 255 bytes, then the
// terminator.
inline QByteArray gifCodes(const std::vector<int>& indices, int minCodeBits) {
    const int clear = 1 << minCodeBits, end = clear + 1;
    QByteArray data;
    quint32 pending = 0;
    int pendingBits = 0, width = minCodeBits + 1, next = end + 1;
    const auto put = [&](int code) {
        pending |= quint32(code) << pendingBits;
        pendingBits += width;
        for (; pendingBits >= 8; pendingBits -= 8, pending >>= 8) {
            data.append(char(pending & 0xFF));
        }
    };
    std::map<std::pair<int, int>, int> table;
    put(clear);
    int prefix = -1;
    for (const int index : indices) {
        if (prefix < 0) {
            prefix = index;
            continue;
        }
        const auto found = table.find({prefix, index});
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        put(prefix);
        if (next < 4096) {
            table[{prefix, index}] = next++;
            if (next - 1 == 1 << width && width < 12) {
                ++width;
            }
        } else {
            put(clear);
            table.clear();
            next = end + 1;
            width = minCodeBits + 1;
        }
        prefix = index;
    }
    put(prefix);
    if (next == 1 << width && width < 12) {
        ++width;  // the reader adds an entry for the last code too
    }
    put(end);
    if (pendingBits > 0) {
        data.append(char(pending & 0xFF));
    }
    QByteArray blocks;
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        blocks += char(block.size()) + block;
    }
    return blocks + '\0';
}

// A GIF89a of one or more frames covering the whole screen, each given as colour indices
// row by row; `transparent` >= 0 names the index every frame leaves transparent.
inline QByteArray makeGif(int width, int height, const std::vector<QRgb>& palette,
                          const std::vector<std::vector<int>>& frames, int transparent = -1) {
    int bits = 1;
    while ((1 << bits) < int(palette.size())) {
        ++bits;
    }
    const auto u16 = [](QByteArray& b, int v) {
        b.append(char(v & 0xFF));
        b.append(char(v >> 8));
    };
    QByteArray gif("GIF89a");
    u16(gif, width);
    u16(gif, height);
    gif.append(char(0x80 | (bits - 1)));  // a global colour table of 2^bits entries
    gif.append(2, '\0');                  // background index, aspect
    for (int i = 0; i < 1 << bits; ++i) {
        const QRgb c = i < int(palette.size()) ? palette[i] : 0;
        gif.append(char(qRed(c)));
        gif.append(char(qGreen(c)));
        gif.append(char(qBlue(c)));
    }
    const int minCodeBits = std::max(2, bits);
    for (const std::vector<int>& frame : frames) {
        // Graphic control: the frame stays when the next is drawn; its transparent index.
        gif.append("\x21\xF9\x04", 3);
        gif.append(char(transparent >= 0 ? 0x05 : 0x04));
        gif.append(2, '\0');  // no delay
        gif.append(char(std::max(transparent, 0)));
        gif.append('\0');
        gif.append(char(0x2C));
        u16(gif, 0);
        u16(gif, 0);
        u16(gif, width);
        u16(gif, height);
        gif.append('\0');  // no local table, not interlaced
        gif.append(char(minCodeBits));
        gif.append(gifCodes(frame, minCodeBits));
    }
    return gif + char(0x3B);
}

// ---- WebP ------------------------------------------------------------------------------

// An animated WebP whose frames, all of the first's size, are Qt's lossless files of the
// pictures, each shown whole over the one before.
inline QByteArray animatedWebp(const std::vector<QImage>& frames) {
    const auto u24 = [](QByteArray& b, quint32 v) {
        for (int shift = 0; shift < 24; shift += 8) {
            b.append(char((v >> shift) & 0xFF));
        }
    };
    const auto chunk = [&](const char* type, const QByteArray& data) {
        QByteArray c(type);
        u24(c, quint32(data.size()));
        c.append('\0');
        c += data;
        return data.size() % 2 ? c + '\0' : c;
    };
    const quint32 width = frames[0].width(), height = frames[0].height();
    QByteArray canvas(1, '\x02');  // animated
    canvas.append(3, '\0');
    u24(canvas, width - 1);
    u24(canvas, height - 1);
    QByteArray body = "WEBP" + chunk("VP8X", canvas) + chunk("ANIM", QByteArray(6, '\0'));
    for (const QImage& picture : frames) {
        QByteArray frame;
        u24(frame, 0);  // x / 2
        u24(frame, 0);  // y / 2
        u24(frame, width - 1);
        u24(frame, height - 1);
        u24(frame, 100);                                    // duration, ms
        frame.append('\x02');                               // drawn without blending
        frame += encodeWith(picture, "webp", 100).mid(12);  // its chunks after the header
        body += chunk("ANMF", frame);
    }
    QByteArray file("RIFF");
    u24(file, quint32(body.size()));
    file.append('\0');
    return file + body;
}

// ---- TIFF ------------------------------------------------------------------------------

// An uncompressed little-endian RGB TIFF with its directory first and the picture after
// it in strips of rowsPerStrip rows, as many writers lay it out.
inline QByteArray tiffDirectoryFirst(const QImage& picture, int rowsPerStrip) {
    const int width = picture.width(), height = picture.height();
    const int strips = (height + rowsPerStrip - 1) / rowsPerStrip;
    const auto u16 = [](QByteArray& b, int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    };
    const auto u32 = [&](QByteArray& b, quint32 v) {
        u16(b, int(v & 0xFFFF));
        u16(b, int(v >> 16));
    };
    constexpr int kFields = 9;
    const quint32 directoryEnd = 8 + 2 + kFields * 12 + 4;
    // A single strip's offset and byte count fit in their fields; more go after them.
    const bool oneStrip = strips == 1;
    const quint32 bitsAt = directoryEnd, offsetsAt = bitsAt + 6;
    const quint32 countsAt = offsetsAt + (oneStrip ? 0 : 4 * strips);
    const quint32 dataAt = countsAt + (oneStrip ? 0 : 4 * strips);
    QByteArray tiff("II");
    u16(tiff, 42);
    u32(tiff, 8);
    u16(tiff, kFields);
    const auto field = [&](int tag, int type, quint32 count, quint32 value) {
        u16(tiff, tag);
        u16(tiff, type);
        u32(tiff, count);
        u32(tiff, value);
    };
    field(256, 4, 1, width);
    field(257, 4, 1, height);
    field(258, 3, 3, bitsAt);
    field(259, 3, 1, 1);  // no compression
    field(262, 3, 1, 2);  // RGB
    field(273, 4, strips, oneStrip ? dataAt : offsetsAt);
    field(277, 3, 1, 3);
    field(278, 4, 1, rowsPerStrip);
    field(279, 4, strips, oneStrip ? quint32(height * width * 3) : countsAt);
    u32(tiff, 0);  // no further directory
    for (int i = 0; i < 3; ++i) {
        u16(tiff, 8);
    }
    QByteArray data, offsets, counts;
    for (int strip = 0; strip < strips; ++strip) {
        u32(offsets, dataAt + quint32(data.size()));
        const int first = strip * rowsPerStrip, rows = std::min(rowsPerStrip, height - first);
        u32(counts, quint32(rows * width * 3));
        for (int y = first; y < first + rows; ++y) {
            for (int x = 0; x < width; ++x) {
                const QRgb c = picture.pixel(x, y);
                data.append(char(qRed(c)));
                data.append(char(qGreen(c)));
                data.append(char(qBlue(c)));
            }
        }
    }
    return oneStrip ? tiff + data : tiff + offsets + counts + data;
}

}  // namespace tovik::testing
