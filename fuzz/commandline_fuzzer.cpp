// The batch program's command line: the bytes, split at every zero byte, are the
// arguments after the program name. Parsing must either give a job or throw a usage
// error; the job itself, which reads and writes files, is never run.

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "fuzzseeds.h"

namespace {

std::string joined(const std::vector<std::string>& args) {
    std::string s;
    for (const std::string& a : args) {
        if (!s.empty()) {
            s += '\0';
        }
        s += a;
    }
    return s;
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    const std::vector<std::vector<std::string>> lines = {
        {"convert", "in.jpg", "--method", "thresholds", "--thresholds",
         "250,50,50,128,30,128,30,128,96", "--toning", "-o", "out.bip"},
        {"convert", "in.bmp", "--method=floyd-steinberg", "--threshold", "96", "--colour", "-o",
         "out.mac"},
        {"convert", "in.jpg", "--method", "chunks", "--absolute", "--toning", "--toning-threshold",
         "999", "--reference",
         "0,0,0/127,0,0/0,127,0/0,0,127/255,255,255/1,2,3/4,5,6/7,8,9/10,11,12/13,14,15/"
         "16,17,18/19,20,21/22,23,24/25,26,27/28,29,30/999,999,999",
         "-o", "out.bin", "--format", "bin-palette"},
        {"convert", "in.jpg", "--method", "cga", "--palette", "15", "-o", "out", "--format",
         "dump"},
        {"convert", "a.jpg", "b.bmp", "c.JPEG", "--method", "chunks", "--out-dir", "out", "--jobs",
         "2", "--format", "mac"},
        {"convert", "a.jpg", "--preset", "p.json", "--threshold", "50", "--palette", "3", "-o",
         "x.bip"},
        {"export", "p.bip", "-o", "out.BMP"},
        {"import-raw", "strip.raw", "--height", "8", "--palette", "3", "-o", "x", "--format", "mac",
         "--", "-odd"},
        {"info", "p.bip"},
        {"convert", "a.png", "--method", "diffusion", "--kernel", "sierra-2", "--serpentine",
         "--strength", "80", "--palette", "auto", "--score", "-o", "a.bip"},
        {"palettes", "a.gif", "--method", "ordered", "--matrix", "8"},
        {"score", "a.png", "b.bmp"},
    };
    std::vector<std::string> seeds;
    for (const auto& line : lines) {
        seeds.push_back(joined(line));
    }
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList args;
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            args.append(QString::fromUtf8(reinterpret_cast<const char*>(data + start),
                                          static_cast<qsizetype>(i - start)));
            start = i + 1;
        }
    }
    if (size == 0) {
        args.clear();
    }
    try {
        const tovik::cli::Job job = tovik::cli::parseCommandLine(args);
        if (!job) {
            __builtin_trap();  // a parsed command line always has work to do
        }
    } catch (const tovik::cli::UsageError& e) {
        if (e.message().isEmpty()) {
            __builtin_trap();  // every usage error says what is wrong
        }
    }
    return 0;
}
