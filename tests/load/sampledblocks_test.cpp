// The stretched JPEG decode skips the rows no stretched pixel reads. Whatever the sampling
// of the components and the stretch, its pixels must be those of the whole picture
// stretched.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "load/fit.h"
#include "load/jpeg.h"
#include "load/jpeg_test_helpers.h"

namespace tovik {
namespace {

// The picture as a three-component JPEG whose first component has the sampling
// factors h x v and the others 1 x 1, or `chroma` where given.
QByteArray encodeSampled(const QImage& picture, int h, int v, bool progressive, int chromaH = 1,
                         int chromaV = 1) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    cinfo.comp_info[0].h_samp_factor = h;
    cinfo.comp_info[0].v_samp_factor = v;
    cinfo.comp_info[1].h_samp_factor = chromaH;
    cinfo.comp_info[1].v_samp_factor = chromaV;
    cinfo.comp_info[2].h_samp_factor = 1;
    cinfo.comp_info[2].v_samp_factor = 1;
    if (progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(picture.width()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            row[size_t(x) * 3] = JSAMPLE(qRed(p));
            row[size_t(x) * 3 + 1] = JSAMPLE(qGreen(p));
            row[size_t(x) * 3 + 2] = JSAMPLE(qBlue(p));
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

TEST(DecodeJpegStretched, EverySamplingGivesTheWholePictureStretched) {
    struct Sampling {
        int h, v, chromaH, chromaV;
    };
    // The usual samplings, and rarer ones where skipping rows inside libjpeg gives wrong
    // rows (a third or a quarter of the height, or half the height and a quarter of the
    // width), so that those files are read row by row.
    const Sampling samplings[] = {
        {1, 1, 1, 1}, {2, 1, 1, 1}, {1, 2, 1, 1}, {2, 2, 1, 1}, {4, 1, 1, 1},
        {3, 1, 1, 1}, {2, 2, 2, 1}, {2, 2, 1, 2}, {2, 2, 2, 2}, {1, 3, 1, 1},
        {1, 4, 1, 1}, {2, 4, 1, 1}, {3, 2, 1, 1}, {4, 2, 1, 1},
    };
    const QSize targets[] = {{256, 160}, {37, 29}, {100, 61}, {1, 1}, {333, 5}, {500, 400}};
    const QImage picture = testing::makeTestPicture(333, 251);
    for (const Sampling& s : samplings) {
        for (const bool progressive : {false, true}) {
            const QByteArray file =
                encodeSampled(picture, s.h, s.v, progressive, s.chromaH, s.chromaV);
            const QImage whole = decodeJpeg(file);
            for (const QSize target : targets) {
                const QImage sampled = decodeJpegStretched(file, [&](QSize) { return target; });
                EXPECT_EQ(testing::firstDifference(
                              sampled, stretchNearest(whole, target.width(), target.height())),
                          "")
                    << s.h << "x" << s.v << " chroma " << s.chromaH << "x" << s.chromaV
                    << (progressive ? " progressive" : "") << " to " << target.width() << " x "
                    << target.height();
            }
        }
    }
}

}  // namespace
}  // namespace tovik
