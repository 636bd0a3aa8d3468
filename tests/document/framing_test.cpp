// Frame and tone as part of the document's state: undo brings them back exactly.
#include <gtest/gtest.h>

#include <QUndoStack>

#include "document/document.h"
#include "load/importpicture.h"
#include "picture/error.h"

namespace tovik {
namespace {

QImage gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x ^ y) & 255));
        }
    }
    return image;
}

TEST(DocumentFraming, UndoBringsBackFrameToneAndPicture) {
    PictureDocument document;
    const ImportedPicture picture = importImage(gradient(300, 200));
    document.takePicture(picture);
    const ThresholdSettings method;
    document.convert(method);
    const PictureState plain = document.state();
    // Each change as a window makes it: framing and conversion in one step.
    const Framing first{.frame = {Frame::Kind::Rect, QRect(10, 20, 150, 100)},
                        .tone = {.brightness = 30, .gamma = 1.7},
                        .size = PictureSize{120, 80}};
    const Framing second{.frame = {Frame::Kind::Rect, QRect(40, 20, 150, 100)},
                         .tone = {.brightness = 30, .gamma = 1.7, .sharpen = 60},
                         .size = PictureSize{120, 80}};
    for (const Framing& framing : {first, second}) {
        PictureDocument::Step step(document, QStringLiteral("кадр и тон"));
        document.setFraming(framing);
        document.convert(method);
    }
    EXPECT_EQ(document.fittedPicture(), framePicture(picture, second).fitted);
    const PictureState afterSecond = document.state();
    document.undoStack()->undo();
    EXPECT_EQ(document.framing(), first);
    EXPECT_EQ(document.fittedPicture(), framePicture(picture, first).fitted);
    EXPECT_EQ(document.width(), 120);
    document.undoStack()->undo();
    EXPECT_EQ(document.framing(), Framing{});
    EXPECT_EQ(document.fittedPicture(), plain.fitted);
    EXPECT_TRUE(document.buffer() == plain.buffer);
    EXPECT_EQ(document.width(), plain.width);
    document.undoStack()->redo();
    document.undoStack()->redo();
    EXPECT_EQ(document.framing(), second);
    EXPECT_TRUE(document.buffer() == afterSecond.buffer);
    // A refused frame changes nothing and leaves no step.
    const int steps = document.undoStack()->count();
    EXPECT_THROW(document.setFraming({.frame = {Frame::Kind::Rect, QRect(200, 0, 101, 10)}}),
                 Error);
    EXPECT_EQ(document.framing(), second);
    EXPECT_EQ(document.undoStack()->count(), steps);
}

}  // namespace
}  // namespace tovik
