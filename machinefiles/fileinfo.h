#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

#include "picture/picturesize.h"

namespace tovik {

// What each file the program writes holds: the Russian lines the export box shows, and
// the reading of a BIN, dump or UKNC source that `info` prints.

enum class ExportFormat { BinWithPalette, BinWithHeader, Dump, Bmp24, UkncSource };

// A number in octal as the machine's users write words and addresses: six digits,
// 0x3FF0 as "037760".
QString octalWord(unsigned value);

// Two lines in Russian for the box after an export of a W x H picture in palette p
// that wrote fileSize bytes: the format with its header and fields (load address in
// octal, length in bytes), then the picture's size and how its bytes are laid out.
QString describeExport(ExportFormat format, qsizetype fileSize, int width, int height, int palette);

// The largest files of ours: a BIN with palette of the whole buffer, and a UKNC source
// far larger than one of the whole buffer. `info` reads no more than one byte past them.
constexpr int kMaxBinFileBytes = 16 + 65536 / 4;
constexpr int kMaxUkncSourceBytes = 1 << 20;

struct MachineFileInfo {
    ExportFormat format = ExportFormat::Dump;
    int fileSize = 0;
    int loadAddress = -1;          // the BIN formats
    int pictureBytes = 0;          // packed bytes (BIN, dump), or bytes of one plane (UKNC)
    QList<uint16_t> paletteWords;  // "BIN с палитрой": its twelve fixed bytes as words
    int bytesPerRow = 0;           // UKNC: as its first line gives it
    int height = 0;                // UKNC: as its first line gives it
};

// Reads a .bin file: a BIN with palette when it begins with 037760 and the twelve fixed
// bytes, a BIN with header when it begins with 040000, else a dump. Throws Error naming
// fileName for an empty file, one larger than any picture, or a BIN whose length word
// does not match the bytes that follow its header.
MachineFileInfo readBinInfo(const QByteArray& bytes, const QString& fileName);

// Reads a UKNC source: a first line ".BYTE  B, H", then ".BYTE" lines of octal bytes,
// 2 x B x H of them. Throws Error naming fileName and the line for anything else.
MachineFileInfo readUkncInfo(const QByteArray& bytes, const QString& fileName);

// The sizes a packed picture of n bytes fills exactly with a width the size box can
// hold: W a multiple of 8 in 8..320, H in 8..1024, W x H = 4n; narrowest first.
QList<PictureSize> sizesForPackedBytes(int n);

// What `info` prints for the file, in lines of "name value" like its other output.
QString infoText(const MachineFileInfo& info);

}  // namespace tovik
