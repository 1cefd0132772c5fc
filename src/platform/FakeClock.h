#pragma once

#include "platform/Clock.h"

#include <functional>
#include <vector>

namespace qm {

// A clock for tests: time moves only when something sleeps (or Advance is called). Every sleep
// is recorded, and an optional hook runs at each sleep so a test can feed data "while waiting".
class FakeClock : public Clock {
public:
    uint64_t NowMs() override { return now_; }
    void SleepMs(uint32_t ms) override;
    void Advance(uint64_t ms) { now_ += ms; }

    const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
    void ClearSleeps() { sleeps_.clear(); }
    // Called after the time has moved on, with the new time.
    void SetOnSleep(std::function<void(uint64_t nowMs)> hook) { onSleep_ = std::move(hook); }

private:
    uint64_t now_ = 1000000;
    std::vector<uint32_t> sleeps_;
    std::function<void(uint64_t)> onSleep_;
};

} // namespace qm
