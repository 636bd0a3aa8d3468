#include "convert/preset.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/palette.h"

namespace tovik {

namespace {

// Far more than any preset needs; a larger file is refused unread.
constexpr qint64 kMaxPresetBytes = 64 * 1024;

constexpr int kChunkToningMax = 999;  // the chunk settings window's three-digit edit

const QString kMethodField = QStringLiteral("method");
const QString kPaletteField = QStringLiteral("palette");
const QString kAuto = QStringLiteral("auto");

// The fields of one preset object, read one by one; each read marks its field, so that
// whatever is left over can be refused as unknown.
class Fields {
public:
    Fields(const QJsonObject& object, const QString& fileName)
        : object_(object), fileName_(fileName) {}

    Error error(const QString& field, const QString& problem) const {
        return Error(QCoreApplication::translate("tovik::Preset",
                                                 "Preset %1: field \"%2\" %3."
                                                 " Correct the file in a text editor, or save the "
                                                 "settings again from a tool window.")
                         .arg(fileName_, field, problem));
    }

    std::optional<QJsonValue> take(const QString& field) {
        used_.insert(field);
        const auto it = object_.constFind(field);
        if (it == object_.constEnd()) {
            return std::nullopt;
        }
        return *it;
    }

    void readBool(const QString& field, bool& value) {
        if (const auto v = take(field)) {
            if (!v->isBool()) {
                throw error(field,
                            QCoreApplication::translate("tovik::Preset", "must be true or false"));
            }
            value = v->toBool();
        }
    }

    static bool isWhole(const QJsonValue& v, int min, int max) {
        const double d = v.toDouble();
        return v.isDouble() && d == std::floor(d) && d >= min && d <= max;
    }

    static QString wholeRange(int min, int max) {
        return QCoreApplication::translate("tovik::Preset", "whole numbers from %1 to %2")
            .arg(min)
            .arg(max);
    }

    void readInt(const QString& field, int& value, int min, int max) {
        if (const auto v = take(field)) {
            if (!isWhole(*v, min, max)) {
                throw error(field, QCoreApplication::translate(
                                       "tovik::Preset", "must be a whole number from %1 to %2")
                                       .arg(min)
                                       .arg(max));
            }
            value = v->toInt();
        }
    }

    // An array of `count` whole numbers in [min, max], handed to store one by one;
    // `problem` says what the field must hold.
    template <typename Store>
    void readInts(const QString& field, const QJsonValue& v, int count, int min, int max,
                  const QString& problem, Store store) {
        const QJsonArray items = v.toArray();
        if (!v.isArray() || items.size() != count) {
            throw error(field, problem);
        }
        for (int i = 0; i < count; ++i) {
            if (!isWhole(items[i], min, max)) {
                throw error(field, problem);
            }
            store(i, items[i].toInt());
        }
    }

