#include "cli/methodoptions.h"

#include <QCoreApplication>
#include <limits>

#include <limits>

#include "cli/arguments.h"
#include "convert/cga.h"
#include "convert/methodoptions.h"

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

QString optionName(const MethodOption& option) {
    return QStringLiteral("--") + option.name;
}

// The value the command line gives for a method option that takes one.
OptionValue parseValue(const MethodOption& option, const QString& text) {
    const QString name = optionName(option);
    switch (option.kind) {
        case MethodOption::Kind::Flag:
            return true;
        case MethodOption::Kind::Whole: {
            if (option.only.isEmpty()) {
                return intValue(name, text, option.min, option.max);
            }
            // Only the listed values: a 3 would not quietly dither as a 4.
            const int value = intValue(name, text, std::numeric_limits<int>::min(),
                                       std::numeric_limits<int>::max());
            if (!option.allows(value)) {
                throw UsageError(QCoreApplication::translate("tovik::cli", "%1 must be %2, not %3")
                                     .arg(name, option.rangeText())
                                     .arg(value));
            }
            return value;
        }
        case MethodOption::Kind::Choice: {
            const qsizetype index = option.choices.indexOf(text);
            if (index < 0) {
                throw UsageError(
                    QCoreApplication::translate("tovik::cli", "unknown %1 '%2' (%3)")
                        .arg(option.name, text, option.choices.join(QStringLiteral(", "))));
            }
            return int(index);
        }
        case MethodOption::Kind::Wholes: {
            QList<int> values;
            for (const QString& item :
                 listItems(name, text, ',', option.count,
                           QCoreApplication::translate("tovik::cli", "values"))) {
                values.append(intValue(name, item, option.min, option.max));
            }
            return values;
        }
        case MethodOption::Kind::Triples: {
            QList<int> values;
            const QStringList triples =
                listItems(name, text, '/', option.count,
                          QCoreApplication::translate("tovik::cli", "triples"));
            for (qsizetype k = 0; k < triples.size(); ++k) {
                const QStringList rgb = triples[k].split(',');
                if (rgb.size() != 3) {
                    throw UsageError(QCoreApplication::translate("tovik::cli",
                                                                 "%1: triple %2 is '%3', not R,G,B")
                                         .arg(name)
                                         .arg(k + 1)
                                         .arg(triples[k]));
                }
                for (const QString& channel : rgb) {
                    values.append(intValue(name, channel, option.min, option.max));
                }
            }
            return values;
        }
    }
    return {};
}

// Every method option the command line gives for this method, into its settings.
void readOptions(const Arguments& args, const QString& method, MethodSettings& settings) {
    for (const MethodOption* option : optionsOf(method)) {
        const QString name = optionName(*option);
        if (option->kind == MethodOption::Kind::Flag) {
            if (args.has(name)) {
                option->set(settings, true);
            }
        } else if (args.values.contains(name)) {
            option->set(settings, parseValue(*option, args.value(name)));
        }
    }
}

// The method option names, those that take a value or those that do not, each once.
QStringList optionNames(bool flags) {
    QStringList names;
    for (const MethodOption& option : methodOptions()) {
        if ((option.kind == MethodOption::Kind::Flag) == flags &&
            !names.contains(optionName(option))) {
            names.append(optionName(option));
        }
    }
    return names;
}

}  // namespace

QStringList methodValueOptions() {
    return optionNames(false);
}

QStringList methodFlags() {
    return optionNames(true);
}

MethodSettings methodNamed(const QString& name) {
    const std::optional<MethodSettings> settings = defaultSettingsFor(name);
    if (!settings) {
        throw UsageError(QCoreApplication::translate("tovik::cli", "unknown method '%1' (%2)")
                             .arg(name, methodNames().join(QStringLiteral(", "))));
    }
    return *settings;
}

