#pragma once

namespace qm::fleet {

// Ctrl+C, SIGTERM and SIGHUP for a fleet run: while a StopSignals lives, the first of them
// only sets a flag (the run starts no further printer, lets the running ones finish and
// records its end); the handlers then go back to the default, so a second one ends the
// program. The previous handlers are put back when the object goes. The engine's worker
// threads block these signals, so only the main thread receives them.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // True once a signal arrived (safe from any thread).
    static bool Raised();
};

} // namespace qm::fleet
