#include "cli/FleetRunner.h"

#include <csignal>
#include <pthread.h>
#include <thread>

namespace qm::cli {

void RunWorkers(int workers, const std::function<void()>& work) {
    // The threads inherit the mask in force when they are created: block SIGINT for them and
    // give the main thread its own mask back.
    sigset_t interrupt;
    sigset_t previous;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    pthread_sigmask(SIG_BLOCK, &interrupt, &previous);
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(workers));
    for (int i = 0; i < workers; ++i) {
        threads.emplace_back(work);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    for (std::thread& thread : threads) {
        thread.join();
    }
}

} // namespace qm::cli
