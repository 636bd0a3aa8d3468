#include "load/jpeg.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/mman.h>

// jpeglib.h needs size_t and FILE declared before it (cstdio above).
#include <jerror.h>
#include <jpeglib.h>

#include "load/fit.h"
#include "picture/error.h"
#include "picture/render.h"

namespace tovik {

namespace {

// Progressive files can hold thousands of tiny scans, each of which walks the whole
// coefficient buffer; real encoders write a dozen or so.
constexpr int kMaxJpegScans = 1000;

// A fresh picture of many megabytes costs more in page faults, one per 4 KB page on
// first touch, than libjpeg spends converting its colours. Asking for 2 MB pages cuts
// the faults 512-fold; where the kernel declines, the buffer is an ordinary one.
constexpr size_t kLargePage = size_t(2) << 20;

QImage allocateRgb32(int width, int height) {
    const size_t bytesPerLine = size_t(width) * 4;
    const size_t size = bytesPerLine * size_t(height);
#ifdef MADV_HUGEPAGE
    if (size >= 4 * kLargePage) {
        const size_t rounded = (size + kLargePage - 1) / kLargePage * kLargePage;
        if (void* data = std::aligned_alloc(kLargePage, rounded)) {
            madvise(data, rounded, MADV_HUGEPAGE);
            return QImage(
                static_cast<uchar*>(data), width, height, qsizetype(bytesPerLine),
                QImage::Format_RGB32, [](void* info) { std::free(info); }, data);
        }
    }
#endif
    return QImage(width, height, QImage::Format_RGB32);
}

// ---- JPEG ----------------------------------------------------------------------------

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps
// back to runGuarded with the message code.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code = 0;
    bool tooManyScans = false;
};

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    err->code = cinfo->err->msg_code;
    std::longjmp(err->jump, 1);
}

// A stream cut inside the scan data is only a warning to libjpeg, which then fills the
// rest with grey; those two warnings become errors. Other warnings (extraneous bytes
// before a marker and the like) leave a usable picture and are only counted.
void emitMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) {
        return;  // trace messages
    }
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        jumpBack(cinfo);
    }
    ++cinfo->err->num_warnings;
}

void outputMessage(j_common_ptr) {}  // the default writes to stderr

void watchScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxJpegScans) {
        reinterpret_cast<JpegErrorManager*>(cinfo->err)->tooManyScans = true;
        jumpBack(cinfo);
    }
}

// Where the compressed bytes come from: memory, or a file read a piece at a time (never
// held whole: a photograph's megabytes would cost a page fault every 4 KB).
struct JpegInput {
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    FILE* file = nullptr;
};

void readHeader(j_decompress_ptr cinfo, void* arg) {
    const auto* input = static_cast<const JpegInput*>(arg);
    if (input->file != nullptr) {
        jpeg_stdio_src(cinfo, input->file);
    } else {
        jpeg_mem_src(cinfo, input->data, input->size);
    }
    jpeg_read_header(cinfo, TRUE);
    // libjpeg cannot turn CMYK or YCCK into RGB; those come out as CMYK and are
    // converted afterwards. Everything else (greyscale included) comes straight out in
    // the byte order of an RGB32 row, with the fourth byte 0xFF.
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    cinfo->dct_method = JDCT_FLOAT;
    cinfo->do_block_smoothing = TRUE;
    jpeg_calc_output_dimensions(cinfo);
}

void decodeRows(j_decompress_ptr cinfo, void* arg) {
    auto* rows = static_cast<JSAMPROW*>(arg);
    jpeg_start_decompress(cinfo);
    while (cinfo->output_scanline < cinfo->output_height) {
        jpeg_read_scanlines(cinfo, rows + cinfo->output_scanline,
                            cinfo->output_height - cinfo->output_scanline);
    }
    jpeg_finish_decompress(cinfo);
}

// The pixels a nearest-pixel stretch samples, decoded row by row through one scratch row:
// a sampled row's sampled columns go straight into the target rows.
struct SampledRows {
    uchar* const* targets;  // one a target row
    const int* sourceRow;   // the source row each target row takes, never decreasing
    int count;
    const int* sourceColumn;  // the source column each target column takes
    int width;                // of the target
    JSAMPROW scratch;         // one whole source row
    bool firstPass;           // rows nobody samples are skipped
};

