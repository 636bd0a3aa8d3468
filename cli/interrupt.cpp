#include "cli/interrupt.h"

#include <signal.h>

#include <atomic>
#include <cstdlib>

namespace tovik::cli {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

struct sigaction previous[kSignalCount];

void requestStop(int signal) {
    int none = 0;
    stopSignal.compare_exchange_strong(none, signal);
}

}  // namespace

StopOnSignal::StopOnSignal() {
    struct sigaction action {};
    action.sa_handler = requestStop;
    // Reads and writes under way go on rather than fail with EINTR.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < kSignalCount; ++i) {
        sigaction(kSignals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler != SIG_IGN) {
            sigaction(kSignals[i], &action, nullptr);
        }
    }
}

StopOnSignal::~StopOnSignal() {
    for (int i = 0; i < kSignalCount; ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
}

bool stopRequested() {
    return stopSignal.load() != 0;
}

void endByStopSignal() {
    const int signal = stopSignal.load();
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    raise(signal);
    std::_Exit(128 + signal);  // not reached: the default action ends the process
}

}  // namespace tovik::cli
