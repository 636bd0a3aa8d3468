// The tone in presets: written only when it is not neutral, read back the same, and bad
// values refused by field.
#include <gtest/gtest.h>

#include "convert/preset.h"
#include "load/jpeg_test_helpers.h"

namespace tovik {
namespace {

using testing::errorOf;

TEST(PresetTone, WrittenWhenNotNeutralAndReadBack) {
    const Preset plain{DiffusionSettings{}, 3, false};
    Preset toned = plain;
    toned.tone = {
        .brightness = -20, .contrast = 35, .gamma = 1.25, .saturation = 0, .sharpen = 100};
    toned.autoTone = true;
    const QByteArray bytes = encodePreset(toned);
    EXPECT_EQ(decodePreset(bytes, "t.json"), toned);
    for (const char* field : {"\"brightness\": -20", "\"contrast\": 35", "\"gamma\": 1.25",
                              "\"saturation\": 0", "\"sharpen\": 100", "\"auto-tone\": true"}) {
        EXPECT_TRUE(bytes.contains(field)) << field << "\n" << bytes.toStdString();
    }
    // A neutral tone leaves a preset's bytes as they were before the tone existed.
    for (const char* field : {"brightness", "contrast", "gamma", "saturation", "sharpen", "auto"}) {
        EXPECT_FALSE(encodePreset(plain).contains(field)) << field;
    }
}

TEST(PresetTone, BadValuesAreRefusedByField) {
    const struct {
        const char* fields;
        std::string message;
    } cases[] = {
        {R"("gamma": 0)", "field \"gamma\" must be a number from 0.1 to 10"},
        {R"("gamma": "2")", "field \"gamma\" must be a number from 0.1 to 10"},
        {R"("brightness": 101)", "field \"brightness\" must be a whole number from -100 to 100"},
        {R"("contrast": 1.5)", "field \"contrast\" must be a whole number from -100 to 100"},
        {R"("saturation": -1)", "field \"saturation\" must be a whole number from 0 to 200"},
        {R"("sharpen": 101)", "field \"sharpen\" must be a whole number from 0 to 100"},
        {R"("auto-tone": 1)", "field \"auto-tone\" must be true or false"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes =
            QByteArray(R"({"method": "ordered", )") + c.fields + QByteArray("}");
        EXPECT_EQ(errorOf([&] { decodePreset(bytes, "p.json"); }),
                  "Preset p.json: " + c.message +
                      ". Correct the file in a text editor, or save the settings again from a "
                      "tool window.")
            << c.fields;
    }
}

}  // namespace
}  // namespace tovik
