#include "cli/convertcommand.h"

#include <QImage>
#include <functional>

#include "cli/outputformat.h"
#include "convert/cga.h"
#include "convert/chunks.h"
#include "convert/floydsteinberg.h"
#include "convert/importpicture.h"
#include "convert/thresholds.h"
#include "picture/palette.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"

namespace tovik::cli {

namespace {

// The pictures and size a load leaves behind, as the main window holds them: the
// fitted picture stands in for the loaded one, and the source starts as its copy.
struct FittedPicture {
    QImage loaded;
    QImage source;
    PictureSize size;
};

FittedPicture loadAndFit(const QString& path) {
    ImportedPicture imported = importPicture(path);
    return {imported.fitted, imported.fitted, imported.size};
}

using Conversion = std::function<void(FittedPicture&, PixelBuffer&)>;

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

Conversion thresholdsConversion(const Arguments& args) {
    ThresholdSettings settings;
    if (args.values.contains("--thresholds")) {
        const QStringList items =
            listItems("--thresholds", args.value("--thresholds"), ',', 9, "values");
        for (size_t i = 0; i < settings.t.size(); ++i) {
            settings.t[i] = intValue("--thresholds", items[qsizetype(i)], 0, 255);
        }
    }
    settings.toning = args.has("--toning");
    return [settings](FittedPicture& p, PixelBuffer& buffer) {
        convertThresholds(p.loaded, p.source, settings, p.size.width, buffer);
    };
}

// The menu command only loads; this is the settings window's first "Просмотр".
Conversion floydSteinbergConversion(const Arguments& args) {
    FloydSteinbergSettings settings;
    settings.threshold = intOption(args, "--threshold", settings.threshold, 0, 255);
    settings.monochrome = !args.has("--colour");
    return [settings](FittedPicture& p, PixelBuffer& buffer) {
        convertFloydSteinberg(p.source, settings, p.size.width, buffer);
    };
}

// The chunk settings window's edits hold at most three digits, so 0..999; only the low
// 8 bits of a colour count.
constexpr int kEditMax = 999;

Conversion chunksConversion(const Arguments& args) {
    ChunkSettings settings;
    settings.squared = !args.has("--absolute");
    settings.toning = args.has("--toning");
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
    return [settings](FittedPicture& p, PixelBuffer& buffer) {
        convertChunks(p.source, settings, p.size.width, buffer);
    };
}

Conversion cgaConversion(const Arguments&) {
    return [](FittedPicture& p, PixelBuffer& buffer) {
        convertCga(p.loaded, p.source, p.size.width, buffer);
    };
}

struct Method {
    QString name;
    QStringList options;  // what it takes besides --palette and the output options
    int palette;          // without --palette
    Conversion (*prepare)(const Arguments&);
};

const Method kMethods[] = {
    {"thresholds", {"--thresholds", "--toning"}, 0, thresholdsConversion},
    {"floyd-steinberg", {"--threshold", "--colour"}, 0, floydSteinbergConversion},
    {"chunks",
     {"--absolute", "--toning", "--toning-threshold", "--reference"},
     0,
     chunksConversion},
    {"cga", {}, kCgaPalette, cgaConversion},
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
        outputOptions() + QStringList{"--method", "--palette", "--thresholds", "--threshold",
                                      "--toning-threshold", "--reference"},
        {"--toning", "--colour", "--absolute"},
        {"--method", "-o"},
    };
    return syntax;
}

Job prepareConvert(const Arguments& args) {
    const Method& method = chosenMethod(args);
    const Conversion conversion = method.prepare(args);
    const int palette = intOption(args, "--palette", method.palette, 0, kPaletteCount - 1);
    const OutputTarget target = outputTarget(args);
    const QString path = args.positionals[0];
    return [=](FILE*) {
        FittedPicture picture = loadAndFit(path);
        PixelBuffer buffer;  // a fresh start: every entry 0
        conversion(picture, buffer);
        writePicture(target, buffer, picture.size, palette);
    };
}

}  // namespace tovik::cli
