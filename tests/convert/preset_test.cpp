#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "convert/preset.h"
#include "load/jpeg_test_helpers.h"
#include "picture/fileio.h"

namespace tovik {
namespace {

using testing::errorOf;

Preset chunksPreset() {
    ChunkSettings s;
    s.squared = false;
    s.toning = true;
    s.toningThreshold = 999;
    s.reference[0] = ChunkColour{1, 2, 3};
    s.reference[15] = ChunkColour{255, 0, 128};
    return {s, 7, false};
}

// Every method with settings away from its defaults, and each way of giving the palette.
TEST(Preset, EncodedThenDecodedGivesThePresetBack) {
    ThresholdSettings thresholds;
    thresholds.t = {0, 1, 2, 3, 4, 5, 6, 7, 255};
    thresholds.toning = true;
    const Preset presets[] = {
        {thresholds, 0, false},
        {FloydSteinbergSettings{140, false}, 15, false},
        {FloydSteinbergSettings{}, std::nullopt, false},
        chunksPreset(),
        {CgaSettings{}, std::nullopt, false},
        {DiffusionSettings{DiffusionKernel::Atkinson, true, 0}, std::nullopt, true},
        {DiffusionSettings{DiffusionKernel::SierraTwoRow, false, 100}, 9, false},
        {OrderedSettings{8}, 2, false},
    };
    for (const Preset& preset : presets) {
        const QByteArray bytes = encodePreset(preset);
        EXPECT_EQ(decodePreset(bytes, "p.json"), preset) << bytes.toStdString();
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.json");
    writePreset(path, chunksPreset());
    EXPECT_EQ(readPreset(path), chunksPreset());
    EXPECT_EQ(encodePreset({CgaSettings{}, 4, false}),
              "{\n    \"method\": \"cga\",\n    \"palette\": 4\n}\n");
}

TEST(Preset, AMissingOptionTakesTheWindowsStartValue) {
    const Preset preset =
        decodePreset(R"({"method": "floyd-steinberg", "colour": true})", "p.json");
    EXPECT_EQ(preset, (Preset{FloydSteinbergSettings{96, false}, std::nullopt, false}));
}

TEST(Preset, ADamagedPresetIsRefusedNamingTheFileAndTheField) {
    const std::string thresholdsRange = "must hold 9 whole numbers from 0 to 255";
    const std::string referenceRange = "must hold 16 triples of whole numbers from 0 to 999";
    struct Case {
        QByteArray bytes;
        std::string message;  // after "Preset p.json"
    };
    const Case cases[] = {
        {"", " is not valid JSON: illegal value at byte 0"},
        {R"({"method": "cga",)", " is not valid JSON: unterminated object at byte 17"},
        {R"(["method", "cga"])", " is not valid: it must be one JSON object"},
        {R"({"palette": 0})", ": field \"method\" is missing"},
        {R"({"method": "dither"})",
         ": field \"method\" must be one of thresholds, floyd-steinberg, chunks, cga, diffusion, "
         "ordered"},
        {R"({"method": 1})",
         ": field \"method\" must be one of thresholds, floyd-steinberg, chunks, cga, diffusion, "
         "ordered"},
        {R"({"method": "cga", "palette": 16})",
         ": field \"palette\" must be a whole number from 0 to 15 or \"auto\""},
        {R"({"method": "cga", "palette": "best"})",
         ": field \"palette\" must be a whole number from 0 to 15 or \"auto\""},
        {R"({"method": "cga", "palette": 1.5})",
         ": field \"palette\" must be a whole number from 0 to 15 or \"auto\""},
        {R"({"method": "cga", "toning": true})", ": unknown field \"toning\" for method cga"},
        {R"({"method": "thresholds", "colour": true})",
         ": unknown field \"colour\" for method thresholds"},
        {R"({"method": "thresholds", "toning": 1})", ": field \"toning\" must be true or false"},
        {R"({"method": "thresholds", "thresholds": [1, 2, 3]})",
         ": field \"thresholds\" " + thresholdsRange},
        {R"({"method": "thresholds", "thresholds": [1, 2, 3, 4, 5, 6, 7, 8, 256]})",
         ": field \"thresholds\" " + thresholdsRange},
        {R"({"method": "thresholds", "thresholds": "250,50,50,128,30,128,30,128,96"})",
         ": field \"thresholds\" " + thresholdsRange},
        {R"({"method": "floyd-steinberg", "threshold": -1})",
         ": field \"threshold\" must be a whole number from 0 to 255"},
        {R"({"method": "floyd-steinberg", "threshold": "96"})",
         ": field \"threshold\" must be a whole number from 0 to 255"},
        {R"({"method": "chunks", "toning-threshold": 1000})",
         ": field \"toning-threshold\" must be a whole number from 0 to 999"},
        {R"({"method": "chunks", "reference": [[0, 0, 0]]})",
         ": field \"reference\" " + referenceRange},
        {R"({"method": "chunks", "reference": [)" + QByteArray("[1, 1, 1], ").repeated(15) +
             "[1, 1]]}",
         ": field \"reference\" " + referenceRange},
        {R"({"method": "chunks", "reference": [)" + QByteArray("[1, 1, 1], ").repeated(15) +
             "[1, 1000, 1]]}",
         ": field \"reference\" " + referenceRange},
        {R"({"method": "diffusion", "kernel": "floyd"})",
         ": field \"kernel\" must be one of floyd-steinberg, jarvis, stucki, burkes, sierra, "
         "sierra-2, sierra-lite, atkinson"},
        {R"({"method": "diffusion", "strength": 101})",
         ": field \"strength\" must be a whole number from 0 to 100"},
        {R"({"method": "ordered", "matrix": 3})", ": field \"matrix\" must be 2, 4 or 8"},
        {R"({"method": "ordered", "matrix": 16})", ": field \"matrix\" must be 2, 4 or 8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorOf([&] { decodePreset(c.bytes, "p.json"); }), "Preset p.json" + c.message)
            << c.bytes.toStdString();
    }

    QTemporaryDir dir;
    const QString large = dir.filePath("large.json");
    writeFile(large, "{\"method\": \"cga\"}" + QByteArray(64 * 1024, ' '));
    EXPECT_EQ(errorOf([&] { readPreset(large); }),
              ("Preset " + large + " is too large to be a preset: over 64 KB").toStdString());
    EXPECT_EQ(errorOf([&] { readPreset(dir.filePath("none.json")); }),
              ("Cannot open file " + dir.filePath("none.json")).toStdString());
}

}  // namespace
}  // namespace tovik
