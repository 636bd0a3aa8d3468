// The document's undo history: bounded in bytes, the oldest steps dropped first.
#include <gtest/gtest.h>

#include <QUndoStack>

#include "load/importpicture.h"
#include "document/document.h"

namespace tovik {
namespace {

ImportedPicture distinctPicture(int n) {
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(qRgb(n % 256, n / 256, 7));
    return {image, image.size(), {256, 256}, 256};
}

TEST(DocumentHistoryTest, HoldsAtMostItsBytesAndDropsTheOldestSteps) {
    PictureDocument document;
    document.markSaved(QStringLiteral("start.bip"));
    std::vector<PictureState> states{document.state()};
    constexpr int kSteps = 120;  // each keeps about a megabyte of pictures
    for (int n = 1; n <= kSteps; ++n) {
        PictureDocument::Step step(document, QStringLiteral("импорт"));
        document.takePicture(distinctPicture(n));
        document.redraw();
        states.push_back(document.state());
    }
    QUndoStack* stack = document.undoStack();
    EXPECT_LE(document.historyBytes(), PictureDocument::kHistoryBytes);
    ASSERT_LT(stack->count(), kSteps);
    ASSERT_GT(stack->count(), 16);
    EXPECT_EQ(stack->index(), stack->count());
    // What is left undoes to the state after the dropped steps, not further.
    while (stack->canUndo()) {
        stack->undo();
    }
    const PictureState& oldest = states[size_t(kSteps - stack->count())];
    EXPECT_EQ(document.fittedPicture(), oldest.fitted);
    EXPECT_EQ(document.width(), 256);
    // The saved state was dropped with them: nothing gets back to it.
    EXPECT_TRUE(document.isModified());
    while (stack->canRedo()) {
        stack->redo();
    }
    EXPECT_EQ(document.fittedPicture(), states.back().fitted);
}

}  // namespace
}  // namespace tovik
