#include "cli/convertcommand.h"

#include <QImage>

#include "cli/outputformat.h"
#include "convert/cga.h"
#include "convert/importpicture.h"
#include "convert/method.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik::cli {

namespace {

// The items of a list option split at separator, exactly `count` of them.
QStringList listItems(const QString& option, const QString& text, QChar separator, int count,
                      const QString& what) {
    const QStringList items = text.split(separator);
    if (items.size() != count) {
        throw UsageError(QStringLiteral("%1 needs %2 %3 separated by '%4', not %5")
                             .arg(option)
                             .arg(count)
                             .arg(what, separator)
                             .arg(items.size()));
    }
    return items;
}

void readThresholds(const Arguments& args, MethodSettings& method) {
    auto& settings = std::get<ThresholdSettings>(method);
    if (args.values.contains("--thresholds")) {
        const QStringList items =
            listItems("--thresholds", args.value("--thresholds"), ',', 9, "values");
        for (size_t i = 0; i < settings.t.size(); ++i) {
            settings.t[i] = intValue("--thresholds", items[qsizetype(i)], 0, 255);
        }
    }
    settings.toning = settings.toning || args.has("--toning");
}

// The menu command only loads; convert runs the settings window's first "Просмотр".
void readFloydSteinberg(const Arguments& args, MethodSettings& method) {
    auto& settings = std::get<FloydSteinbergSettings>(method);
    settings.threshold = intOption(args, "--threshold", settings.threshold, 0, 255);
    settings.monochrome = settings.monochrome && !args.has("--colour");
}

// The chunk settings window's edits hold at most three digits, so 0..999; only the low
// 8 bits of a colour count.
constexpr int kEditMax = 999;

void readChunks(const Arguments& args, MethodSettings& method) {
    auto& settings = std::get<ChunkSettings>(method);
    settings.squared = settings.squared && !args.has("--absolute");
    settings.toning = settings.toning || args.has("--toning");
    settings.toningThreshold =
        intOption(args, "--toning-threshold", settings.toningThreshold, 0, kEditMax);
    if (args.values.contains("--reference")) {
        const QStringList triples =
            listItems("--reference", args.value("--reference"), '/', 16, "triples");
        for (size_t k = 0; k < settings.reference.size(); ++k) {
            const QString& triple = triples[qsizetype(k)];
            const QStringList rgb = triple.split(',');
            if (rgb.size() != 3) {
                throw UsageError(QStringLiteral("--reference: triple %1 is '%2', not R,G,B")
                                     .arg(k + 1)
                                     .arg(triple));
            }
            const auto channel = [&](int i) {
                return static_cast<uint8_t>(intValue("--reference", rgb[i], 0, kEditMax) & 0xFF);
            };
            settings.reference[k] = ChunkColour{channel(0), channel(1), channel(2)};
        }
    }
}

void readNothing(const Arguments&, MethodSettings&) {}

struct Method {
    QString name;
    QStringList options;  // what it takes besides --palette and the output options
    int palette;          // without --palette
    void (*read)(const Arguments&, MethodSettings&);
};

const Method kMethods[] = {
    {"thresholds", {"--thresholds", "--toning"}, 0, readThresholds},
    {"floyd-steinberg", {"--threshold", "--colour"}, 0, readFloydSteinberg},
    {"chunks", {"--absolute", "--toning", "--toning-threshold", "--reference"}, 0, readChunks},
    {"cga", {}, kCgaPalette, readNothing},
};

const Method& chosenMethod(const Arguments& args) {
    const QString name = args.value("--method");
    const Method* chosen = nullptr;
    QStringList names;
    for (const Method& method : kMethods) {
        names.append(method.name);
        if (method.name == name) {
            chosen = &method;
        }
    }
    if (chosen == nullptr) {
        throw UsageError(
            QStringLiteral("unknown method '%1' (%2)").arg(name, names.join(QStringLiteral(", "))));
    }
    for (const Method& method : kMethods) {
        for (const QString& option : method.options) {
            if (args.has(option) && !chosen->options.contains(option)) {
                throw UsageError(QStringLiteral("option %1 does not belong to --method %2")
                                     .arg(option, chosen->name));
            }
        }
    }
    return *chosen;
}

}  // namespace

const CommandSyntax& convertSyntax() {
    // Built on first use: the command table of another file copies it while it is being
    // initialised itself.
    static const CommandSyntax syntax = {
        "convert",
        {"PICTURE"},
        false,
        outputOptions() + QStringList{"--method", "--palette", "--thresholds", "--threshold",
                                      "--toning-threshold", "--reference"},
        {"--toning", "--colour", "--absolute"},
        {"--method", "-o"},
    };
    return syntax;
}

Job prepareConvert(const Arguments& args) {
    const Method& method = chosenMethod(args);
    MethodSettings settings = *defaultSettingsFor(method.name);
    method.read(args, settings);
    const int palette = intOption(args, "--palette", method.palette, 0, kPaletteCount - 1);
    const OutputTarget target = outputTarget(args);
    const QString path = args.positionals[0];
    return [=](FILE*) {
        // What a load leaves behind in the main window: the fitted picture, and the
        // working source starting as its copy.
        const ImportedPicture picture = importPicture(path);
        QImage source = picture.fitted;
        PixelBuffer buffer;  // a fresh start: every entry 0
        convertPicture(settings, picture.fitted, source, palette, picture.size.width, buffer);
        writePicture(target, buffer, picture.size, palette);
    };
}

}  // namespace tovik::cli
