#include "platform/FdWait.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <typeinfo>

namespace qm {
namespace {

int PollOnce(int fd, short events, int timeoutMs) {
    pollfd entry{fd, events, 0};
    int ready;
    do {
        ready = ::poll(&entry, 1, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
        return -1;
    }
    return ready == 0 ? 0 : (entry.revents != 0 ? entry.revents : events);
}

} // namespace

int WaitForFd(Clock& clock, int fd, short events, uint32_t timeoutMs) {
    uint64_t start = clock.NowMs();
    // Only the plain system clock waits inside poll; a clock derived from it may do work in
    // its sleep (repainting) and is stepped like any other.
    bool systemClock = typeid(clock) == typeid(SystemClock);
    while (true) {
        uint64_t elapsed = clock.NowMs() - start;
        uint32_t remaining = elapsed >= timeoutMs ? 0 : static_cast<uint32_t>(timeoutMs - elapsed);
        if (systemClock) {
            int result =
                PollOnce(fd, events, static_cast<int>(std::min<uint32_t>(remaining, 1u << 30)));
            if (result != 0 || clock.NowMs() - start >= timeoutMs) {
                return result;
            }
            continue; // woke early (rounding): wait for the rest
        }
        int result = PollOnce(fd, events, 0);
        if (result != 0 || remaining == 0) {
            return result;
        }
        clock.SleepMs(std::min(remaining, kFdWaitStepMs));
    }
}

} // namespace qm
