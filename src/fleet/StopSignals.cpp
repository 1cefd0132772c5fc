#include "fleet/StopSignals.h"

#include <atomic>
#include <csignal>

namespace qm::fleet {
namespace {

// Written by the handler, read by every thread.
std::atomic<bool> gRaised{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");
struct sigaction gPreviousInterrupt {};
struct sigaction gPreviousTerminate {};
struct sigaction gPreviousHangup {};

extern "C" void OnStopSignal(int) {
    gRaised.store(true, std::memory_order_relaxed);
}

} // namespace

StopSignals::StopSignals() {
    gRaised = false;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigaction(SIGINT, &action, &gPreviousInterrupt);
    sigaction(SIGTERM, &action, &gPreviousTerminate);
    sigaction(SIGHUP, &action, &gPreviousHangup);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &gPreviousInterrupt, nullptr);
    sigaction(SIGTERM, &gPreviousTerminate, nullptr);
    sigaction(SIGHUP, &gPreviousHangup, nullptr);
}

bool StopSignals::Raised() {
    return gRaised.load(std::memory_order_relaxed);
}

} // namespace qm::fleet
