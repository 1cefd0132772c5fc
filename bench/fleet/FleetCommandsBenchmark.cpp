// Times `quillmark-cli fleet check` and `fleet apply` (with its verify) against N simulated
// printers on loopback, next to one printer's time:
//
//   bench_fleet_commands [--jobs J] [--sizes N,N,...] [--base THIRD-OCTET]
//
// Printers sit on 127.24.B.1-250, 127.24.B+1.1-250, ... (B = 10 by default), port 24100. When
// the simulator offers --fleet, one simulator process serves the whole range; otherwise one
// simulator process runs per printer. For each size it prints the wall time, the ratio to
// ceil(N/J) x one printer's time (goal: at most 1.25), the CPU time and peak RSS of the
// quillmark-cli process, its peak number of open descriptors, and the database's growth per
// run. Nothing is asserted: the figures are printed.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPort = 24100;
constexpr int kHostsPerBlock = 250;
constexpr int kReadyWaitMs = 20000;
constexpr int kSampleMs = 20;
constexpr int kOneRounds = 3;
constexpr double kKiB = 1024.0;

std::string Address(int base, int index) {
    return "127.24." + std::to_string(base + index / kHostsPerBlock) + "." +
           std::to_string(1 + index % kHostsPerBlock);
}

pid_t Spawn(const std::vector<std::string>& args, int outFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool WaitReady(int fd) {
    std::string text;
    const auto start = Clock::now();
    while (text.find("ready\n") == std::string::npos &&
           Clock::now() - start < std::chrono::milliseconds(kReadyWaitMs)) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0) {
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            text.append(buffer, static_cast<size_t>(n));
        }
    }
    return text.find("ready\n") != std::string::npos;
}

bool SimulatorHasFleetMode() {
    int fds[2];
    if (::pipe(fds) != 0) {
        return false;
    }
    const pid_t pid = Spawn({QM_PRINTER_SIM, "--help"}, fds[1]);
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
    return text.find("--fleet") != std::string::npos;
}

// The simulated printers; stopped when the object goes.
class Printers {
public:
    bool Start(int base, int count, bool fleetMode) {
        if (fleetMode) {
            return StartOne({QM_PRINTER_SIM, "--fleet",
                             Address(base, 0) + "-" + Address(base, count - 1), "--port",
                             std::to_string(kPort), "--model", "0"});
        }
        for (int i = 0; i < count; ++i) {
            if (!StartOne({QM_PRINTER_SIM, "--tcp", Address(base, i) + ":" + std::to_string(kPort),
                           "--model", "0", "--serial", "QMB" + std::to_string(100000 + i)})) {
                return false;
            }
        }
        return true;
    }
    ~Printers() {
        for (pid_t pid : pids_) {
            ::kill(pid, SIGTERM);
        }
        for (pid_t pid : pids_) {
            ::waitpid(pid, nullptr, 0);
        }
    }

private:
    bool StartOne(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return false;
        }
        const pid_t pid = Spawn(args, fds[1]);
        ::close(fds[1]);
        if (pid < 0) {
            ::close(fds[0]);
            return false;
        }
        pids_.push_back(pid);
        const bool ready = WaitReady(fds[0]);
        ::close(fds[0]);
        return ready;
    }

    std::vector<pid_t> pids_;
};

// One run of quillmark-cli: wall time, CPU time, peak RSS, peak descriptors.
struct Measure {
    int status = -1;
    double wall = 0;
    double cpu = 0;
    long maxRssKiB = 0;
    int peakFds = 0;
};

int CountFds(pid_t pid) {
    int count = 0;
    if (DIR* dir = ::opendir(("/proc/" + std::to_string(pid) + "/fd").c_str())) {
        while (::readdir(dir) != nullptr) {
            ++count;
        }
        ::closedir(dir);
    }
    return std::max(0, count - 2);
}

Measure RunCli(const std::vector<std::string>& args) {
    std::vector<std::string> full = {QM_CLI};
    full.insert(full.end(), args.begin(), args.end());
    Measure m;
    const auto start = Clock::now();
    const pid_t pid = Spawn(full, -1);
    int status = 0;
    rusage usage{};
    while (true) {
        const pid_t done = ::wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) {
            break;
        }
        m.peakFds = std::max(m.peakFds, CountFds(pid));
        std::this_thread::sleep_for(std::chrono::milliseconds(kSampleMs));
    }
    m.wall = std::chrono::duration<double>(Clock::now() - start).count();
    m.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m.cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    m.maxRssKiB = usage.ru_maxrss;
    return m;
}

