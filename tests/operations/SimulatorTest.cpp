// End to end against the printer simulator: a receive over TCP and over its pseudo-terminal
// (opened as a COM port through the fake device tree), with the real clock.
#include "connection/ConnectionTestSupport.h"

#include "discovery/SystemPortServices.h"
#include "operations/Exchange.h"
#include "platform/Encoding.h"

#include <csignal>
#include <sys/wait.h>

namespace qm {
namespace {

std::string SimulatorPath() {
    const char* dir = std::getenv("QM_BINARY_DIR");
    return std::string(dir != nullptr ? dir : ".") + "/tools/printer-sim/quillmark-printer-sim";
}

// Runs the simulator and reads its start-up lines ("tcp PORT", "pty ...", "ready").
class Simulator {
public:
    explicit Simulator(const std::string& ptyLink) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::string path = SimulatorPath();
            ::execl(path.c_str(), path.c_str(), "--tcp", "127.0.0.1:0", "--pty", "--link",
                    ptyLink.c_str(), "--model", "0", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        std::string lines;
        for (int i = 0; i < 100 && lines.find("ready") == std::string::npos; ++i) {
            pollfd entry{out[0], POLLIN, 0};
            if (::poll(&entry, 1, 50) > 0) {
                char chunk[256];
                ssize_t got = ::read(out[0], chunk, sizeof chunk);
                if (got <= 0) {
                    break;
                }
                lines.append(chunk, static_cast<size_t>(got));
            }
        }
        ::close(out[0]);
        size_t at = lines.find("tcp ");
        if (at != std::string::npos && lines.find("ready") != std::string::npos) {
            port_ = std::atoi(lines.c_str() + at + 4);
        }
    }
    ~Simulator() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

TEST(ConnectionWithSimulator, ReceiveOverTcpAndPseudoTerminal) {
    if (!std::filesystem::exists(SimulatorPath())) {
        GTEST_SKIP() << "the printer simulator is not built";
    }
    test::FakeDeviceTree tree;
    Simulator simulator(tree.Dev("ttyS1"));
    ASSERT_GT(simulator.Port(), 0);
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());

    StaticInterfaceSettings net;
    net.portType = kPortNet;
    net.portName = u"127.0.0.1";
    net.portNumber = U16(std::to_string(simulator.Port()));
    ExchangeResult menu = Exchange(connection, net)
                              .Request(u"SEND CONFIG\t:\tALL\r\nEXIT\r\n", true, RequestKind::kAll);
    ASSERT_EQ(menu.code, kExchangeOk);
    EXPECT_EQ(menu.reply.rfind("~!!\r\n", 0), 0u);
    EXPECT_NE(menu.reply.find("PRINT SPEED\t:\t"), std::string::npos);
    EXPECT_EQ(menu.reply.substr(menu.reply.size() - 5), "END\r\n");

    StaticInterfaceSettings com;
    com.portType = kPortCom;
    com.portName = u"COM2:";
    Exchange overCom(connection, com);
    ExchangeResult standard =
        overCom.Request(u"SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n", true, RequestKind::kStandard);
    ASSERT_EQ(standard.code, kExchangeOk) << standard.error;
    EXPECT_NE(standard.reply.find("PRINT SPEED\t:\t"), std::string::npos);
    EXPECT_EQ(standard.reply.substr(standard.reply.size() - 5), "END\r\n");
    ExchangeResult status = overCom.Request(u"\x01"
                                            u"A",
                                            false, RequestKind::kStatus);
    ASSERT_EQ(status.code, kExchangeOk);
    EXPECT_GT(status.reply.size(), 2u);
    EXPECT_EQ(connection.Kind(), kPortNone);
}

} // namespace
} // namespace qm
