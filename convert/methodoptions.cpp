#include "convert/methodoptions.h"

#include <QCoreApplication>

namespace tovik {

namespace {

using Kind = MethodOption::Kind;

// Reads and writes one settings struct of the variant.
template <class Settings>
std::function<OptionValue(const MethodSettings&)> reading(
    std::function<OptionValue(const Settings&)> read) {
    return [read](const MethodSettings& m) { return read(std::get<Settings>(m)); };
}

template <class Settings>
std::function<void(MethodSettings&, const OptionValue&)> writing(
    std::function<void(Settings&, const OptionValue&)> write) {
    return [write](MethodSettings& m, const OptionValue& v) { write(std::get<Settings>(m), v); };
}

// The chunk settings window's edits hold three digits, so 0..999; only the low 8 bits of a
// reference colour count.
constexpr int kEditMax = 999;

// The diffusion's options, for the diffusion itself and for the search's start.
template <class Settings>
void addDiffusionOptions(const std::function<void(MethodOption)>& add, const QString& method,
                         DiffusionSettings& (*diffusion)(Settings&)) {
    const auto read = [diffusion](auto value) {
        return reading<Settings>([diffusion, value](const Settings& s) {
            return value(diffusion(const_cast<Settings&>(s)));
        });
    };
    const auto write = [diffusion](auto store) {
        return writing<Settings>(
            [diffusion, store](Settings& s, const OptionValue& v) { store(diffusion(s), v); });
    };
    add({"kernel",
         method,
         Kind::Choice,
         0,
         0,
         0,
         {},
         QStringList(kDiffusionKernelNames.begin(), kDiffusionKernelNames.end()),
         "K",
         QT_TRANSLATE_NOOP("tovik::cli", "the error diffusion kernel"),
         read([](const DiffusionSettings& s) { return OptionValue(int(s.kernel)); }),
         write([](DiffusionSettings& s, const OptionValue& v) {
             s.kernel = DiffusionKernel(std::get<int>(v));
         })});
    add({"serpentine",
         method,
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         QT_TRANSLATE_NOOP("tovik::cli", "odd rows run right to left (the default scan)"),
         read([](const DiffusionSettings& s) { return OptionValue(s.serpentine); }),
         write([](DiffusionSettings& s, const OptionValue& v) {
             s.serpentine = std::get<bool>(v);
         })});
    add({"scan",
         method,
         Kind::Choice,
         0,
         0,
         0,
         {},
         diffusionScanNames(),
         "S",
         QT_TRANSLATE_NOOP("tovik::cli",
                           "serpentine: odd rows right to left, starting warm; raster: every row "
                           "left to right, the scan of old presets with \"serpentine\": false"),
         read([](const DiffusionSettings& s) { return OptionValue(s.serpentine ? 0 : 1); }),
         write([](DiffusionSettings& s, const OptionValue& v) {
             s.serpentine = std::get<int>(v) == 0;
         })});
    add({"strength",
         method,
         Kind::Whole,
         0,
         100,
         0,
         {},
         {},
         "N",
         QT_TRANSLATE_NOOP("tovik::cli", "the share of the error passed on, in per cent"),
         read([](const DiffusionSettings& s) { return OptionValue(s.strength); }),
         write([](DiffusionSettings& s, const OptionValue& v) { s.strength = std::get<int>(v); })});
}

std::vector<MethodOption> makeTable() {
    std::vector<MethodOption> table;
    const auto add = [&table](MethodOption option) { table.push_back(std::move(option)); };

    add({"thresholds",
         "thresholds",
         Kind::Wholes,
         0,
         255,
         9,
         {},
         {},
         "T1,...,T9",
         QT_TRANSLATE_NOOP("tovik::cli", "nine values"),
         reading<ThresholdSettings>([](const ThresholdSettings& s) {
             return OptionValue(QList<int>(s.t.begin(), s.t.end()));
         }),
         writing<ThresholdSettings>([](ThresholdSettings& s, const OptionValue& v) {
             const auto& list = std::get<QList<int>>(v);
             std::copy(list.begin(), list.end(), s.t.begin());
         })});
    add({"toning",
         "thresholds",
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         QT_TRANSLATE_NOOP("tovik::cli", "toning by error diffusion"),
         reading<ThresholdSettings>(
             [](const ThresholdSettings& s) { return OptionValue(s.toning); }),
         writing<ThresholdSettings>(
             [](ThresholdSettings& s, const OptionValue& v) { s.toning = std::get<bool>(v); })});

    add({"threshold",
         "floyd-steinberg",
         Kind::Whole,
         0,
         255,
         0,
         {},
         {},
         "T",
         QT_TRANSLATE_NOOP("tovik::cli", "the black threshold"),
         reading<FloydSteinbergSettings>(
             [](const FloydSteinbergSettings& s) { return OptionValue(s.threshold); }),
         writing<FloydSteinbergSettings>([](FloydSteinbergSettings& s, const OptionValue& v) {
             s.threshold = std::get<int>(v);
         })});
    add({"colour",
         "floyd-steinberg",
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         QT_TRANSLATE_NOOP("tovik::cli", "monochrome without it"),
         reading<FloydSteinbergSettings>(
             [](const FloydSteinbergSettings& s) { return OptionValue(!s.monochrome); }),
         writing<FloydSteinbergSettings>([](FloydSteinbergSettings& s, const OptionValue& v) {
             s.monochrome = !std::get<bool>(v);
         })});

    add({"absolute",
         "chunks",
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         QT_TRANSLATE_NOOP("tovik::cli", "weighted squared distance without it"),
         reading<ChunkSettings>([](const ChunkSettings& s) { return OptionValue(!s.squared); }),
         writing<ChunkSettings>(
             [](ChunkSettings& s, const OptionValue& v) { s.squared = !std::get<bool>(v); })});
    add({"toning",
         "chunks",
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         QT_TRANSLATE_NOOP("tovik::cli", "toning by error diffusion"),
         reading<ChunkSettings>([](const ChunkSettings& s) { return OptionValue(s.toning); }),
         writing<ChunkSettings>(
             [](ChunkSettings& s, const OptionValue& v) { s.toning = std::get<bool>(v); })});
    add({"toning-threshold",
         "chunks",
         Kind::Whole,
         0,
         kEditMax,
         0,
         {},
         {},
         "T",
         QT_TRANSLATE_NOOP("tovik::cli", "the toning threshold"),
         reading<ChunkSettings>(
             [](const ChunkSettings& s) { return OptionValue(s.toningThreshold); }),
         writing<ChunkSettings>([](ChunkSettings& s, const OptionValue& v) {
             s.toningThreshold = std::get<int>(v);
         })});
    add({"reference",
         "chunks",
         Kind::Triples,
         0,
         kEditMax,
         16,
         {},
         {},
         "R,G,B/R,G,B/...",
         QT_TRANSLATE_NOOP("tovik::cli", "16 reference colours, of which the low 8 bits count"),
         reading<ChunkSettings>([](const ChunkSettings& s) {
             QList<int> list;
             for (const ChunkColour& c : s.reference) {
                 list << c.red << c.green << c.blue;
             }
             return OptionValue(list);
         }),
         writing<ChunkSettings>([](ChunkSettings& s, const OptionValue& v) {
             const auto& list = std::get<QList<int>>(v);
             for (size_t k = 0; k < s.reference.size(); ++k) {
                 const auto channel = [&](size_t i) { return uint8_t(list[qsizetype(3 * k + i)]); };
                 s.reference[k] = ChunkColour{channel(0), channel(1), channel(2)};
             }
         })});

    addDiffusionOptions<DiffusionSettings>(
        add, "diffusion", [](DiffusionSettings& s) -> DiffusionSettings& { return s; });
    add({"matrix",
         "ordered",
         Kind::Whole,
         2,
         8,
         0,
         {2, 4, 8},
         {},
         "N",
         QT_TRANSLATE_NOOP("tovik::cli", "the Bayer matrix's side"),
         reading<OrderedSettings>([](const OrderedSettings& s) { return OptionValue(s.matrix); }),
         writing<OrderedSettings>(
             [](OrderedSettings& s, const OptionValue& v) { s.matrix = std::get<int>(v); })});
    addDiffusionOptions<SearchSettings>(
        add, "search", [](SearchSettings& s) -> DiffusionSettings& { return s.start; });
    add({"passes",
         "search",
         Kind::Whole,
         1,
         kMaxSearchPasses,
         0,
         {},
         {},
         "N",
         QT_TRANSLATE_NOOP("tovik::cli",
                           "the most passes of the search; one that changes nothing ends it"),
         reading<SearchSettings>([](const SearchSettings& s) { return OptionValue(s.passes); }),
         writing<SearchSettings>(
             [](SearchSettings& s, const OptionValue& v) { s.passes = std::get<int>(v); })});
    return table;
}

}  // namespace

bool MethodOption::allows(int value) const {
    return value >= min && value <= max && (only.isEmpty() || only.contains(value));
}

QString MethodOption::rangeText() const {
    if (!only.isEmpty()) {
        QStringList values;
        for (int v : only) {
            values.append(QString::number(v));
        }
        const QString last = values.takeLast();
        return QCoreApplication::translate("MethodOption", "%1 or %2")
            .arg(values.join(QStringLiteral(", ")), last);
    }
    return QCoreApplication::translate("MethodOption", "whole numbers from %1 to %2")
        .arg(min)
        .arg(max);
}

const std::vector<MethodOption>& methodOptions() {
    static const std::vector<MethodOption> table = makeTable();
    return table;
}

std::vector<const MethodOption*> optionsOf(const QString& method) {
    std::vector<const MethodOption*> options;
    for (const MethodOption& option : methodOptions()) {
        if (option.method == method) {
            options.push_back(&option);
        }
    }
    return options;
}

const MethodOption* findMethodOption(const QString& method, const QString& name) {
    for (const MethodOption* option : optionsOf(method)) {
        if (option->name == name) {
            return option;
        }
    }
    return nullptr;
}

}  // namespace tovik
