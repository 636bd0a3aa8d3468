#include "ui/backgroundrefinement.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include "convert/palettesearch.h"
#include "document/document.h"

using namespace tovik;

BackgroundRefinement::BackgroundRefinement(PictureDocument& document,
                                           std::function<void(const QString&)> note,
                                           QObject* parent)
    : QObject(parent), document_(document), note_(std::move(note)) {
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, &BackgroundRefinement::start);
    connect(&watcher_, &QFutureWatcher<bool>::finished, this, &BackgroundRefinement::collect);
    for (auto signal : {&PictureDocument::pictureChanged, &PictureDocument::conversionChanged}) {
        connect(&document_, signal, this, &BackgroundRefinement::follow);
    }
    connect(&document_, &PictureDocument::sizeChanged, this, &BackgroundRefinement::follow);
    connect(&document_, &PictureDocument::paletteChanged, this, &BackgroundRefinement::follow);
}

// The windows may be gone already: the refinement stops without a note.
BackgroundRefinement::~BackgroundRefinement() {
    if (cancel_) {
        cancel_->store(true);
    }
    watcher_.waitForFinished();
}

void BackgroundRefinement::follow() {
    if (applying_) {
        return;
    }
    cancel();
    if (document_.awaitedRefinement()) {
        rest_.start();
    }
}

void BackgroundRefinement::cancel() {
    rest_.stop();
    if (cancel_) {
        cancel_->store(true);
        cancel_.reset();
        note_(tr("Уточнение прервано"));
    }
}

void BackgroundRefinement::start() {
    const std::optional<SearchSettings> settings = document_.awaitedRefinement();
    if (!settings) {
        return;
    }
    if (watcher_.isRunning()) {
        rest_.start();  // the cancelled one is still stopping; try again after a rest
        return;
    }
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    start_ = document_.buffer();
    refined_ = std::make_shared<PixelBuffer>(start_);
    note_(tr("Уточнение: 0 %"));
    const QPointer<BackgroundRefinement> self(this);
    const std::shared_ptr<std::atomic<bool>> cancelled = cancel_;
    SearchControl control;
    control.cancel = cancelled.get();
    // One thread fewer than the processors: the window stays quick.
    control.threads = std::max(1, QThread::idealThreadCount() - 1);
    control.progress = [self, cancelled](int done, int total) {
        QMetaObject::invokeMethod(
            self,
            [self, cancelled, done, total] {
                if (self && !cancelled->load()) {
                    self->note_(tr("Уточнение: %1 %").arg(100 * done / std::max(total, 1)));
                }
            },
            Qt::QueuedConnection);
    };
    watcher_.setFuture(QtConcurrent::run(
        [fitted = document_.fittedPicture(), palette = document_.palette(),
         width = document_.width(), passes = settings->passes, refined = refined_, cancelled,
         control] {
            return refinePaletteSearch(fitted, palette, width, passes, *refined, control) &&
                   !cancelled->load();
        }));
}

void BackgroundRefinement::collect() {
    const bool done = watcher_.future().result() && cancel_ && !cancel_->load();
    cancel_.reset();
    bool applied = false;
    if (done) {
        applying_ = true;
        applied = document_.refineConversion(start_, *refined_);
        applying_ = false;
        note_(applied ? tr("Уточнено") : QString());
    }
    refined_.reset();
    emit finished(applied);
    if (!applied) {
        follow();  // the picture may await another refinement
    }
}
