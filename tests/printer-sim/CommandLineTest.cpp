// Command line, shutdown, one connection at a time, and the print log.

#include "SimHarness.h"
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace qm::simtest {
namespace {

// The simulator run to its end (at most 5 s).
test::ProgramRun RunToEnd(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {QM_PRINTER_SIM};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::RunProgram(argv, {{}, 5000, {}});
}

TEST(SimCommandLine, BadOptionsGiveOneLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {"--model", "38"},
        {"--model"},
        {"--tcp", "127.0.0.1"},
        {"--tcp", "host:99999"},
        {"--trickle", "0:5"},
        {"--trickle", "10"},
        {"--delay-ms", "-1"},
        {"--link", "/tmp/x"},
        {"--frobnicate"},
        {"--stray-bytes", "many"},
        {"--fleet", "127.124.0.9-127.124.0.1"},
        {"--fleet", "127.124.0.1"},
        {"--fleet", "127.0.0.0-127.1.0.0"},
        {"--fleet", "127.124.0.1-127.124.0.2", "--pty"},
        {"--fleet", "127.124.0.1-127.124.0.2", "--state", "/tmp/x"},
        {"--port", "9100"},
        {"--state-dir", "/tmp/x"},
    };
    for (const auto& args : bad) {
        test::ProgramRun r = RunToEnd(args);
        SCOPED_TRACE(args[0]);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err; // exactly one line
        EXPECT_EQ(r.err.rfind("quillmark-printer-sim: ", 0), 0u);
    }
    test::ProgramRun help = RunToEnd({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: quillmark-printer-sim"), std::string::npos);
    EXPECT_NE(help.out.find("--drop-after N"), std::string::npos);
}

TEST(SimCommandLine, SignalsStopItCleanlyAndAPortInUseIsReported) {
    SimProcess sim({"--tcp", "127.0.0.1:0"});
    ASSERT_TRUE(sim.Ready());
    // A second simulator on the same port fails with a message, not a hang.
    test::ProgramRun clash = RunToEnd({"--tcp", "127.0.0.1:" + std::to_string(sim.TcpPort())});
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.err.find("cannot listen"), std::string::npos);
    // SIGINT in the middle of a slow reply still ends promptly.
    SimProcess slow({"--tcp", "127.0.0.1:0", "--delay-ms", "60000"});
    ASSERT_TRUE(slow.Ready());
    int fd = ConnectTcp(slow.TcpPort());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, "^ee\r\n"));
    usleep(100 * 1000);
    EXPECT_EQ(slow.Stop(SIGINT, 3000), 0);
    ::close(fd);
    EXPECT_EQ(sim.Stop(SIGTERM, 3000), 0);
}

TEST(SimCommandLine, OneConnectionAtATime) {
    SimProcess sim({"--tcp", "127.0.0.1:0"});
    ASSERT_TRUE(sim.Ready());
    int first = ConnectTcp(sim.TcpPort());
    ASSERT_GE(first, 0);
    ASSERT_TRUE(WriteAll(first, "^ee\r\n"));
    EXPECT_EQ(ReadReply(first, "\r\n", 300, 2000).bytes, "00\r\n");
    int second = ConnectTcp(sim.TcpPort()); // queued by the kernel
    ASSERT_GE(second, 0);
    ASSERT_TRUE(WriteAll(second, "^ee\r\n"));
    EXPECT_EQ(ReadReply(second, "", 300, 500).bytes, ""); // waits for the first
    ::close(first);
    EXPECT_EQ(ReadReply(second, "\r\n", 300, 2000).bytes, "00\r\n");
    ::close(second);
}

TEST(SimCommandLine, IdleConnectionIsClosedAfterThePrintersTimeout) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
    ASSERT_TRUE(sim.Ready());
    Exchange(sim.TcpPort(), LeadIn() + "TIMEOUT\t:\t1\r\nEND\r\n", "", 300, 1000);
    int idle = ConnectTcp(sim.TcpPort());
    ASSERT_GE(idle, 0);
    Reply r = ReadReply(idle, "", 5000, 4000);
    EXPECT_TRUE(r.closed);
    EXPECT_GE(r.elapsedMs, 900);
    ::close(idle);
    // The port is free again.
    EXPECT_EQ(Exchange(sim.TcpPort(), "^ee\r\n", "\r\n").bytes, "00\r\n");
}

