#include "platform/FdWait.h"
#include "platform/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <poll.h>
#include <unistd.h>

namespace qm {
namespace {

class Pipe {
public:
    Pipe() { EXPECT_EQ(::pipe(fds_), 0); }
    ~Pipe() {
        ::close(fds_[0]);
        ::close(fds_[1]);
    }
    int Reader() const { return fds_[0]; }
    void Put() const { EXPECT_EQ(::write(fds_[1], "x", 1), 1); }

private:
    int fds_[2] = {-1, -1};
};

TEST(FdWait, FollowsAFakeClock) {
    Pipe pipe;
    FakeClock clock;
    uint64_t start = clock.NowMs();
    EXPECT_EQ(WaitForFd(clock, pipe.Reader(), POLLIN, 1000), 0);
    EXPECT_EQ(clock.NowMs() - start, 1000u);
    EXPECT_EQ(clock.Sleeps().size(), 100u);

    // Data that comes while the clock sleeps ends the wait at that moment.
    start = clock.NowMs();
    clock.SetOnSleep([&](uint64_t now) {
        if (now - start == 50) {
            pipe.Put();
        }
    });
    EXPECT_NE(WaitForFd(clock, pipe.Reader(), POLLIN, 1000) & POLLIN, 0);
    EXPECT_EQ(clock.NowMs() - start, 50u);

    // Ready at once: no sleep at all; a zero time-out only looks.
    clock.ClearSleeps();
    EXPECT_NE(WaitForFd(clock, pipe.Reader(), POLLIN, 0), 0);
    EXPECT_TRUE(clock.Sleeps().empty());
}

TEST(FdWait, SystemClockWaitsInPoll) {
    Pipe pipe;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForFd(SystemClock::Instance(), pipe.Reader(), POLLIN, 30), 0);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(29));
    EXPECT_LT(waited, std::chrono::seconds(5));
    pipe.Put();
    EXPECT_NE(WaitForFd(SystemClock::Instance(), pipe.Reader(), POLLIN, 10000) & POLLIN, 0);
}

} // namespace
} // namespace qm
