#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "picture/pixelbuffer.h"

namespace tovik {
class PictureDocument;
}

// Refines a search conversion in the background ("Уточнить" of the "Палитра" window).
// The document shows the diffusion the search starts from at once; once the picture has
// rested a moment as that untouched result, the refinement runs on another thread and,
// if nothing has changed meanwhile, replaces the picture within the conversion's own undo
// step. Any change of the picture cancels it; the window never waits for it.
class BackgroundRefinement : public QObject {
    Q_OBJECT
public:
    // How long the picture rests before the refinement starts: live changes, one a
    // frame, never start one.
    static constexpr int kRestMs = 150;

    // `note` shows the progress in the status bar.
    BackgroundRefinement(tovik::PictureDocument& document,
                         std::function<void(const QString&)> note, QObject* parent);
    ~BackgroundRefinement() override;

    // The picture changed: a running refinement stops, and an awaited one is started
    // after the rest.
    void follow();
    // Stops a running refinement; its result is dropped.
    void cancel();
    bool isRunning() const { return watcher_.isRunning(); }

signals:
    // A refinement ended: applied to the picture, or dropped.
    void finished(bool applied);

private:
    void start();
    void collect();

    tovik::PictureDocument& document_;
    std::function<void(const QString&)> note_;
    QTimer rest_;
    QFutureWatcher<bool> watcher_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    tovik::PixelBuffer start_;
    std::shared_ptr<tovik::PixelBuffer> refined_;
    bool applying_ = false;
};
