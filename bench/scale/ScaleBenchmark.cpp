// Measures quillmark-cli at fleet size against one simulator process serving 1,024 printers
// (--fleet 127.124.4.0-127.124.7.255 on port 9100, loopback only):
//   1. the simulator itself: memory and descriptors with 1,024 printers, and discover over all
//      of them (each printer asked for its machine information once);
//   2. send of a full configuration to 256 printers at --jobs 8, 16, 32, 64 and 128: wall time
//      and the command's CPU time, to choose the default;
//   3. discover at its defaults over the 1,024 addresses with all but 16 silent, SCANS times
//      (default 100), counting answering printers the scan missed. Silence is an nftables rule
//      that drops everything arriving for the other 1,008 addresses; it needs root and nft, and
//      is removed at the end. Without them this part is skipped and says so.
//
//   bench_scale [SCANS]
//
// Nothing is asserted: the figures are printed.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const std::string kNet = "127.124.";
constexpr int kFirstBlock = 4; // 127.124.4.0 - 127.124.7.255
constexpr int kAddresses = 1024;
constexpr int kAnswering = 16; // every 64th address when the rest is silent
constexpr int kPort = 9100;
constexpr int kSendTargets = 256;
constexpr int kJobChoices[] = {8, 16, 32, 64, 128};
constexpr int kDefaultScans = 100;
constexpr int kReadyWaitMs = 30000;
const char* const kTable = "qm_bench_scale";

std::string Address(int index) {
    return kNet + std::to_string(kFirstBlock + index / 256) + "." + std::to_string(index % 256);
}

struct Child {
    pid_t pid = -1;
    int out = -1;
};

Child Spawn(const std::vector<std::string>& args) {
    Child child;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return child;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    if (posix_spawnp(&child.pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        child.pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    child.out = pipeFds[0];
    return child;
}

struct RunResult {
    int status = -1;
    std::string out;
    double wallSeconds = 0;
    double cpuSeconds = 0; // user + system of the program
};

RunResult Run(const std::vector<std::string>& args) {
    RunResult result;
    auto start = Clock::now();
    Child child = Spawn(args);
    if (child.pid < 0) {
        return result;
    }
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(child.out, buffer, sizeof buffer)) > 0) {
        result.out.append(buffer, static_cast<size_t>(n));
    }
    ::close(child.out);
    int status = 0;
    rusage usage{};
    ::wait4(child.pid, &status, 0, &usage);
    result.wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A /proc/PID/status field ("VmRSS", "VmHWM") in kB.
long StatusKb(pid_t pid, const std::string& field) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::atol(line.c_str() + field.size() + 1);
        }
    }
    return -1;
}

long Descriptors(pid_t pid) {
    RunResult r = Run({"/bin/sh", "-c", "ls /proc/" + std::to_string(pid) + "/fd | wc -l"});
    return std::atol(r.out.c_str());
}

// User + system seconds the process used so far.
double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14 || i == 15) {
            ticks += std::atol(field.c_str());
        }
    }
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

// The fleet simulator, stopped when the object goes.
class Fleet {
public:
    bool Start() {
        child_ = Spawn({QM_PRINTER_SIM, "--fleet", Address(0) + "-" + Address(kAddresses - 1),
                        "--port", std::to_string(kPort)});
        std::string text;
        auto start = Clock::now();
        while (child_.pid > 0 && text.find("ready\n") == std::string::npos &&
               Clock::now() - start < std::chrono::milliseconds(kReadyWaitMs)) {
            pollfd p{child_.out, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0) {
                char buffer[256];
                ssize_t n = ::read(child_.out, buffer, sizeof buffer);
                if (n <= 0) {
                    break;
                }
                text.append(buffer, static_cast<size_t>(n));
            }
        }
        return text.find("ready\n") != std::string::npos;
    }
    pid_t Pid() const { return child_.pid; }
    ~Fleet() {
        if (child_.pid > 0) {
            ::kill(child_.pid, SIGTERM);
            ::waitpid(child_.pid, nullptr, 0);
            ::close(child_.out);
        }
    }

private:
    Child child_;
};

