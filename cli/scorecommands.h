#pragma once

#include <QString>

#include "cli/arguments.h"
#include "cli/job.h"

namespace tovik::cli {

// A score as the batch program prints it: three decimals.
QString scoreText(double score);

// score SOURCE RESULT: how far RESULT looks from SOURCE, both read as they are.
const CommandSyntax& scoreSyntax();
Job prepareScore(const Arguments& args);

// palettes PICTURE --method METHOD [options]: the picture imported as convert imports
// it, converted with each of the 16 palettes and scored, one line "K S" a palette, best
// first.
const CommandSyntax& palettesSyntax();
Job preparePalettes(const Arguments& args);

}  // namespace tovik::cli
