#include "picture/projectfile.h"

#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>

#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {

namespace {

constexpr char kMagic[3] = {'P', 'R', 'J'};

void appendInt32(QByteArray& out, int value) {
    char bytes[4];
    qToLittleEndian<qint32>(value, bytes);
    out.append(bytes, 4);
}

int readInt32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

}  // namespace

QByteArray encodeProject(const PixelBuffer& buffer, int width, int height, int palette) {
    const int count = pictureEntries(width, height);
    QByteArray out;
    out.reserve(kProjectHeaderSize + count);
    out.append(kMagic, 3);
    appendInt32(out, width);
    appendInt32(out, height);
    appendInt32(out, palette);
    out.append(reinterpret_cast<const char*>(buffer.data()), count);
    return out;
}

ProjectFile decodeProject(const QByteArray& bytes, const QString& fileName) {
    if (bytes.size() < 3 || !std::equal(kMagic, kMagic + 3, bytes.constData())) {
        throw Error(
            QCoreApplication::translate("tovik::ProjectFile",
                                        "%1 is not a project file: it does not begin with PRJ."
                                        " Choose a project that this program saved.")
                .arg(fileName));
    }
    if (bytes.size() < kProjectHeaderSize) {
        throw Error(QCoreApplication::translate(
                        "tovik::ProjectFile",
                        "%1 is not a project file: its header is cut short (%2 of %3 "
                        "bytes)."
                        " Choose a project that this program saved.")
                        .arg(fileName)
                        .arg(bytes.size())
                        .arg(kProjectHeaderSize));
    }
    ProjectFile project;
    project.width = readInt32(bytes, 3);
    project.height = readInt32(bytes, 7);
    project.palette = readInt32(bytes, 11);
    if (project.width < 1 || project.height < 1) {
        throw Error(
            QCoreApplication::translate("tovik::ProjectFile",
                                        "Project file %1 has an invalid picture size %2 x %3."
                                        " Choose a project that this program saved.")
                .arg(fileName)
                .arg(project.width)
                .arg(project.height));
    }
    if (!isValidPalette(project.palette)) {
        throw Error(
            QCoreApplication::translate("tovik::ProjectFile",
                                        "Project file %1 has an invalid palette number %2 (0..15 "
                                        "allowed)."
                                        " Choose a project that this program saved.")
                .arg(fileName)
                .arg(project.palette));
    }
    project.pixels = bytes.mid(kProjectHeaderSize);
    return project;
}

ProjectFile readProject(const QString& path) {
    return decodeProject(readFile(path, kProjectHeaderSize + PixelBuffer::kSize), path);
}

void loadProjectPixels(const QByteArray& pixels, int width, int height, PixelBuffer& buffer) {
    buffer.clear();
    const int count = std::min<qsizetype>(pictureEntries(width, height), pixels.size());
    for (int i = 0; i < count; ++i) {
        buffer.set(i, static_cast<uint8_t>(pixels[i]));
    }
}

}  // namespace tovik
