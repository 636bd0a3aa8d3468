// The document's steps: what one undo step gathers, when steps merge, and that every
// signal comes once, when a step ends.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>
#include <functional>

#include "convert/paletteranking.h"
#include "document/document.h"
#include "load/importpicture.h"
#include "picture/palette.h"
#include "picture/projectfile.h"

namespace tovik {
namespace {

struct Spies {
    explicit Spies(PictureDocument& d)
        : picture(&d, &PictureDocument::pictureChanged),
          pixel(&d, &PictureDocument::pixelChanged),
          size(&d, &PictureDocument::sizeChanged),
          palette(&d, &PictureDocument::paletteChanged),
          modified(&d, &PictureDocument::modifiedChanged) {}
    void clear() {
        for (QSignalSpy* s : {&picture, &pixel, &size, &palette, &modified}) {
            s->clear();
        }
    }
    QSignalSpy picture, pixel, size, palette, modified;
};

TEST(DocumentSteps, AnInnerStepJoinsTheOuterAndSignalsComeOnceAtItsEnd) {
    PictureDocument document;
    Spies spies(document);
    {
        PictureDocument::Step outer(document, QStringLiteral("всё"));
        document.setWidth(16);
        {
            PictureDocument::Step inner(document, QStringLiteral("внутри"));
            document.setWidth(24);
            document.setPalette(3);
        }
        document.setPalette(5);
        document.paintPixel(1, 1, 2);
        EXPECT_EQ(spies.size.count() + spies.palette.count() + spies.picture.count(), 0);
    }
    EXPECT_EQ(document.undoStack()->count(), 1);
    EXPECT_EQ(document.undoStack()->undoText(), QStringLiteral("всё"));
    EXPECT_EQ(spies.size.count(), 1);
    EXPECT_EQ(spies.palette.count(), 1);
    EXPECT_EQ(spies.picture.count(), 1);
    EXPECT_EQ(spies.modified.count(), 1);
    spies.clear();
    document.undoStack()->undo();
    EXPECT_EQ(document.width(), kStartWidth);
    EXPECT_EQ(document.palette(), 0);
    EXPECT_EQ(document.buffer().at(1 + kStartWidth), 0);
    EXPECT_EQ(spies.size.count(), 1);
    EXPECT_EQ(spies.palette.count(), 1);
    EXPECT_EQ(spies.picture.count(), 1);
    EXPECT_FALSE(document.isModified());
}

// Steps of one non-zero key merge until closeMerge; a key of 0 never merges.
TEST(DocumentSteps, StepsOfOneKeyMergeUntilTheMergeIsClosed) {
    struct Case {
        const char* name;
        std::vector<int> keys;  // a step a key; -1 closes the merge
        int expectedSteps;
    };
    const Case cases[] = {
        {"one key", {7, 7, 7}, 1},
        {"no key", {0, 0}, 2},
        {"two keys", {7, 7, 8, 8}, 2},
        {"closed", {7, 7, -1, 7}, 2},
        {"another step between", {7, 0, 7}, 3},
    };
    for (const Case& c : cases) {
        PictureDocument document;
        int width = kStartWidth;
        for (int key : c.keys) {
            if (key < 0) {
                document.closeMerge();
                continue;
            }
            PictureDocument::Step step(document, QStringLiteral("W"), key);
            width += 8;
            document.setWidth(width);
        }
        EXPECT_EQ(document.undoStack()->count(), c.expectedSteps) << c.name;
        EXPECT_EQ(document.width(), width) << c.name;
        while (document.undoStack()->canUndo()) {
            document.undoStack()->undo();
        }
        EXPECT_EQ(document.width(), kStartWidth) << c.name;
    }
}

// A painted pixel outside a step is a small step of its own: it signals only that pixel
// and undo brings back only that pixel.
TEST(DocumentSteps, APixelIsAStepOfItsOwn) {
    PictureDocument document;
    document.paintPixel(2, 3, 1);
    Spies spies(document);
    document.paintPixel(5, 6, 3);
    EXPECT_EQ(spies.pixel.count(), 1);
    EXPECT_EQ(spies.pixel.at(0), QList<QVariant>({5, 6}));
    EXPECT_EQ(spies.picture.count(), 0);
    EXPECT_EQ(document.undoStack()->count(), 2);
    document.undoStack()->undo();
    EXPECT_EQ(document.buffer().at(5 + 6 * kStartWidth), 0);
    EXPECT_EQ(document.buffer().at(2 + 3 * kStartWidth), 1);
    document.undoStack()->redo();
    EXPECT_EQ(document.buffer().at(5 + 6 * kStartWidth), 3);
}

// The "*" follows the saved state through undo and redo, and a step after an undo
// leaves the saved state behind for good.
TEST(DocumentSteps, TheModifiedFlagFollowsTheSavedState) {
    PictureDocument document;
    Spies spies(document);
    document.paintPixel(0, 0, 1);
    document.markSaved(QStringLiteral("a.bip"));
    EXPECT_FALSE(document.isModified());
    document.paintPixel(1, 0, 1);
    EXPECT_TRUE(document.isModified());
    document.undoStack()->undo();
    EXPECT_FALSE(document.isModified());
    document.undoStack()->undo();
    EXPECT_TRUE(document.isModified());
    document.undoStack()->redo();
    EXPECT_FALSE(document.isModified());
    document.undoStack()->undo();
    document.paintPixel(2, 0, 2);  // the saved step is gone from the redo side
    EXPECT_TRUE(document.isModified());
    while (document.undoStack()->canUndo()) {
        document.undoStack()->undo();
    }
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(spies.modified.count(), 7);
}

ImportedPicture grey(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / width, 90, y * 255 / height));
        }
    }
    return {image, image.size(), {width, height}, kLoadHeightMax};
}

