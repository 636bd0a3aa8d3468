#include "cli/convertcommand.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QThread>
#include <optional>

#include "cli/batch.h"
#include "cli/interrupt.h"
#include "cli/methodoptions.h"
#include "cli/outputformat.h"
#include "cli/scorecommands.h"
#include "convert/method.h"
#include "convert/paletteranking.h"
#include "convert/preset.h"
#include "convert/score.h"
#include "load/importpicture.h"
#include "picture/error.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik::cli {

namespace {

constexpr int kMaxJobs = 256;

// The palette of a conversion that tries all 16 and keeps the one of lowest score.
constexpr int kBestPalette = -1;

// How to convert, as the command line gives it; a preset it names is read only when the
// job runs, since checking the command line touches no file.
struct ConversionOptions {
    Arguments args;
    std::optional<QString> preset;
    std::optional<MethodSettings> method;  // --method with the method options applied
    std::optional<int> palette;            // 0..15 or kBestPalette
    bool score = false;
};

struct Conversion {
    MethodSettings method;
    int palette;  // 0..15 or kBestPalette
};

ConversionOptions conversionOptions(const Arguments& args) {
    ConversionOptions options{args, std::nullopt, std::nullopt, std::nullopt, args.has("--score")};
    if (args.values.contains("--preset")) {
        options.preset = args.value("--preset");
    }
    if (args.values.contains("--method")) {
        options.method = methodNamed(args.value("--method"));
        applyMethodOptions(args, *options.method);
    } else if (!options.preset) {
        throw UsageError(QStringLiteral("convert needs --method"));
    } else {
        checkMethodOptionValues(args);
    }
    if (args.values.contains("--palette")) {
        const QString palette = args.value("--palette");
        bool number = false;
        palette.toInt(&number, 10);
        if (palette != QLatin1String("auto") && !number) {
            throw UsageError(
                QStringLiteral("--palette: '%1' is neither 0..15 nor auto").arg(palette));
        }
        options.palette =
            number ? intValue("--palette", palette, 0, kPaletteCount - 1) : kBestPalette;
    }
    return options;
}

// The settings the command line and its preset give together: a method option or the
// palette given on the command line wins over the preset's, and --method naming another
// method than the preset's starts from that method's defaults.
Conversion resolve(const ConversionOptions& options) {
    if (!options.preset) {
        return {*options.method, options.palette.value_or(defaultPalette(*options.method))};
    }
    const Preset preset = readPreset(*options.preset);
    MethodSettings method = preset.method;
    if (options.method && methodName(*options.method) != methodName(preset.method)) {
        method = *options.method;
    }
    applyMethodOptions(options.args, method);
    if (options.palette) {
        return {method, *options.palette};
    }
    if (preset.autoPalette) {
        return {method, kBestPalette};
    }
    return {method, preset.palette.value_or(defaultPalette(method))};
}

// What one picture's conversion tells on standard output: the palette when it was
// chosen, the score when it was chosen or asked for; nothing otherwise.
struct Converted {
    bool written = false;
    std::optional<int> palette;
    std::optional<double> score;

