#pragma once

#include "cli/arguments.h"
#include "cli/job.h"

namespace tovik::cli {

// convert PICTURE... [--method METHOD] [options] [--preset FILE] [--palette P]
//         (-o OUTPUT | --out-dir DIR [--jobs N]) [--format FMT]
const CommandSyntax& convertSyntax();

// Checks every option and returns the job that does, for each picture, what the desktop
// program's import command for the method does from a fresh start: load and fit the
// picture, convert it once, then write the picture it leaves.
Job prepareConvert(const Arguments& args);

}  // namespace tovik::cli
