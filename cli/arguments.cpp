#include "cli/arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace tovik::cli {

namespace {

// QCommandLineParser names options without their dashes.
QString bareName(const QString& option) {
    return option.mid(option.startsWith(QLatin1String("--")) ? 2 : 1);
}

// The option as the user types it: one dash for a one-letter name, two for a word.
QString typedName(const QString& bare) {
    return (bare.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + bare;
}

}  // namespace

Arguments parseArguments(const QStringList& args, const CommandSyntax& syntax) {
    QCommandLineParser parser;
    for (const QString& option : syntax.valueOptions) {
        parser.addOption(QCommandLineOption(bareName(option), QString(), QStringLiteral("value")));
    }
    for (const QString& flag : syntax.flags) {
        parser.addOption(QCommandLineOption(bareName(flag)));
    }
    // The parser skips its first argument, the program's name: the command stands there.
    if (!parser.parse(QStringList(syntax.name) + args)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            throw UsageError(QCoreApplication::translate("tovik::cli", "unknown option %1 for %2")
                                 .arg(typedName(unknown.first()), syntax.name));
        }
        throw UsageError(parser.errorText());
    }

    Arguments result;
    const QStringList found = parser.optionNames();
    for (const QString& bare : found) {
        const QString option = typedName(bare);
        if (result.has(option)) {
            throw UsageError(
                QCoreApplication::translate("tovik::cli", "option %1 is given twice").arg(option));
        }
        if (syntax.flags.contains(option)) {
            result.flags.insert(option);
        } else {
            result.values.insert(option, parser.value(bare));
        }
    }
    result.positionals = parser.positionalArguments();
    const qsizetype named = syntax.positionalNames.size();
    if (result.positionals.size() > named && !syntax.morePositionals) {
        throw UsageError(QCoreApplication::translate("tovik::cli", "unexpected argument %1")
                             .arg(result.positionals[named]));
    }
    if (result.positionals.size() < named) {
        throw UsageError(QCoreApplication::translate("tovik::cli", "%1 needs %2")
                             .arg(syntax.name, syntax.positionalNames[result.positionals.size()]));
    }
    for (const QString& option : syntax.required) {
        if (!result.values.contains(option)) {
            throw UsageError(
                QCoreApplication::translate("tovik::cli", "%1 needs %2").arg(syntax.name, option));
        }
    }
    return result;
}

int intValue(const QString& option, const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        throw UsageError(
            QCoreApplication::translate("tovik::cli", "%1: '%2' is not a valid integer value")
                .arg(option, text));
    }
    if (value < min || value > max) {
        throw UsageError(
            QCoreApplication::translate("tovik::cli", "%1 must be between %2 and %3, not %4")
                .arg(option)
                .arg(min)
                .arg(max)
                .arg(value));
    }
    return value;
}

int intOption(const Arguments& arguments, const QString& option, int fallback, int min, int max) {
    if (!arguments.values.contains(option)) {
        return fallback;
    }
    return intValue(option, arguments.value(option), min, max);
}

}  // namespace tovik::cli
