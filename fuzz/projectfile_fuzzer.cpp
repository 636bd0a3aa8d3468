// The project file reader, followed the way opening a project goes on: the size clamped
// as a fresh start clamps it, the pixels loaded, and the picture saved again.

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

#include "fuzzseeds.h"
#include "machinefiles/screenpack.h"
#include "picture/error.h"
#include "picture/picturesize.h"
#include "picture/pixelbuffer.h"
#include "picture/projectfile.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    std::vector<std::string> seeds;
    tovik::PixelBuffer buffer;
    for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
        buffer.set(i, i * 7 / 3);
    }
    const int sizes[][3] = {{8, 8, 0}, {64, 64, 3}, {65, 64, 15}, {13, 9, 9}, {320, 204, 4}};
    for (const auto& s : sizes) {
        const QByteArray file = tovik::encodeProject(buffer, s[0], s[1], s[2]);
        seeds.emplace_back(file.constData(), static_cast<size_t>(file.size()));
    }
    seeds.emplace_back("PRJ");
    return seeds;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static tovik::PixelBuffer buffer;
    try {
        const tovik::ProjectFile project = tovik::decodeProject(bytes, "fuzz.bip");
        check(project.width >= 1 && project.height >= 1);
        check(project.palette >= 0 && project.palette <= 15);
        check(project.pixels.size() == bytes.size() - tovik::kProjectHeaderSize);

        const tovik::PictureSize picture =
            tovik::clampPictureSize(project.width, project.height, tovik::kStartHeightMax);
        check(tovik::sizeFitsBuffer(picture.width, picture.height));
        tovik::loadProjectPixels(project.pixels, picture.width, picture.height, buffer);
        for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
            check(buffer.at(i) <= 3);
        }

        // Saved again, the picture reads back as it is now.
        const QByteArray saved =
            tovik::encodeProject(buffer, picture.width, picture.height, project.palette);
        const tovik::ProjectFile again = tovik::decodeProject(saved, "again.bip");
        check(again.width == picture.width && again.height == picture.height);
        check(again.palette == project.palette);
        check(again.pixels.size() == picture.width * picture.height);
        check(tovik::packPicture(buffer, picture.width, picture.height).size() ==
              picture.width * picture.height / 4);
    } catch (const tovik::Error&) {
        // A refused file is a correct outcome.
    }
    return 0;
}