// The nftables rule that silences every address but the answering ones; removed when the
// object goes.
class Silence {
public:
    bool Apply() {
        std::string answering;
        for (int i = 0; i < kAnswering; ++i) {
            answering += (i > 0 ? ", " : "") + Address(i * (kAddresses / kAnswering));
        }
        const std::string rules = std::string("table ip ") + kTable +
                                  " {\n chain in {\n  type filter hook input priority 0;\n"
                                  "  ip daddr " +
                                  kNet + std::to_string(kFirstBlock) + ".0/22 ip daddr != { " +
                                  answering + " } drop\n }\n}\n";
        char path[] = "/tmp/bench_scale.XXXXXX";
        int fd = ::mkstemp(path);
        if (fd < 0) {
            return false;
        }
        bool written =
            ::write(fd, rules.data(), rules.size()) == static_cast<ssize_t>(rules.size());
        ::close(fd);
        applied_ = written && Run({"nft", "-f", path}).status == 0;
        ::unlink(path);
        return applied_;
    }
    ~Silence() {
        if (applied_) {
            Run({"nft", "delete", "table", "ip", kTable});
        }
    }

private:
    bool applied_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const int scans = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultScans;
    const std::string range = Address(0) + "-" + Address(kAddresses - 1);

    Fleet fleet;
    auto startUp = Clock::now();
    if (!fleet.Start()) {
        std::fprintf(stderr, "bench_scale: the fleet simulator did not start on %s:%d\n",
                     range.c_str(), kPort);
        return 1;
    }
    const double startSeconds = std::chrono::duration<double>(Clock::now() - startUp).count();
    std::printf("simulator, %d printers in one process: started in %.2f s, RSS %ld kB, "
                "%ld descriptors\n",
                kAddresses, startSeconds, StatusKb(fleet.Pid(), "VmRSS"), Descriptors(fleet.Pid()));

    // 1. Every printer asked once.
    const double simCpuBefore = CpuSeconds(fleet.Pid());
    RunResult all = Run({QM_CLI, "discover", "--range", range, "--json"});
    std::printf("discover, all %d answering: %zu found in %.2f s (cli CPU %.2f s, simulator CPU "
                "%.2f s, simulator peak RSS %ld kB)\n",
                kAddresses, Count(all.out, "\"serial\""), all.wallSeconds, all.cpuSeconds,
                CpuSeconds(fleet.Pid()) - simCpuBefore, StatusKb(fleet.Pid(), "VmHWM"));

    // 2. Send to 256 printers at several --jobs.
    char folder[] = "/tmp/bench_scale.XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string file = std::string(folder) + "/full.prn";
    if (Run({QM_CLI, "receive", "--net", Address(1) + ":" + std::to_string(kPort), "--scope", "all",
             "-o", file})
            .status != 0) {
        std::fprintf(stderr, "bench_scale: could not receive a configuration\n");
        return 1;
    }
    for (int jobs : kJobChoices) {
        std::vector<std::string> send = {QM_CLI,  "send", file, "--jobs", std::to_string(jobs),
                                         "--json"};
        for (int i = 0; i < kSendTargets; ++i) {
            send.push_back("--net");
            send.push_back(Address(i) + ":" + std::to_string(kPort));
        }
        RunResult r = Run(send);
        std::printf(
            "send to %d printers, --jobs %3d: %.2f s wall, %.2f s CPU (%.0f %% of a core)%s\n",
            kSendTargets, jobs, r.wallSeconds, r.cpuSeconds, 100.0 * r.cpuSeconds / r.wallSeconds,
            r.status == 0 ? "" : " FAILED");
    }
    Run({"/bin/rm", "-rf", folder});

    // 3. All but 16 silent.
    Silence silence;
    if (::geteuid() != 0 || !silence.Apply()) {
        std::printf("discover with silent addresses: skipped (needs root and nft to drop the "
                    "silent addresses)\n");
        return 0;
    }
    std::vector<double> times;
    int missedScans = 0;
    size_t missedPrinters = 0;
    for (int scan = 0; scan < scans; ++scan) {
        RunResult r = Run({QM_CLI, "discover", "--range", range, "--json"});
        times.push_back(r.wallSeconds);
        const size_t found = Count(r.out, "\"serial\"");
        if (found < kAnswering) {
            ++missedScans;
            missedPrinters += kAnswering - found;
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("discover %d addresses, %d answering, defaults, %d scans: median %.2f s, "
                "slowest %.2f s (goal under 2 s); scans that missed a printer: %d (%zu "
                "printers)\n",
                kAddresses, kAnswering, scans, times[times.size() / 2], times.back(), missedScans,
                missedPrinters);
    return 0;
}
