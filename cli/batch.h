#pragma once

#include <QString>
#include <cstdio>
#include <functional>
#include <vector>

namespace tovik::cli {

struct BatchPicture {
    QString input;
    QString output;
};

// What converting one picture gave: whether it was written, and a line for standard
// output (empty for none).
struct BatchOutcome {
    bool written = false;
    QString line;
};

struct BatchResult {
    int written = 0;
    int failed = 0;
};

// Runs convertOne on every picture, `jobs` at a time, each picture on its own, so what is
// written does not depend on `jobs`. The lines of the pictures go to out and a picture whose
// convertOne throws Error is reported on err with its name and the reason, both in the order
// of the list whatever order the pictures finish in, and the others go on. With a terminal on err,
// a progress line shows the pictures done, the total and the time taken. Once a signal asks to
// stop, no new picture is begun.
BatchResult runBatch(const std::vector<BatchPicture>& pictures, int jobs,
                     const std::function<BatchOutcome(const BatchPicture&)>& convertOne, FILE* out,
                     FILE* err);

}  // namespace tovik::cli
