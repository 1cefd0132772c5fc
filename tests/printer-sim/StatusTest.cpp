// Status requests (no lead-in), counters and machine information.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <unistd.h>

namespace qm::simtest {
namespace {

const std::string kFlags("\x01"
                         "A",
                         2);

// The STX positions of a host status reply.
std::vector<size_t> Stx(const std::string& reply) {
    std::vector<size_t> at;
    for (size_t i = 0; i < reply.size(); ++i) {
        if (reply[i] == '\x02') {
            at.push_back(i);
        }
    }
    return at;
}

TEST(SimStatus, AllClearInEveryForm) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(Exchange(sim.TcpPort(), kFlags, "\r").bytes, "NNNNNNNN\r");
    EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "00\r\n");
    std::string hs = Exchange(sim.TcpPort(), "~HS\r\n", "", 300).bytes;
    std::vector<size_t> stx = Stx(hs);
    ASSERT_EQ(stx.size(), 3u);
    size_t s = stx[0];
    size_t t = stx[1];
    EXPECT_EQ(hs.substr(s, 9), "\x02"
                               "030,0,0,");
    EXPECT_EQ(hs[s + 13], ','); // four-digit label length: 4.00 in = 813 dots
    EXPECT_EQ(hs.substr(s + 9, 4), "0813");
    EXPECT_EQ(hs.substr(s + 14, 3), "000");
    EXPECT_EQ(hs[t + 7], '0');
    EXPECT_EQ(hs[t + 9], '0');
    EXPECT_EQ(hs[t + 17], '0');
    EXPECT_EQ(hs.substr(t + 19, 8), "00000000");
    EXPECT_EQ(hs.substr(hs.size() - 3), "\x03\r\n");
}

TEST(SimStatus, FlagsShowWhereTheProgramReadsThem) {
    {
        SimProcess sim(
            {"--tcp", "127.0.0.1:0", "--paper-out", "--paused", "--label-waiting", "--busy"});
        ASSERT_TRUE(sim.Ready());
        std::string flags = Exchange(sim.TcpPort(), kFlags, "\r").bytes;
        // interface, paper, ribbon, batch, printing, pause, label waiting, head up
        EXPECT_EQ(flags, "NYNNYYYN\r");
        std::string hs = Exchange(sim.TcpPort(), "~HS\r\n", "", 300).bytes;
        std::vector<size_t> stx = Stx(hs);
        ASSERT_EQ(stx.size(), 3u);
        EXPECT_EQ(hs[stx[0] + 5], '1');                   // paper out
        EXPECT_EQ(hs[stx[0] + 7], '1');                   // pause
        EXPECT_EQ(hs.substr(stx[0] + 14, 3), "001");      // formats waiting: busy
        EXPECT_EQ(hs[stx[1] + 17], '1');                  // label waiting
        EXPECT_EQ(hs.substr(stx[1] + 19, 8), "00000001"); // labels left: busy
        EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "07\r\n");
    }
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--head-up", "--ribbon-out"});
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), kFlags, "\r").bytes, "NNYNNNNY\r");
        std::string hs = Exchange(sim.TcpPort(), "~HS\r\n", "", 300).bytes;
        std::vector<size_t> stx = Stx(hs);
        ASSERT_EQ(stx.size(), 3u);
        EXPECT_EQ(hs[stx[1] + 7], '1'); // head up
        EXPECT_EQ(hs[stx[1] + 9], '1'); // ribbon out
        EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "11\r\n");
    }
    {
        // A long label gives a five-digit length, which moves the later fields by one.
        SimProcess sim({"--tcp", "127.0.0.1:0", "--busy"});
        ASSERT_TRUE(sim.Ready());
        Exchange(sim.TcpPort(), LeadIn() + "CONTINUOUS MEDIA LENGTH\t:\t1300.0\tMM\r\nEND\r\n", "",
                 300, 1000);
        std::string hs = Exchange(sim.TcpPort(), "~HS\r\n", "", 300).bytes;
        ASSERT_FALSE(hs.empty());
        EXPECT_EQ(hs.substr(9, 6), "10400,");
        EXPECT_EQ(hs.substr(15, 3), "001");
        EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "17\r\n");
    }
}

