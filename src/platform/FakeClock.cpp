#include "platform/FakeClock.h"

namespace qm {

void FakeClock::SleepMs(uint32_t ms) {
    sleeps_.push_back(ms);
    now_ += ms;
    if (onSleep_) {
        onSleep_(now_);
    }
}

} // namespace qm
