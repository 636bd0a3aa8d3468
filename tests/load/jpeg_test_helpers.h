#pragma once

// Test pictures made here: JPEG files written with libjpeg's compressor, BMP files laid
// out byte by byte, and the reference decoder djpeg run on the same machine.

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "picture/error.h"

namespace tovik::testing {

// Where the two pictures first differ, or an empty string when they are equal.
inline std::string firstDifference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return QStringLiteral("size %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .toStdString();
    }
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .toStdString();
            }
        }
    }
    return {};
}

// The message of the error the call throws, or "(no error)".
template <typename F>
std::string errorOf(F&& call) {
    try {
        call();
    } catch (const Error& e) {
        return e.message().toStdString();
    }
    return "(no error)";
}

inline std::string jpegError(int code) {
    return "JPEG image is not valid (decoder error #" + std::to_string(code) + ")";
}

// The message a picture file's load gives for a reader's complaint about its content.
inline std::string damagedPicture(const QString& path, const std::string& reason) {
    return path.toStdString() + ": " + reason +
           ". The file is damaged or cut short: open it in a picture editor and save it again, "
           "or choose another file.";
}

// The message a picture file's load gives for a picture above the pixel limit.
inline std::string tooLargePicture(const QString& path, int width, int height) {
    return path.toStdString() + ": Picture is too large: " + std::to_string(width) + " x " +
           std::to_string(height) +
           " pixels. Reduce it in a picture editor to at most 120 million pixels.";
}

// The message a picture file's load gives when neither its content nor its name places it.
inline std::string notAPicture(const QString& path) {
    return path.toStdString() +
           " is not a picture that the program reads. Choose a JPEG, PNG, GIF, BMP, TIFF or "
           "WebP picture.";
}

// A picture with smooth gradients and sharp edges, so every block holds real detail.
inline QImage makeTestPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int r = (x * 255) / std::max(width - 1, 1);
            const int g = (y * 255) / std::max(height - 1, 1);
            const int b = ((x / 5 + y / 3) % 2) ? 230 : 20;
            image.setPixel(x, y, qRgb(r, g, (b + x * y) % 256));
        }
    }
    return image;
}

enum class JpegKind { Baseline, Progressive, Greyscale, Cmyk, Ycck, Arithmetic };

// Writes the picture as a JPEG. Greyscale keeps the green byte; CMYK and YCCK store the
// inverted values Adobe's files hold: C = red, M = green, Y = blue, and K = flatK, or
// 255 - (x + y) % 128 when flatK is negative.
inline QByteArray encodeJpeg(const QImage& picture, JpegKind kind, int quality = 90,
                             int flatK = -1) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.height());
    const bool grey = kind == JpegKind::Greyscale;
    const bool cmyk = kind == JpegKind::Cmyk || kind == JpegKind::Ycck;
    cinfo.input_components = grey ? 1 : (cmyk ? 4 : 3);
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : (cmyk ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (kind == JpegKind::Cmyk) {
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
    } else if (kind == JpegKind::Ycck) {
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    }
    if (kind == JpegKind::Progressive) {
        jpeg_simple_progression(&cinfo);
    } else if (kind == JpegKind::Arithmetic) {
        cinfo.arith_code = TRUE;
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(picture.width() * cinfo.input_components));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            JSAMPLE* s = &row[static_cast<size_t>(x * cinfo.input_components)];
            if (grey) {
                s[0] = static_cast<JSAMPLE>(qGreen(p));
            } else if (cmyk) {
                s[0] = static_cast<JSAMPLE>(qRed(p));
                s[1] = static_cast<JSAMPLE>(qGreen(p));
                s[2] = static_cast<JSAMPLE>(qBlue(p));
                s[3] = static_cast<JSAMPLE>(flatK >= 0 ? flatK : 255 - (x + y) % 128);
            } else {
                s[0] = static_cast<JSAMPLE>(qRed(p));
                s[1] = static_cast<JSAMPLE>(qGreen(p));
                s[2] = static_cast<JSAMPLE>(qBlue(p));
            }
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), static_cast<qsizetype>(outSize));
    std::free(out);
    return bytes;
}

// Runs a program with the bytes on its standard input; returns its standard output, or
// an empty array when it fails.
inline QByteArray runFilter(const QString& program, const QStringList& arguments,
                            const QByteArray& input) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return process.readAllStandardOutput();
}

