// Feeds arbitrary bytes to the JPEG decoder: it must either return a picture or throw
// the program's error, never crash, hang or write outside its buffers. A picture it
// accepts is fitted as loading fits it, and the batch program's row-skipping decoder must
// give the same fitted pixels; a picture it refuses, that decoder must refuse too.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "load/fit.h"
#include "fuzzseeds.h"
#include "load/bmp.h"
#include "load/jpeg.h"
#include "load/picturefile.h"
#include "picture/error.h"

namespace {

// Small enough that a forged header cannot make each run allocate hundreds of megabytes,
// large enough for every picture the fuzzer can reach in practice.
constexpr qint64 kFuzzMaxPixels = 4'000'000;

enum class Kind { Baseline, Progressive, Grey, Cmyk, Restarts, Arithmetic };

// A small picture written by libjpeg itself, so the mutations start from real markers.
std::string encode(int width, int height, Kind kind) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = kind == Kind::Grey ? 1 : (kind == Kind::Cmyk ? 4 : 3);
    cinfo.in_color_space =
        kind == Kind::Grey ? JCS_GRAYSCALE : (kind == Kind::Cmyk ? JCS_CMYK : JCS_RGB);
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 50, TRUE);
    if (kind == Kind::Progressive) {
        jpeg_simple_progression(&cinfo);
    } else if (kind == Kind::Restarts) {
        cinfo.restart_in_rows = 1;
    } else if (kind == Kind::Arithmetic) {
        cinfo.arith_code = TRUE;
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::string row(static_cast<size_t>(width * cinfo.input_components), '\0');
    for (int y = 0; y < height; ++y) {
        for (size_t i = 0; i < row.size(); ++i) {
            row[i] = static_cast<char>((i * 29 + static_cast<size_t>(y) * 53) & 0xFF);
        }
        JSAMPROW rowPointer = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(out), outSize);
    std::free(out);
    return bytes;
}

}  // namespace

std::vector<std::string> fuzzSeeds() {
    return {encode(16, 16, Kind::Baseline), encode(24, 9, Kind::Progressive),
            encode(8, 8, Kind::Grey),       encode(9, 7, Kind::Cmyk),
            encode(32, 16, Kind::Restarts), encode(16, 8, Kind::Arithmetic)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QImage image;
    try {
        image = tovik::decodeJpeg(bytes, kFuzzMaxPixels);
    } catch (const tovik::Error&) {
        // What the windows refuse, the batch program refuses too.
        try {
            tovik::decodeJpegStretched(
                bytes, [](QSize size) { return QSize(size.width(), 1); }, kFuzzMaxPixels);
        } catch (const tovik::Error&) {
            return 0;
        }
        __builtin_trap();
    }
    if (image.format() != QImage::Format_RGB32 || image.width() <= 0 || image.height() <= 0) {
        __builtin_trap();  // a decoded picture is always RGB32 and not empty
    }
    const tovik::FitResult fit = tovik::fitPicture(image.width(), image.height());
    const QImage fitted = tovik::stretchNearest(image, fit.width, fit.height);
    QImage sampled;
    try {
        sampled = tovik::decodeJpegStretched(
            bytes, [&fit](QSize) { return QSize(fit.width, fit.height); }, kFuzzMaxPixels);
    } catch (const tovik::Error&) {
        __builtin_trap();  // the whole picture decoded, so its sampled rows decode too
    }
    if (sampled != fitted) {
        __builtin_trap();
    }
    return 0;
}
