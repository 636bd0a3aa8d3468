// The raw strip reader. The first four bytes choose the height (any 32-bit value, so the
// reader's own bounds are tested, not only the 8..1024 the program passes); the rest is
// the file.

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "fuzzseeds.h"
#include "machinefiles/rawstrip.h"
#include "picture/error.h"
#include "picture/pixelbuffer.h"

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string withHeight(int32_t height, const std::string& strip) {
    std::string s(4, '\0');
    std::memcpy(s.data(), &height, 4);
    return s + strip;
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {withHeight(8, "\x81\x42\x24\x18\x18\x24\x42\x81"), withHeight(1024, "\xF0"),
            withHeight(8192, std::string(9000, '\x55')), withHeight(0, "")};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) {
        return 0;
    }
    int32_t height;
    std::memcpy(&height, data, 4);
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 4),
                                                    static_cast<qsizetype>(size - 4));
    static tovik::PixelBuffer buffer;
    try {
        for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
            buffer.set(i, 1);  // a value the strip never writes
        }
        tovik::readRawStrip(file, height, buffer);
        const long long written =
            height <= 0 ? 0 : std::min<long long>(8LL * height, tovik::PixelBuffer::kSize);
        for (int i = 0; i < tovik::PixelBuffer::kSize; ++i) {
            if (i < written) {
                const int row = i / 8;
                const int byte = row < file.size() ? static_cast<uint8_t>(file[row]) : 0;
                check(buffer.at(i) == (((byte >> (7 - i % 8)) & 1) ? 2 : 0));
            } else {
                check(buffer.at(i) == 1);
            }
        }
    } catch (const tovik::Error&) {
    }
    return 0;
}
