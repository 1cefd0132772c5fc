// The pseudo-terminal side: requests, the symbolic link, line settings in the log, and both
// transports at once.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <termios.h>
#include <unistd.h>

namespace qm::simtest {
namespace {

const std::string kStandard = "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n";

TEST(SimPty, AnswersThroughTheLinkAndRemovesItAtTheEnd) {
    TempDir dir;
    std::string link = dir.Path("ttyS0");
    SimProcess sim({"--pty", "--link", link, "--model", "24", "--log", dir.Path("log")});
    ASSERT_TRUE(sim.Ready());
    EXPECT_EQ(sim.PtyPath().rfind("/dev/pts/", 0), 0u);
    EXPECT_EQ(sim.TcpPort(), 0); // only the pty was asked for
    ASSERT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), sim.PtyPath());

    int fd = OpenPty(link);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + kStandard));
    Reply menu = ReadReply(fd, "END\r\n", 1000, 3000);
    ASSERT_GT(menu.bytes.size(), MarkerA().size());
    EXPECT_EQ(menu.bytes.substr(0, MarkerA().size()), MarkerA());
    EXPECT_NE(menu.bytes.find("\r\nLCD STANDBY\t:\tOFF\r\n"), std::string::npos);
    EXPECT_EQ(menu.bytes.substr(menu.bytes.size() - 5), "END\r\n");

    ASSERT_TRUE(WriteAll(fd, "^ee\r\n"));
    EXPECT_EQ(ReadReply(fd, "\r\n", 300, 2000).bytes, "00\r\n");
    ::close(fd);

    // The program closes the port between operations; the device stays usable.
    fd = OpenPty(link);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, std::string("\x01"
                                         "A",
                                         2)));
    EXPECT_EQ(ReadReply(fd, "\r", 300, 2000).bytes, "NNNNNNNN\r");
    ::close(fd);

    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    std::string log = ReadFile(dir.Path("log"));
    EXPECT_NE(log.find("pty LINE baud=19200 8N1 flow=none raw"), std::string::npos);
    EXPECT_NE(log.find("pty RECV menu-standard"), std::string::npos);
}

TEST(SimPty, DropAfterCutsTheReplyButKeepsTheDevice) {
    SimProcess sim({"--pty", "--drop-after", "11"});
    ASSERT_TRUE(sim.Ready());
    int fd = OpenPty(sim.PtyPath());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + kStandard));
    EXPECT_EQ(ReadReply(fd, "", 500, 2000).bytes, MarkerA());
    ASSERT_TRUE(WriteAll(fd, LeadIn() + kStandard));
    EXPECT_EQ(ReadReply(fd, "", 500, 2000).bytes, MarkerA());
    ::close(fd);
}

TEST(SimPty, StrictLineTakesDataOnlyAtThePrintersSettings) {
    TempDir dir;
    SimProcess sim({"--pty", "--strict-line", "--model", "24", "--log", dir.Path("log")});
    ASSERT_TRUE(sim.Ready());
    int fd = OpenPty(sim.PtyPath()); // 19200 8N1; the printer runs 9600 8N1
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, "^ee\r\n"));
    EXPECT_EQ(ReadReply(fd, "", 300, 700).bytes, "");
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    ::cfsetspeed(&t, B9600);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
    ASSERT_TRUE(WriteAll(fd, "^ee\r\n"));
    EXPECT_EQ(ReadReply(fd, "\r\n", 300, 2000).bytes, "00\r\n");
    // Two stop bits on the port, one on the printer: garbled again. (Parity and 7 data bits
    // cannot be tried: a pty here refuses them.)
    t.c_cflag |= CSTOPB;
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &t), 0);
    ASSERT_TRUE(WriteAll(fd, "^ee\r\n"));
    EXPECT_EQ(ReadReply(fd, "", 300, 700).bytes, "");
    ::close(fd);
    std::string log = ReadFile(dir.Path("log"));
    EXPECT_NE(log.find("pty GARBLED line baud=19200 8N1 flow=none raw but printer baud=9600 8N1"),
              std::string::npos);
}

TEST(SimPty, ServesTogetherWithTcpAndSharesTheState) {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--pty"});
    ASSERT_TRUE(sim.Ready());
    ASSERT_GT(sim.TcpPort(), 0);
    int fd = OpenPty(sim.PtyPath());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(WriteAll(fd, LeadIn() + "PRINT SPEED\t:\t5 IPS\r\nEND\r\n"));
    EXPECT_EQ(ReadReply(fd, "", 300, 500).bytes, "");
    ::close(fd);
    std::string reply = Exchange(sim.TcpPort(), LeadIn() + kStandard).bytes;
    EXPECT_NE(reply.find("\r\nPRINT SPEED\t:\t5 IPS\r\n"), std::string::npos);
}

} // namespace
} // namespace qm::simtest
