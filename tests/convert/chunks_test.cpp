#include <gtest/gtest.h>

#include <utility>

#include "convert/chunks.h"
#include "convert/sourcepicture_helpers.h"

namespace tovik {
namespace {

using namespace sourcepic;

constexpr ChunkColour kGrey128{128, 128, 128};
constexpr ChunkColour kWhite{255, 255, 255};
constexpr ChunkColour kBlue{0, 0, 255};

ChunkReferences withEntry(ChunkReferences references, int k, ChunkColour colour) {
    references[static_cast<size_t>(k)] = colour;
    return references;
}

TEST(ChunkReferences, ResetDiffersFromStartOnlyInRowTenRed) {
    EXPECT_EQ(kChunkStartReferences[9], (ChunkColour{124, 127, 20}));
    EXPECT_EQ(kChunkResetReferences, withEntry(kChunkStartReferences, 9, {127, 127, 20}));
}

struct DistanceCase {
    ChunkColour reference;
    ChunkColour colour;
    bool squared;
    int expected;
};

TEST(ChunkDistance, WeightedSquaresAndAbsoluteSums) {
    const DistanceCase cases[] = {
        {{100, 100, 100}, kGrey128, true, 78'400},
        {{127, 50, 127}, kGrey128, false, 80},
        {{100, 100, 100}, kGrey128, false, 84},
        {{10, 10, 127}, kBlue, true, 189'124},
        {{50, 50, 220}, kBlue, false, 135},
        {{0, 0, 0}, kWhite, true, 6'502'500},
        {{0, 0, 0}, kWhite, false, 765},
        {{10, 0, 0}, {}, true, 3'000},
        {{0, 10, 0}, {}, true, 5'900},
        {{0, 0, 10}, {}, true, 1'100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chunkDistance(c.reference, c.colour, c.squared), c.expected) << c.expected;
    }
}

struct NearestCase {
    const char* name;
    ChunkReferences references;
    bool squared;
    ChunkColour colour;
    int expected;
};

TEST(ChunkNearestPattern, NearestReferenceLowestIndexOnTies) {
    const ChunkReferences start = kChunkStartReferences;
    const ChunkReferences allBlack{};
    const NearestCase cases[] = {
        {"grey, squared", start, true, kGrey128, 14},
        {"grey, absolute", start, false, kGrey128, 13},
        {"blue, squared", start, true, kBlue, 7},
        {"blue, absolute", start, false, kBlue, 6},
        {"black", start, true, {0, 0, 0}, 0},
        {"white", start, true, kWhite, 15},
        {"red", start, true, {255, 0, 0}, 2},
        {"yellow", start, true, {255, 255, 0}, 8},
        {"equal rows: upper wins", withEntry(start, 1, {100, 100, 100}), true, kGrey128, 1},
        {"equal rows below: still 14", withEntry(start, 15, {100, 100, 100}), true, kGrey128, 14},
        {"all tie past a million", allBlack, true, kWhite, 0},
        {"nearest although past a million", withEntry(allBlack, 9, {0, 0, 100}), true, kWhite, 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findNearestPattern(c.references, c.squared, c.colour), c.expected) << c.name;
    }
}

struct PutCase {
    const char* name;
    int width, i, j, k;
    std::vector<std::pair<int, int>> written;  // entry, index; all else stays 0
};

TEST(ChunkPutPattern, PlacesColumnByColumnBytesAndDropsOutsiders) {
    const PutCase cases[] = {
        {"pattern 14 at (1,1)", 8, 1, 1, 14, {{18, 1}, {19, 0}, {26, 2}, {27, 3}}},
        {"16 taken as 15", 8, 0, 0, 16, {{0, 1}, {1, 2}, {8, 2}, {9, 3}}},
        {"200 taken as 15", 8, 0, 0, 200, {{0, 1}, {1, 2}, {8, 2}, {9, 3}}},
        {"right column at W dropped", 5, 2, 0, 6, {{4, 1}, {9, 1}}},
        {"lower row past the buffer dropped", 320, 127, 102, 6, {{65534, 1}, {65535, 1}}},
        {"whole chunk past the buffer", 256, 0, 128, 6, {}},
        {"huge band", 8, 0, 1 << 30, 6, {}},
    };
    for (const auto& c : cases) {
        PixelBuffer buffer;
        putChunkPattern(buffer, c.width, c.i, c.j, c.k);
        PixelBuffer expected;
        for (const auto& [entry, index] : c.written) {
            expected.set(entry, index);
        }
        EXPECT_TRUE(buffer == expected) << c.name;
    }
}

ChunkSettings settingsWith(bool squared, bool toning, int threshold,
                           const ChunkReferences& references = kChunkStartReferences) {
    return ChunkSettings{references, squared, toning, threshold};
}

QImage blackWithWhiteRightColumn() {
    QImage image = grey(6, 4, 0);
    for (int y = 0; y < 4; ++y) {
        image.setPixel(5, y, qRgb(255, 255, 255));
    }
    return image;
}

struct ConvertCase {
    const char* name;
    QImage source;
    ChunkSettings settings;
    int width;
    Rows expected;  // buffer prefilled with 3 before the conversion
};

TEST(ChunkConversion, PatternsPerChunkThenToning) {
    const ChunkSettings squared = settingsWith(true, false, 96);
    const ChunkSettings absolute = settingsWith(false, false, 96);
    // Chunk (0,0) takes the mean of its pixel and the black the register starts with.
    const ConvertCase cases[] = {
        {"grey 128, squared",
         grey(6, 4, 128),
         squared,
         6,
         {"001010", "012323", "101010", "232323"}},
        {"grey 128, absolute",
         grey(6, 4, 128),
         absolute,
         6,
         {"201010", "023131", "101010", "313131"}},
        {"blue, squared",
         filled(4, 4, qRgb(0, 0, 255)),
         squared,
         4,
         {"1010", "0101", "1010", "0101"}},
        {"blue, absolute",
         filled(4, 4, qRgb(0, 0, 255)),
         absolute,
         4,
         {"1011", "0111", "1111", "1111"}},
        {"black", grey(4, 4, 0), squared, 4, {"0000", "0000", "0000", "0000"}},
        {"white", grey(4, 4, 255), squared, 4, {"1012", "2323", "1212", "2323"}},
        {"red", filled(4, 4, qRgb(255, 0, 0)), squared, 4, {"3033", "0333", "3333", "3333"}},
        {"yellow", filled(4, 4, qRgb(255, 255, 0)), squared, 4, {"3032", "2323", "3232", "2323"}},
        {"white right column",
         blackWithWhiteRightColumn(),
         squared,
         6,
         {"000000", "000000", "100000", "230000"}},
        {"equal references",
         grey(6, 4, 128),
         settingsWith(true, false, 96, withEntry(kChunkStartReferences, 1, {100, 100, 100})),
         6,
         {"200000", "020101", "000000", "010101"}},
        {"every reference past a million",
         grey(4, 4, 255),
         settingsWith(true, false, 96, withEntry(ChunkReferences{}, 9, {0, 0, 100})),
         4,
         {"3030", "2323", "3030", "2323"}},
        {"odd height leaves the last row 0",
         grey(4, 5, 255),
         squared,
         4,
         {"1012", "2323", "1212", "2323", "0000"}},
        {"odd width fills column Ws below W",
         grey(5, 2, 255),
         squared,
         8,
         {"10121200", "23232300"}},
        {"W below the source width", grey(6, 2, 255), squared, 5, {"10121", "23232", "00000"}},
        {"toning at 255",
         grey(6, 4, 255),
         settingsWith(true, true, 255),
         6,
         {"100000", "200000", "100000", "232323"}},
        {"toning at 999",
         grey(6, 4, 255),
         settingsWith(true, true, 999),
         6,
         {"100000", "200000", "100000", "232323"}},
    };
    for (const auto& c : cases) {
        QImage source = c.source;
        PixelBuffer buffer = bufferOf(3);
        convertChunks(source, c.settings, c.width, buffer);
        EXPECT_EQ(rows(buffer, c.width, static_cast<int>(c.expected.size())), c.expected) << c.name;
        EXPECT_EQ(buffer.at(PixelBuffer::kSize - 1), 0) << c.name << ": whole buffer cleared";
    }
}

TEST(ChunkConversion, ToningChangesTheSourceSoASecondRunDiffers) {
    QImage source = grey(6, 4, 128);
    PixelBuffer buffer;
    convertChunks(source, settingsWith(true, true, 96), 6, buffer);
    EXPECT_EQ(rows(buffer, 6, 4), (Rows{"000000", "010023", "100000", "232323"}));
    convertChunks(source, settingsWith(true, true, 96), 6, buffer);
    EXPECT_EQ(rows(buffer, 6, 4), (Rows{"000000", "000000", "100000", "232301"}));
}

struct ToningBytesCase {
    const char* name;
    QImage source;
    int threshold;
    std::vector<std::vector<int>> expected;  // every channel alike
};

TEST(ChunkConversion, ToningSaturatesEveryChannel) {
    const ToningBytesCase cases[] = {
        {"dark pixels push bytes past 255",
         grey(4, 2, 200),
         255,
         {{200, 200, 255, 255}, {237, 255, 255, 215}}},
        {"light pixels pull bytes below 0",
         grey(5, 2, 10),
         0,
         {{10, 10, 0, 10, 0}, {0, 0, 0, 0, 0}}},
        // 100 - 67.8125 = 32.1875 is truncated as a whole to 32, not 100 - 67 = 33.
        {"sums truncated as a whole",
         grey(4, 2, 100),
         96,
         {{100, 100, 32, 114}, {70, 57, 100, 102}}},
    };
    for (const auto& c : cases) {
        QImage source = c.source;
        PixelBuffer buffer;
        convertChunks(source, settingsWith(true, true, c.threshold), source.width(), buffer);
        for (int channelIndex : {0, 1, 2}) {
            EXPECT_EQ(channel(source, channelIndex), c.expected) << c.name << " " << channelIndex;
        }
    }
}

TEST(ChunkConversion, BandsPastTheBufferAreDropped) {
    QImage source = grey(4, 4, 255);
    PixelBuffer buffer = bufferOf(3);
    convertChunks(source, settingsWith(true, false, 96), 32768, buffer);  // band 1 at 65536
    PixelBuffer expected;
    const std::pair<int, int> written[] = {{0, 1},     {2, 1},     {3, 2},    {32768, 2},
                                           {32769, 3}, {32770, 2}, {32771, 3}};
    for (const auto& [entry, index] : written) {
        expected.set(entry, index);
    }
    EXPECT_TRUE(buffer == expected);
}

TEST(ChunkConversion, EmptySourceChangesNothing) {
    QImage source;
    PixelBuffer buffer = bufferOf(3);
    convertChunks(source, settingsWith(true, true, 96), 8, buffer);
    EXPECT_TRUE(source.isNull());
    EXPECT_TRUE(buffer == bufferOf(3));
}

}  // namespace
}  // namespace tovik