    QStringList fields() const {
        QStringList items;
        if (palette) {
            items << QStringLiteral("palette %1").arg(*palette);
        }
        if (score) {
            items << QStringLiteral("score %1").arg(scoreText(*score));
        }
        return items;
    }
};

// One picture as the import command converts it from a fresh start: the fitted picture,
// the working source starting as its copy, every buffer entry 0. The score compares the
// fitted picture, as it was before the conversion, with the result in its palette.
Converted convertFile(const QString& input, const Conversion& conversion, bool score,
                      const OutputTarget& target) {
    const ImportedPicture picture = importPicture(input);
    if (conversion.palette == kBestPalette) {
        const std::vector<PaletteScore> ranking = rankPalettes(conversion.method, picture);
        const PaletteScore& best = ranking.front();
        return {writePicture(target, best.buffer, picture.size, best.palette), best.palette,
                best.score};
    }
    QImage source = picture.fitted;
    PixelBuffer buffer;
    convertPicture(conversion.method, picture.fitted, source, conversion.palette,
                   picture.size.width, buffer);
    std::optional<double> result;
    if (score) {
        result = conversionScore(picture.fitted, buffer, picture.size.width, conversion.palette);
    }
    return {writePicture(target, buffer, picture.size, conversion.palette), std::nullopt, result};
}

// Every file the command reads: its pictures and its preset.
QStringList inputsOf(const ConversionOptions& options, const Arguments& args) {
    QStringList inputs = args.positionals;
    if (options.preset) {
        inputs.append(*options.preset);
    }
    return inputs;
}

// DIR/<name without its last extension>.<the format's extension> for every picture.
// Names are compared without letter case, so that no picture overwrites another on a
// file system that ignores it.
std::vector<BatchPicture> batchPictures(const QStringList& inputs, const QString& outDir,
                                        OutputFormat format) {
    std::vector<BatchPicture> pictures;
    QHash<QString, QString> inputByName;
    const QDir dir(outDir);
    for (const QString& input : inputs) {
        const QString name = QFileInfo(input).completeBaseName() + '.' + formatExtension(format);
        const QString key = name.toCaseFolded();
        if (inputByName.contains(key)) {
            throw UsageError(QStringLiteral("pictures %1 and %2 would both write %3")
                                 .arg(inputByName[key], input, dir.filePath(name)));
        }
        inputByName.insert(key, input);
        pictures.push_back({input, dir.filePath(name)});
    }
    return pictures;
}

Job prepareBatch(const ConversionOptions& options, const Arguments& args) {
    const QString outDir = args.value("--out-dir");
    if (outDir.isEmpty()) {
        throw UsageError(QStringLiteral("--out-dir needs a folder name"));
    }
    const OutputFormat format =
        args.values.contains("--format") ? formatNamed(args.value("--format")) : OutputFormat::Bip;
    const int jobs = intOption(args, "--jobs", QThread::idealThreadCount(), 1, kMaxJobs);
    const std::vector<BatchPicture> pictures = batchPictures(args.positionals, outDir, format);
    for (const BatchPicture& picture : pictures) {
        refuseOverwritingInputs(inputsOf(options, args), picture.output);
    }
    return [=](FILE* out, FILE* err) {
        const Conversion conversion = resolve(options);
        if (!QDir().mkpath(outDir)) {
            throw Error(QStringLiteral("Cannot create folder %1").arg(outDir));
        }
        // A line a picture, its name first, so that the lines of many are told apart.
        const BatchResult result = runBatch(
            pictures, jobs,
            [&](const BatchPicture& p) {
                const Converted converted =
                    convertFile(p.input, conversion, options.score, {p.output, format});
                const QStringList fields = converted.fields();
                return BatchOutcome{converted.written, fields.isEmpty()
                                                           ? QString()
                                                           : p.input + ' ' + fields.join(' ')};
            },
            out, err);
        if (stopRequested()) {
            std::fprintf(err, "tovik-images-cli: %d of %zu pictures written\n", result.written,
                         pictures.size());
        } else if (result.failed > 0) {
            throw Error(
                QStringLiteral("%1 of %2 pictures failed").arg(result.failed).arg(pictures.size()));
        }
    };
}

}  // namespace

const CommandSyntax& convertSyntax() {
    // Built on first use: the method options come from another file's table.
    static const CommandSyntax syntax = {
        "convert",
        {"PICTURE"},
        true,
        outputOptions() + QStringList{"--method", "--palette", "--preset", "--out-dir", "--jobs"} +
            methodValueOptions(),
        methodFlags() + QStringList{"--score"},
        {},
    };
    return syntax;
}

Job prepareConvert(const Arguments& args) {
    const ConversionOptions options = conversionOptions(args);
    const bool toFolder = args.values.contains("--out-dir");
    if (toFolder && args.values.contains("-o")) {
        throw UsageError(QStringLiteral("convert takes -o or --out-dir, not both"));
    }
    if (toFolder) {
        return prepareBatch(options, args);
    }
    if (!args.values.contains("-o")) {
        throw UsageError(args.positionals.size() > 1 ? QStringLiteral("convert needs --out-dir")
                                                     : QStringLiteral("convert needs -o"));
    }
    if (args.positionals.size() > 1) {
        throw UsageError(QStringLiteral("convert -o writes one picture; give --out-dir for %1")
                             .arg(args.positionals.size()));
    }
    if (args.values.contains("--jobs")) {
        throw UsageError(QStringLiteral("--jobs needs --out-dir"));
    }
    const OutputTarget target = outputTarget(args);
    refuseOverwritingInputs(inputsOf(options, args), target.path);
    const QString path = args.positionals[0];
    return [=](FILE* out, FILE*) {
        const Converted converted = convertFile(path, resolve(options), options.score, target);
        if (converted.written) {
            for (const QString& field : converted.fields()) {
                std::fprintf(out, "%s\n", qUtf8Printable(field));
            }
        }
    };
}

}  // namespace tovik::cli
