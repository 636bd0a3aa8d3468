#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "convert/method.h"

namespace tovik::cli {

struct Arguments;

// The options of convert that describe a method's settings.
QStringList methodValueOptions();
QStringList methodFlags();

// The default settings of the method named on the command line; throws UsageError for a
// name the batch program does not offer, listing those it does.
MethodSettings methodNamed(const QString& name);

// Changes the settings by the method options given: each replaces what it names, the
// rest stays (so options override a preset). Throws UsageError for an option of another
// method or a bad value.
void applyMethodOptions(const Arguments& args, MethodSettings& settings);

// Checks the value of every method option given, before the method is known (it may
// come from a preset read later). Throws UsageError for a bad value.
void checkMethodOptionValues(const Arguments& args);

// The usage text's lines for every method: its name, its help (methodHelp by name) and
// each of its options from the table, with range and default.
QString methodOptionsUsage(const QHash<QString, QString>& methodHelp);

// The palette of a method when neither --palette nor a preset names one.
int defaultPalette(const MethodSettings& settings);

}  // namespace tovik::cli
