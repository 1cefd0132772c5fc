#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace qm {

// Waits until the descriptor reports one of `events` (poll flags), for at most `timeoutMs` as
// measured by `clock`. With the SystemClock itself this is one poll with that time-out. With any
// other clock (a FakeClock in tests, the GUI's repainting clock) the descriptor is checked without
// waiting and the clock sleeps in steps of kFdWaitStepMs until the time is up, so time-outs
// follow that clock.
// Returns the poll revents (> 0) when ready, 0 when the time passed, -1 when poll failed (errno).
int WaitForFd(Clock& clock, int fd, short events, uint32_t timeoutMs);

inline constexpr uint32_t kFdWaitStepMs = 10;

} // namespace qm
