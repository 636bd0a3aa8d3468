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
         {"nine values"},
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
         {"toning by error diffusion"},
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
         {"the black threshold"},
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
         {"monochrome without it"},
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
         {"weighted squared distance without it"},
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
         {"toning by error diffusion"},
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
         {"the toning threshold"},
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
         {"16 reference colours, of which the low 8", "bits count"},
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

    add({"kernel",
         "diffusion",
         Kind::Choice,
         0,
         0,
         0,
         {},
         QStringList(kDiffusionKernelNames.begin(), kDiffusionKernelNames.end()),
         "K",
         {"the error diffusion kernel"},
         reading<DiffusionSettings>(
             [](const DiffusionSettings& s) { return OptionValue(int(s.kernel)); }),
         writing<DiffusionSettings>([](DiffusionSettings& s, const OptionValue& v) {
             s.kernel = DiffusionKernel(std::get<int>(v));
         })});
    add({"serpentine",
         "diffusion",
         Kind::Flag,
         0,
         0,
         0,
         {},
         {},
         {},
         {"odd rows run right to left"},
         reading<DiffusionSettings>(
             [](const DiffusionSettings& s) { return OptionValue(s.serpentine); }),
         writing<DiffusionSettings>([](DiffusionSettings& s, const OptionValue& v) {
             s.serpentine = std::get<bool>(v);
         })});
    add({"strength",
         "diffusion",
         Kind::Whole,
         0,
         100,
         0,
         {},
         {},
         "N",
         {"the share of the error passed on, in per", "cent"},
         reading<DiffusionSettings>(
             [](const DiffusionSettings& s) { return OptionValue(s.strength); }),
         writing<DiffusionSettings>(
             [](DiffusionSettings& s, const OptionValue& v) { s.strength = std::get<int>(v); })});

    add({"matrix",
         "ordered",
         Kind::Whole,
         2,
         8,
         0,
         {2, 4, 8},
         {},
         "N",
         {"the Bayer matrix's side"},
         reading<OrderedSettings>([](const OrderedSettings& s) { return OptionValue(s.matrix); }),
         writing<OrderedSettings>(
             [](OrderedSettings& s, const OptionValue& v) { s.matrix = std::get<int>(v); })});
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
