#pragma once

#include <csignal>

namespace qm::cli {

// Interrupts for the commands that serve many printers: while an InterruptFlag lives, the first
// SIGINT (Ctrl+C), SIGTERM (a service being stopped) or SIGHUP (the terminal gone) only sets the
// flag: the command starts no further printer, lets the running ones finish and prints its
// report. A second one of them sets Forced(): the command stops waiting, prints what is known
// and ends with 128 + that signal's number. The previous handlers are put back when the object
// goes. Only the main thread should receive the signals: FleetRunner blocks them in its worker
// threads.
class InterruptFlag {
public:
    InterruptFlag();
    ~InterruptFlag();
    InterruptFlag(const InterruptFlag&) = delete;
    InterruptFlag& operator=(const InterruptFlag&) = delete;

    // True once an interrupt signal arrived (safe from any thread).
    static bool Raised();
    // True once a second one arrived.
    static bool Forced();
    // The number of the last signal that arrived (0 when none).
    static int LastSignal();
    // For tests: as if one interrupt had arrived, or none.
    static void Set(bool raised);
    // SIGINT, SIGTERM and SIGHUP.
    static sigset_t Signals();
};

} // namespace qm::cli
