// Feeds arbitrary bytes, under a name the first byte chooses, to the choice of reader by
// content with the name as a hint: it must either return a picture or throw the
// program's error naming the file, never crash, hang or write outside its buffers. A
// picture it accepts is fitted as loading fits it.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "decodedpicture.h"
#include "fuzzseeds.h"
#include "load/picturefile.h"
#include "picture/error.h"
#include "seedpictures.h"

namespace {

constexpr qint64 kFuzzMaxPixels = 4'000'000;

// The names a file may come with: each extension that suggests a reader, an unknown one,
// and none.
const char* const kNames[] = {"in.jpg",  "in.png",  "in.gif", "in.bmp", "in.tif",
                              "in.webp", "in.JPEG", "in.pcx", "in"};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];

// A seed: the name's number, then the file.
std::string seed(size_t name, const std::string& file) {
    return std::string(1, char(name)) + file;
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    const QImage ramp = seedRamp(6, 4, QImage::Format_RGB32);
    return {
        seed(1, seedFile(ramp, "jpg")),  seed(0, seedFile(ramp, "png")),
        seed(8, seedFile(ramp, "gif")),  seed(7, seedFile(ramp, "bmp")),
        seed(5, seedFile(ramp, "tiff")), seed(3, seedFile(ramp, "webp")),
        seed(4, "not a picture"),        seed(8, std::string("RIFF\x04\0\0\0WEBP", 12)),
    };
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const QString name = QString::fromLatin1(kNames[data[0] % kNameCount]);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data) + 1,
                                                     static_cast<qsizetype>(size - 1));
    try {
        checkDecodedPicture(tovik::decodePicture(bytes, name, kFuzzMaxPixels));
    } catch (const tovik::Error& e) {
        if (!e.message().contains(name)) {
            __builtin_trap();  // every refusal names the file
        }
    }
    return 0;
}
