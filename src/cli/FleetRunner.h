#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace qm::cli {

// Runs one job per target on up to `jobs` threads at once. Each target's job runs exactly
// once, in a thread of its own choosing, and writes only its own result slot; the only state
// the threads share is the index of the next target (atomic). Before a target is started the
// stop test is asked; once it says stop, no further target starts and the running ones finish.
// While the jobs run, the abandon test (when given) is asked every kAbandonPollMs: once it says
// so, the runner returns at once with the results of the finished targets (`finished`), the
// running ones left to their threads, so that the caller can report what is known and end the
// process. The interrupt signals (SIGINT, SIGTERM, SIGHUP) are blocked in the worker threads,
// so they reach the main thread only.
template <typename Result> class FleetRunner {
public:
    struct Outcome {
        std::vector<Result> results; // by target index; a default Result where not finished
        std::vector<bool> started;   // false for targets left out after a stop
        std::vector<bool> finished;  // true where results holds the job's result
        size_t startedCount = 0;
        bool abandoned = false; // the abandon test ended the wait; some jobs may still run
    };

    static Outcome Run(size_t targets, int jobs, const std::function<Result(size_t)>& job,
                       const std::function<bool()>& stop,
                       const std::function<bool()>& abandon = nullptr);
};

inline constexpr unsigned kAbandonPollMs = 20;

// The non-template part: starts `workers` threads that each call `work` until it returns, the
// interrupt signals blocked in them. Joins them all and returns false; or, once abandon says
// so while some still run, leaves them running (detached) and returns true.
bool RunWorkers(int workers, const std::function<void()>& work,
                const std::function<bool()>& abandon);

} // namespace qm::cli

#include "cli/FleetRunner.inl"
