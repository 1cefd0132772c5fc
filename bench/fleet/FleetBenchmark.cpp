// Times the fleet commands of quillmark-cli against loopback simulators:
//   1. a full configuration (every setting of model 0, advanced ones included) sent to one
//      simulator, then to 32 simulators with --jobs 16; prints the wall times and their ratio;
//   2. discover over 64 loopback addresses of which 16 hold a simulator.
//
//   bench_fleet [ROUNDS] [FIRST-HOST]
//
// The simulators listen on 127.0.0.FIRST-HOST and the addresses after it (default 16, so
// 127.0.0.16-127.0.0.79) on ports 19160 (send) and 19161 (discover). Loopback only. Each time
// is the median of ROUNDS runs (default 5). Nothing is asserted: the figures are printed.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSendPort = 19160;
constexpr int kDiscoverPort = 19161;
constexpr int kSendTargets = 32;
constexpr int kSendJobs = 16;
constexpr int kDiscoverAddresses = 64;
constexpr int kDiscoverAnswering = 16;
constexpr int kReadyWaitMs = 10000;

std::string Address(int host) {
    return "127.0.0." + std::to_string(host);
}

// A child process with its standard output on a pipe.
struct Child {
    pid_t pid = -1;
    int out = -1;
};

Child Spawn(const std::vector<std::string>& args, bool quiet) {
    Child child;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return child;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.out = pipeFds[0];
    return child;
}

// Runs a program to its end; its exit status and standard output.
int Run(const std::vector<std::string>& args, std::string* output = nullptr) {
    Child child = Spawn(args, true);
    if (child.pid < 0) {
        return -1;
    }
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(child.out, buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(child.out);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    if (output != nullptr) {
        *output = text;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Simulators that stop when the object goes.
class Simulators {
public:
    bool Start(const std::string& address, int port) {
        Child child = Spawn(
            {QM_PRINTER_SIM, "--tcp", address + ":" + std::to_string(port), "--model", "0"}, false);
        if (child.pid < 0) {
            return false;
        }
        children_.push_back(child);
        std::string text;
        auto start = Clock::now();
        while (text.find("ready\n") == std::string::npos &&
               Clock::now() - start < std::chrono::milliseconds(kReadyWaitMs)) {
            pollfd p{child.out, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char buffer[256];
                ssize_t n = ::read(child.out, buffer, sizeof buffer);
                if (n <= 0) {
                    break;
                }
                text.append(buffer, static_cast<size_t>(n));
            }
        }
        return text.find("ready\n") != std::string::npos;
    }
    ~Simulators() {
        for (const Child& child : children_) {
            ::kill(child.pid, SIGTERM);
        }
        for (const Child& child : children_) {
            ::waitpid(child.pid, nullptr, 0);
            ::close(child.out);
        }
    }

private:
    std::vector<Child> children_;
};

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Times a command ROUNDS times; the median in seconds, or -1 when a run ended with a status
// other than `expected`.
double Time(const std::vector<std::string>& args, int rounds, int expected = 0) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        int status = Run(args);
        times.push_back(Seconds(start));
        if (status != expected) {
            std::fprintf(stderr, "bench_fleet: %s ended with status %d\n", args[1].c_str(), status);
            return -1;
        }
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int firstHost = argc > 2 ? std::atoi(argv[2]) : 16;
    if (firstHost < 1 || firstHost + kDiscoverAddresses - 1 > 254) {
        std::fprintf(stderr, "bench_fleet: FIRST-HOST must leave room for %d addresses\n",
                     kDiscoverAddresses);
        return 2;
    }
    char folder[] = "/tmp/bench_fleet.XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string file = std::string(folder) + "/full.prn";

    Simulators sims;
    for (int i = 0; i < kSendTargets; ++i) {
        if (!sims.Start(Address(firstHost + i), kSendPort)) {
            std::fprintf(stderr, "bench_fleet: no simulator on %s:%d\n",
                         Address(firstHost + i).c_str(), kSendPort);
            return 1;
        }
    }
    // The full configuration: everything a model-0 printer reports, advanced entries included.
    if (Run({QM_CLI, "receive", "--net", Address(firstHost) + ":" + std::to_string(kSendPort),
             "--scope", "all", "-o", file}) != 0) {
        std::fprintf(stderr, "bench_fleet: could not receive the full configuration\n");
        return 1;
    }
    std::vector<std::string> one = {QM_CLI,  "send",
                                    file,    "--advanced",
                                    "--net", Address(firstHost) + ":" + std::to_string(kSendPort)};
    std::vector<std::string> fleet = {
        QM_CLI, "send", file, "--advanced", "--jobs", std::to_string(kSendJobs), "--json"};
    for (int i = 0; i < kSendTargets; ++i) {
        fleet.push_back("--net");
        fleet.push_back(Address(firstHost + i) + ":" + std::to_string(kSendPort));
    }
    const double single = Time(one, rounds);
    const double all = Time(fleet, rounds);

    for (int i = 0; i < kDiscoverAnswering; ++i) {
        // Every fourth address of the 64 answers.
        if (!sims.Start(Address(firstHost + i * (kDiscoverAddresses / kDiscoverAnswering)),
                        kDiscoverPort)) {
            std::fprintf(stderr, "bench_fleet: no simulator for the scan\n");
            return 1;
        }
    }
    const std::string range =
        Address(firstHost) + "-" + Address(firstHost + kDiscoverAddresses - 1);
    std::string found;
    Run({QM_CLI, "discover", "--range", range, "--port", std::to_string(kDiscoverPort), "--json"},
        &found);
    size_t answered = 0;
    for (size_t at = found.find("\"serial\""); at != std::string::npos;
         at = found.find("\"serial\"", at + 1)) {
        ++answered;
    }
    const double scan = Time(
        {QM_CLI, "discover", "--range", range, "--port", std::to_string(kDiscoverPort)}, rounds);

    std::printf("full configuration, one target:            %.3f s (median of %d)\n", single,
                rounds);
    std::printf("full configuration, %d targets, --jobs %d: %.3f s (median of %d)\n", kSendTargets,
                kSendJobs, all, rounds);
    if (single > 0 && all > 0) {
        std::printf("ratio to one target:                       %.2fx (goal under 2.5x)\n",
                    all / single);
    }
    std::printf("discover %d addresses, %zu answered:        %.3f s (median of %d; goal under "
                "2 s)\n",
                kDiscoverAddresses, answered, scan, rounds);
    Run({"/bin/rm", "-rf", folder});
    return single > 0 && all > 0 && scan > 0 ? 0 : 1;
}
