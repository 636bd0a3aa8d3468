#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "cli/job.h"

namespace tovik::cli {

// The usage text that --help prints and every usage error shows.
QString usageText();

// Checks the whole command line (the arguments after the program name, without --help)
// and returns its job; throws UsageError for any mistake in it. Touches no file.
Job parseCommandLine(const QStringList& args);

// Runs one command line (the arguments after the program name) and returns the exit
// status: 0 done, 1 failed (the message on err, OUTPUT untouched), 2 usage error (the
// reason and the usage on err). Ctrl+C and termination signals stop it cleanly: what is
// being written is finished, nothing new begun, and the process then ends by the signal.
int run(const QStringList& args, FILE* out, FILE* err);

}  // namespace tovik::cli