    // The fields no read asked for.
    void refuseUnknown(const QString& method) const {
        for (const QString& key : object_.keys()) {
            if (!used_.contains(key)) {
                throw Error(
                    QCoreApplication::translate("tovik::Preset",
                                                "Preset %1: unknown field \"%2\" for method %3."
                                                " Correct the file in a text editor, or save the "
                                                "settings again from a tool window.")
                        .arg(fileName_, key, method));
            }
        }
    }

private:
    const QJsonObject& object_;
    const QString& fileName_;
    QSet<QString> used_;
};

void readSettings(Fields& f, ThresholdSettings& s) {
    const QString field = QStringLiteral("thresholds");
    if (const auto v = f.take(field)) {
        f.readInts(field, *v, int(s.t.size()), 0, 255,
                   QCoreApplication::translate("tovik::Preset", "must hold 9 ") +
                       Fields::wholeRange(0, 255),
                   [&s](int i, int value) { s.t[size_t(i)] = value; });
    }
    f.readBool(QStringLiteral("toning"), s.toning);
}

void readSettings(Fields& f, FloydSteinbergSettings& s) {
    f.readInt(QStringLiteral("threshold"), s.threshold, 0, 255);
    bool colour = !s.monochrome;
    f.readBool(QStringLiteral("colour"), colour);
    s.monochrome = !colour;
}

void readSettings(Fields& f, ChunkSettings& s) {
    bool absolute = !s.squared;
    f.readBool(QStringLiteral("absolute"), absolute);
    s.squared = !absolute;
    f.readBool(QStringLiteral("toning"), s.toning);
    f.readInt(QStringLiteral("toning-threshold"), s.toningThreshold, 0, kChunkToningMax);
    const QString field = QStringLiteral("reference");
    const auto v = f.take(field);
    if (!v) {
        return;
    }
    const QJsonArray triples = v->toArray();
    const QString problem =
        QCoreApplication::translate("tovik::Preset", "must hold 16 triples of ") +
        Fields::wholeRange(0, 255);
    if (!v->isArray() || triples.size() != qsizetype(s.reference.size())) {
        throw f.error(field, problem);
    }
    for (size_t k = 0; k < s.reference.size(); ++k) {
        std::array<uint8_t, 3> rgb{};
        f.readInts(field, triples[qsizetype(k)], 3, 0, 255, problem,
                   [&rgb](int i, int value) { rgb[size_t(i)] = uint8_t(value); });
        s.reference[k] = ChunkColour{rgb[0], rgb[1], rgb[2]};
    }
}

void readSettings(Fields&, CgaSettings&) {}

void readSettings(Fields& f, DiffusionSettings& s) {
    const QString field = QStringLiteral("kernel");
    if (const auto v = f.take(field)) {
        const auto& names = kDiffusionKernelNames;
        const auto it = std::find(names.begin(), names.end(), v->toString());
        if (!v->isString() || it == names.end()) {
            QStringList all(names.begin(), names.end());
            throw f.error(field, QCoreApplication::translate("tovik::Preset", "must be one of %1")
                                     .arg(all.join(", ")));
        }
        s.kernel = DiffusionKernel(it - names.begin());
    }
    f.readBool(QStringLiteral("serpentine"), s.serpentine);
    f.readInt(QStringLiteral("strength"), s.strength, 0, 100);
}

void readSettings(Fields& f, OrderedSettings& s) {
    const QString field = QStringLiteral("matrix");
    if (const auto v = f.take(field)) {
        const int side = v->toInt();
        if (!Fields::isWhole(*v, 2, 8) || (side != 2 && side != 4 && side != 8)) {
            throw f.error(field, QCoreApplication::translate("tovik::Preset", "must be 2, 4 or 8"));
        }
        s.matrix = side;
    }
}

QJsonArray intArray(const auto& values) {
    QJsonArray array;
    for (const auto v : values) {
        array.append(int(v));
    }
    return array;
}

void writeSettings(QJsonObject& o, const ThresholdSettings& s) {
    o.insert("thresholds", intArray(s.t));
    o.insert("toning", s.toning);
}

void writeSettings(QJsonObject& o, const FloydSteinbergSettings& s) {
    o.insert("threshold", s.threshold);
    o.insert("colour", !s.monochrome);
}

void writeSettings(QJsonObject& o, const ChunkSettings& s) {
    o.insert("absolute", !s.squared);
    o.insert("toning", s.toning);
    o.insert("toning-threshold", s.toningThreshold);
    QJsonArray reference;
    for (const ChunkColour& c : s.reference) {
        reference.append(intArray(std::array<int, 3>{c.red, c.green, c.blue}));
    }
    o.insert("reference", reference);
}

void writeSettings(QJsonObject&, const CgaSettings&) {}

void writeSettings(QJsonObject& o, const DiffusionSettings& s) {
    o.insert("kernel", kDiffusionKernelNames[size_t(s.kernel)]);
    o.insert("serpentine", s.serpentine);
    o.insert("strength", s.strength);
}

void writeSettings(QJsonObject& o, const OrderedSettings& s) {
    o.insert("matrix", s.matrix);
}

}  // namespace

QByteArray encodePreset(const Preset& preset) {
    QJsonObject object;
    object.insert(kMethodField, methodName(preset.method));
    if (preset.autoPalette) {
        object.insert(kPaletteField, kAuto);
    } else if (preset.palette) {
        object.insert(kPaletteField, *preset.palette);
    }
    std::visit([&object](const auto& settings) { writeSettings(object, settings); }, preset.method);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

Preset decodePreset(const QByteArray& bytes, const QString& fileName) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        throw Error(QCoreApplication::translate("tovik::Preset",
                                                "Preset %1 is not valid JSON: %2 at byte %3."
                                                " Correct the file in a text editor, or save the "
                                                "settings again from a tool window.")
                        .arg(fileName, parseError.errorString())
                        .arg(parseError.offset));
    }
    if (!document.isObject()) {
        throw Error(
            QCoreApplication::translate("tovik::Preset",
                                        "Preset %1 is not valid: it must be one JSON object."
                                        " Correct the file in a text editor, or save the settings "
                                        "again from a tool window.")
                .arg(fileName));
    }
    const QJsonObject object = document.object();
    Fields fields(object, fileName);

    const auto method = fields.take(kMethodField);
    if (!method) {
        throw fields.error(kMethodField,
                           QCoreApplication::translate("tovik::Preset", "is missing"));
    }
    std::optional<MethodSettings> settings = defaultSettingsFor(method->toString());
    if (!method->isString() || !settings) {
        throw fields.error(kMethodField,
                           QCoreApplication::translate("tovik::Preset", "must be one of %1")
                               .arg(methodNames().join(QStringLiteral(", "))));
    }
    Preset preset{*settings, std::nullopt, false};

    if (const auto palette = fields.take(kPaletteField)) {
        if (palette->toString() == kAuto) {
            preset.autoPalette = true;
        } else if (Fields::isWhole(*palette, 0, kPaletteCount - 1)) {
            preset.palette = palette->toInt();
        } else {
            throw fields.error(kPaletteField,
                               QCoreApplication::translate("tovik::Preset",
                                                           "must be a whole number from 0 to "
                                                           "%1 or \"auto\"")
                                   .arg(kPaletteCount - 1));
        }
    }
    std::visit([&fields](auto& s) { readSettings(fields, s); }, preset.method);
    fields.refuseUnknown(methodName(preset.method));
    return preset;
}

Preset readPreset(const QString& path) {
    const QByteArray bytes = readFile(path, kMaxPresetBytes + 1);
    if (bytes.size() > kMaxPresetBytes) {
        throw Error(QCoreApplication::translate("tovik::Preset",
                                                "Preset %1 is too large to be a preset: over %2 KB."
                                                " Correct the file in a text editor, or save the "
                                                "settings again from a tool window.")
                        .arg(path)
                        .arg(kMaxPresetBytes / 1024));
    }
    return decodePreset(bytes, path);
}

void writePreset(const QString& path, const Preset& preset) {
    writeFile(path, encodePreset(preset));
}

}  // namespace tovik