// The picture counts as a conversion's result only while nothing changed what it made;
// a project or a raw strip makes its own picture the source.
TEST(DocumentSteps, AConversionIsShownUntilItsResultIsTouched) {
    const MethodSettings diffusion = DiffusionSettings{};
    struct Case {
        const char* name;
        std::function<void(PictureDocument&)> after;
        bool stillShown;
    };
    const Case cases[] = {
        {"nothing", [](PictureDocument&) {}, true},
        {"a pixel", [](PictureDocument& d) { d.paintPixel(0, 0, d.buffer().at(0) ^ 1); }, false},
        {"another palette", [](PictureDocument& d) { d.setPalette(7); }, false},
        {"another width", [](PictureDocument& d) { d.setWidth(24); }, false},
        {"the same palette again", [](PictureDocument& d) { d.setPalette(d.palette()); }, true},
        {"a raw strip", [](PictureDocument& d) { d.readRawStrip(QByteArray(32, '\xF0')); }, false},
        {"another picture of the same size",
         [](PictureDocument& d) { d.takePicture(grey(32, 32)); }, false},
    };
    for (const Case& c : cases) {
        PictureDocument document;
        {
            PictureDocument::Step step(document, QStringLiteral("импорт"));
            document.takePicture(grey(32, 32));
            document.convert(diffusion);
        }
        c.after(document);
        EXPECT_EQ(document.shownConversion().has_value(), c.stillShown) << c.name;
    }
    PictureDocument document;
    document.takePicture(grey(32, 32));
    document.convert(diffusion);
    QSignalSpy conversions(&document, &PictureDocument::conversionChanged);
    ProjectFile project{8, 8, 3, QByteArray(64, '\2')};
    document.openProject(project);
    EXPECT_FALSE(document.shownConversion());
    EXPECT_EQ(document.fittedPicture(), document.workingBitmap());
    EXPECT_EQ(document.sourcePicture(), document.workingBitmap());
    EXPECT_EQ(document.fittedPicture().pixel(0, 0), paletteColour(3, 2));
    document.undoStack()->undo();
    EXPECT_EQ(document.state().conversion, std::optional(diffusion));
    EXPECT_EQ(conversions.count(), 1);
}

