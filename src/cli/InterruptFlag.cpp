#include "cli/InterruptFlag.h"

#include <atomic>
#include <iterator>

namespace qm::cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The one process-wide record of the signals: written by the handler, read by every thread.
std::atomic<int> gCount{0};
std::atomic<int> gLast{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free flag");

struct sigaction gPrevious[std::size(kSignals)]{};

extern "C" void OnInterrupt(int signal) {
    gLast.store(signal, std::memory_order_relaxed);
    gCount.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

InterruptFlag::InterruptFlag() {
    gCount = 0;
    gLast = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &gPrevious[i]);
    }
}

InterruptFlag::~InterruptFlag() {
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &gPrevious[i], nullptr);
    }
}

bool InterruptFlag::Raised() {
    return gCount.load(std::memory_order_relaxed) >= 1;
}

bool InterruptFlag::Forced() {
    return gCount.load(std::memory_order_relaxed) >= 2;
}

int InterruptFlag::LastSignal() {
    return gLast.load(std::memory_order_relaxed);
}

void InterruptFlag::Set(bool raised) {
    gCount = raised ? 1 : 0;
}

sigset_t InterruptFlag::Signals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

} // namespace qm::cli