// Whether libjpeg's skipping of rows gives the pixels reading them gives, whatever rows
// are skipped. It does for components sampled at full height, and at half height when the
// width is full or half (the sampling of nearly every file); with a component at a third
// or a quarter of the height, or at half height and a third or a quarter of the width,
// rows come out wrong after some skips.
bool skippingRowsIsExact(j_decompress_ptr cinfo) {
    for (int ci = 0; ci < cinfo->num_components; ++ci) {
        const jpeg_component_info& c = cinfo->comp_info[ci];
        const int down = cinfo->max_v_samp_factor / c.v_samp_factor;
        const int across = cinfo->max_h_samp_factor / c.h_samp_factor;
        if (down > 2 || (down == 2 && across > 2)) {
            return false;
        }
    }
    return true;
}

void decodeSampledRows(j_decompress_ptr cinfo, void* arg) {
    auto* s = static_cast<SampledRows*>(arg);
    jpeg_start_decompress(cinfo);
    // Skipping gives the pixels reading gives only for sound data. An arithmetic-coded
    // scan may end early without a warning, the rest taken as zeros, so such files are
    // always read.
    const bool skip = s->firstPass && !cinfo->arith_code && skippingRowsIsExact(cinfo);
    int next = 0;
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = static_cast<int>(cinfo->output_scanline);
        if (skip && next < s->count && s->sourceRow[next] > y) {
            // Rows nobody samples are entropy-decoded only: no colour conversion, and no
            // inverse transform of whole iMCU rows between sampled ones.
            jpeg_skip_scanlines(cinfo, static_cast<JDIMENSION>(s->sourceRow[next] - y));
            continue;
        }
        JSAMPROW row = s->scratch;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
            continue;
        }
        if (next < s->count && s->sourceRow[next] == y) {
            const auto* from = reinterpret_cast<const uint32_t*>(s->scratch);
            auto* to = reinterpret_cast<uint32_t*>(s->targets[next]);
            for (int x = 0; x < s->width; ++x) {
                to[x] = from[s->sourceColumn[x]];
            }
            // An enlarged row repeats.
            for (++next; next < s->count && s->sourceRow[next] == y; ++next) {
                std::memcpy(s->targets[next], s->targets[next - 1], size_t(s->width) * 4);
            }
        }
    }
    jpeg_finish_decompress(cinfo);
}

// The only place that calls setjmp. It owns no C++ object, so the jump from inside
// libjpeg skips no destructor; the callers hold the image and the row table.
bool runGuarded(j_decompress_ptr cinfo, void (*step)(j_decompress_ptr, void*), void* arg) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (setjmp(err->jump) != 0) {
        return false;
    }
    step(cinfo, arg);
    return true;
}

struct Decompressor {
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err{};
    jpeg_progress_mgr progress{};

    Decompressor() {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = jumpBack;
        err.pub.emit_message = emitMessage;
        err.pub.output_message = outputMessage;
        progress.progress_monitor = watchScans;
    }
    ~Decompressor() { jpeg_destroy_decompress(&cinfo); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    void run(void (*step)(j_decompress_ptr, void*), void* arg) {
        if (runGuarded(&cinfo, step, arg)) {
            return;
        }
        if (err.tooManyScans) {
            throw Error(
                QStringLiteral("JPEG file has too many scans (more than %1)").arg(kMaxJpegScans));
        }
        throw Error(QStringLiteral("JPEG error #%1").arg(err.code));
    }
};

void createDecompressor(j_decompress_ptr cinfo, void*) {
    jpeg_create_decompress(cinfo);
}

// Files with CMYK store inverted values (Adobe's convention): C is 255 for no cyan, so
// red = C * K / 255, rounded to the nearest.
void cmykToRgb32(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, p += 4) {
            const unsigned c = p[0], m = p[1], ye = p[2], k = p[3];
            p[0] = static_cast<uchar>((ye * k + 127) / 255);
            p[1] = static_cast<uchar>((m * k + 127) / 255);
            p[2] = static_cast<uchar>((c * k + 127) / 255);
            p[3] = 0xFF;
        }
    }
}

JpegInput bytesInput(const QByteArray& bytes) {
    return {reinterpret_cast<const unsigned char*>(bytes.constData()),
            static_cast<unsigned long>(bytes.size()), nullptr};
}