// Reads a binary PPM (P6) or PGM (P5) as RGB32; a null image for anything else.
inline QImage parsePnm(const QByteArray& pnm) {
    qsizetype at = 0;
    auto token = [&]() {
        while (at < pnm.size() && std::isspace(static_cast<unsigned char>(pnm[at]))) {
            ++at;
        }
        const qsizetype start = at;
        while (at < pnm.size() && !std::isspace(static_cast<unsigned char>(pnm[at]))) {
            ++at;
        }
        return pnm.mid(start, at - start);
    };
    const QByteArray magic = token();
    const int width = token().toInt(), height = token().toInt(), maxValue = token().toInt();
    ++at;  // the single whitespace byte before the samples
    const int channels = magic == "P6" ? 3 : (magic == "P5" ? 1 : 0);
    if (channels == 0 || maxValue != 255 || width <= 0 || height <= 0 ||
        pnm.size() - at < qsizetype(width) * height * channels) {
        return {};
    }
    QImage image(width, height, QImage::Format_RGB32);
    const auto* s = reinterpret_cast<const uchar*>(pnm.constData()) + at;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, s += channels) {
            image.setPixel(x, y, channels == 3 ? qRgb(s[0], s[1], s[2]) : qRgb(s[0], s[0], s[0]));
        }
    }
    return image;
}

// The reference: djpeg with the floating-point inverse transform, block smoothing on.
inline QImage djpegFloat(const QByteArray& jpeg) {
    return parsePnm(runFilter(QStringLiteral("djpeg"), {"-dct", "float", "-pnm"}, jpeg));
}

// Position of the first byte after the marker FF xx, or -1.
inline qsizetype findMarker(const QByteArray& jpeg, unsigned char marker) {
    for (qsizetype i = 0; i + 1 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == marker) {
            return i + 2;
        }
    }
    return -1;
}

// ---- BMP files laid out by hand --------------------------------------------------------

inline void putU16(QByteArray& b, int v) {
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
inline void putU32(QByteArray& b, quint32 v) {
    putU16(b, int(v & 0xFFFF));
    putU16(b, int(v >> 16));
}

// An uncompressed BMP with a 40-byte header. `rows` holds the stored pixel bytes row by
// row as the file keeps them (bottom row first unless topDown), each padded to 4 bytes
// here; `palette` holds B, G, R, 0 quads.
inline QByteArray makeBmp(int width, int height, int bitCount, bool topDown, const QByteArray& rows,
                          const QByteArray& palette = {}) {
    const int stride = (width * bitCount + 31) / 32 * 4;
    const int rowBytes = (width * bitCount + 7) / 8;
    QByteArray pixels;
    for (int y = 0; y < height; ++y) {
        QByteArray row = rows.mid(qsizetype(y) * rowBytes, rowBytes);
        row.resize(stride, '\0');
        pixels += row;
    }
    const quint32 offset = 14 + 40 + quint32(palette.size());
    QByteArray b("BM");
    putU32(b, offset + quint32(pixels.size()));
    putU32(b, 0);
    putU32(b, offset);
    putU32(b, 40);
    putU32(b, quint32(width));
    putU32(b, quint32(topDown ? -height : height));
    putU16(b, 1);
    putU16(b, bitCount);
    putU32(b, 0);  // no compression
    putU32(b, quint32(pixels.size()));
    putU32(b, 2835);
    putU32(b, 2835);
    putU32(b, quint32(palette.size() / 4));
    putU32(b, 0);
    return b + palette + pixels;
}

// A run-length BMP (bitCount 8: RLE8, bitCount 4: RLE4) holding the given codes.
inline QByteArray makeRleBmp(int width, int height, int bitCount, const QByteArray& codes,
                             const QByteArray& palette) {
    const quint32 offset = 14 + 40 + quint32(palette.size());
    QByteArray b("BM");
    putU32(b, offset + quint32(codes.size()));
    putU32(b, 0);
    putU32(b, offset);
    putU32(b, 40);
    putU32(b, quint32(width));
    putU32(b, quint32(height));
    putU16(b, 1);
    putU16(b, bitCount);
    putU32(b, bitCount == 8 ? 1 : 2);
    putU32(b, quint32(codes.size()));
    putU32(b, 2835);
    putU32(b, 2835);
    putU32(b, quint32(palette.size() / 4));
    putU32(b, 0);
    return b + palette + codes;
}

}  // namespace tovik::testing
