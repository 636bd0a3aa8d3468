#include "cli/outputformat.h"

#include <sys/stat.h>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <utility>

#include "cli/arguments.h"
#include "cli/interrupt.h"
#include "machinefiles/bmp24.h"
#include "machinefiles/screenpack.h"
#include "machinefiles/uknc.h"
#include "picture/fileio.h"
#include "picture/picturesize.h"
#include "picture/projectfile.h"
#include "picture/render.h"

namespace tovik::cli {

namespace {

struct FormatName {
    const char* name;
    OutputFormat format;
};

constexpr FormatName kFormats[] = {
    {"bip", OutputFormat::Bip},
    {"bin-palette", OutputFormat::BinPalette},
    {"bin-header", OutputFormat::BinHeader},
    {"dump", OutputFormat::Dump},
    {"bmp", OutputFormat::Bmp},
    {"mac", OutputFormat::Mac},
};

constexpr FormatName kExtensions[] = {
    {"bip", OutputFormat::Bip},
    {"bmp", OutputFormat::Bmp},
    {"mac", OutputFormat::Mac},
    {"bin", OutputFormat::BinHeader},
};

// The identity of an existing file (links followed), or nothing when there is no file.
std::optional<std::pair<dev_t, ino_t>> fileIdentity(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        return std::nullopt;
    }
    return std::pair{status.st_dev, status.st_ino};
}

}  // namespace

void refuseOverwritingInputs(const QStringList& inputs, const QString& output) {
    const auto target = fileIdentity(output);
    if (!target) {
        return;  // nothing there yet, so it is no input
    }
    for (const QString& input : inputs) {
        if (fileIdentity(input) == target) {
            throw UsageError(
                QStringLiteral("the output %1 is the same file as the input %2; choose another "
                               "output name or folder")
                    .arg(output, input));
        }
    }
}

OutputFormat formatNamed(const QString& name) {
    for (const auto& f : kFormats) {
        if (name == QLatin1String(f.name)) {
            return f.format;
        }
    }
    throw UsageError(QStringLiteral("unknown format '%1'").arg(name));
}

QString formatExtension(OutputFormat format) {
    switch (format) {
        case OutputFormat::Bip:
            return QStringLiteral("bip");
        case OutputFormat::Bmp:
            return QStringLiteral("bmp");
        case OutputFormat::Mac:
            return QStringLiteral("mac");
        case OutputFormat::BinPalette:
        case OutputFormat::BinHeader:
        case OutputFormat::Dump:
            break;
    }
    return QStringLiteral("bin");
}

OutputFormat chooseFormat(const std::optional<QString>& formatOption, const QString& outputPath) {
    if (formatOption) {
        return formatNamed(*formatOption);
    }
    const QString suffix = QFileInfo(outputPath).suffix().toLower();
    for (const auto& e : kExtensions) {
        if (suffix == QLatin1String(e.name)) {
            return e.format;
        }
    }
    throw UsageError(
        QStringLiteral("the extension of %1 names no format: give --format").arg(outputPath));
}

QByteArray encodeOutput(OutputFormat format, const PixelBuffer& buffer, int width, int height,
                        int palette) {
    switch (format) {
        case OutputFormat::Bip:
            return encodeProject(buffer, width, height, palette);
        case OutputFormat::BinPalette:
            return makeBinWithPalette(buffer, width, height);
        case OutputFormat::BinHeader:
            return makeBinWithHeader(buffer, width, height);
        case OutputFormat::Dump:
            return makeScreenDump(buffer, width, height);
        case OutputFormat::Bmp:
            return encodeBmp24(renderPicture(buffer, width, height, palette));
        case OutputFormat::Mac:
            return makeUkncSource(buffer, width, height);
    }
    return {};
}

QStringList outputOptions() {
    return {"-o", "--format"};
}

OutputTarget outputTarget(const Arguments& args) {
    const QString path = args.value("-o");
    if (path.isEmpty()) {
        throw UsageError(QStringLiteral("-o needs a file name"));
    }
    std::optional<QString> format;
    if (args.values.contains("--format")) {
        format = args.value("--format");
    }
    return {path, chooseFormat(format, path)};
}

bool writePicture(const OutputTarget& target, const PixelBuffer& buffer, PictureSize size,
                  int palette) {
    const QByteArray bytes = encodeOutput(target.format, buffer, size.width, size.height, palette);
    if (stopRequested()) {
        return false;
    }
    // A signal that comes now only sets a flag: the file is written whole.
    writeFile(target.path, bytes);
    return true;
}

}  // namespace tovik::cli
