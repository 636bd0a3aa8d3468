#include "cli/arguments.h"

namespace tovik::cli {

Arguments parseArguments(const QStringList& args, const CommandSyntax& syntax) {
    Arguments result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || !arg.startsWith('-') || arg == QLatin1String("-")) {
            result.positionals.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        QString name = arg;
        QString value;
        bool inlineValue = false;
        if (const qsizetype eq = arg.indexOf('='); arg.startsWith(QLatin1String("--")) && eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            inlineValue = true;
        }
        if (result.has(name)) {
            throw UsageError(QStringLiteral("option %1 is given twice").arg(name));
        }
        if (syntax.flags.contains(name)) {
            if (inlineValue) {
                throw UsageError(QStringLiteral("option %1 takes no value").arg(name));
            }
            result.flags.insert(name);
        } else if (syntax.valueOptions.contains(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    throw UsageError(QStringLiteral("option %1 needs a value").arg(name));
                }
                value = args[++i];
            }
            result.values.insert(name, value);
        } else {
            throw UsageError(QStringLiteral("unknown option %1 for %2").arg(name, syntax.name));
        }
    }
    if (result.positionals.size() > syntax.positionalNames.size()) {
        throw UsageError(QStringLiteral("unexpected argument %1")
                             .arg(result.positionals[syntax.positionalNames.size()]));
    }
    if (result.positionals.size() < syntax.positionalNames.size()) {
        throw UsageError(QStringLiteral("%1 needs %2")
                             .arg(syntax.name, syntax.positionalNames[result.positionals.size()]));
    }
    for (const QString& option : syntax.required) {
        if (!result.values.contains(option)) {
            throw UsageError(QStringLiteral("%1 needs %2").arg(syntax.name, option));
        }
    }
    return result;
}

int intValue(const QString& option, const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) {
        throw UsageError(QStringLiteral("%1: '%2' is not a valid integer value").arg(option, text));
    }
    if (value < min || value > max) {
        throw UsageError(QStringLiteral("%1 must be between %2 and %3, not %4")
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
