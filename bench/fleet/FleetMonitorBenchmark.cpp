// The fleet monitor against many simulated printers (one `--fleet` simulator process):
//
//   bench_fleet_monitor [--printers N] [--interval S] [--jobs J] [--seconds T]
//
// Defaults: 1,000 printers on 127.25.10.1 onwards (port 25190), --interval 30, jobs 64, 100 s.
// It samples /api/printers every 5 s (each printer's last poll time) and prints, per printer, the
// time between its polls after the first (spread against the interval), the monitor's CPU share
// over the run, its peak RSS, and the /metrics response time. Nothing is asserted: the figures are
// printed.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPrinterPort = 25190;
constexpr int kMonitorPort = 25191;
constexpr char kMonitorHost[] = "127.0.0.1";
constexpr int kMetricsRequests = 20;
constexpr int kSampleSeconds = 5;

std::string Address(int index) {
    const uint32_t base = (127u << 24) | (25u << 16) | (10u << 8) | 1u;
    const uint32_t address = base + static_cast<uint32_t>(index);
    return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) + "." +
           std::to_string((address >> 8) & 255) + "." + std::to_string(address & 255);
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& arg : copy) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool WaitForText(const std::string& path, const std::string& text, int ms) {
    for (int waited = 0; waited < ms; waited += 50) {
        if (ReadAll(path).find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

std::string Get(const std::string& path) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kMonitorPort);
    ::inet_pton(AF_INET, kMonitorHost, &address.sin_addr);
    std::string bytes;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + path + " HTTP/1.0\r\n\r\n";
        (void)!::write(fd, request.data(), request.size());
        char buffer[65536];
        pollfd waiting{fd, POLLIN, 0};
        while (::poll(&waiting, 1, 10000) > 0) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            bytes.append(buffer, static_cast<size_t>(got));
        }
    }
    ::close(fd);
    const size_t body = bytes.find("\r\n\r\n");
    return body == std::string::npos ? "" : bytes.substr(body + 4);
}

// utime + stime of a process, in seconds.
double CpuSeconds(pid_t pid) {
    std::istringstream fields(
        ReadAll("/proc/" + std::to_string(pid) + "/stat")
            .substr(ReadAll("/proc/" + std::to_string(pid) + "/stat").rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14 || i == 15) {
            ticks += std::atol(field.c_str());
        }
    }
    return static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

long PeakRssKiB(pid_t pid) {
    const std::string status = ReadAll("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("VmHWM:");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 6);
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

void Stop(pid_t pid) {
    ::kill(pid, SIGTERM);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char** argv) {
    int printers = 1000;
    int interval = 30;
    int jobs = 64;
    int seconds = 100;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::atoi(argv[i + 1]);
        (name == "--printers"   ? printers
         : name == "--interval" ? interval
         : name == "--jobs"     ? jobs
                                : seconds) = value;
    }
    const std::string dir = std::filesystem::temp_directory_path().string() + "/qm-bench-monitor-" +
                            std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/base.prn") << "";
    const pid_t sim = Spawn({QM_PRINTER_SIM, "--fleet", Address(0) + "-" + Address(printers - 1),
                             "--port", std::to_string(kPrinterPort)},
                            dir + "/sim.out");
    if (sim < 0 || !WaitForText(dir + "/sim.out", "ready", 30000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    // A baseline the monitor can load: the example settings of model 0.
    std::filesystem::copy_file(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn",
                               dir + "/base.prn",
                               std::filesystem::copy_options::overwrite_existing);
    std::string fleet = "[fleet]\nname = \"bench\"\njobs = " + std::to_string(jobs) +
                        "\n[[group]]\nname = \"all\"\nbaseline = \"base.prn\"\nmodel = 0\n"
                        "printers = [\n";
    for (int i = 0; i < printers; ++i) {
        fleet += "\"" + Address(i) + ":" + std::to_string(kPrinterPort) + "\",\n";
    }
    std::ofstream(dir + "/fleet.toml") << fleet << "]\n";

    const pid_t monitor =
        Spawn({QM_CLI, "fleet", "monitor", dir + "/fleet.toml", "--db", dir + "/fleet.sqlite",
               "--listen", std::string(kMonitorHost) + ":" + std::to_string(kMonitorPort),
               "--interval", std::to_string(interval), "--drift-interval", "86400"},
              dir + "/monitor.out");
    if (monitor < 0 || !WaitForText(dir + "/monitor.out", "listening on", 10000)) {
        std::fprintf(stderr, "the monitor did not start\n");
        Stop(sim);
        return 1;
    }
    const double cpuStart = CpuSeconds(monitor);
    const auto start = Clock::now();
    std::map<std::string, std::vector<double>> polls; // printer -> distinct lastPoll values
    std::vector<double> metricsMs;
    int second = 0;
    while (Clock::now() - start < std::chrono::seconds(seconds)) {
        const nlohmann::json list = nlohmann::json::parse(Get("/api/printers"), nullptr, false);
        if (list.is_object()) {
            for (const auto& p : list["printers"]) {
                if (p["lastPoll"].is_number()) {
                    std::vector<double>& seen = polls[p["printer"].get<std::string>()];
                    const double at = p["lastPoll"].get<double>();
                    if (seen.empty() || seen.back() != at) {
                        seen.push_back(at);
                    }
                }
            }
        }
        if (second++ % std::max(1, seconds / kSampleSeconds / kMetricsRequests) == 0) {
            const auto asked = Clock::now();
            const std::string metrics = Get("/metrics");
            metricsMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
            (void)metrics;
        }
        std::this_thread::sleep_until(start + std::chrono::seconds(second * kSampleSeconds));
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = CpuSeconds(monitor) - cpuStart;
    const long rss = PeakRssKiB(monitor);
    Stop(monitor);
    Stop(sim);

    std::vector<double> gaps;
    size_t polled = 0;
    for (const auto& [printer, seen] : polls) {
        polled += seen.empty() ? 0 : 1;
        // The first poll carries the drift check; the gaps after it show the cadence.
        for (size_t i = 2; i < seen.size(); ++i) {
            gaps.push_back(seen[i] - seen[i - 1]);
        }
    }
    size_t within = 0;
    for (double gap : gaps) {
        within += std::abs(gap - interval) <= 0.1 * interval ? 1 : 0;
    }
    std::printf("printers %d, interval %d s, jobs %d, %.0f s run\n", printers, interval, jobs,
                wall);
    std::printf("printers polled at least once: %zu\n", polled);
    std::printf("poll gaps: %zu, min %.2f s, median %.2f s, p99 %.2f s, max %.2f s; within 10 %% "
                "of the interval: %.1f %%\n",
                gaps.size(), Percentile(gaps, 0), Percentile(gaps, 0.5), Percentile(gaps, 0.99),
                Percentile(gaps, 1), gaps.empty() ? 0.0 : 100.0 * within / gaps.size());
    std::printf("monitor CPU: %.2f s in %.0f s = %.1f %% of one core; peak RSS %.1f MiB\n", cpu,
                wall, 100.0 * cpu / wall, rss / 1024.0);
    std::printf("/metrics: %zu requests, median %.1f ms, max %.1f ms\n", metricsMs.size(),
                Percentile(metricsMs, 0.5), Percentile(metricsMs, 1));
    std::filesystem::remove_all(dir);
    return 0;
}