TEST(SimPrintLog, SelfTestsSamplesAndDataAreRecorded) {
    TempDir dir;
    std::string printed = dir.Path("printed");
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "1", "--print-log", printed});
    ASSERT_TRUE(sim.Ready());
    // As a print run does: ask for the language, then send the self test on the same connection.
    int fd = ConnectTcp(sim.TcpPort());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n"));
    Reply reply = ReadReply(fd, "END\r\n", 500, 3000);
    EXPECT_NE(reply.bytes.find("MACHINE EMULATION CODE\t:\tCODE_ZEBRA"), std::string::npos);
    ASSERT_TRUE(WriteAll(fd, "~WC\n"));
    ::close(fd);
    Exchange(sim.TcpPort(), "~!Q4\n", "", 300, 600);
    Exchange(sim.TcpPort(), std::string("\x02Z\r\n"), "", 300, 600);
    std::string file(2500, 'x');
    Exchange(sim.TcpPort(), file, "", 300, 600);
    EXPECT_EQ(sim.Stop(SIGTERM), 0);

    std::vector<std::string> lines;
    std::string text = ReadFile(printed);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 4u) << text;
    EXPECT_NE(lines[0].find(" tcp PRINT kind=self-test language=zebra emulation=zebra bytes=4 "
                            "data=\"~WC\\n\""),
              std::string::npos);
    EXPECT_NE(lines[1].find("kind=sample language=zebra emulation=zebra bytes=5"),
              std::string::npos);
    EXPECT_NE(lines[2].find("kind=self-test language=native emulation=zebra bytes=4 "
                            "data=\"\\x02Z\\r\\n\""),
              std::string::npos);
    EXPECT_NE(lines[3].find("kind=data language=- emulation=zebra bytes=2500"), std::string::npos);
}

// Tenths of a metre of a machine-information line "KEY\t:\t1234.5 m" (-1 when missing).
long CounterTenths(const std::string& reply, const std::string& key) {
    const size_t at = reply.find(key + "\t:\t");
    if (at == std::string::npos) {
        return -1;
    }
    const std::string value = reply.substr(at + key.size() + 3);
    const size_t point = value.find('.');
    return std::stol(value.substr(0, point)) * 10 + (value[point + 1] - '0');
}

TEST(SimPrintLog, ACommandIsAPrintOfItsOwnAndEveryPrintIsCounted) {
    TempDir dir;
    std::string printed = dir.Path("printed");
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "2", "--print-log", printed});
    ASSERT_TRUE(sim.Ready());
    const std::string info = LeadIn() + "SEND MACHINE INFO\r\nEXIT\r\n";
    const std::string before = Exchange(sim.TcpPort(), info).bytes;
    // A self test and a label right behind it, in one stream.
    Exchange(sim.TcpPort(), std::string("\x02Z\r\n") + "^XA^FDone label^XZ\n", "", 300, 600);
    const std::string after = Exchange(sim.TcpPort(), info).bytes;
    EXPECT_EQ(sim.Stop(SIGTERM), 0);

    const std::string text = ReadFile(printed);
    const size_t first = text.find("kind=self-test language=native emulation=native bytes=4");
    const size_t second = text.find("kind=data language=- emulation=native bytes=19 "
                                    "data=\"^XA^FDone label^XZ\\n\"");
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_NE(second, std::string::npos) << text;
    EXPECT_LT(first, second);
    // The self test is one label of the factory media length (101.6 mm): 0.1 m on both
    // counters. The Zebra label is data a printer running its native language does not end
    // with its own print command, so it counts no label.
    ASSERT_GT(CounterTenths(before, "Print Counter"), 0) << before;
    EXPECT_EQ(CounterTenths(after, "Print Counter") - CounterTenths(before, "Print Counter"), 1);
    EXPECT_EQ(CounterTenths(after, "Service Counter") - CounterTenths(before, "Service Counter"),
              1);
}

} // namespace
} // namespace qm::simtest
