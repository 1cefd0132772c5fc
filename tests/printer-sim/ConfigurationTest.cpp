// Configurations: lead-in handling, values applied to the state, emulation switch, the state
// file, and the sensor adjustment answer.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>
#include <unistd.h>

namespace qm::simtest {
namespace {

const std::string kStandard = "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(SimConfiguration, AppliedValuesShowInTheNextReceive) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24", "--log", dir.Path("log")});
    ASSERT_TRUE(sim.Ready());
    std::string config = LeadIn() + "GLOBAL CONFIG\t:\tCONFIG SET 2\r\nLOADMACRO\r\n"
                                    "PRINT SPEED\t:\t6 IPS\r\n"
                                    "CONTINUOUS MEDIA LENGTH\t:\t2.00\tINCH\r\n"
                                    "METRIC/INCH\t:\tMM\r\n"
                                    "LCD STANDBY\t:\tON\r\n"
                                    "STANDBY MODE\t:\tON\r\n" // not this model's spelling
                                    "IPV4 ADDRESS\t:\t10,0,0,7\r\n"
                                    "IPV4 GATEWAY\t:\t10.0.0.1\r\n" // dotted form: rejected
                                    "PRINT DARKNESS\t:\tabc\r\n"
                                    "HEAD CHECK STOP POS\t:\tDOT\t700\r\n"
                                    "PEEL WAIT DELAY\t:\t1.55\r\n" // too many decimals
                                    "SAVE\r\nEND\r\n";
    Reply none = Exchange(sim.TcpPort(), config, "", 300, 1000);
    EXPECT_EQ(none.bytes, "");

    std::string all = Exchange(sim.TcpPort(), LeadIn() + "SEND CONFIG\t:\tALL\r\nEXIT\r\n").bytes;
    EXPECT_TRUE(Contains(all, "\r\nGLOBAL CONFIG\t:\tCONFIG SET 2\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nPRINT SPEED\t:\t6 IPS\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nCONTINUOUS MEDIA LENGTH\t:\t50.8\tMM\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nMAX MEDIA LENGTH\t:\t254.0\tMM\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nLCD STANDBY\t:\tON\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nIPV4 ADDRESS\t:\t10,0,0,7\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nIPV4 GATEWAY\t:\t0,0,0,0\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nPRINT DARKNESS\t:\t10\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nHEAD CHECK STOP POS\t:\tDOT\t700\r\n"));
    EXPECT_TRUE(Contains(all, "\r\nPEEL WAIT DELAY\t:\t1.0\r\n"));

    std::string log = ReadFile(dir.Path("log"));
    EXPECT_TRUE(Contains(log, "tcp RECV configuration \"~!!\\r\\n\\x02\\x1b~A\\r\\n~\\x1b~A\\r\\n"
                              "GLOBAL CONFIG\\t:\\tCONFIG SET 2\\r\\n"));
    EXPECT_TRUE(Contains(log, "APPLY PRINT SPEED = \"6 IPS\""));
    EXPECT_TRUE(Contains(log, "IGNORE \"STANDBY MODE\\t:\\tON\""));
    EXPECT_TRUE(Contains(log, "REJECT \"IPV4 GATEWAY\\t:\\t10.0.0.1\""));
    EXPECT_TRUE(Contains(log, "REJECT \"PRINT DARKNESS\\t:\\tabc\""));
    EXPECT_TRUE(Contains(log, "NOTE LOADMACRO"));
}

TEST(SimConfiguration, RequestsNeedTheLeadInWhichMayArriveInPieces) {
    TempDir dir;
    SimProcess sim(
        {"--tcp", "127.0.0.1:0", "--print-log", dir.Path("printed"), "--log", dir.Path("log")});
    ASSERT_TRUE(sim.Ready());
    // Without the lead-in the text is printed, not answered.
    Reply bare = Exchange(sim.TcpPort(), kStandard, "", 300, 1000);
    EXPECT_EQ(bare.bytes, "");
    EXPECT_TRUE(Contains(ReadFile(dir.Path("printed")),
                         "kind=data language=- emulation=native bytes=30 "
                         "data=\"SEND CONFIG\\t:\\tSTANDARD\\r\\nEXIT\\r\\n\""));

    // Lead-in, then after a pause the rest, split inside the lead-in and inside a line.
    int fd = ConnectTcp(sim.TcpPort());
    ASSERT_GE(fd, 0);
    std::string request = LeadIn() + kStandard;
    ASSERT_TRUE(WriteAll(fd, request.substr(0, 7)));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(WriteAll(fd, request.substr(7, 20)));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(WriteAll(fd, request.substr(27)));
    Reply reply = ReadReply(fd, "END\r\n", 400, 3000);
    ::close(fd);
    EXPECT_EQ(reply.bytes.substr(0, MarkerA().size() + 13), MarkerA() + "GLOBAL CONFIG");
    EXPECT_FALSE(Contains(reply.bytes, "SEND CONFIG"));

    // A configuration that pauses for a second half-way is still taken whole.
    fd = ConnectTcp(sim.TcpPort());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + "PRINT SPEED\t:\t3 IPS\r\nPRINT DAR"));
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    ASSERT_TRUE(WriteAll(fd, "KNESS\t:\t14\r\nEND\r\n"));
    ::close(fd);
    std::string after = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
    EXPECT_TRUE(Contains(after, "\r\nPRINT SPEED\t:\t3 IPS\r\n"));
    EXPECT_TRUE(Contains(after, "\r\nPRINT DARKNESS\t:\t14\r\n"));

    // A request whose EXIT never comes is not answered, also once the silence limit passed.
    fd = ConnectTcp(sim.TcpPort());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + "SEND CONFIG\t:\tSTANDARD\r\n"));
    Reply cut = ReadReply(fd, "", 2600, 2600);
    ::close(fd);
    EXPECT_EQ(cut.bytes, "");
    EXPECT_FALSE(cut.closed);
    EXPECT_TRUE(Contains(ReadFile(dir.Path("log")), "tcp INCOMPLETE"));
}

