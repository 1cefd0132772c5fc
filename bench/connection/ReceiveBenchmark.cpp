// Times `receive --scope all` over TCP against a loopback printer that answers at once, and
// prints the wall time beside the floor the exchange's own waits impose: per connection the
// 100 ms drain wait after connecting, per unterminated reply (status, counters) the 100 ms of
// silence that ends it. Also the CPU time the receiving side spends per receive.
//
//   bench_connection [ROUNDS] [PATH-TO-quillmark-cli]
//
// Without a path the program looks for quillmark-cli in ../../src/cli beside itself.
//
// It first runs the exchange in this process (three requests, as the receive sequence sends
// them), then the command-line program, which adds start-up, parsing and JSON output.

#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/Exchange.h"
#include "platform/Encoding.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kFloorMs = 3 * 100.0 + 2 * 100.0; // three drains, two silences

const std::string kMenuReply = [] {
    std::string reply = "~!!\r\n\x02\x1b~A\r\n";
    const char* lines[] = {"PRINT SPEED\t:\t6 IPS",
                           "PRINT DARKNESS\t:\t12",
                           "PRINT METHOD\t:\tTHERMAL TRANSFER",
                           "MEDIA SENSOR\t:\tGAP",
                           "CONTINUOUS MEDIA LENGTH\t:\t100.0\tMM",
                           "PAPER POSITION\t:\tTEAR OFF"};
    for (const char* line : lines) {
        reply += line;
        reply += "\r\n";
    }
    return reply + "END\r\n";
}();

