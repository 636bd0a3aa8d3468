#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tovik::cli {

// A mistake in the command line. The program prints the reason and the usage and ends
// with status 2; nothing has been read or written when it is thrown.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// What one command accepts. Options are written as the user types them: "-o", "--format".
struct CommandSyntax {
    QString name;
    QStringList positionalNames;   // these positional arguments, in order
    bool morePositionals = false;  // the last positional argument may be repeated
    QStringList valueOptions;      // options followed by a value
    QStringList flags;             // options without a value
    QStringList required;          // value options that must be given
};

struct Arguments {
    QStringList positionals;
    QHash<QString, QString> values;
    QSet<QString> flags;

    bool has(const QString& option) const {
        return values.contains(option) || flags.contains(option);
    }
    QString value(const QString& option) const { return values.value(option); }
};

// Parses the arguments after the command name with QCommandLineParser. Options may come
// before, between or after the positional arguments, as "--name value" or "--name=value";
// after "--" everything is positional. Throws UsageError for an unknown or repeated
// option, a missing value, a missing required option or the wrong number of positional
// arguments.
Arguments parseArguments(const QStringList& args, const CommandSyntax& syntax);

// The text given for option (or for one item of its list) as a whole decimal number in
// [min, max]. Throws UsageError when it is not a number or lies outside the range.
int intValue(const QString& option, const QString& text, int min, int max);

// The option as a whole decimal number in [min, max], or fallback when it is absent.
// Throws UsageError when it is not a number or lies outside the range.
int intOption(const Arguments& arguments, const QString& option, int fallback, int min, int max);

}  // namespace tovik::cli
