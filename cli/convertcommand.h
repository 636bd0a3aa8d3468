#pragma once

#include <cstdio>

#include "cli/arguments.h"

namespace tovik::cli {

// convert PICTURE --method METHOD [options] [--palette P] -o OUTPUT [--format FMT]
const CommandSyntax& convertSyntax();

// Does what the desktop program's import command for the method does from a fresh start:
// load and fit the picture, convert it once, then write the picture it leaves. Every
// option is checked before the picture is read.
void runConvert(const Arguments& args, FILE* out);

}  // namespace tovik::cli
