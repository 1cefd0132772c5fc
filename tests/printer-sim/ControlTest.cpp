// The --control socket: flags and settings of one printer of a fleet, or of the single printer,
// changed while the simulator runs; the others untouched; bad commands refused.

#include "SimHarness.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace qm::simtest {
namespace {

const std::string kFlags("\x01"
                         "A",
                         2);

// One connection to the control socket; Ask sends a line and returns the reply line.
class Control {
public:
    explicit Control(const std::string& path) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Control() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    std::string Ask(const std::string& line) {
        if (fd_ < 0 || !WriteAll(fd_, line + "\n")) {
            return "(not connected)";
        }
        std::string reply = ReadReply(fd_, "\n", 500, 3000).bytes;
        if (!reply.empty() && reply.back() == '\n') {
            reply.pop_back();
        }
        return reply;
    }

private:
    int fd_ = -1;
};

std::string Host(int host) {
    return "127.25." + std::to_string(1 + ::getpid() % 250) + "." + std::to_string(host);
}

TEST(SimControl, ChangesOnePrinterOfAFleetOrTheSinglePrinter) {
    TempDir dir;
    const std::string socket = dir.Path("control");
    SimProcess fleet({"--fleet", Host(1) + "-" + Host(3), "--port", "0", "--control", socket});
    ASSERT_TRUE(fleet.Ready());
    const int port = fleet.TcpPort();
    Control control(socket);
    EXPECT_EQ(control.Ask(Host(2) + " flag paper-out on"), "ok");
    EXPECT_EQ(control.Ask(Host(2) + " flag head-up on"), "ok");
    EXPECT_EQ(control.Ask(Host(2) + " set PRINT DARKNESS  3"), "ok");
    EXPECT_EQ(control.Ask(Host(3) + " flag silent on"), "ok");
    // Paper out and head up where the flag form has them; the neighbours keep theirs.
    EXPECT_EQ(ExchangeAt(Host(2), port, kFlags, "\r").bytes, "NYNNNNNY\r");
    EXPECT_EQ(ExchangeAt(Host(1), port, kFlags, "\r").bytes, "NNNNNNNN\r");
    EXPECT_EQ(ExchangeAt(Host(3), port, kFlags, "\r", 300, 1500).bytes, "");
    const std::string menu =
        ExchangeAt(Host(2), port, LeadIn() + "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n").bytes;
    EXPECT_NE(menu.find("PRINT DARKNESS\t:\t3\r\n"), std::string::npos) << menu;
    EXPECT_EQ(control.Ask(Host(2) + " flag paper-out off"), "ok");
    EXPECT_EQ(control.Ask(Host(3) + " flag silent off"), "ok");
    EXPECT_EQ(ExchangeAt(Host(2), port, kFlags, "\r").bytes, "NNNNNNNY\r");
    EXPECT_EQ(ExchangeAt(Host(3), port, kFlags, "\r").bytes, "NNNNNNNN\r");

    // What is refused, with the reason.
    EXPECT_EQ(control.Ask("flag paused on"), "error: name the printer's address first");
    EXPECT_EQ(control.Ask(Host(9) + " flag paused on"), "error: no printer at " + Host(9));
    EXPECT_EQ(control.Ask(Host(1) + " flag nope on"), "error: unknown flag 'nope'");
    EXPECT_EQ(control.Ask(Host(1) + " flag paused maybe"), "error: flag NAME on|off");
    EXPECT_EQ(control.Ask(Host(1) + " set NO SUCH KEY  1"), "error: unknown key 'NO SUCH KEY'");

    // The single printer takes commands without an address.
    SimProcess single({"--tcp", "127.0.0.1:0", "--control", dir.Path("single")});
    ASSERT_TRUE(single.Ready());
    Control one(dir.Path("single"));
    EXPECT_EQ(one.Ask("flag paused on"), "ok");
    EXPECT_EQ(Exchange(single.TcpPort(), kFlags, "\r").bytes, "NNNNNYNN\r");
}

} // namespace
} // namespace qm::simtest
