// ICMP echoes on loopback: many single echoes at once, and the sweep.

#include "connection/IcmpEcho.h"
#include "connection/IcmpSweep.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace qm {
namespace {

// 127.124.0.0/16 is this loopback range; every 127/8 address answers an echo.
uint32_t Loopback(int third, int fourth) {
    return htonl((127u << 24) | (124u << 16) | (static_cast<uint32_t>(third) << 8) |
                 static_cast<uint32_t>(fourth));
}

bool EchoAvailable() {
    return SendIcmpEcho(SystemClock::Instance(), htonl(INADDR_LOOPBACK), 500) !=
           EchoResult::kUnavailable;
}

TEST(IcmpEcho, ManyEchoesAtOnceAllGetTheirReplies) {
    if (!EchoAvailable()) {
        GTEST_SKIP() << "no ICMP socket allowed here";
    }
    // Each echo has its own socket; on a raw socket that is not narrowed to its target, every
    // socket receives every reply of the host and the buffers overflow.
    constexpr int kEchoes = 200;
    constexpr int kRounds = 1;
    std::atomic<int> missed{0};
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::thread> threads;
        for (int i = 0; i < kEchoes; ++i) {
            threads.emplace_back([&missed, i] {
                if (SendIcmpEcho(SystemClock::Instance(), Loopback(6, 1 + i % 250), 1000) !=
                    EchoResult::kReply) {
                    ++missed;
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
    }
    EXPECT_EQ(missed.load(), 0);
}

TEST(IcmpEcho, AnEchoSocketSeesOnlyItsTargetsReplies) {
    bool raw = false;
    bool unavailable = false;
    const int fd = icmp::OpenTargetSocket(Loopback(6, 1), raw, unavailable);
    if (unavailable) {
        GTEST_SKIP() << "no ICMP socket allowed here";
    }
    ASSERT_GE(fd, 0);
    // Another address's echo, request and reply, passes this socket by.
    ASSERT_EQ(SendIcmpEcho(SystemClock::Instance(), Loopback(6, 2), 1000), EchoResult::kReply);
    pollfd p{fd, POLLIN, 0};
    EXPECT_EQ(::poll(&p, 1, 100), 0);
    // Its own target's reply comes.
    uint8_t request[icmp::kRequestBytes];
    icmp::BuildRequest(icmp::ProcessIdentifier(), icmp::ReserveSequences(1), request);
    ASSERT_EQ(::send(fd, request, sizeof request, 0), static_cast<ssize_t>(sizeof request));
    EXPECT_EQ(::poll(&p, 1, 1000), 1);
    ::close(fd);
}

TEST(IcmpSweep, TellsTheAnsweringAddressesFromTheSilentOnes) {
    if (!EchoAvailable()) {
        GTEST_SKIP() << "no ICMP socket allowed here";
    }
    std::vector<uint32_t> addresses;
    for (int third = 8; third <= 9; ++third) {
        for (int fourth = 0; fourth <= 255; ++fourth) {
            addresses.push_back(Loopback(third, fourth));
        }
    }
    // An address of a documentation range (never routed: silent) and the broadcast address
    // (the request is refused without SO_BROADCAST).
    const size_t silent = 300;
    const size_t refused = 301;
    in_addr nowhere{};
    ASSERT_EQ(::inet_pton(AF_INET, "198.51.100.7", &nowhere), 1);
    addresses[silent] = nowhere.s_addr;
    addresses[refused] = htonl(INADDR_BROADCAST);

    // Two sweeps at once from one process: their sequence numbers do not mix.
    std::vector<EchoResult> other;
    std::thread parallel([&] { other = SendIcmpSweep(SystemClock::Instance(), addresses, 400); });
    std::vector<EchoResult> results = SendIcmpSweep(SystemClock::Instance(), addresses, 400);
    parallel.join();
    for (const auto* run : {&results, &other}) {
        ASSERT_EQ(run->size(), addresses.size());
        for (size_t i = 0; i < addresses.size(); ++i) {
            const bool quiet = i == silent || i == refused;
            EXPECT_EQ((*run)[i], quiet ? EchoResult::kNoReply : EchoResult::kReply) << i;
        }
    }
    EXPECT_TRUE(SendIcmpSweep(SystemClock::Instance(), {}, 400).empty());
}

} // namespace
} // namespace qm
