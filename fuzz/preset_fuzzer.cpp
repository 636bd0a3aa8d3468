// Feeds arbitrary bytes to the preset reader: it must either return a preset or throw the
// program's error, never crash or hang. A preset it accepts must survive being written
// and read again unchanged, and its method must convert a small picture.

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>

#include "convert/method.h"
#include "convert/preset.h"
#include "fuzzseeds.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"

std::vector<std::string> fuzzSeeds() {
    std::vector<std::string> seeds;
    for (const QString& name : tovik::methodNames()) {
        tovik::Preset preset{*tovik::defaultSettingsFor(name), 3, false};
        seeds.push_back(tovik::encodePreset(preset).toStdString());
    }
    tovik::Preset automatic{tovik::DiffusionSettings{tovik::DiffusionKernel::Atkinson, true, 40},
                            std::nullopt, true};
    seeds.push_back(tovik::encodePreset(automatic).toStdString());
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const tovik::Preset preset = tovik::decodePreset(bytes, QStringLiteral("fuzz.json"));
        if (!(tovik::decodePreset(tovik::encodePreset(preset), QStringLiteral("again.json")) ==
              preset)) {
            __builtin_trap();  // what the reader accepts, the writer writes back the same
        }
        QImage picture(5, 4, QImage::Format_RGB32);
        picture.fill(qRgb(200, 90, 30));
        QImage source = picture;
        tovik::PixelBuffer buffer;
        tovik::convertPicture(preset.method, picture, source, preset.palette.value_or(0), 8,
                              buffer);
    } catch (const tovik::Error&) {
    }
    return 0;
}
