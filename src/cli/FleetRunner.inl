#pragma once

#include <algorithm>
#include <atomic>

namespace qm::cli {

template <typename Result>
typename FleetRunner<Result>::Outcome
FleetRunner<Result>::Run(size_t targets, int jobs, const std::function<Result(size_t)>& job,
                         const std::function<bool()>& stop, const std::function<bool()>& abandon) {
    // Everything the threads touch lives as long as the last of them: a runner that gives up
    // waiting returns while jobs still run.
    struct State {
        explicit State(size_t count)
            : results(count), started(new std::atomic<unsigned char>[count]()),
              finished(new std::atomic<unsigned char>[count]()) {}
        std::vector<Result> results;
        std::unique_ptr<std::atomic<unsigned char>[]> started;
        std::unique_ptr<std::atomic<unsigned char>[]> finished;
        std::atomic<size_t> next{0};
        std::atomic<bool> stopped{false};
        std::function<Result(size_t)> job;
        std::function<bool()> stop;
    };
    auto state = std::make_shared<State>(targets);
    state->job = job;
    state->stop = stop;
    auto work = [state, targets] {
        while (true) {
            if (state->stopped.load() || state->stop()) {
                state->stopped = true;
                return;
            }
            const size_t index = state->next.fetch_add(1);
            if (index >= targets) {
                return;
            }
            state->started[index].store(1);
            state->results[index] = state->job(index);
            state->finished[index].store(1, std::memory_order_release);
        }
    };
    const int workers =
        static_cast<int>(std::min<size_t>(targets, static_cast<size_t>(std::max(jobs, 1))));

    Outcome outcome;
    outcome.abandoned = RunWorkers(workers, work, abandon);
    outcome.results.resize(targets);
    outcome.started.assign(targets, false);
    outcome.finished.assign(targets, false);
    for (size_t i = 0; i < targets; ++i) {
        outcome.started[i] = state->started[i].load() != 0;
        if (state->finished[i].load(std::memory_order_acquire) != 0) {
            outcome.finished[i] = true;
            outcome.results[i] = state->results[i];
        }
    }
    outcome.startedCount =
        static_cast<size_t>(std::count(outcome.started.begin(), outcome.started.end(), true));
    return outcome;
}

} // namespace qm::cli
