#include "convert/paletteranking.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

#include "convert/score.h"
#include "load/importpicture.h"
#include "picture/palette.h"

namespace tovik {

namespace {

// Items handed out one at a time to whichever thread asks next.
struct SharedWork {
    std::function<void(int)> work;
    int count = 0;
    std::atomic<int> next{0};
    std::mutex mutex;
    std::condition_variable allDone;
    int done = 0;
    std::exception_ptr error;

    void drain() {
        for (int i = next++; i < count; i = next++) {
            std::exception_ptr thrown;
            try {
                work(i);
            } catch (...) {
                thrown = std::current_exception();
            }
            const std::lock_guard lock(mutex);
            if (thrown && !error) {
                error = thrown;
            }
            if (++done == count) {
                allDone.notify_all();
            }
        }
    }
};

// Runs work(0) .. work(count - 1) on the calling thread and on the free threads of the
// global pool. The caller takes items too and waits only for items already taken, never
// for a helper to start: a window runs the ranking itself on the pool, and a blocking map
// there waits forever once every pool thread is such a caller. A helper that starts
// after the last item was taken finds nothing to do; the shared state outlives the call
// for it.
void runInParallel(int count, std::function<void(int)> work) {
    auto shared = std::make_shared<SharedWork>();
    shared->work = std::move(work);
    shared->count = count;
    QThreadPool* pool = QThreadPool::globalInstance();
    const int helpers = std::min(count, pool->maxThreadCount()) - 1;
    for (int h = 0; h < helpers; ++h) {
        // Nothing waits on the helper's future: the count of items done says when to return.
        static_cast<void>(QtConcurrent::run(pool, [shared] { shared->drain(); }));
    }
    shared->drain();
    std::unique_lock lock(shared->mutex);
    shared->allDone.wait(lock, [&] { return shared->done == shared->count; });
    if (shared->error) {
        std::rethrow_exception(shared->error);
    }
}

}  // namespace

std::vector<PaletteScore> rankPalettes(const MethodSettings& settings, const QImage& fitted,
                                       int pictureWidth) {
    if (const auto* search = std::get_if<SearchSettings>(&settings)) {
        // Ranked by the diffusion the search starts from; only the first is refined.
        std::vector<PaletteScore> results = rankPalettes(search->start, fitted, pictureWidth);
        for (size_t i = 1; i < results.size(); ++i) {
            results[i].searchStart = true;
        }
        PaletteScore& best = results.front();
        refinePaletteSearch(fitted, best.palette, pictureWidth, search->passes, best.buffer);
        best.score = PictureScorer(fitted).score(best.buffer, pictureWidth, best.palette);
        return results;
    }
    // The fitted picture's side of the score is the same for every palette.
    const PictureScorer scorer(fitted);
    std::vector<PaletteScore> results(kPaletteCount);
    for (int p = 0; p < kPaletteCount; ++p) {
        results[size_t(p)].palette = p;
    }
    if (usesPalette(settings)) {
        runInParallel(kPaletteCount, [&](int p) {
            PaletteScore& result = results[size_t(p)];
            // Copies share the pixels until a method writes to its own.
            QImage source = fitted;
            convertPicture(settings, fitted, source, p, pictureWidth, result.buffer);
            result.score = scorer.score(result.buffer, pictureWidth, p);
        });
    } else {
        PixelBuffer buffer;
        QImage source = fitted;
        convertPicture(settings, fitted, source, 0, pictureWidth, buffer);
        runInParallel(kPaletteCount, [&](int p) {
            results[size_t(p)].buffer = buffer;
            results[size_t(p)].score = scorer.score(buffer, pictureWidth, p);
        });
    }
    std::sort(results.begin(), results.end(), [](const PaletteScore& a, const PaletteScore& b) {
        return a.score != b.score ? a.score < b.score : a.palette < b.palette;
    });
    return results;
}

std::vector<PaletteScore> rankPalettes(const MethodSettings& settings,
                                       const ImportedPicture& picture) {
    return rankPalettes(settings, picture.fitted, picture.size.width);
}

}  // namespace tovik
