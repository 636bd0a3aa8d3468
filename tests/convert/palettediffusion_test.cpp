#include "convert/palettediffusion.h"

#include <gtest/gtest.h>

#include "convert/ordereddither.h"
#include "convert/sourcepicture_helpers.h"
#include "picture/palette.h"
#include "picture/pixelbuffer.h"

namespace tovik {
namespace {

using namespace sourcepic;

constexpr int kGreys = 5;  // palette 5: black, then white three times

std::string reversed(std::string s) {
    return {s.rbegin(), s.rend()};
}

DiffusionSettings settingsOf(DiffusionKernel kernel, bool serpentine = false, int strength = 100) {
    return {kernel, serpentine, strength};
}

Rows diffused(const QImage& picture, const DiffusionSettings& settings, int palette) {
    PixelBuffer buffer;
    convertDiffusion(picture, settings, palette, picture.width(), buffer);
    return rows(buffer, picture.width(), picture.height());
}

struct KernelCase {
    const char* name;
    DiffusionSettings settings;
    Rows expected;
};

// Grey 150 in palette 5. Black and white mix to any grey, so the grey is its own aim: 0.305
// in linear light. The choice terms put the boundary between black and white where sRGB
// puts their midpoint, well below 0.5 in linear light, so the grey alone is white (strength
// 0) and the rows start with white. Each kernel's weights give its own pattern; the
// serpentine one starts warm from 8 copies of the first row.
TEST(PaletteDiffusion, EachKernelOnAGreyInBlackAndWhite) {
    using K = DiffusionKernel;
    const KernelCase cases[] = {
        {"floyd-steinberg", settingsOf(K::FloydSteinberg), {"1010101", "0100010", "1001001"}},
        {"jarvis", settingsOf(K::JarvisJudiceNinke), {"1101101", "0000010", "1010001"}},
        {"stucki", settingsOf(K::Stucki), {"1101101", "0000010", "1010001"}},
        {"burkes", settingsOf(K::Burkes), {"1101010", "0000100", "1100010"}},
        {"sierra", settingsOf(K::Sierra), {"1101101", "0000001", "1010010"}},
        {"sierra-2", settingsOf(K::SierraTwoRow), {"1101010", "0000100", "1100100"}},
        {"sierra-lite", settingsOf(K::SierraLite), {"1010101", "0100010", "1001001"}},
        {"atkinson", settingsOf(K::Atkinson), {"1101101", "0100100", "0110010"}},
        {"floyd-steinberg serpentine",
         settingsOf(K::FloydSteinberg, true),
         {"1010010", "0001001", "1010000"}},
        {"floyd-steinberg at 50 %",
         settingsOf(K::FloydSteinberg, false, 50),
         {"1101101", "0100101", "1010101"}},
        {"strength 0: all nearest",
         settingsOf(K::Stucki, true, 0),
         {"1111111", "1111111", "1111111"}},
        {"strength over 100 counts as 100",
         settingsOf(K::FloydSteinberg, false, 250),
         {"1010101", "0100010", "1001001"}},
    };
    for (const KernelCase& c : cases) {
        EXPECT_EQ(diffused(grey(7, 3, 150), c.settings, kGreys), c.expected) << c.name;
    }
}

// For each palette, the index each of its four colours comes back as: itself, or the
// first of equal colours.
const char* const kPureIndices[kPaletteCount] = {
    "0123", "0123", "0123", "0123", "0123", "0111", "0123", "0123",
    "0123", "0123", "0123", "0123", "0123", "0123", "0123", "0123",
};

TEST(PaletteConversions, PicturesInThePalettesColoursComeBackExactly) {
    for (int palette = 0; palette < kPaletteCount; ++palette) {
        // Colour (x + 2y + x*y) mod 4: every colour beside every other.
        std::vector<std::vector<QRgb>> colours(5, std::vector<QRgb>(6));
        Rows expected(5, std::string(6, '0'));
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 6; ++x) {
                const int c = (x + 2 * y + x * y) % 4;
                colours[size_t(y)][size_t(x)] = paletteColour(palette, c);
                expected[size_t(y)][size_t(x)] = kPureIndices[palette][c];
            }
        }
        const QImage picture = fromRows(colours);
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(diffused(picture, settingsOf(DiffusionKernel(k), k % 2 == 1), palette),
                      expected)
                << "palette " << palette << ", kernel " << k;
        }
        for (int matrix : {2, 4, 8}) {
            PixelBuffer buffer;
            convertOrdered(picture, {matrix}, palette, 6, buffer);
            EXPECT_EQ(rows(buffer, 6, 5), expected) << "palette " << palette << ", " << matrix;
        }
    }
}

