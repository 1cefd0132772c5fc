#include "cli/FleetRunner.h"

#include "cli/InterruptFlag.h"

#include <atomic>
#include <chrono>
#include <pthread.h>
#include <thread>

namespace qm::cli {

bool RunWorkers(int workers, const std::function<void()>& work,
                const std::function<bool()>& abandon) {
    // The threads inherit the mask in force when they are created: block the interrupt signals
    // for them and give the main thread its own mask back.
    sigset_t interrupts = InterruptFlag::Signals();
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &interrupts, &previous);
    auto running = std::make_shared<std::atomic<int>>(workers);
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(workers));
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back([work, running] {
            work();
            running->fetch_sub(1);
        });
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (abandon) {
        while (running->load() > 0) {
            if (abandon()) {
                for (std::thread& thread : threads) {
                    thread.detach();
                }
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kAbandonPollMs));
        }
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    return false;
}

} // namespace qm::cli
