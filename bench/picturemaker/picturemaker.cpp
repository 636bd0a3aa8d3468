// tovik-picture-maker: the pictures of the benchmarks and the samples, made here so that
// no picture has to be fetched from anywhere.
//
//   tovik-picture-maker KIND WIDTH HEIGHT OUTPUT.ppm|OUTPUT.bmp
//       KIND: gradient, photo, cga, portrait, sunset, foliage, fruit, bricks
//   tovik-picture-maker strip HEIGHT OUTPUT.raw
//
// The same arguments always give the same bytes.

#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

#include "machinefiles/bmp24.h"
#include "picture/error.h"
#include "picture/fileio.h"
#include "scenes.h"

namespace {

using tovik::Error;

constexpr int kMaxSide = 20000;

int clampByte(double v) {
    return std::clamp(static_cast<int>(v), 0, 255);
}

// A small fixed-seed generator: the noise must not depend on the C library.
struct Noise {
    uint32_t state = 0x2545F491u;
    int next(int amplitude) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<int>(state % static_cast<uint32_t>(2 * amplitude + 1)) - amplitude;
    }
};

// Red along x, green down y, blue falling along the diagonal.
QImage gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int r = 255 * x / std::max(w - 1, 1);
            const int g = 255 * y / std::max(h - 1, 1);
            row[x] = qRgb(r, g, 255 - (r + g) / 2);
        }
    }
    return image;
}

// A sky over rolling hills with a sun, soft shading and grain: smooth areas, edges and
// noise, so a JPEG of it costs its decoder what a photograph would.
QImage photo(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    const double pi = std::numbers::pi;
    std::vector<int> ridge(static_cast<size_t>(w));
    for (int x = 0; x < w; ++x) {
        const double u = double(x) / w;
        ridge[size_t(x)] = int(h * (0.55 + 0.08 * std::sin(2 * pi * 1.3 * u) +
                                    0.04 * std::sin(2 * pi * 4.7 * u + 1.0) +
                                    0.015 * std::sin(2 * pi * 23.0 * u)));
    }
    const double sunX = 0.72 * w, sunY = 0.25 * h, sunR = 0.08 * std::min(w, h);
    Noise noise;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double v = double(y) / h;
        for (int x = 0; x < w; ++x) {
            double r, g, b;
            if (y < ridge[size_t(x)]) {
                r = 90 + 120 * v;
                g = 140 + 80 * v;
                b = 230 - 30 * v;
                const double dx = x - sunX, dy = y - sunY;
                const double d = std::sqrt(dx * dx + dy * dy) / sunR;
                if (d < 1) {
                    r = 255, g = 240, b = 190;
                } else if (d < 3) {
                    const double glow = (3 - d) / 2;
                    r += (255 - r) * glow * 0.6;
                    g += (235 - g) * glow * 0.6;
                    b += (200 - b) * glow * 0.3;
                }
            } else {
                const double depth = double(y - ridge[size_t(x)]) / h;
                const double stripes = 0.5 + 0.5 * std::sin(x * 0.02 + y * 0.05);
                r = 40 + 60 * depth + 25 * stripes;
                g = 110 - 40 * depth + 35 * stripes;
                b = 30 + 20 * depth;
            }
            const int grain = noise.next(10);
            row[x] = qRgb(clampByte(r + grain), clampByte(g + grain), clampByte(b + grain));
        }
    }
    return image;
}

// Only black, magenta, cyan and white: bands, a disc and a frame.
QImage cga(int w, int h) {
    constexpr QRgb kColours[] = {qRgb(0, 0, 0), qRgb(255, 0, 255), qRgb(0, 255, 255),
                                 qRgb(255, 255, 255)};
    QImage image(w, h, QImage::Format_RGB32);
    const int cx = w / 2, cy = h / 2, radius = std::min(w, h) / 4;
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int index = ((x + y) / 8) % 3 + 1;  // diagonal bands of magenta, cyan, white
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < radius * radius) {
                index = ((x / 4 + y / 4) % 2) * 3;  // a black and white chequered disc
            }
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) {
                index = 0;
            }
            row[x] = kColours[index];
        }
    }
    return image;
}

