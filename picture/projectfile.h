#pragma once

#include <QByteArray>
#include <QString>

namespace tovik {

class PixelBuffer;

// The project file (.bip): "PRJ", then W, H and the palette as little-endian signed
// 32-bit numbers, then W*H pixel bytes, row after row from the top.
constexpr int kProjectHeaderSize = 15;

struct ProjectFile {
    int width = 0;
    int height = 0;
    int palette = 0;
    QByteArray pixels;  // everything after the header, however long or short
};

// The whole file for a W x H picture in palette p. A size beyond the buffer writes only
// the entries the buffer has.
QByteArray encodeProject(const PixelBuffer& buffer, int width, int height, int palette);

// Parses a project file. Refuses, with a message naming fileName, a file without the
// magic, with a header shorter than 15 bytes, with W or H below 1, or with a palette
// outside 0..15. The pixel part is taken as it is.
ProjectFile decodeProject(const QByteArray& bytes, const QString& fileName);

// Reads and parses the project file at path, as decodeProject does. A project holds at
// most one byte a buffer entry, so nothing past the header and 65,536 pixel bytes is
// read, however large the file. Throws Error("Cannot open file %s") when it cannot be read.
ProjectFile readProject(const QString& path);

// Puts a project's pixels into the buffer for a W x H picture (the size after clamping):
// every entry is cleared, then the first W*H come from the file, masked to two bits;
// what the file lacks stays 0.
void loadProjectPixels(const QByteArray& pixels, int width, int height, PixelBuffer& buffer);

}  // namespace tovik
