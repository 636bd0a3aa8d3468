#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>
#include <vector>

#include "convert/method.h"

namespace tovik {

// A value of a method option: a flag's truth, a whole number (a choice's index among its
// names), or a list of whole numbers (the triples of a reference list one after another).
using OptionValue = std::variant<bool, int, QList<int>>;

// One option of a method, as the batch program's "--name" and a preset's field "name"
// both know it: one name, one range, and its default from the method's default settings.
// The command line, the presets and the usage text all read this table, so a value one
// front end accepts the other accepts too.
struct MethodOption {
    enum class Kind {
        Flag,     // true or false; on the command line, given means true
        Whole,    // a whole number in [min, max] (only the values of `only`, when given)
        Choice,   // one of `choices` by name
        Wholes,   // `count` whole numbers in [min, max]
        Triples,  // `count` triples of whole numbers in [min, max]
    };

    QString name;
    QString method;  // the method it belongs to, as methodName() calls it
    Kind kind = Kind::Flag;
    int min = 0;
    int max = 0;
    int count = 0;
    QList<int> only;
    QStringList choices;
    QString valueName;  // the usage text's name for its value: "T", "K", "T1,...,T9"
    // The usage text's words for it, which the batch program translates in its own
    // context, "tovik::cli".
    const char* help = "";
    std::function<OptionValue(const MethodSettings&)> get;
    std::function<void(MethodSettings&, const OptionValue&)> set;

    // Whether a whole number is allowed: in range and, for `only`, one of its values.
    bool allows(int value) const;
    // "whole numbers from 0 to 255", "2, 4 or 8": what each number must be, for messages.
    QString rangeText() const;
};

// Every method's options, in the order of methodNames() and, within a method, in the
// order the usage text lists them.
const std::vector<MethodOption>& methodOptions();

// The options of one method.
std::vector<const MethodOption*> optionsOf(const QString& method);

// The option of that name and method, or null.
const MethodOption* findMethodOption(const QString& method, const QString& name);

}  // namespace tovik
