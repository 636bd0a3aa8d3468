// The time of one conversion of a 256 x 256 picture by every method, beside the time of
// copying the picture once (a QImage deep copy), so that the figures compare across
// machines. The goal on the development machine: every conversion within 2 ms. Times are
// the thread's own processor time, so that other programs sharing the machine count less.
//
//   ditherspeed SAMPLES_DIR   (samples/foliage.jpg fits to exactly 256 x 256)

#include <QString>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "load/importpicture.h"
#include "convert/method.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"

namespace {

using namespace tovik;

constexpr int kRounds = 301;
constexpr double kGoalMs = 2.0;

// Processor time of this thread, in milliseconds.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double fastest(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

template <typename Work>
std::vector<double> timesMs(Work work) {
    std::vector<double> times;
    for (int i = 0; i < kRounds; ++i) {
        const double start = threadMs();
        work();
        times.push_back(threadMs() - start);
    }
    return times;
}

struct Case {
    const char* label;
    MethodSettings settings;
    int palette;
};

std::vector<Case> cases() {
    ThresholdSettings toningThresholds;
    toningThresholds.toning = true;
    FloydSteinbergSettings colourFs;
    colourFs.monochrome = false;
    ChunkSettings toningChunks;
    toningChunks.toning = true;
    std::vector<Case> list = {
        {"thresholds", ThresholdSettings{}, 0},
        {"thresholds --toning", toningThresholds, 0},
        {"floyd-steinberg", FloydSteinbergSettings{}, 0},
        {"floyd-steinberg --colour", colourFs, 0},
        {"chunks", ChunkSettings{}, 0},
        {"chunks --toning", toningChunks, 0},
        {"cga", CgaSettings{}, 4},
    };
    static const char* const kKernelLabels[] = {
        "diffusion --kernel floyd-steinberg", "diffusion --kernel jarvis",
        "diffusion --kernel stucki",          "diffusion --kernel burkes",
        "diffusion --kernel sierra",          "diffusion --kernel sierra-2",
        "diffusion --kernel sierra-lite",     "diffusion --kernel atkinson"};
    for (int k = 0; k < 8; ++k) {
        DiffusionSettings s;
        s.kernel = DiffusionKernel(k);
        list.push_back({kKernelLabels[k], s, 13});
    }
    DiffusionSettings serpentine;
    serpentine.serpentine = true;
    serpentine.strength = 80;
    list.push_back({"diffusion --serpentine --strength 80", serpentine, 13});
    list.push_back({"ordered --matrix 2", OrderedSettings{2}, 13});
    list.push_back({"ordered --matrix 4", OrderedSettings{4}, 13});
    list.push_back({"ordered --matrix 8", OrderedSettings{8}, 13});
    return list;
}

int run(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ditherspeed SAMPLES_DIR\n");
        return 2;
    }
    const ImportedPicture imported =
        importPicture(QString::fromLocal8Bit(argv[1]) + "/foliage.jpg");
    const QImage& fitted = imported.fitted;
    if (fitted.size() != QSize(256, 256)) {
        std::fprintf(stderr, "ditherspeed: foliage.jpg fits to %d x %d, not 256 x 256\n",
                     fitted.width(), fitted.height());
        return 1;
    }
    const std::vector<double> copyTimes = timesMs([&] {
        const QImage copy = fitted.copy();
        if (copy.isNull()) {
            std::abort();
        }
    });
    const double copyMs = median(copyTimes);
    std::printf(
        "One conversion of a 256 x 256 picture (samples/foliage.jpg), median of %d runs,\n"
        "processor time of the thread\n",
        kRounds);
    std::printf("  %-38s %8s %13s %9s\n", "", "median", "in copies", "fastest");
    std::printf("  %-38s %8.3f ms %13s %6.3f ms\n", "reference: QImage deep copy", copyMs, "",
                fastest(copyTimes));
    bool met = true;
    PixelBuffer buffer;
    for (const Case& c : cases()) {
        // The source each run starts from is copied outside the timing: some methods
        // change it, and the copy is what the reference measures.
        std::vector<double> times;
        for (int i = 0; i < kRounds + 1; ++i) {
            QImage source = fitted.copy();
            const double start = threadMs();
            convertPicture(c.settings, fitted, source, c.palette, imported.size.width, buffer);
            if (i > 0) {  // the first run makes the palette's tables
                times.push_back(threadMs() - start);
            }
        }
        const double ms = median(times);
        met = met && ms <= kGoalMs;
        std::printf("  %-38s %8.3f ms %6.0f copies %6.3f ms  %s\n", c.label, ms, ms / copyMs,
                    fastest(times), ms <= kGoalMs ? "" : "over 2 ms");
    }
    std::printf("%s  every conversion within %.0f ms (median)\n", met ? "pass" : "FAIL", kGoalMs);
    return met ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    try {
        return run(argc, argv);
    } catch (const tovik::Error& e) {
        std::fprintf(stderr, "ditherspeed: %s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
}
