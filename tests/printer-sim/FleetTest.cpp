// The simulator's fleet mode: one printer per loopback address of a range in one process.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace qm::simtest {
namespace {

// 127.124.0.0/16 belongs to these tests; --port 0 makes a parallel run choose another port.
const std::string kBase = "127.124.3.";
constexpr int kPrinters = 8;

std::string At(int host) {
    return kBase + std::to_string(host);
}

std::string Range(int count) {
    return At(1) + "-" + At(count);
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kMachineInfo = "SEND MACHINE INFO\r\nEXIT\r\n";
const std::string kStandard = "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n";

TEST(SimFleet, EachAddressIsAPrinterWithItsOwnSerialNumberAndState) {
    TempDir dir;
    const std::string states = dir.Path("states");
    {
        SimProcess fleet({"--fleet", Range(kPrinters), "--port", "0", "--state-dir", states});
        ASSERT_TRUE(fleet.Ready());
        for (int host = 1; host <= kPrinters; ++host) {
            SCOPED_TRACE(host);
            Reply info = ExchangeAt(At(host), fleet.TcpPort(), LeadIn() + kMachineInfo);
            EXPECT_TRUE(Contains(info.bytes, "\r\nSerial Number\t:\tQM000000" +
                                                 std::to_string(host - 1) + "\r\n"))
                << info.bytes;
        }
        // A configuration changes the one printer it was sent to.
        ExchangeAt(At(3), fleet.TcpPort(), LeadIn() + "PRINT SPEED\t:\t3 IPS\r\nEND\r\n", "", 300,
                   1000);
        EXPECT_TRUE(Contains(ExchangeAt(At(3), fleet.TcpPort(), LeadIn() + kStandard).bytes,
                             "\r\nPRINT SPEED\t:\t3 IPS\r\n"));
        EXPECT_FALSE(Contains(ExchangeAt(At(4), fleet.TcpPort(), LeadIn() + kStandard).bytes,
                              "\r\nPRINT SPEED\t:\t3 IPS\r\n"));
        EXPECT_EQ(fleet.Stop(SIGTERM), 0);
    }
    for (int host = 1; host <= kPrinters; ++host) {
        EXPECT_NE(ReadFile(states + "/" + At(host) + ".state"), "") << host;
    }
    EXPECT_TRUE(Contains(ReadFile(states + "/" + At(3) + ".state"), "PRINT SPEED\t:\t3 IPS"));
    EXPECT_FALSE(Contains(ReadFile(states + "/" + At(4) + ".state"), "PRINT SPEED\t:\t3 IPS"));

    // Started again on the same folder, each printer finds its own settings.
    SimProcess again({"--fleet", Range(kPrinters), "--port", "0", "--state-dir", states});
    ASSERT_TRUE(again.Ready());
    EXPECT_TRUE(Contains(ExchangeAt(At(3), again.TcpPort(), LeadIn() + kStandard).bytes,
                         "\r\nPRINT SPEED\t:\t3 IPS\r\n"));
}

TEST(SimFleet, APrinterServesOneConnectionWhileTheOthersGoOnServing) {
    SimProcess fleet({"--fleet", Range(2), "--port", "0", "--model", "24"});
    ASSERT_TRUE(fleet.Ready());
    // Printer 1 holds a connection with a command still coming in.
    int holding = ConnectTcp(fleet.TcpPort(), At(1));
    ASSERT_GE(holding, 0);
    ASSERT_TRUE(WriteAll(holding, LeadIn() + "SEND CONFIG\t:\tSTAN"));
    // Printer 2 answers meanwhile.
    EXPECT_TRUE(Contains(ExchangeAt(At(2), fleet.TcpPort(), LeadIn() + kMachineInfo).bytes,
                         "Serial Number\t:\tQM2400001"));
    // A second connection to printer 1 waits until the first one ends.
    int waiting = ConnectTcp(fleet.TcpPort(), At(1));
    ASSERT_GE(waiting, 0);
    ASSERT_TRUE(WriteAll(waiting, "^ee\r\n"));
    EXPECT_EQ(ReadReply(waiting, "\r\n", 300, 300).bytes, "");
    ASSERT_TRUE(WriteAll(holding, "DARD\r\nEXIT\r\n"));
    EXPECT_TRUE(Contains(ReadReply(holding, "END\r\n", 400, 3000).bytes, "GLOBAL CONFIG"));
    ::close(holding);
    EXPECT_EQ(ReadReply(waiting, "\r\n", 300, 3000).bytes, "00\r\n");
    ::close(waiting);

    // Each printer's own idle time-out closes its connection.
    ExchangeAt(At(2), fleet.TcpPort(), LeadIn() + "TIMEOUT\t:\t1\r\nEND\r\n", "", 300, 1000);
    int idle = ConnectTcp(fleet.TcpPort(), At(2));
    ASSERT_GE(idle, 0);
    Reply closed = ReadReply(idle, "", 5000, 4000);
    EXPECT_TRUE(closed.closed);
    EXPECT_GE(closed.elapsedMs, 900);
    ::close(idle);
}

TEST(SimFleet, ReplyFaultsApplyToEveryPrinter) {
    // Stray bytes and a trickle: the reply comes in pieces, whole.
    SimProcess trickle({"--fleet", Range(2), "--port", "0", "--stray-bytes", "2", "--trickle",
                        "64:5", "--delay-ms", "50"});
    ASSERT_TRUE(trickle.Ready());
    for (int host = 1; host <= 2; ++host) {
        Reply reply = ExchangeAt(At(host), trickle.TcpPort(), LeadIn() + kMachineInfo);
        EXPECT_EQ(reply.bytes.substr(0, 2 + MarkerA().size()), "??" + MarkerA()) << host;
        EXPECT_TRUE(reply.bytes.ends_with("END\r\n")) << host;
        EXPECT_GT(reply.pieces, 1) << host;
    }
    // Dropping the connection after 40 bytes, then serving the next connection.
    SimProcess drop({"--fleet", Range(2), "--port", "0", "--drop-after", "40"});
    ASSERT_TRUE(drop.Ready());
    for (int round = 0; round < 2; ++round) {
        Reply reply = ExchangeAt(At(2), drop.TcpPort(), LeadIn() + kMachineInfo);
        EXPECT_EQ(reply.bytes.size(), 40u);
        EXPECT_TRUE(reply.closed);
    }
    // Silence: nothing comes, and a signal still ends the process at once.
    SimProcess silent({"--fleet", Range(2), "--port", "0", "--silent"});
    ASSERT_TRUE(silent.Ready());
    EXPECT_EQ(ExchangeAt(At(1), silent.TcpPort(), "^ee\r\n", "\r\n", 300, 500).bytes, "");
    EXPECT_EQ(silent.Stop(SIGINT, 3000), 0);
}

} // namespace
} // namespace qm::simtest
