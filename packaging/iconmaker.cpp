// Paints the program's icon: a 16 x 16 picture in four colours, as the program's own
// pictures are, enlarged by whole factors for every size so that its pixels stay sharp,
// and the same picture as an SVG of one rectangle a run of pixels.
//
// usage: tovik-images-iconmaker OUTPUT_DIR
// writes OUTPUT_DIR/hicolor/NxN/apps/tovik-images.png and .../scalable/apps/tovik-images.svg

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

constexpr int kSide = 16;

// A night sky with a moon and a star over green hills; '.' is transparent, the rounded
// corners.
constexpr const char* kPicture[kSide] = {
    ".00000000000000.",  //
    "0000000000000000",  //
    "0000000000222000",  //
    "0030000002222200",  //
    "0333000002222200",  //
    "0030000002222200",  //
    "0000000000222000",  //
    "0000000000000000",  //
    "0000000000000300",  //
    "0000000001100000",  //
    "0000000011110000",  //
    "0001100111111000",  //
    "0011111111111110",  //
    "0111111111111111",  //
    "1111111111111111",  //
    ".11111111111111.",  //
};

constexpr QRgb kColours[4] = {0xFF1A1F4A, 0xFF3FA34D, 0xFFF2B233, 0xFFF0F0E8};
constexpr const char* kSvgColours[4] = {"#1a1f4a", "#3fa34d", "#f2b233", "#f0f0e8"};

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

QImage paint(int size) {
    QImage small(kSide, kSide, QImage::Format_ARGB32);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const char c = kPicture[y][x];
            small.setPixel(x, y, c == '.' ? 0u : kColours[c - '0']);
        }
    }
    return small.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QByteArray svg() {
    QByteArray out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
        "viewBox=\"0 0 16 16\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide;) {
            const char c = kPicture[y][x];
            int end = x + 1;
            while (end < kSide && kPicture[y][end] == c) {
                ++end;
            }
            if (c != '.') {
                out += QStringLiteral(
                           "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" "
                           "fill=\"%4\"/>\n")
                           .arg(x)
                           .arg(y)
                           .arg(end - x)
                           .arg(QLatin1String(kSvgColours[c - '0']))
                           .toUtf8();
            }
            x = end;
        }
    }
    return out + "</svg>\n";
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const int size : kSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!out.mkpath(folder) ||
            !paint(size).save(out.filePath(folder + "/tovik-images.png"), "PNG")) {
            std::fprintf(stderr, "cannot write the %dx%d icon\n", size, size);
            return 1;
        }
    }
    if (!out.mkpath("hicolor/scalable/apps") ||
        !writeBytes(out.filePath("hicolor/scalable/apps/tovik-images.svg"), svg())) {
        std::fprintf(stderr, "cannot write the scalable icon\n");
        return 1;
    }
    return 0;
}
