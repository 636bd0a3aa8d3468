#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovik {
class PixelBuffer;
struct PictureSize;
}  // namespace tovik

namespace tovik::cli {

struct Arguments;

enum class OutputFormat { Bip, BinPalette, BinHeader, Dump, Bmp, Mac };

// The format named by --format, or, without it, the one OUTPUT's extension stands for
// (.bip, .bmp, .mac, .bin for bin-header; letter case does not matter). Throws UsageError
// for an unknown name or an extension that stands for no format.
OutputFormat chooseFormat(const std::optional<QString>& formatOption, const QString& outputPath);

// The format named by --format; throws UsageError for an unknown name.
OutputFormat formatNamed(const QString& name);

// The extension a folder of converted pictures gets in the format: bip, bmp, mac, and
// bin for the three BIN-like formats.
QString formatExtension(OutputFormat format);

// The file a W x H picture in palette p makes in the format.
QByteArray encodeOutput(OutputFormat format, const PixelBuffer& buffer, int width, int height,
                        int palette);

// The options every command that writes a picture accepts.
QStringList outputOptions();

// Where and how the picture goes: -o and --format. Worked out before any input is read,
// so a usage error is reported as one even when the input is bad too.
struct OutputTarget {
    QString path;
    OutputFormat format;
};

OutputTarget outputTarget(const Arguments& args);

// Throws UsageError naming both when `output` is the same file as one of `inputs`: the
// same file, not just the same spelling (a link to it, "./a.bmp", another letter case on a
// file system that ignores case). Checked before anything is read, so that no output
// ever replaces a picture it was made from.
void refuseOverwritingInputs(const QStringList& inputs, const QString& output);

// Written through writeFile, so a failure leaves no new file and an old one whole.
// Once a signal has asked the program to stop, nothing is written and the result is
// false.
bool writePicture(const OutputTarget& target, const PixelBuffer& buffer, PictureSize size,
                  int palette);

}  // namespace tovik::cli