// A refinement worked out elsewhere joins the search's own step, and only while the
// picture is still that search's untouched result at the top of the history. Once a save
// or a step came between, the search's step is the diffusion it shows.
TEST(DocumentSteps, ARefinementJoinsItsSearchsStepOnlyWhileNothingCameBetween) {
    const struct {
        const char* name;
        std::function<void(PictureDocument&)> between;
        bool joins;
        int undosToTheDiffusion;  // -1: the search stays
    } cases[] = {
        {"nothing", [](PictureDocument&) {}, true, -1},
        {"a painted pixel", [](PictureDocument& d) { d.paintPixel(0, 0, 3); }, false, 1},
        {"an undo", [](PictureDocument& d) { d.undoStack()->undo(); }, false, -1},
        {"a save", [](PictureDocument& d) { d.markSaved(QStringLiteral("a.bip")); }, false, 0},
        {"another palette", [](PictureDocument& d) { d.setPalette(4); }, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PictureDocument document;
        document.setRefinementDeferred(true);
        document.takePicture(grey(32, 32));
        document.setPictureSize(32, 32);
        const int steps = document.undoStack()->count();
        document.convert(SearchSettings{});
        const PixelBuffer start = document.buffer();
        PixelBuffer refined = start;
        refined.set(0, uint8_t(3 - start.at(0)));
        c.between(document);
        const PixelBuffer before = document.buffer();
        EXPECT_EQ(document.refineConversion(start, refined), c.joins);
        EXPECT_TRUE(document.buffer() == (c.joins ? refined : before));
        if (c.joins) {
            EXPECT_EQ(document.undoStack()->count(), steps + 1);
            EXPECT_FALSE(document.awaitedRefinement());
            document.undoStack()->undo();
            document.undoStack()->redo();
            EXPECT_TRUE(document.buffer() == refined);
        }
        if (c.undosToTheDiffusion >= 0) {
            for (int u = 0; u < c.undosToTheDiffusion; ++u) {
                document.undoStack()->undo();
            }
            EXPECT_TRUE(document.buffer() == start);
            EXPECT_EQ(document.shownConversion(), MethodSettings(SearchSettings{}.start));
            EXPECT_FALSE(document.awaitedRefinement());
        }
    }
}

// A ranking by search refines only its first entry; any other, once taken, is refined as a
// search conversion is: at once, or awaited when the windows refine in the background.
TEST(DocumentSteps, ARankedSearchEntryIsRefinedLikeItsConversion) {
    const SearchSettings search;
    for (const bool deferred : {false, true}) {
        for (const size_t rank : {size_t(0), size_t(1)}) {
            SCOPED_TRACE(testing::Message() << "deferred " << deferred << ", entry " << rank);
            PictureDocument document;
            document.setRefinementDeferred(deferred);
            document.takePicture(grey(32, 32));
            document.setPictureSize(32, 32);
            const std::vector<PaletteScore> ranking =
                rankPalettes(search, document.fittedPicture(), document.width());
            const PaletteScore& entry = ranking[rank];
            document.takeConversion(entry, search);
            PixelBuffer searched;
            convertSearch(document.fittedPicture(), search, entry.palette, document.width(),
                          searched);
            ASSERT_EQ(entry.buffer == searched, rank == 0);  // the refinement changes it
            const bool awaited = deferred && rank > 0;
            EXPECT_TRUE(document.buffer() == (awaited ? entry.buffer : searched));
            EXPECT_EQ(document.awaitedRefinement().has_value(), awaited);
            EXPECT_EQ(document.shownConversion(), MethodSettings(search));
        }
    }
}

}  // namespace
}  // namespace tovik
