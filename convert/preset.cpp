#include "convert/preset.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

#include "convert/methodoptions.h"
#include "picture/error.h"
#include "picture/fileio.h"
#include "picture/palette.h"

namespace tovik {

namespace {

// Far more than any preset needs; a larger file is refused unread.
constexpr qint64 kMaxPresetBytes = 64 * 1024;

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
        return Error(QStringLiteral("Preset %1: field \"%2\" %3").arg(fileName_, field, problem));
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
                throw error(field, QStringLiteral("must be true or false"));
            }
            value = v->toBool();
        }
    }

    static bool isWhole(const QJsonValue& v, int min, int max) {
        const double d = v.toDouble();
        return v.isDouble() && d == std::floor(d) && d >= min && d <= max;
    }

    static QString wholeRange(int min, int max) {
        return QStringLiteral("whole numbers from %1 to %2").arg(min).arg(max);
    }

    void readInt(const QString& field, int& value, int min, int max) {
        if (const auto v = take(field)) {
            if (!isWhole(*v, min, max)) {
                throw error(
                    field,
                    QStringLiteral("must be a whole number from %1 to %2").arg(min).arg(max));
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
                throw Error(QStringLiteral("Preset %1: unknown field \"%2\" for method %3")
                                .arg(fileName_, key, method));
            }
        }
    }

private:
    const QJsonObject& object_;
    const QString& fileName_;
    QSet<QString> used_;
};

// One option's field, when the preset has it, into the settings.
void readOption(Fields& f, const MethodOption& option, MethodSettings& settings) {
    const QString& field = option.name;
    const auto v = f.take(field);
    if (!v) {
        return;
    }
    switch (option.kind) {
        case MethodOption::Kind::Flag:
            if (!v->isBool()) {
                throw f.error(field, QStringLiteral("must be true or false"));
            }
            option.set(settings, v->toBool());
            return;
        case MethodOption::Kind::Whole:
            if (!Fields::isWhole(*v, option.min, option.max) || !option.allows(v->toInt())) {
                throw f.error(field, option.only.isEmpty()
                                         ? QStringLiteral("must be a whole number from %1 to %2")
                                               .arg(option.min)
                                               .arg(option.max)
                                         : QStringLiteral("must be ") + option.rangeText());
            }
            option.set(settings, v->toInt());
            return;
        case MethodOption::Kind::Choice: {
            const qsizetype index = option.choices.indexOf(v->toString());
            if (!v->isString() || index < 0) {
                throw f.error(field, QStringLiteral("must be one of %1")
                                         .arg(option.choices.join(QStringLiteral(", "))));
            }
            option.set(settings, int(index));
            return;
        }
        case MethodOption::Kind::Wholes: {
            QList<int> values(option.count);
            f.readInts(field, *v, option.count, option.min, option.max,
                       QStringLiteral("must hold %1 ").arg(option.count) + option.rangeText(),
                       [&values](int i, int value) { values[i] = value; });
            option.set(settings, values);
            return;
        }
        case MethodOption::Kind::Triples: {
            const QJsonArray triples = v->toArray();
            const QString problem =
                QStringLiteral("must hold %1 triples of ").arg(option.count) + option.rangeText();
            if (!v->isArray() || triples.size() != option.count) {
                throw f.error(field, problem);
            }
            QList<int> values(3 * option.count);
            for (int k = 0; k < option.count; ++k) {
                f.readInts(field, triples[k], 3, option.min, option.max, problem,
                           [&values, k](int i, int value) { values[3 * k + i] = value; });
            }
            option.set(settings, values);
            return;
        }
    }
}

QJsonArray intArray(const QList<int>& values, qsizetype from, qsizetype count) {
    QJsonArray array;
    for (qsizetype i = from; i < from + count; ++i) {
        array.append(values[i]);
    }
    return array;
}

QJsonValue optionJson(const MethodOption& option, const MethodSettings& settings) {
    const OptionValue value = option.get(settings);
    switch (option.kind) {
        case MethodOption::Kind::Flag:
            return std::get<bool>(value);
        case MethodOption::Kind::Whole:
            return std::get<int>(value);
        case MethodOption::Kind::Choice:
            return option.choices[std::get<int>(value)];
        case MethodOption::Kind::Wholes: {
            const auto& list = std::get<QList<int>>(value);
            return intArray(list, 0, list.size());
        }
        case MethodOption::Kind::Triples: {
            const auto& list = std::get<QList<int>>(value);
            QJsonArray triples;
            for (qsizetype k = 0; k < list.size() / 3; ++k) {
                triples.append(intArray(list, 3 * k, 3));
            }
            return triples;
        }
    }
    return {};
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
    for (const MethodOption* option : optionsOf(methodName(preset.method))) {
        object.insert(option->name, optionJson(*option, preset.method));
    }
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

Preset decodePreset(const QByteArray& bytes, const QString& fileName) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        throw Error(QStringLiteral("Preset %1 is not valid JSON: %2 at byte %3")
                        .arg(fileName, parseError.errorString())
                        .arg(parseError.offset));
    }
    if (!document.isObject()) {
        throw Error(
            QStringLiteral("Preset %1 is not valid: it must be one JSON object").arg(fileName));
    }
    const QJsonObject object = document.object();
    Fields fields(object, fileName);

    const auto method = fields.take(kMethodField);
    if (!method) {
        throw fields.error(kMethodField, QStringLiteral("is missing"));
    }
    std::optional<MethodSettings> settings = defaultSettingsFor(method->toString());
    if (!method->isString() || !settings) {
        throw fields.error(
            kMethodField,
            QStringLiteral("must be one of %1").arg(methodNames().join(QStringLiteral(", "))));
    }
    Preset preset{*settings, std::nullopt, false};

    if (const auto palette = fields.take(kPaletteField)) {
        if (palette->toString() == kAuto) {
            preset.autoPalette = true;
        } else if (Fields::isWhole(*palette, 0, kPaletteCount - 1)) {
            preset.palette = palette->toInt();
        } else {
            throw fields.error(kPaletteField, QStringLiteral("must be a whole number from 0 to "
                                                             "%1 or \"auto\"")
                                                  .arg(kPaletteCount - 1));
        }
    }
    for (const MethodOption* option : optionsOf(methodName(preset.method))) {
        readOption(fields, *option, preset.method);
    }
    fields.refuseUnknown(methodName(preset.method));
    return preset;
}

Preset readPreset(const QString& path) {
    const QByteArray bytes = readFile(path, kMaxPresetBytes + 1);
    if (bytes.size() > kMaxPresetBytes) {
        throw Error(QStringLiteral("Preset %1 is too large to be a preset: over %2 KB")
                        .arg(path)
                        .arg(kMaxPresetBytes / 1024));
    }
    return decodePreset(bytes, path);
}

void writePreset(const QString& path, const Preset& preset) {
    writeFile(path, encodePreset(preset));
}

}  // namespace tovik
