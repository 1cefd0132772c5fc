#include "cli/InterruptFlag.h"

#include <atomic>
#include <csignal>

namespace qm::cli {
namespace {

// The one process-wide record of the signal: written by the handler, read by every thread.
std::atomic<bool> gRaised{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

struct sigaction gPrevious {};

extern "C" void OnInterrupt(int) {
    gRaised.store(true, std::memory_order_relaxed);
}

} // namespace

InterruptFlag::InterruptFlag() {
    gRaised = false;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, &gPrevious);
}

InterruptFlag::~InterruptFlag() {
    sigaction(SIGINT, &gPrevious, nullptr);
}

bool InterruptFlag::Raised() {
    return gRaised.load(std::memory_order_relaxed);
}

void InterruptFlag::Set(bool raised) {
    gRaised = raised;
}

} // namespace qm::cli
