#include "fleet/ParallelRun.h"

#include <algorithm>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <sys/resource.h>
#include <system_error>
#include <thread>

namespace qm::fleet {

std::vector<bool> ParallelRun(const std::vector<size_t>& indices, int jobs,
                              const std::function<void(size_t)>& job,
                              const std::function<bool()>& mayStart) {
    std::vector<unsigned char> started(indices.size(), 0);
    std::mutex lock;
    size_t next = 0;
    bool stopped = false;
    auto work = [&] {
        while (true) {
            size_t position = 0;
            {
                std::lock_guard guard(lock);
                if (stopped || next >= indices.size()) {
                    return;
                }
                if (!mayStart()) {
                    stopped = true;
                    return;
                }
                position = next++;
                started[position] = 1;
            }
            job(indices[position]);
        }
    };
    const size_t workers = std::min(indices.size(), static_cast<size_t>(std::max(jobs, 1)));
    // The threads inherit the mask in force when they are created.
    sigset_t stopSignals;
    sigset_t previous;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &previous);
    std::vector<std::thread> threads;
    threads.reserve(workers);
    for (size_t i = 0; i < workers; ++i) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the system's thread limit: the threads already running take the rest
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (threads.empty()) {
        work(); // not one thread could be made: this thread does it all
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return {started.begin(), started.end()};
}

long RaiseDescriptorLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return -1;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    return static_cast<long>(limit.rlim_cur);
}

} // namespace qm::fleet