// One byte a row, bit 7 the leftmost pixel: an arrow pointing down, then a ladder.
QByteArray strip(int h) {
    QByteArray bytes(h, '\0');
    for (int y = 0; y < h; ++y) {
        const int phase = y % 16;
        uint8_t row;
        if (phase < 8) {
            const int inset = phase / 2;  // narrowing towards the tip
            row = static_cast<uint8_t>((0xFF >> inset) & (0xFF << inset));
        } else {
            row = phase % 4 == 0 ? 0xFF : 0x81;
        }
        bytes[y] = static_cast<char>(row);
    }
    return bytes;
}

QByteArray encodePpm(const QImage& image) {
    QByteArray bytes =
        QStringLiteral("P6\n%1 %2\n255\n").arg(image.width()).arg(image.height()).toLatin1();
    const qsizetype header = bytes.size();
    bytes.resize(header + qsizetype(image.width()) * image.height() * 3);
    char* out = bytes.data() + header;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *out++ = static_cast<char>(qRed(row[x]));
            *out++ = static_cast<char>(qGreen(row[x]));
            *out++ = static_cast<char>(qBlue(row[x]));
        }
    }
    return bytes;
}

int side(const char* text) {
    bool ok = false;
    const int value = QString::fromLocal8Bit(text).toInt(&ok);
    if (!ok || value < 1 || value > kMaxSide) {
        throw Error(QStringLiteral("a side must be 1..%1, not '%2'")
                        .arg(kMaxSide)
                        .arg(QString::fromLocal8Bit(text)));
    }
    return value;
}

void make(int argc, char* argv[]) {
    const QString kind = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (kind == QLatin1String("strip") && argc == 4) {
        tovik::writeFile(QString::fromLocal8Bit(argv[3]), strip(side(argv[2])));
        return;
    }
    if (argc != 5) {
        throw Error(
            QStringLiteral("usage: tovik-picture-maker KIND WIDTH HEIGHT OUTPUT.ppm|.bmp\n"
                           "       KIND: gradient photo cga portrait sunset foliage fruit bricks\n"
                           "       tovik-picture-maker strip HEIGHT OUTPUT.raw"));
    }
    const int w = side(argv[2]), h = side(argv[3]);
    QImage image;
    if (kind == QLatin1String("gradient")) {
        image = gradient(w, h);
    } else if (kind == QLatin1String("photo")) {
        image = photo(w, h);
    } else if (kind == QLatin1String("cga")) {
        image = cga(w, h);
    } else if (kind == QLatin1String("portrait")) {
        image = picturemaker::portrait(w, h);
    } else if (kind == QLatin1String("sunset")) {
        image = picturemaker::sunset(w, h);
    } else if (kind == QLatin1String("foliage")) {
        image = picturemaker::foliage(w, h);
    } else if (kind == QLatin1String("fruit")) {
        image = picturemaker::fruit(w, h);
    } else if (kind == QLatin1String("bricks")) {
        image = picturemaker::brickWall(w, h);
    } else {
        throw Error(QStringLiteral("unknown kind '%1'").arg(kind));
    }
    const QString output = QString::fromLocal8Bit(argv[4]);
    if (output.endsWith(QLatin1String(".bmp"))) {
        tovik::writeFile(output, tovik::encodeBmp24(image));
    } else if (output.endsWith(QLatin1String(".ppm"))) {
        tovik::writeFile(output, encodePpm(image));
    } else {
        throw Error(QStringLiteral("the output must end in .ppm or .bmp: %1").arg(output));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        make(argc, argv);
        return 0;
    } catch (const Error& e) {
        std::fprintf(stderr, "tovik-picture-maker: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
