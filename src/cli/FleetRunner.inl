#pragma once

#include <algorithm>
#include <atomic>

namespace qm::cli {

template <typename Result>
typename FleetRunner<Result>::Outcome
FleetRunner<Result>::Run(size_t targets, int jobs, const std::function<Result(size_t)>& job,
                         const std::function<bool()>& stop) {
    Outcome outcome;
    outcome.results.resize(targets);
    // std::vector<bool> packs its elements, so neighbouring slots would share a word: each
    // thread marks its target in a byte of its own and the flags are copied after the join.
    std::vector<unsigned char> started(targets, 0);
    std::atomic<size_t> next{0};
    std::atomic<bool> stopped{false};
    auto work = [&] {
        while (true) {
            if (stopped.load() || stop()) {
                stopped = true;
                return;
            }
            size_t index = next.fetch_add(1);
            if (index >= targets) {
                return;
            }
            started[index] = 1;
            outcome.results[index] = job(index);
        }
    };
    int workers =
        static_cast<int>(std::min<size_t>(targets, static_cast<size_t>(std::max(jobs, 1))));
    RunWorkers(workers, work);
    outcome.started.assign(started.begin(), started.end());
    outcome.startedCount = static_cast<size_t>(std::count(started.begin(), started.end(), 1));
    return outcome;
}

} // namespace qm::cli
