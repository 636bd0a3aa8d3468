#include "cli/methodoptions.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>
#include <vector>

#include "cli/arguments.h"
#include "convert/cga.h"

namespace tovik::cli {

namespace {

// The items of a list option split at separator, exactly `count` of them.
QStringList listItems(const QString& option, const QString& text, QChar separator, int count,
                      const QString& what) {
    const QStringList items = text.split(separator);
    if (items.size() != count) {
        throw UsageError(
            QCoreApplication::translate("tovik::cli", "%1 needs %2 %3 separated by '%4', not %5")
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
        const QStringList items = listItems("--thresholds", args.value("--thresholds"), ',', 9,
                                            QCoreApplication::translate("tovik::cli", "values"));
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
        const QStringList triples = listItems("--reference", args.value("--reference"), '/', 16,
                                              QCoreApplication::translate("tovik::cli", "triples"));
        for (size_t k = 0; k < settings.reference.size(); ++k) {
            const QString& triple = triples[qsizetype(k)];
            const QStringList rgb = triple.split(',');
            if (rgb.size() != 3) {
                throw UsageError(QCoreApplication::translate(
                                     "tovik::cli", "--reference: triple %1 is '%2', not R,G,B")
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

void readDiffusion(const Arguments& args, MethodSettings& method) {
    auto& settings = std::get<DiffusionSettings>(method);
    if (args.values.contains("--kernel")) {
        const QString name = args.value("--kernel");
        const auto& names = kDiffusionKernelNames;
        const auto it = std::find(names.begin(), names.end(), name);
        if (it == names.end()) {
            throw UsageError(
                QCoreApplication::translate("tovik::cli", "unknown kernel '%1' (%2)")
                    .arg(name, QStringList(names.begin(), names.end()).join(QStringLiteral(", "))));
        }
        settings.kernel = DiffusionKernel(it - names.begin());
    }
    settings.serpentine = settings.serpentine || args.has("--serpentine");
    settings.strength = intOption(args, "--strength", settings.strength, 0, 100);
}

void readOrdered(const Arguments& args, MethodSettings& method) {
    auto& settings = std::get<OrderedSettings>(method);
    if (args.values.contains("--matrix")) {
        // Only the sides the matrices have: a 3 would quietly dither as a 4.
        const int side = intValue("--matrix", args.value("--matrix"),
                                  std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        if (side != 2 && side != 4 && side != 8) {
            throw UsageError(
                QCoreApplication::translate("tovik::cli", "--matrix must be 2, 4 or 8, not %1")
                    .arg(side));
        }
        settings.matrix = side;
    }
}

struct Method {
    QString name;
    QStringList values;  // its options followed by a value
    QStringList flags;   // its options without one
    void (*read)(const Arguments&, MethodSettings&);
};

// Built on first use: the command table of another file asks for the options while it
// is being initialised itself.
const std::vector<Method>& methods() {
    static const std::vector<Method> table = {
        {"thresholds", {"--thresholds"}, {"--toning"}, readThresholds},
        {"floyd-steinberg", {"--threshold"}, {"--colour"}, readFloydSteinberg},
        {"chunks", {"--toning-threshold", "--reference"}, {"--absolute", "--toning"}, readChunks},
        {"cga", {}, {}, readNothing},
        {"diffusion", {"--kernel", "--strength"}, {"--serpentine"}, readDiffusion},
        {"ordered", {"--matrix"}, {}, readOrdered},
    };
    return table;
}

const Method* findMethod(const QString& name) {
    for (const Method& method : methods()) {
        if (method.name == name) {
            return &method;
        }
    }
    return nullptr;
}

}  // namespace

QStringList methodValueOptions() {
    QStringList options;
    for (const Method& method : methods()) {
        for (const QString& option : method.values) {
            if (!options.contains(option)) {
                options.append(option);
            }
        }
    }
    return options;
}

QStringList methodFlags() {
    QStringList flags;
    for (const Method& method : methods()) {
        for (const QString& flag : method.flags) {
            if (!flags.contains(flag)) {
                flags.append(flag);
            }
        }
    }
    return flags;
}

MethodSettings methodNamed(const QString& name) {
    if (findMethod(name) == nullptr) {
        QStringList names;
        for (const Method& method : methods()) {
            names.append(method.name);
        }
        throw UsageError(QCoreApplication::translate("tovik::cli", "unknown method '%1' (%2)")
                             .arg(name, names.join(QStringLiteral(", "))));
    }
    return *defaultSettingsFor(name);
}

void applyMethodOptions(const Arguments& args, MethodSettings& settings) {
    const QString name = methodName(settings);
    const Method* chosen = findMethod(name);
    for (const Method& method : methods()) {
        for (const QString& option : method.values + method.flags) {
            if (args.has(option) &&
                (chosen == nullptr || !(chosen->values + chosen->flags).contains(option))) {
                throw UsageError(QCoreApplication::translate(
                                     "tovik::cli", "option %1 does not belong to --method %2")
                                     .arg(option, name));
            }
        }
    }
    if (chosen != nullptr) {
        chosen->read(args, settings);
    }
}

void checkMethodOptionValues(const Arguments& args) {
    for (const Method& method : methods()) {
        MethodSettings settings = *defaultSettingsFor(method.name);
        method.read(args, settings);
    }
}

int defaultPalette(const MethodSettings& settings) {
    return std::holds_alternative<CgaSettings>(settings) ? kCgaPalette : 0;
}

}  // namespace tovik::cli
