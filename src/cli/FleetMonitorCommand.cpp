// quillmark-cli fleet monitor: watches the printers of a fleet file (src/fleet/FleetMonitor)
// and serves the status page, the metrics and /api/printers (src/fleet/MonitorServer). This
// file parses the arguments, prints the events and waits for the signals.

#include "cli/FleetMonitorCommand.h"

#include "cli/CommandPreamble.h"
#include "cli/FleetRender.h"
#include "fleet/EventHook.h"
#include "fleet/FleetFile.h"
#include "fleet/FleetMonitor.h"
#include "fleet/FleetStore.h"
#include "fleet/MonitorServer.h"
#include "fleet/Sqlite.h"
#include "platform/ReadableText.h"

#include <csignal>
#include <iostream>
#include <memory>
#include <mutex>
#include <pthread.h>

namespace qm::cli {
namespace {

constexpr char kCommand[] = "fleet monitor";
constexpr double kMinIntervalSeconds = 1;
constexpr double kMaxIntervalSeconds = 7 * 24 * 3600;

struct MonitorArguments {
    std::string fleetFile;
    std::string listen = "127.0.0.1:" + std::to_string(fleet::MonitorServer::kDefaultPort);
    double interval = 60;
    double driftInterval = 3600;
    std::string onEvent;
    std::string tokenFile;
    std::string db;
    int jobs = 0;
};

// "HOST:PORT" or "[V6]:PORT".
bool SplitListen(const std::string& text, std::string& host, int& port) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return false;
    }
    host = text.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    const std::string portText = text.substr(colon + 1);
    if (portText.empty() || portText.size() > 5 ||
        portText.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    port = std::stoi(portText);
    return port <= 65535 && !host.empty();
}

std::chrono::milliseconds Milliseconds(double seconds) {
    return std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000));
}

// One line per event on standard output (the journal when run as a service).
void PrintEvent(std::ostream& out, const fleet::FleetEvent& event) {
    static std::mutex lock;
    std::lock_guard guard(lock);
    out << event.at << " " << EscapeControls(event.printer) << " " << EscapeControls(event.kind)
        << " " << EscapeControls(event.state);
    if (!event.serial.empty()) {
        out << " serial " << EscapeControls(event.serial);
    }
    if (!event.group.empty()) {
        out << " group " << EscapeControls(event.group);
    }
    if (!event.detail.empty()) {
        out << " (" << EscapeControls(event.detail) << ")";
    }
    out << std::endl;
}

int RunMonitor(const MonitorArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    std::string host;
    int port = 0;
    if (!SplitListen(args.listen, host, port)) {
        return preamble.Fail("--listen takes HOST:PORT, not \"" + args.listen + "\"");
    }
    std::string token;
    std::string error;
    if (!args.tokenFile.empty() && !fleet::ReadTokenFile(args.tokenFile, token, error)) {
        return preamble.Fail(error);
    }
    if (token.empty() && !fleet::IsLoopbackHost(host)) {
        return preamble.Fail("listening on " + host +
                             " needs --token-file: only this machine may ask "
                             "without a token");
    }
    fleet::FleetFile file;
    if (!fleet::FleetFile::Load(args.fleetFile, file, error)) {
        return preamble.Fail(error);
    }
    fleet::FleetStore store;
    const std::string path = args.db.empty() ? fleet::FleetStore::DefaultPath() : args.db;
    if (!store.Open(path, error)) {
        return preamble.Fail(error);
    }

    // The signals are taken here, by sigwait; every thread started below inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        std::unique_ptr<fleet::EventHook> hook;
        if (!args.onEvent.empty()) {
            hook = std::make_unique<fleet::EventHook>(
                args.onEvent,
                [&preamble](const std::string& what) { preamble.Message(EscapeControls(what)); });
        }
        fleet::MonitorOptions options;
        options.interval = Milliseconds(args.interval);
        options.driftInterval = Milliseconds(args.driftInterval);
        options.jobs = args.jobs;
        options.onEvent = [&hook, &io](const fleet::FleetEvent& event) {
            PrintEvent(io.out, event);
            if (hook) {
                hook->Post(event);
            }
        };
        fleet::FleetMonitor monitor(store, options);
        monitor.Load(file);
        fleet::MonitorServer server(monitor, token);
        if (!server.Bind(host, port, error)) {
            return preamble.Fail(error);
        }
        io.out << "listening on " << host << ":" << server.Port() << std::endl;
        server.Start();
        monitor.Start();
        while (true) {
            int signal = 0;
            if (sigwait(&signals, &signal) != 0) {
                continue;
            }
            if (signal != SIGHUP) {
                break;
            }
            fleet::FleetFile reloaded;
            if (fleet::FleetFile::Load(args.fleetFile, reloaded, error)) {
                monitor.Load(reloaded);
                io.out << "reloaded " << EscapeControls(args.fleetFile) << std::endl;
            } else {
                preamble.Message(error + "; the printers of before stay watched");
            }
        }
        server.Stop();
        monitor.Stop();
    } catch (const fleet::SqliteError& failure) {
        preamble.Message(std::string("the fleet database failed: ") + failure.what());
        return kExitPrinter;
    }
    return 0;
}

} // namespace

void AddFleetMonitorCommand(CLI::App* fleetCommand, CommandIo& io) {
    auto args = std::make_shared<MonitorArguments>();
    CLI::App* cmd = fleetCommand->add_subcommand(
        "monitor", "Watch the printers: status page, Prometheus metrics, and an event per change");
    cmd->add_option("FLEET", args->fleetFile, "fleet file (TOML)")->required();
    cmd->add_option("--listen", args->listen,
                    "HOST:PORT for the page, /metrics and /api/printers (default 127.0.0.1:9464)");
    cmd->add_option("--interval", args->interval,
                    "seconds between status and counter polls (default 60)")
        ->check(CLI::Range(kMinIntervalSeconds, kMaxIntervalSeconds));
    cmd->add_option("--drift-interval", args->driftInterval,
                    "seconds between settings checks against the baseline (default 3600)")
        ->check(CLI::Range(kMinIntervalSeconds, kMaxIntervalSeconds));
    cmd->add_option("--on-event", args->onEvent,
                    "run this shell command once per event (QUILLMARK_EVENT, ... set)");
    cmd->add_option("--token-file", args->tokenFile,
                    "a file holding the bearer token every request must bring");
    cmd->add_option("--db", args->db,
                    "the fleet database (default $XDG_STATE_HOME/quillmark/fleet.sqlite)");
    cmd->add_option("--jobs", args->jobs, "exchanges at once (default: the fleet file's jobs)")
        ->check(CLI::Range(1, fleet::FleetFile::kMaxJobs));
    cmd->callback([args, &io] { io.status = RunMonitor(*args, io); });
}

} // namespace qm::cli
