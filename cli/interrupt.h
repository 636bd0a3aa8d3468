#pragma once

namespace tovik::cli {

// While one lives, Ctrl+C (SIGINT), SIGTERM and SIGHUP only ask the program to stop:
// what is being written is written whole, nothing new is begun, and no temporary file is
// left behind. A signal the program was started with ignored stays ignored.
class StopOnSignal {
public:
    StopOnSignal();
    ~StopOnSignal();  // the previous handlers again
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;
};

// Whether a signal has asked the program to stop.
bool stopRequested();

// Ends the process by the signal that asked it to stop, as if it had not been caught, so
// that a shell or a script running the program sees the interruption and stops too.
[[noreturn]] void endByStopSignal();

}  // namespace tovik::cli