// Reads the header and refuses a picture above maxPixels before anything large is
// allocated. The decoder then holds the input, which must outlive it.
QSize readJpegHeader(Decompressor& d, const JpegInput& input, qint64 maxPixels) {
    d.run(createDecompressor, nullptr);
    d.run(readHeader, const_cast<JpegInput*>(&input));
    const qint64 width = d.cinfo.output_width, height = d.cinfo.output_height;
    if (width * height > maxPixels || width > INT_MAX / 4 || height > INT_MAX) {
        throw pictureTooLarge(width, height);
    }
    return QSize(int(width), int(height));
}

// Decodes the pixels of the picture that the stretch to the size of `target` samples
// into it. The first pass skips what no sampled pixel needs and is false when the data
// was found damaged on the way (a warning), in which case the pixels may differ from a
// whole decode's.
bool decodeSampled(Decompressor& d, QSize size, QImage& target, bool firstPass) {
    std::vector<uchar*> targets(static_cast<size_t>(target.height()));
    std::vector<int> sourceRow(static_cast<size_t>(target.height()));
    for (int y = 0; y < target.height(); ++y) {
        targets[size_t(y)] = target.scanLine(y);
        sourceRow[size_t(y)] = stretchSourceIndex(y, size.height(), target.height());
    }
    std::vector<int> sourceColumn(static_cast<size_t>(target.width()));
    for (int x = 0; x < target.width(); ++x) {
        sourceColumn[size_t(x)] = stretchSourceIndex(x, size.width(), target.width());
    }
    std::vector<JSAMPLE> scratch(size_t(size.width()) * 4);
    SampledRows sampled{targets.data(), sourceRow.data(), target.height(), sourceColumn.data(),
                        target.width(), scratch.data(),   firstPass};
    d.cinfo.progress = &d.progress;
    d.run(decodeSampledRows, &sampled);
    return !(firstPass && d.cinfo.err->num_warnings > 0);
}

QImage decodeStretched(const JpegInput& input, const std::function<QSize(QSize)>& sizeFor,
                       qint64 maxPixels) {
    Decompressor first;
    const QSize size = readJpegHeader(first, input, maxPixels);
    const QSize target = sizeFor(size);
    if (target.isEmpty()) {
        return QImage();
    }
    QImage picture(target, QImage::Format_RGB32);
    if (picture.isNull()) {
        throw pictureTooLarge(target.width(), target.height());
    }
    const bool cmyk = first.cinfo.out_color_space == JCS_CMYK;
    if (!decodeSampled(first, size, picture, true)) {
        // A file is read again from its start; one that cannot go back (a pipe) cannot be.
        if (input.file != nullptr && std::fseek(input.file, 0, SEEK_SET) != 0) {
            throw Error(QStringLiteral("JPEG error #%1").arg(JERR_FILE_READ));
        }
        Decompressor again;
        readJpegHeader(again, input, maxPixels);
        decodeSampled(again, size, picture, false);
    }
    if (cmyk) {
        cmykToRgb32(picture);
    }
    return picture;
}

}  // namespace

// Only the sampled pixels are kept. A damaged file is decoded a second time reading
// every row, so that it still gives exactly what a whole
// decode gives.
QImage decodeJpegStretched(const QByteArray& bytes, const std::function<QSize(QSize)>& sizeFor,
                           qint64 maxPixels) {
    return decodeStretched(bytesInput(bytes), sizeFor, maxPixels);
}

QImage decodeJpegFileStretched(FILE* file, const std::function<QSize(QSize)>& sizeFor,
                               qint64 maxPixels) {
    return decodeStretched({nullptr, 0, file}, sizeFor, maxPixels);
}

QImage decodeJpeg(const QByteArray& bytes) {
    return decodeJpeg(bytes, kMaxPicturePixels);
}

QImage decodeJpeg(const QByteArray& bytes, qint64 maxPixels) {
    Decompressor d;
    const QSize size = readJpegHeader(d, bytesInput(bytes), maxPixels);
    QImage image = allocateRgb32(size.width(), size.height());
    if (image.isNull()) {
        throw pictureTooLarge(size.width(), size.height());
    }
    // libjpeg writes each row straight into the image: no second buffer, no copy.
    std::vector<JSAMPROW> rows(static_cast<size_t>(size.height()));
    for (int y = 0; y < image.height(); ++y) {
        rows[static_cast<size_t>(y)] = image.scanLine(y);
    }
    d.cinfo.progress = &d.progress;
    d.run(decodeRows, rows.data());
    if (d.cinfo.out_color_space == JCS_CMYK) {
        cmykToRgb32(image);
    }
    return image;
}

}  // namespace tovik
