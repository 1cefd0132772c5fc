// quillmark-cli discover: sends an ICMP echo to every address of an IPv4 range at once, waits
// one time-out for the replies, then asks the addresses that answered for their machine
// information on one TCP port, up to --jobs at a time, and lists the printers that answer
// with their model and serial number. Nothing but that one request is sent.

#include "cli/AddressRange.h"
#include "cli/CommandPreamble.h"
#include "cli/FleetRunner.h"
#include "cli/FleetTargets.h"
#include "cli/InterruptFlag.h"
#include "cli/ProgressLine.h"
#include "connection/IcmpSweep.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/MachineIdentity.h"
#include "platform/ReadableText.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace qm::cli {
namespace {

constexpr int kDefaultPort = 9100;
constexpr int kDefaultTimeoutMs = 500;
constexpr int kMaxTimeoutMs = 60000;
constexpr int kDefaultScanJobs = 32; // a scan mostly waits: more addresses at once than a send
constexpr int kMaxJobs = 256;

struct DiscoverArguments {
    std::string range;
    int port = kDefaultPort;
    int timeoutMs = kDefaultTimeoutMs;
    int jobs = kDefaultScanJobs;
    bool json = false;
};

// What one address answered.
struct Probe {
    bool answered = false;
    MachineIdentity identity;
};

constexpr char kCommand[] = "discover";

Probe AskAddress(const std::string& address, int port, int timeoutMs) {
    Probe probe;
    StaticInterfaceSettings settings;
    std::string error;
    if (!NetTargetSettings(address + ":" + std::to_string(port), settings, error)) {
        return probe;
    }
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    connection.LimitNetWaits(static_cast<uint32_t>(timeoutMs));
    probe.identity = MachineIdentity::Ask(connection, settings);
    probe.answered = probe.identity.Ok();
    return probe;
}

int RunDiscover(const DiscoverArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    std::vector<std::string> addresses;
    std::string error;
    if (!ParseAddressRange(args.range, addresses, error)) {
        return preamble.Fail(error);
    }
    InterruptFlag interrupt;
    const auto start = std::chrono::steady_clock::now();
    // A silent address costs the sweep's one wait instead of a wait of its own.
    const std::vector<size_t> reachable =
        ReachableByEcho(SystemClock::Instance(), addresses, static_cast<uint32_t>(args.timeoutMs));
    ProgressLine progress(io.err, io.style.progress, kCommand, reachable.size());
    auto asked = FleetRunner<Probe>::Run(
        reachable.size(), args.jobs,
        [&](size_t k) {
            Probe probe = AskAddress(addresses[reachable[k]], args.port, args.timeoutMs);
            progress.Finished(probe.answered);
            return probe;
        },
        [] { return InterruptFlag::Raised(); }, [] { return InterruptFlag::Forced(); });
    progress.Stop();
    std::vector<Probe> results(addresses.size());
    std::vector<bool> finished(addresses.size(), false);
    for (size_t k = 0; k < reachable.size(); ++k) {
        results[reachable[k]] = asked.results[k];
        finished[reachable[k]] = asked.finished[k];
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    nlohmann::ordered_json found = nlohmann::ordered_json::array();
    for (size_t i = 0; i < addresses.size(); ++i) {
        const Probe& probe = results[i];
        if (!finished[i] || !probe.answered) {
            continue;
        }
        found.push_back({{"address", addresses[i]},
                         {"port", args.port},
                         {"model", probe.identity.model},
                         {"serial", probe.identity.serial}});
    }
    const size_t skipped = reachable.size() - asked.startedCount;
    if (args.json) {
        preamble.PrintJson(found);
    } else {
        for (const auto& printer : found) {
            // The model and serial are the printer's own bytes.
            io.out << printer["address"].get<std::string>() << ":" << args.port << "  model \""
                   << EscapeControls(printer["model"].get<std::string>()) << "\"  serial \""
                   << EscapeControls(printer["serial"].get<std::string>()) << "\"\n";
        }
        char time[32];
        std::snprintf(time, sizeof time, "%.2f s", seconds);
        io.out << found.size() << " printers answered of " << addresses.size() << " addresses in "
               << time;
        if (skipped > 0) {
            io.out << "; interrupted: " << skipped << " addresses not asked";
        }
        io.out << "\n";
    }
    if (asked.abandoned) {
        // A second interrupt: the printers found so far are out; the running probes end with
        // the process.
        io.out.flush();
        std::_Exit(kExitSignalBase + InterruptFlag::LastSignal());
    }
    if (skipped > 0) {
        preamble.Message("interrupted; " + std::to_string(skipped) + " addresses were not asked");
        return kExitPrinter;
    }
    return 0;
}

} // namespace

void AddDiscoverCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<DiscoverArguments>();
    CLI::App* cmd = app.add_subcommand(
        "discover", "Find network printers in an IPv4 range by their machine information");
    cmd->add_option("--range", args->range, "FIRST-LAST IPv4 addresses (at most 1024)")->required();
    cmd->add_option("--port", args->port, "TCP port (default 9100)")->check(CLI::Range(1, 65535));
    cmd->add_option("--timeout-ms", args->timeoutMs,
                    "longest wait for the echo, the connect and each piece of the reply "
                    "(default 500)")
        ->check(CLI::Range(1, kMaxTimeoutMs));
    cmd->add_option("--jobs", args->jobs, "addresses asked at once (default 32)")
        ->check(CLI::Range(1, kMaxJobs));
    cmd->add_flag("--json", args->json, "print an array of {address, port, model, serial}");
    cmd->callback([args, &io] { io.status = RunDiscover(*args, io); });
}

} // namespace qm::cli