// A printer that answers every request as soon as it is complete.
class InstantPrinter {
public:
    InstantPrinter() {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        ::listen(listener_, 16);
        thread_ = std::thread([this] { Run(); });
    }
    ~InstantPrinter() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    int Port() const { return port_; }

private:
    static std::string Answer(const std::string& request) {
        if (request.find("SEND CONFIG") != std::string::npos) {
            return kMenuReply;
        }
        if (request.find("SERIAL NUMBER CHECK:") != std::string::npos) {
            return "Serial Number : QM42\r\nPrint Counter Length 12.5 m\r\n"
                   "Service Counter Length 3.0 m\r\nCut Counter 7\r\n";
        }
        return "NNNNNNNN\r";
    }
    void Run() {
        while (!stop_) {
            pollfd entry{listener_, POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0) {
                continue;
            }
            int peer = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (peer < 0) {
                continue;
            }
            std::string request;
            bool answered = false;
            char chunk[8192];
            ssize_t got;
            while ((got = ::recv(peer, chunk, sizeof chunk, 0)) > 0) {
                request.append(chunk, static_cast<size_t>(got));
                if (!answered && (request.find("EXIT\r\n") != std::string::npos ||
                                  request == std::string("\x01"
                                                         "A"))) {
                    answered = true;
                    std::string reply = Answer(request);
                    ::send(peer, reply.data(), reply.size(), MSG_NOSIGNAL);
                }
            }
            ::close(peer);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double CpuMs(int who) {
    rusage usage{};
    ::getrusage(who, &usage);
    return usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0 +
           usage.ru_stime.tv_sec * 1000.0 + usage.ru_stime.tv_usec / 1000.0;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Report(const char* what, const std::vector<double>& wall, const std::vector<double>& cpu) {
    double sumWall = 0;
    double sumCpu = 0;
    double worst = 0;
    for (size_t i = 0; i < wall.size(); ++i) {
        sumWall += wall[i];
        sumCpu += cpu[i];
        worst = wall[i] > worst ? wall[i] : worst;
    }
    double meanWall = sumWall / static_cast<double>(wall.size());
    double meanCpu = sumCpu / static_cast<double>(cpu.size());
    std::printf("%-34s rounds %zu  wall mean %.1f ms (max %.1f)  floor %.0f ms  over floor %+.1f%%"
                "  CPU %.2f ms per receive\n",
                what, wall.size(), meanWall, worst, kFloorMs, (meanWall / kFloorMs - 1) * 100,
                meanCpu);
}

} // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (rounds < 1) {
        rounds = 1;
    }
    std::string cli = argc > 2 ? argv[2] : "";
    if (cli.empty()) {
        // The build tree's program, when the benchmark runs from its own build folder.
        std::string self = argv[0];
        size_t slash = self.rfind('/');
        std::string guess =
            (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) +
            "/../../src/cli/quillmark-cli";
        if (::access(guess.c_str(), X_OK) == 0) {
            cli = guess;
        }
    }
    InstantPrinter printer;

    qm::StaticInterfaceSettings settings;
    settings.portType = qm::kPortNet;
    settings.portName = u"127.0.0.1";
    settings.portNumber = qm::U16(std::to_string(printer.Port()));

    std::vector<double> wall;
    std::vector<double> cpu;
    for (int round = 0; round < rounds; ++round) {
        qm::PrinterConnection connection(qm::SystemClock::Instance(), qm::SystemPortServices());
        qm::Exchange exchange(connection, settings);
        double cpuStart = CpuMs(RUSAGE_THREAD);
        auto start = Clock::now();
        bool ok = exchange.Request(u"SEND CONFIG\t:\tALL\r\nEXIT\r\n", true, qm::RequestKind::kAll)
                          .code == 0 &&
                  exchange.Request(u"\x01"
                                   u"A",
                                   false, qm::RequestKind::kStatus)
                          .code == 0 &&
                  exchange.Request(u"SERIAL NUMBER CHECK:\r\nPRINT COUNTER:\r\nSERVICE COUNTER:\r\n"
                                   u"CUT COUNTER:\r\nEXIT\r\n",
                                   true, qm::RequestKind::kCounters)
                          .code == 0;
        wall.push_back(Ms(Clock::now() - start));
        cpu.push_back(CpuMs(RUSAGE_THREAD) - cpuStart);
        if (!ok) {
            std::fprintf(stderr, "exchange failed in round %d\n", round);
            return 1;
        }
    }
    Report("exchange, in process", wall, cpu);

    if (!cli.empty()) {
        wall.clear();
        cpu.clear();
        std::string command = cli + " receive --net 127.0.0.1:" + std::to_string(printer.Port()) +
                              " --scope all >/dev/null";
        for (int round = 0; round < rounds; ++round) {
            double cpuStart = CpuMs(RUSAGE_CHILDREN);
            auto start = Clock::now();
            int status = std::system(command.c_str());
            wall.push_back(Ms(Clock::now() - start));
            cpu.push_back(CpuMs(RUSAGE_CHILDREN) - cpuStart);
            if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                std::fprintf(stderr, "quillmark-cli receive failed in round %d\n", round);
                return 1;
            }
        }
        Report("quillmark-cli receive --scope all", wall, cpu);

        // What starting the program costs by itself (no printer involved).
        std::vector<double> startWall;
        std::vector<double> startCpu;
        std::string help = cli + " --help >/dev/null";
        for (int round = 0; round < rounds; ++round) {
            double cpuStart = CpuMs(RUSAGE_CHILDREN);
            auto start = Clock::now();
            if (std::system(help.c_str()) != 0) {
                std::fprintf(stderr, "quillmark-cli --help failed\n");
                return 1;
            }
            startWall.push_back(Ms(Clock::now() - start));
            startCpu.push_back(CpuMs(RUSAGE_CHILDREN) - cpuStart);
        }
        double meanStart = 0;
        double meanStartCpu = 0;
        for (size_t i = 0; i < startWall.size(); ++i) {
            meanStart += startWall[i] / static_cast<double>(startWall.size());
            meanStartCpu += startCpu[i] / static_cast<double>(startCpu.size());
        }
        std::printf("%-34s wall mean %.1f ms  CPU %.2f ms (program start-up, included above)\n",
                    "quillmark-cli --help", meanStart, meanStartCpu);
    }
    return 0;
}
