#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace tovik {
class PictureDocument;
}

// Converts at once while a tool window's "Сразу" is checked. Changes that come faster
// than the screen draws are merged: at most one conversion a frame, with the settings
// the last change left. The conversions of one drag make one undo step: they share a
// merge key until the user lets go or pauses.
class LiveConverter : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 16;   // one frame of a 60 Hz screen
    static constexpr int kPauseMs = 600;  // a pause this long ends a drag

    // `convert` runs one conversion as an undo step with the given merge key.
    LiveConverter(tovik::PictureDocument& document, int mergeKey,
                  std::function<void(int mergeKey)> convert, QObject* parent);

    // A control changed.
    void request();
    // The drag is over: a waiting conversion runs now, and the next change starts a new
    // undo step.
    void finish();

private:
    void run();

    tovik::PictureDocument& document_;
    int mergeKey_;
    std::function<void(int)> convert_;
    QTimer frame_;  // waits for the next frame when changes come faster
    QTimer pause_;  // ends the drag when the changes stop
    QElapsedTimer sinceLast_;
};
