#include "ui/liveconverter.h"

#include <algorithm>

#include "document/document.h"
#include "ui/application.h"

LiveConverter::LiveConverter(tovik::PictureDocument& document, int mergeKey,
                             std::function<void(int)> convert, QObject* parent)
    : QObject(parent), document_(document), mergeKey_(mergeKey), convert_(std::move(convert)) {
    frame_.setSingleShot(true);
    connect(&frame_, &QTimer::timeout, this, &LiveConverter::run);
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] { document_.closeMerge(); });
}

// The first change of a quiet spell runs as soon as the events already waiting are
// handled, so a burst of changes made together converts once; later ones wait for the
// rest of the frame.
void LiveConverter::request() {
    if (frame_.isActive()) {
        return;
    }
    const qint64 since = sinceLast_.isValid() ? sinceLast_.elapsed() : kFrameMs;
    frame_.start(static_cast<int>(std::max<qint64>(0, kFrameMs - since)));
}

void LiveConverter::finish() {
    if (frame_.isActive()) {
        frame_.stop();
        run();
    }
    pause_.stop();
    document_.closeMerge();
}

void LiveConverter::run() {
    sinceLast_.restart();
    runGuarded([this] { convert_(mergeKey_); });
    pause_.start();
}
