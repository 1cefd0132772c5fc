// Each fault option, seen from a plain socket client.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace qm::simtest {
namespace {

const std::string kAll = "SEND CONFIG\t:\tALL\r\nEXIT\r\n";

std::string NormalReply() {
    SimProcess sim({"--tcp", "127.0.0.1:0"});
    return sim.Ready() ? Exchange(sim.TcpPort(), LeadIn() + kAll).bytes : "";
}

std::vector<std::string> Args(std::initializer_list<std::string> extra) {
    std::vector<std::string> args = {"--tcp", "127.0.0.1:0"};
    args.insert(args.end(), extra);
    return args;
}

TEST(SimFaults, DelayTrickleAndStrayBytesKeepTheContent) {
    const std::string normal = NormalReply();
    ASSERT_GT(normal.size(), 1000u);
    {
        SimProcess sim(Args({"--delay-ms", "400"}));
        ASSERT_TRUE(sim.Ready());
        Reply r = Exchange(sim.TcpPort(), LeadIn() + kAll);
        EXPECT_GE(r.firstByteMs, 350);
        EXPECT_EQ(r.bytes, normal);
    }
    {
        SimProcess sim(Args({"--trickle", "700:60"}));
        ASSERT_TRUE(sim.Ready());
        Reply r = Exchange(sim.TcpPort(), LeadIn() + kAll, "END\r\n", 1000, 5000);
        EXPECT_EQ(r.bytes, normal);
        size_t pieces = (normal.size() + 699) / 700;
        EXPECT_GE(r.pieces, static_cast<int>(pieces));
        EXPECT_GE(r.elapsedMs, static_cast<long>(pieces - 1) * 60 - 20);
    }
    {
        SimProcess sim(Args({"--stray-bytes", "1"}));
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), LeadIn() + kAll).bytes, "?" + normal);
        EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "?00\r\n");
    }
}

TEST(SimFaults, SilentNeverAnswersButStillApplies) {
    TempDir dir;
    SimProcess sim(Args({"--silent", "--log", dir.Path("log")}));
    ASSERT_TRUE(sim.Ready());
    Reply r = Exchange(sim.TcpPort(), LeadIn() + kAll, "", 1000, 1200);
    EXPECT_EQ(r.bytes, "");
    EXPECT_FALSE(r.closed);
    EXPECT_EQ(Exchange(sim.TcpPort(),
                       "\x01"
                       "A",
                       "", 500, 700)
                  .bytes,
              "");
    EXPECT_NE(ReadFile(dir.Path("log")).find("tcp SILENT"), std::string::npos);
}

TEST(SimFaults, DropAfterClosesAfterExactlyThatManyBytes) {
    const std::string normal = NormalReply();
    SimProcess sim(Args({"--drop-after", "20"}));
    ASSERT_TRUE(sim.Ready());
    Reply r = Exchange(sim.TcpPort(), LeadIn() + kAll, "", 2000, 3000);
    EXPECT_TRUE(r.closed);
    EXPECT_EQ(r.bytes, normal.substr(0, 20));
    // The next connection is served again, and dropped again.
    Reply again = Exchange(sim.TcpPort(), LeadIn() + kAll, "", 2000, 3000);
    EXPECT_TRUE(again.closed);
    EXPECT_EQ(again.bytes.size(), 20u);
}

TEST(SimFaults, TerminatorVariants) {
    const std::string normal = NormalReply();
    ASSERT_GT(normal.size(), 5u);
    const std::string body = normal.substr(0, normal.size() - 5);
    {
        SimProcess sim(Args({"--no-end"}));
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), LeadIn() + kAll, "", 400).bytes, body);
    }
    {
        SimProcess sim(Args({"--trailing-t"}));
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), LeadIn() + kAll, "END\r\nT").bytes, normal + "T");
        // Status replies carry no terminator and so no T.
        EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "", 300).bytes, "00\r\n");
    }
    {
        SimProcess sim(Args({"--oversize"}));
        ASSERT_TRUE(sim.Ready());
        std::string big = Exchange(sim.TcpPort(), LeadIn() + kAll).bytes;
        EXPECT_GT(big.size(), 4096u);
        EXPECT_EQ(big.substr(0, body.size()), body);
        EXPECT_EQ(big.substr(big.size() - 5), "END\r\n");
    }
}

} // namespace
} // namespace qm::simtest
