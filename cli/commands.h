#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace tovik::cli {

// The usage text that --help prints and every usage error shows.
QString usageText();

// Runs one command line (the arguments after the program name) and returns the exit
// status: 0 done, 1 failed (the message on err, OUTPUT untouched), 2 usage error (the
// reason and the usage on err).
int run(const QStringList& args, FILE* out, FILE* err);

}  // namespace tovik::cli
