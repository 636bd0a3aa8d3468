// The document's steps: what one undo step gathers, when steps merge, and that every
// signal comes once, when a step ends.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUndoStack>

#include "document/document.h"

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

}  // namespace
}  // namespace tovik
