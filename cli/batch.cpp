#include "cli/batch.h"

#include <unistd.h>
#include <QCoreApplication>

#include <QElapsedTimer>
#include <atomic>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "cli/interrupt.h"
#include "picture/error.h"

namespace tovik::cli {

namespace {

class Reporter {
public:
    Reporter(const std::vector<BatchPicture>& pictures, FILE* out, FILE* err)
        : pictures_(pictures),
          lines_(pictures.size()),
          failures_(pictures.size()),
          finished_(pictures.size(), false),
          out_(out),
          err_(err),
          terminal_(isatty(fileno(err)) != 0) {
        timer_.start();
        showProgress();
    }

    void finish(size_t index, const BatchOutcome& outcome, std::optional<QString> failure) {
        const std::lock_guard lock(mutex_);
        finished_[index] = true;
        lines_[index] = outcome.line;
        failures_[index] = std::move(failure);
        ++done_;
        result_.written += outcome.written ? 1 : 0;
        // Lines and failures are told in the order of the list, each once all before it
        // are done.
        for (; reported_ < pictures_.size() && finished_[reported_]; ++reported_) {
            if (!lines_[reported_].isEmpty()) {
                clearProgress();
                std::fprintf(out_, "%s\n", qUtf8Printable(lines_[reported_]));
                if (terminal_) {
                    // Before the progress line comes back on the same screen.
                    std::fflush(out_);
                }
            }
            if (failures_[reported_]) {
                ++result_.failed;
                clearProgress();
                // The picture's path goes first unless the message names it already.
                const QString& input = pictures_[reported_].input;
                const QString& failure = *failures_[reported_];
                std::fprintf(
                    err_, "tovik-images-cli: %s\n",
                    qUtf8Printable(failure.contains(input) ? failure : input + ": " + failure));
            }
        }
        showProgress();
    }

    BatchResult end() {
        if (terminal_) {
            std::fputc('\n', err_);
        }
        return result_;
    }

private:
    void clearProgress() {
        if (terminal_) {
            std::fputs("\r\033[K", err_);
        }
    }

    void showProgress() {
        if (terminal_) {
            std::fprintf(err_, "\r\033[K%zu/%zu pictures, %.1f s", done_, pictures_.size(),
                         double(timer_.elapsed()) / 1000);
            std::fflush(err_);
        }
    }

    const std::vector<BatchPicture>& pictures_;
    std::vector<QString> lines_;
    std::vector<std::optional<QString>> failures_;
    std::vector<bool> finished_;
    FILE* out_;
    FILE* err_;
    bool terminal_;
    QElapsedTimer timer_;
    std::mutex mutex_;
    size_t done_ = 0;
    size_t reported_ = 0;
    BatchResult result_;
};

}  // namespace

BatchResult runBatch(const std::vector<BatchPicture>& pictures, int jobs,
                     const std::function<BatchOutcome(const BatchPicture&)>& convertOne, FILE* out,
                     FILE* err) {
    Reporter reporter(pictures, out, err);
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < pictures.size() && !stopRequested(); i = next++) {
            BatchOutcome outcome;
            std::optional<QString> failure;
            try {
                outcome = convertOne(pictures[i]);
            } catch (const Error& e) {
                failure = e.message();
            } catch (const std::bad_alloc&) {
                failure = QCoreApplication::translate("tovik::cli", "out of memory");
            }
            reporter.finish(i, outcome, std::move(failure));
        }
    };
    const size_t threads = std::min(size_t(std::max(jobs, 1)), pictures.size());
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) {
        helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return reporter.end();
}

}  // namespace tovik::cli
