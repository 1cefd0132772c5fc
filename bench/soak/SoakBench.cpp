// The soak: 2,000 receives in one process against printer simulators that misbehave in
// different ways, a fault chosen at random for each receive. Afterwards no file descriptor may
// be left open and the resident memory may have grown by less than 5 % since receive 100.
// A benchmark program, never run as a test:
//   bench_soak [RECEIVES] [SEED]
// Prints the figures and ends with 0 when both limits hold, 1 when one does not.

#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/ReceiveOperation.h"
#include "platform/Encoding.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kDefaultReceives = 2000;
constexpr int kWarmUpReceives = 100;
constexpr double kMaxGrowthPercent = 5.0;

// One simulator per fault, with how often the fault is picked (the slow ones, which end only
// after the read time-outs, rarely, so that the soak ends in minutes).
struct FaultKind {
    const char* name;
    std::vector<std::string> options;
    int weight;
};

// clang-format off
const FaultKind kFaults[] = {
    {"none",          {},                          20},
    {"trickle",       {"--trickle", "64:5"},       15},
    {"drop",          {"--drop-after", "40"},      15},
    {"stray bytes 1", {"--stray-bytes", "1"},      15},
    {"stray bytes 2", {"--stray-bytes", "2"},      15},
    {"oversize",      {"--oversize"},              15},
    {"refused",       {},                           5},
    {"delay",         {"--delay-ms", "1200"},       1},
    {"silent",        {"--silent"},                 2},
    {"no end",        {"--no-end"},                 2},
};
// clang-format on

// The scopes, most of them one request each.
const qm::ReceiveScope kScopes[] = {qm::ReceiveScope::kStandard, qm::ReceiveScope::kStandard,
                                    qm::ReceiveScope::kEasy,     qm::ReceiveScope::kAdvanced,
                                    qm::ReceiveScope::kStandard, qm::ReceiveScope::kInformation,
                                    qm::ReceiveScope::kAll};

std::string SimulatorPath(const char* argv0) {
    if (const char* dir = std::getenv("QM_BINARY_DIR")) {
        return std::string(dir) + "/tools/printer-sim/quillmark-printer-sim";
    }
    const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
    (void)argv0;
    return (self.parent_path().parent_path().parent_path() /
            "tools/printer-sim/quillmark-printer-sim")
        .string();
}

// A simulator on a free TCP port.
class Simulator {
public:
    Simulator(const std::string& program, const std::vector<std::string>& options) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<std::string> args = {program, "--tcp", "127.0.0.1:0", "--model", "24"};
            args.insert(args.end(), options.begin(), options.end());
            std::vector<char*> argv;
            for (std::string& a : args) {
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string lines;
        for (int i = 0; i < 200 && lines.find("ready") == std::string::npos; ++i) {
            pollfd entry{out[0], POLLIN, 0};
            if (::poll(&entry, 1, 50) > 0) {
                char chunk[256];
                const ssize_t got = ::read(out[0], chunk, sizeof chunk);
                if (got <= 0) {
                    break;
                }
                lines.append(chunk, static_cast<size_t>(got));
            }
        }
        ::close(out[0]);
        const size_t at = lines.find("tcp ");
        if (at != std::string::npos) {
            port_ = std::atoi(lines.c_str() + at + 4);
        }
    }
    ~Simulator() { Stop(); }
    void Stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }
    int Port() const { return port_; }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

size_t OpenDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

long ResidentKiB() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char** argv) {
    const int receives = argc > 1 ? std::atoi(argv[1]) : kDefaultReceives;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 20261209u;
    const std::string program = SimulatorPath(argv[0]);

    std::vector<std::unique_ptr<Simulator>> simulators;
    std::vector<int> weights;
    for (const FaultKind& fault : kFaults) {
        simulators.push_back(std::make_unique<Simulator>(program, fault.options));
        if (simulators.back()->Port() == 0) {
            std::fprintf(stderr, "bench_soak: the simulator (%s) did not start\n", program.c_str());
            return 2;
        }
        weights.push_back(fault.weight);
    }
    // "refused": a port whose simulator has gone.
    size_t refused = 0;
    while (std::string(kFaults[refused].name) != "refused") {
        ++refused;
    }
    const int refusedPort = simulators[refused]->Port();
    simulators[refused]->Stop();

    std::mt19937 random(seed);
    std::discrete_distribution<size_t> pickFault(weights.begin(), weights.end());
    std::uniform_int_distribution<size_t> pickScope(0, std::size(kScopes) - 1);

    qm::PrinterConnection connection(qm::SystemClock::Instance(), qm::SystemPortServices());
    qm::SettingsParser parser;
    qm::SettingsRecord record;
    record.modelIndex = 24;
    const size_t descriptorsBefore = OpenDescriptors();
    long residentAfterWarmUp = 0;
    std::map<std::string, std::map<int, int>> outcomes; // fault -> code -> count
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < receives; ++i) {
        const size_t f = pickFault(random);
        qm::StaticInterfaceSettings settings;
        settings.portType = qm::kPortNet;
        settings.portName = u"127.0.0.1";
        const int port = f == refused ? refusedPort : simulators[f]->Port();
        settings.portNumber = qm::U16(std::to_string(port));
        const qm::ReceiveResult result =
            qm::ReceiveOperation(record, parser, connection, settings)
                .Run(qm::RequestKindsForScope(kScopes[pickScope(random)]), 0);
        ++outcomes[kFaults[f].name][result.code];
        if (i + 1 == kWarmUpReceives) {
            residentAfterWarmUp = ResidentKiB();
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const size_t descriptorsAfter = OpenDescriptors();
    const long residentAtEnd = ResidentKiB();
    const double growth = residentAfterWarmUp > 0
                              ? 100.0 * static_cast<double>(residentAtEnd - residentAfterWarmUp) /
                                    static_cast<double>(residentAfterWarmUp)
                              : 0.0;

    std::printf("receives: %d in %.1f s (seed %u)\n", receives, seconds, seed);
    for (const auto& [fault, codes] : outcomes) {
        std::printf("  %-14s", fault.c_str());
        for (const auto& [code, count] : codes) {
            std::printf("  code %d: %d", code, count);
        }
        std::printf("\n");
    }
    std::printf("file descriptors: %zu before, %zu after\n", descriptorsBefore, descriptorsAfter);
    std::printf("resident memory: %ld KiB after receive %d, %ld KiB at the end (%+.2f %%)\n",
                residentAfterWarmUp, kWarmUpReceives, residentAtEnd, growth);
    const bool ok = descriptorsAfter == descriptorsBefore && growth < kMaxGrowthPercent;
    std::printf("%s\n", ok ? "soak: within the limits" : "soak: OUT OF THE LIMITS");
    return ok ? 0 : 1;
}