void applyMethodOptions(const Arguments& args, MethodSettings& settings) {
    const QString method = methodName(settings);
    for (const MethodOption& option : methodOptions()) {
        const QString name = optionName(option);
        if (args.has(name) && findMethodOption(method, option.name) == nullptr) {
            throw UsageError(QCoreApplication::translate("tovik::cli",
                                                         "option %1 does not belong to --method %2")
                                 .arg(name, method));
        }
    }
    readOptions(args, method, settings);
}

void checkMethodOptionValues(const Arguments& args) {
    for (const QString& method : methodNames()) {
        MethodSettings settings = *defaultSettingsFor(method);
        readOptions(args, method, settings);
    }
}

namespace {

// Words of text in lines of at most `width` characters.
QStringList wrapped(const QString& text, int width) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines.append(line);
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) {
        lines.append(line);
    }
    return lines;
}

// What the usage says of an option beyond its help: its range and default.
QString rangeAndDefault(const MethodOption& option, const MethodSettings& defaults) {
    const OptionValue value = option.get(defaults);
    switch (option.kind) {
        case MethodOption::Kind::Flag:
            return {};
        case MethodOption::Kind::Whole:
            return (option.only.isEmpty() ? QStringLiteral("%1..%2").arg(option.min).arg(option.max)
                                          : option.rangeText()) +
                   QCoreApplication::translate("tovik::cli", ", default %1")
                       .arg(std::get<int>(value));
        case MethodOption::Kind::Choice:
            return option.choices.join(QStringLiteral(", ")) +
                   QCoreApplication::translate("tovik::cli", "; default %1")
                       .arg(option.choices[std::get<int>(value)]);
        case MethodOption::Kind::Wholes: {
            QStringList items;
            for (int v : std::get<QList<int>>(value)) {
                items.append(QString::number(v));
            }
            return QCoreApplication::translate("tovik::cli", "%1..%2, default %3")
                .arg(option.min)
                .arg(option.max)
                .arg(items.join(','));
        }
        case MethodOption::Kind::Triples:
            return QCoreApplication::translate(
                       "tovik::cli",
                       "exactly %1 triples of %2..%3; without it the window's "
                       "start values")
                .arg(option.count)
                .arg(option.min)
                .arg(option.max);
    }
    return {};
}

}  // namespace

QString methodOptionsUsage(const QHash<QString, QString>& methodHelp) {
    constexpr int kMethodColumn = 18, kOptionColumn = 25, kHelpWidth = 41;
    QString text;
    for (const QString& method : methodNames()) {
        QString lead = QStringLiteral("  ") + method.leftJustified(kMethodColumn);
        const auto line = [&](const QString& rest) {
            text += lead + rest + '\n';
            lead = QString(2 + kMethodColumn, ' ');
        };
        for (const QString& help : wrapped(methodHelp.value(method), 86 - 2 - kMethodColumn)) {
            line(help);
        }
        const MethodSettings defaults = *defaultSettingsFor(method);
        for (const MethodOption* option : optionsOf(method)) {
            QString head = optionName(*option);
            if (!option->valueName.isEmpty()) {
                head += ' ' + option->valueName;
            }
            QStringList parts{QCoreApplication::translate("tovik::cli", option->help)};
            if (const QString range = rangeAndDefault(*option, defaults); !range.isEmpty()) {
                parts.append(range);
            }
            const QStringList help = wrapped(parts.join(QStringLiteral(", ")), kHelpWidth);
            if (head.size() >= kOptionColumn) {
                line(head);
                head.clear();
            }
            line(head.leftJustified(kOptionColumn) + help.value(0));
            for (qsizetype i = 1; i < help.size(); ++i) {
                line(QString(kOptionColumn, ' ') + help[i]);
            }
        }
    }
    return text;
}

int defaultPalette(const MethodSettings& settings) {
    return std::holds_alternative<CgaSettings>(settings) ? kCgaPalette : 0;
}

}  // namespace tovik::cli
