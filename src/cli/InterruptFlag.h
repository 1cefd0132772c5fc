#pragma once

namespace qm::cli {

// Ctrl+C for the commands that serve many printers: while an InterruptFlag lives, the first
// SIGINT only sets the flag (the command starts no further printer and lets the running ones
// finish); the handler then goes back to the default, so a second Ctrl+C ends the program.
// The previous handler is put back when the object goes. Only the main thread should receive
// the signal: FleetRunner blocks it in its worker threads.
class InterruptFlag {
public:
    InterruptFlag();
    ~InterruptFlag();
    InterruptFlag(const InterruptFlag&) = delete;
    InterruptFlag& operator=(const InterruptFlag&) = delete;

    // True once SIGINT arrived (safe from any thread).
    static bool Raised();
    // For tests: as if SIGINT had arrived, or not.
    static void Set(bool raised);
};

} // namespace qm::cli
