#include <gtest/gtest.h>

#include "convert/cga.h"
#include "convert/sourcepicture_helpers.h"
#include "picture/render.h"

namespace tovik {
namespace {

using namespace sourcepic;
constexpr int kKeeps = -1;

struct RuleCase {
    QRgb colour;
    int expected;  // kKeeps: the entry keeps what it held
};

TEST(CgaBwcm, RulesAndTheirStrictBounds) {
    const RuleCase cases[] = {
        {qRgb(0, 0, 0), 0},           {qRgb(255, 0, 255), 1},    {qRgb(0, 255, 255), 2},
        {qRgb(255, 255, 255), 3},     {qRgb(151, 89, 151), 1},   {qRgb(150, 89, 151), kKeeps},
        {qRgb(151, 90, 151), kKeeps}, {qRgb(89, 151, 151), 2},   {qRgb(90, 151, 151), kKeeps},
        {qRgb(150, 150, 150), 0},     {qRgb(151, 151, 151), 3},  {qRgb(151, 150, 151), kKeeps},
        {qRgb(255, 0, 0), kKeeps},    {qRgb(0, 255, 0), kKeeps}, {qRgb(0, 0, 255), kKeeps},
        {qRgb(255, 255, 0), kKeeps},
    };
    for (const auto& c : cases) {
        // Two fills, so that a write of the value already there cannot pass for a keep.
        for (int before : {0, 3}) {
            const QImage loaded = filled(1, 1, c.colour);
            QImage source = grey(1, 1, 0);
            PixelBuffer buffer = bufferOf(before);
            convertCga(loaded, source, 8, buffer);
            EXPECT_EQ(buffer.at(0), c.expected == kKeeps ? before : c.expected)
                << std::hex << c.colour << " over " << before;
        }
    }
}

struct PictureCase {
    const char* name;
    QImage loaded;
    QSize sourceSize;
    int pictureWidth;
    Rows expected;  // buffer prefilled with 1
};

TEST(CgaBwcm, WritesOnlyTheSourcesOwnPixelsWithStrideW) {
    const QRgb k = qRgb(0, 0, 0), m = qRgb(255, 0, 255), c = qRgb(0, 255, 255);
    const QRgb w = qRgb(255, 255, 255), r = qRgb(255, 0, 0);
    const PictureCase cases[] = {
        {"narrower than W",
         fromRows({{k, m, c, w, r}, {w, w, w, w, w}}),
         {5, 2},
         8,
         {"01231111", "33333111", "11111111"}},
        {"loaded enlarged to the source size",
         fromRows({{m, c}, {w, k}}),
         {4, 4},
         4,
         {"1122", "1122", "3300", "3300"}},
        {"loaded shrunk to the source size",
         fromRows({{k, k, w, w}, {k, k, w, w}}),
         {2, 1},
         2,
         {"03", "11"}},
    };
    for (const auto& t : cases) {
        QImage source = grey(t.sourceSize.width(), t.sourceSize.height(), 200);
        PixelBuffer buffer = bufferOf(1);
        convertCga(t.loaded, source, t.pictureWidth, buffer);
        EXPECT_EQ(rows(buffer, t.pictureWidth, static_cast<int>(t.expected.size())), t.expected)
            << t.name;
        // The grey the source held before is gone: it was rebuilt from the loaded picture.
        QImage rebuilt(t.sourceSize, QImage::Format_RGB32);
        rebuilt.fill(Qt::black);
        stretchInto(t.loaded, rebuilt);
        EXPECT_EQ(source, rebuilt) << t.name;
    }
}

TEST(CgaBwcm, EmptySourceChangesNothing) {
    QImage source;
    PixelBuffer buffer = bufferOf(2);
    convertCga(filled(4, 4, qRgb(255, 255, 255)), source, 8, buffer);
    EXPECT_TRUE(source.isNull());
    EXPECT_TRUE(buffer == bufferOf(2));
}

}  // namespace
}  // namespace tovik
