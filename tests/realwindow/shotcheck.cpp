// Reads a screenshot for the real-window tests.
//   shotcheck view SHOT.png          prints "X Y", the screen position of the view's
//                                    top-left pixel, found by the start-up grid
//   shotcheck find SHOT.png RRGGBB   prints "X Y", the centre of the pixels of that colour
//   shotcheck pixel SHOT.png X Y     prints the colour at (X, Y) as RRGGBB
//   shotcheck count SHOT.png RRGGBB X Y W H
//                                    prints how many pixels of the rectangle have that
//                                    colour
// Exit status 1 when nothing is found.
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

constexpr QRgb kBlack = 0x000000, kDark = 0x404040, kMiddle = 0x808080, kLight = 0xC8C8C8;

QRgb at(const QImage& shot, int x, int y) {
    if (x < 0 || y < 0 || x >= shot.width() || y >= shot.height()) {
        return 0xFFFFFFFF;
    }
    return shot.pixel(x, y) & 0xFFFFFF;
}

// The view at start: black, vertical lines every 8 pixels (the first one black, middle
// grey at 32, light grey at 64), a dark grey horizontal line along its top.
bool isViewOrigin(const QImage& shot, int x, int y) {
    return at(shot, x + 1, y) == kDark && at(shot, x, y + 1) == kBlack &&
           at(shot, x + 8, y + 1) == kDark && at(shot, x + 32, y + 1) == kMiddle &&
           at(shot, x + 64, y + 1) == kLight && at(shot, x + 4, y + 4) == kBlack &&
           at(shot, x + 4, y + 8) == kDark;
}

int usage() {
    std::fputs(
        "usage: shotcheck view SHOT | find SHOT RRGGBB | pixel SHOT X Y | count SHOT "
        "RRGGBB X Y W H\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    const QString command = QString::fromLocal8Bit(argv[1]);
    QImage shot(QString::fromLocal8Bit(argv[2]));
    if (shot.isNull()) {
        std::fprintf(stderr, "shotcheck: cannot read %s\n", argv[2]);
        return 1;
    }
    shot = shot.convertToFormat(QImage::Format_RGB32);
    if (command == QLatin1String("view") && argc == 3) {
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (isViewOrigin(shot, x, y)) {
                    std::printf("%d %d\n", x, y);
                    return 0;
                }
            }
        }
        return 1;
    }
    if (command == QLatin1String("find") && argc == 4) {
        const QRgb colour = QString::fromLatin1(argv[3]).toUInt(nullptr, 16);
        long long sx = 0, sy = 0, n = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (at(shot, x, y) == colour) {
                    sx += x;
                    sy += y;
                    ++n;
                }
            }
        }
        if (n == 0) {
            return 1;
        }
        std::printf("%lld %lld\n", sx / n, sy / n);
        return 0;
    }
    if (command == QLatin1String("pixel") && argc == 5) {
        std::printf("%06X\n", at(shot, std::atoi(argv[3]), std::atoi(argv[4])));
        return 0;
    }
    if (command == QLatin1String("count") && argc == 8) {
        const QRgb colour = QString::fromLatin1(argv[3]).toUInt(nullptr, 16);
        const int left = std::atoi(argv[4]), top = std::atoi(argv[5]);
        const int width = std::atoi(argv[6]), height = std::atoi(argv[7]);
        long long n = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                n += at(shot, x, y) == colour;
            }
        }
        std::printf("%lld\n", n);
        return 0;
    }
    return usage();
}