std::string WriteFleet(const std::string& dir, const std::string& name, const std::string& baseline,
                       int base, int count, int jobs) {
    std::ostringstream text;
    text << "[fleet]\nname = \"bench\"\njobs = " << jobs << "\n[[group]]\nname = \"all\"\n"
         << "baseline = \"" << baseline << "\"\nmodel = 0\nprinters = [\n";
    for (int i = 0; i < count; ++i) {
        text << "  \"" << Address(base, i) << ":" << kPort << "\",\n";
    }
    text << "]\n";
    const std::string path = dir + "/" + name;
    std::ofstream(path) << text.str();
    return path;
}

long FileSize(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<long>(size);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* what, int count, int jobs, const Measure& m, double one) {
    const double goal = std::ceil(static_cast<double>(count) / jobs) * one;
    std::printf("%-6s %5d printers, jobs %3d: %7.2f s wall (%.2f x ceil(N/J) x one printer's "
                "%.3f s), %.2f s CPU, peak RSS %.1f MiB, peak %d descriptors, status %d\n",
                what, count, jobs, m.wall, m.wall / goal, one, m.cpu, m.maxRssKiB / kKiB, m.peakFds,
                m.status);
}

} // namespace

int main(int argc, char** argv) {
    int jobs = 32;
    int base = 10;
    std::vector<int> sizes = {256, 1000};
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--jobs") {
            jobs = std::atoi(argv[i + 1]);
        } else if (option == "--base") {
            base = std::atoi(argv[i + 1]);
        } else if (option == "--sizes") {
            sizes.clear();
            std::istringstream list(argv[i + 1]);
            for (std::string item; std::getline(list, item, ',');) {
                sizes.push_back(std::atoi(item.c_str()));
            }
        }
    }
    const bool fleetMode = SimulatorHasFleetMode();
    std::printf("simulators: %s\n",
                fleetMode ? "one --fleet process" : "one process per printer (no --fleet mode)");
    char pattern[] = "/tmp/qm-bench-fleet-XXXXXX";
    const std::string dir = ::mkdtemp(pattern);
    const std::string db = dir + "/fleet.sqlite";

    for (int count : sizes) {
        Printers printers;
        if (!printers.Start(base, count, fleetMode)) {
            std::fprintf(stderr, "bench_fleet_commands: the simulators did not start\n");
            return 1;
        }
        // Baselines from the first printer's own settings, two darknesses so that every apply
        // sends to every printer and verifies it.
        const std::string one = WriteFleet(dir, "one.toml", "dark.prn", base, 1, 1);
        std::filesystem::copy_file(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn",
                                   dir + "/dark.prn",
                                   std::filesystem::copy_options::overwrite_existing);
        RunCli({"fleet", "backup", one, "--db", db, "--dir", dir + "/bk"});
        std::string settings;
        for (const auto& entry : std::filesystem::directory_iterator(dir + "/bk")) {
            std::ifstream in(entry.path(), std::ios::binary);
            settings.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            break;
        }
        for (const auto& [name, darkness] : {std::pair{"dark.prn", "22"}, {"light.prn", "10"}}) {
            std::string text = settings;
            const std::string key = "PRINT DARKNESS\t:\t";
            const size_t at = text.find(key);
            if (at != std::string::npos) {
                text.replace(at + key.size(), text.find('\r', at) - at - key.size(), darkness);
            }
            std::ofstream(dir + "/" + name, std::ios::binary) << text;
        }
        const std::string oneDark = WriteFleet(dir, "one-dark.toml", "dark.prn", base, 1, 1);
        const std::string oneLight = WriteFleet(dir, "one-light.toml", "light.prn", base, 1, 1);
        const std::string dark = WriteFleet(dir, "dark.toml", "dark.prn", base, count, jobs);
        const std::string light = WriteFleet(dir, "light.toml", "light.prn", base, count, jobs);

        std::vector<double> checkOne;
        std::vector<double> applyOne;
        for (int r = 0; r < kOneRounds; ++r) {
            checkOne.push_back(RunCli({"fleet", "check", oneDark, "--db", db}).wall);
            applyOne.push_back(
                RunCli({"fleet", "apply", r % 2 ? oneDark : oneLight, "--db", db}).wall);
        }
        RunCli({"fleet", "apply", light, "--db", db}); // every printer light
        const Measure check = RunCli({"fleet", "check", dark, "--db", db});
        Report("check", count, jobs, check, Median(checkOne));
        const long before = FileSize(db) + FileSize(db + "-wal");
        const Measure apply = RunCli({"fleet", "apply", dark, "--db", db});
        Report("apply", count, jobs, apply, Median(applyOne));
        const long after = FileSize(db) + FileSize(db + "-wal");
        std::printf("database: %+.1f KiB for the apply run of %d printers (%.2f KiB a printer)\n",
                    (after - before) / kKiB, count, (after - before) / kKiB / count);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