TEST(SimConfiguration, LengthsSentBackUnchangedDoNotDriftWhenTheUnitChanges) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "32"});
    ASSERT_TRUE(sim.Ready());
    std::string before = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
    ASSERT_TRUE(Contains(before, "\r\nRFID NGMARK WIDTH\t:\t0.39\tINCH\r\n")); // 10.0 mm
    Exchange(sim.TcpPort(),
             LeadIn() + "RFID NGMARK WIDTH\t:\t0.39\tINCH\r\nRFID NG MARK HEIGHT\t:\t0.40\tINCH\r\n"
                        "METRIC/INCH\t:\tMM\r\nEND\r\n",
             "", 300, 1000);
    std::string after = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
    EXPECT_TRUE(Contains(after, "\r\nRFID NGMARK WIDTH\t:\t10.0\tMM\r\n"));
    // A changed value is taken and converted (0.40 in = 10.16 mm), under either spelling.
    EXPECT_TRUE(Contains(after, "\r\nRFID NGMARK HEIGHT\t:\t10.2\tMM\r\n"));
}

TEST(SimConfiguration, EmulationSwitchIsKeptInTheStateFile) {
    TempDir dir;
    std::string state = dir.Path("printer.state");
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "2", "--state", state});
        ASSERT_TRUE(sim.Ready());
        Exchange(sim.TcpPort(),
                 LeadIn() +
                     "MACHINE EMULATION CODE\t:\tCODE_ZEBRA\r\nPRINT DARKNESS\t:\t12\r\nEND\r\n",
                 "", 300, 1000);
        std::string reply = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
        EXPECT_TRUE(Contains(reply, "MACHINE EMULATION CODE\t:\tCODE_ZEBRA\r\n"));
        EXPECT_FALSE(Contains(reply, "EMULATION SELECT"));
        EXPECT_EQ(sim.Stop(SIGINT), 0);
    }
    EXPECT_TRUE(Contains(ReadFile(state), "MACHINE EMULATION CODE\t:\tCODE_ZEBRA\n"));
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "2", "--state", state});
        ASSERT_TRUE(sim.Ready());
        std::string reply = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
        EXPECT_TRUE(Contains(reply, "MACHINE EMULATION CODE\t:\tCODE_ZEBRA\r\n"));
        EXPECT_TRUE(Contains(reply, "PRINT DARKNESS\t:\t12\r\n"));
        // Back to the native language: EMULATION SELECT returns.
        Exchange(
            sim.TcpPort(),
            LeadIn() +
                "MACHINE EMULATION CODE\t:\tCODE_KORVANE\r\nEMULATION SELECT\t:\tDMI\r\nEND\r\n",
            "", 300, 1000);
        reply = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
        EXPECT_TRUE(Contains(reply, "EMULATION SELECT\t:\tDMI\r\n"));
    }
    // Model 0 has no Eltron emulation: CODE_EPL is refused.
    SimProcess plain({"--tcp", "127.0.0.1:0", "--model", "0"});
    ASSERT_TRUE(plain.Ready());
    Exchange(plain.TcpPort(), LeadIn() + "MACHINE EMULATION CODE\t:\tCODE_EPL\r\nEND\r\n", "", 300,
             1000);
    EXPECT_TRUE(Contains(Exchange(plain.TcpPort(), LeadIn() + kStandard).bytes,
                         "MACHINE EMULATION CODE\t:\tCODE_KORVANE\r\n"));
}

TEST(SimConfiguration, SensorAdjustmentAnswersAfterEnd) {
    const std::string run =
        LeadIn() + "MEDIA SENSOR\t:\tREFLECT\r\nAUTO CALIBRATION\r\nSAVE\r\nEND\r\n";
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), run, "\r\n").bytes, "AUTO CALIBRATION : SUCCEEDED\r\n");
        EXPECT_TRUE(Contains(Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes,
                             "MEDIA SENSOR\t:\tREFLECT\r\n"));
    }
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--calibration-fails", "--stray-bytes", "2"});
        ASSERT_TRUE(sim.Ready());
        EXPECT_EQ(Exchange(sim.TcpPort(), run, "\r\n").bytes, "??AUTO CALIBRATION : FAILED\r\n");
    }
}

} // namespace
} // namespace qm::simtest
