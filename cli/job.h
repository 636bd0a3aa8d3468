#pragma once

#include <cstdio>
#include <functional>

namespace tovik::cli {

// The work a command line asks for, ready to run: it reads and writes files, prints its
// results to out and what went wrong with some of its files to err, and throws Error when
// it failed.
using Job = std::function<void(FILE* out, FILE* err)>;

}  // namespace tovik::cli
