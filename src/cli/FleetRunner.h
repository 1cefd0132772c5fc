#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace qm::cli {

// Runs one job per target on up to `jobs` threads at once. Each target's job runs exactly
// once, in a thread of its own choosing, and writes only its own result slot; the only state
// the threads share is the index of the next target (atomic). Before a target is started the
// stop test is asked; once it says stop, no further target starts and the running ones finish.
// SIGINT is blocked in the worker threads, so Ctrl+C reaches the main thread only.
template <typename Result> class FleetRunner {
public:
    struct Outcome {
        std::vector<Result> results; // by target index
        std::vector<bool> started;   // false for targets left out after a stop
        size_t startedCount = 0;
    };

    static Outcome Run(size_t targets, int jobs, const std::function<Result(size_t)>& job,
                       const std::function<bool()>& stop);
};

// The non-template part: starts `workers` threads that each call `work` until it returns,
// SIGINT blocked in them; joins them all.
void RunWorkers(int workers, const std::function<void()>& work);

} // namespace qm::cli

#include "cli/FleetRunner.inl"
