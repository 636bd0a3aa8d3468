#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tovik {
class PixelBuffer;
}

namespace tovik::cli {

enum class OutputFormat { Bip, BinPalette, BinHeader, Dump, Bmp, Mac };

// The format named by --format, or, without it, the one OUTPUT's extension stands for
// (.bip, .bmp, .mac, .bin for bin-header; letter case does not matter). Throws UsageError
// for an unknown name or an extension that stands for no format.
OutputFormat chooseFormat(const std::optional<QString>& formatOption, const QString& outputPath);

// The file a W x H picture in palette p makes in the format.
QByteArray encodeOutput(OutputFormat format, const PixelBuffer& buffer, int width, int height,
                        int palette);

}  // namespace tovik::cli
