#include "load/qtreader.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>

#include "load/limits.h"

namespace tovik {

void allowPictureAllocation(qint64 maxPixels) {
    constexpr qint64 kMostBytesPerPixel = 16;  // four 32-bit floating-point samples
    const int neededMegabytes =
        int(std::min(maxPixels, kMaxPicturePixels) * kMostBytesPerPixel >> 20) + 1;
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < neededMegabytes) {
        QImageReader::setAllocationLimit(neededMegabytes);
    }
}

QImage readWithQt(const QByteArray& bytes, const char* format, qint64 maxPixels,
                  const Error& invalid) {
    allowPictureAllocation(maxPixels);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > maxPixels) {
        throw pictureTooLarge(size.width(), size.height());
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        throw invalid;
    }
    return composeOverBlack(image);
}

namespace {

// 255 · (c / 65535) · (a / 65535) = c·a / (65535 · 257), to the nearest.
constexpr quint64 kWideDivisor = quint64(65535) * 257;

uchar composeWide(quint64 c, quint64 a) {
    return uchar((c * a + kWideDivisor / 2) / kWideDivisor);
}

uchar narrow(uint c) {
    return uchar((c + 128) / 257);
}

}  // namespace

QImage composeOverBlack(const QImage& image) {
    const bool premultiplied = image.pixelFormat().premultiplied() == QPixelFormat::Premultiplied;
    const bool wide = image.depth() > 32 || image.format() == QImage::Format_Grayscale16;
    QImage out(image.size(), QImage::Format_RGB32);
    if (wide) {
        // Grey is handled here because a conversion to 64-bit colour would not promise
        // to copy the samples unchanged.
        if (image.format() == QImage::Format_Grayscale16) {
            for (int y = 0; y < image.height(); ++y) {
                const auto* in = reinterpret_cast<const quint16*>(image.constScanLine(y));
                auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = 0; x < image.width(); ++x) {
                    const int g = narrow(in[x]);
                    o[x] = qRgb(g, g, g);
                }
            }
            return out;
        }
        const QImage wide64 = image.convertToFormat(
            premultiplied ? QImage::Format_RGBA64_Premultiplied : QImage::Format_RGBA64);
        for (int y = 0; y < image.height(); ++y) {
            const auto* in = reinterpret_cast<const QRgba64*>(wide64.constScanLine(y));
            auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgba64 p = in[x];
                if (premultiplied) {
                    o[x] = qRgb(narrow(p.red()), narrow(p.green()), narrow(p.blue()));
                } else {
                    o[x] = qRgb(composeWide(p.red(), p.alpha()), composeWide(p.green(), p.alpha()),
                                composeWide(p.blue(), p.alpha()));
                }
            }
        }
        return out;
    }
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    const QImage argb = image.convertToFormat(premultiplied ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = in[x];
            if (premultiplied) {
                o[x] = p | 0xFF000000u;
            } else {
                const uint a = qAlpha(p);
                o[x] = qRgb((qRed(p) * a + 127) / 255, (qGreen(p) * a + 127) / 255,
                            (qBlue(p) * a + 127) / 255);
            }
        }
    }
    return out;
}

}  // namespace tovik