TEST(SimStatus, CountersAndMachineInformation) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24", "--serial", "GX4-123456"});
    ASSERT_TRUE(sim.Ready());
    Reply counters =
        Exchange(sim.TcpPort(),
                 LeadIn() + "SERIAL NUMBER CHECK:\r\nPRINT COUNTER:\r\nSERVICE COUNTER:\r\n"
                            "CUT COUNTER:\r\nEXIT\r\n",
                 "", 300);
    EXPECT_EQ(counters.bytes, "Serial Number : GX4-123456\r\n"
                              "Print Counter Length 1234.5 m\r\n"
                              "Service Counter Length 567.8 m\r\n"
                              "Cut Counter 89\r\n");
    std::string info = Exchange(sim.TcpPort(), LeadIn() + "SEND MACHINE INFO\r\nEXIT\r\n").bytes;
    EXPECT_EQ(info.substr(0, MarkerA().size()), MarkerA());
    std::vector<std::string> lines = CrLfLines(info.substr(MarkerA().size()));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Model Number\t:\tVexa Gorse");
    EXPECT_EQ(lines[1], "Serial Number\t:\tGX4-123456");
    EXPECT_EQ(lines[2].substr(0, 15), "Boot Version\t:\t");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Head Check\t:\tOK"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Print Counter\t:\t1234.5 m"), lines.end());
    EXPECT_EQ(lines.back(), "END");
}

// Prints: bytes without a lead-in on a connection of their own.
void Print(int port, const std::string& data) {
    int fd = ConnectTcp(port);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, data));
    ::close(fd);
}

std::string Counters(int port) {
    return Exchange(port,
                    LeadIn() + "PRINT COUNTER:\r\nSERVICE COUNTER:\r\nCUT COUNTER:\r\nEXIT\r\n", "",
                    300)
        .bytes;
}

TEST(SimStatus, CountersCountWhatIsPrinted) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
    ASSERT_TRUE(sim.Ready());
    // Zebra language, labels of 50.0 mm, the cutter cuts each label.
    Exchange(sim.TcpPort(),
             LeadIn() + "MACHINE EMULATION CODE\t:\tCODE_ZEBRA\r\nFUNCTION SELECT\t:\tCUT\r\n"
                        "CONTINUOUS MEDIA LENGTH\t:\t50.0\tMM\r\nEND\r\n",
             "", 300, 1000);
    // Two label formats, then a self test: three labels, 150 mm.
    Print(sim.TcpPort(), "^XA^FO20,20^FDfirst^FS^XZ\r\n^XA^FO20,20^FDsecond^FS^XZ\r\n");
    Print(sim.TcpPort(), "~WC\n");
    EXPECT_EQ(Counters(sim.TcpPort()), "Print Counter Length 1234.6 m\r\n"
                                       "Service Counter Length 567.9 m\r\n"
                                       "Cut Counter 92\r\n");
    // The machine information shows the same counters.
    std::string info = Exchange(sim.TcpPort(), LeadIn() + "SEND MACHINE INFO\r\nEXIT\r\n").bytes;
    EXPECT_NE(info.find("Print Counter\t:\t1234.6 m\r\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Cut Counter\t:\t92\r\n"), std::string::npos) << info;

    // Without the cutter a label is not cut; data that ends no label prints none.
    Exchange(sim.TcpPort(), LeadIn() + "FUNCTION SELECT\t:\tTEAR\r\nEND\r\n", "", 300, 1000);
    Print(sim.TcpPort(), std::string(12, '^') + "XA no end");
    Print(sim.TcpPort(), "~WC\n");
    EXPECT_EQ(Counters(sim.TcpPort()), "Print Counter Length 1234.7 m\r\n"
                                       "Service Counter Length 568.0 m\r\n"
                                       "Cut Counter 92\r\n");
}

} // namespace
} // namespace qm::simtest
