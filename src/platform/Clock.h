#pragma once

#include <cstdint>

namespace qm {

// The time source every poll and time-out uses: a millisecond tick counter and a sleep.
// The GUI puts its repainting wait behind SleepMs; tests use FakeClock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
};

// Monotonic clock and a real sleep.
class SystemClock : public Clock {
public:
    uint64_t NowMs() override;
    void SleepMs(uint32_t ms) override;
    // The process-wide instance used when nothing else is given.
    static SystemClock& Instance();
};

} // namespace qm