// A row scanned right to left with the kernel mirrored gives the mirror image of the
// mirrored row scanned left to right. The first row is black, exactly a palette colour,
// so it passes no error on and the second row, the serpentine's first backward one, starts
// clean.
TEST(PaletteDiffusion, SerpentineRowsMirrorTheScan) {
    constexpr int kWidth = 9;
    std::vector<std::vector<QRgb>> colours = {std::vector<QRgb>(kWidth, qRgb(0, 0, 0)), {}};
    for (int x = 0; x < kWidth; ++x) {
        colours[1].push_back(qRgb(30 * x, 200 - 20 * x, 90 + 15 * (x % 3)));
    }
    const QImage picture = fromRows(colours);
    const QImage mirror = picture.mirrored(true, false);
    for (int palette : {4, 12}) {
        for (int k = 0; k < 8; ++k) {
            const Rows serpentine =
                diffused(picture, settingsOf(DiffusionKernel(k), true), palette);
            const Rows plain = diffused(mirror, settingsOf(DiffusionKernel(k)), palette);
            EXPECT_EQ(serpentine[1], reversed(plain[1]))
                << "palette " << palette << ", kernel " << k;
            EXPECT_NE(serpentine[1], reversed(serpentine[1])) << "the row is not symmetric";
        }
    }
}

// Without diffusion each pixel takes the colour it would take alone, as a picture of one
// pixel: no error reaches it from anywhere.
TEST(PaletteDiffusion, StrengthZeroIsThePlainNearestColour) {
    std::vector<std::vector<QRgb>> colours;
    for (int y = 0; y < 4; ++y) {
        colours.emplace_back();
        for (int x = 0; x < 6; ++x) {
            colours.back().push_back(qRgb(40 * x + 10 * y, 255 - 45 * y, (70 * x * y) % 256));
        }
    }
    const QImage picture = fromRows(colours);
    for (int palette : {0, 9, 13}) {
        Rows alone(4, std::string(6, '0'));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 6; ++x) {
                alone[size_t(y)][size_t(x)] =
                    diffused(picture.copy(x, y, 1, 1), settingsOf(DiffusionKernel::FloydSteinberg),
                             palette)[0][0];
            }
        }
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(diffused(picture, settingsOf(DiffusionKernel(k), k % 2 == 0, 0), palette),
                      alone)
                << "palette " << palette << ", kernel " << k;
        }
        EXPECT_NE(diffused(picture, {}, palette), alone) << "palette " << palette;
    }
}

// Both palette methods: a null picture leaves the buffer as it was; otherwise the buffer
// is cleared and only columns below the picture width are written, with that stride.
TEST(PaletteConversions, WriteOnlyTheFittedColumnsWithThePictureWidth) {
    const QImage white = grey(5, 2, 255);
    auto diffusion = [](const QImage& p, int width, PixelBuffer& b) {
        convertDiffusion(p, {}, kGreys, width, b);
    };
    auto ordered = [](const QImage& p, int width, PixelBuffer& b) {
        convertOrdered(p, {}, kGreys, width, b);
    };
    for (const auto& convert : {std::function<void(const QImage&, int, PixelBuffer&)>(diffusion),
                                std::function<void(const QImage&, int, PixelBuffer&)>(ordered)}) {
        PixelBuffer buffer = bufferOf(3);
        convert(QImage(), 5, buffer);
        EXPECT_EQ(buffer, bufferOf(3));
        convert(white, 3, buffer);
        EXPECT_EQ(rows(buffer, 3, 3), (Rows{"111", "111", "000"}));
        convert(white, 7, buffer);
        EXPECT_EQ(rows(buffer, 7, 3), (Rows{"1111100", "1111100", "0000000"}));
        // A tall strip: rows past the buffer's end are dropped, not wrapped.
        convert(grey(1, 70000, 255), 1, buffer);
        EXPECT_EQ(buffer, bufferOf(1));
    }
}

}  // namespace
}  // namespace tovik
