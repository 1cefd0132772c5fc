// quillmark-printer-sim: a stand-in label printer on TCP and on a pseudo-terminal.

#include "ControlServer.h"
#include "EventLog.h"
#include "FleetServer.h"
#include "Printer.h"
#include "PtyPort.h"
#include "SimOptions.h"
#include "TcpServer.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <pthread.h>
#include <string_view>
#include <thread>

namespace {

constexpr const char* kName = "quillmark-printer-sim";

int Fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kName, message.c_str());
    return 1;
}

// A control line "[ADDRESS] COMMAND": the first word is an address when it holds a dot.
// `find` gives the printer of an address (null: none); without one, `single` is used.
std::string Dispatch(std::string_view line, qm::sim::Printer* single,
                     const std::function<qm::sim::Printer*(const std::string&)>& find) {
    const size_t blank = line.find(' ');
    const std::string first(line.substr(0, blank));
    if (first.find('.') != std::string::npos) {
        qm::sim::Printer* printer = find(first);
        if (printer == nullptr) {
            return "error: no printer at " + first;
        }
        return printer->Control(blank == std::string_view::npos ? "" : line.substr(blank + 1));
    }
    if (single == nullptr) {
        return "error: name the printer's address first";
    }
    return single->Control(line);
}

// One printer on each address of the range, served by one event loop until SIGINT or SIGTERM.
int RunFleet(const qm::sim::SimOptions& options, qm::sim::EventLog& log,
             qm::sim::EventLog& printLog) {
    qm::sim::FleetServer fleet(options, log, printLog);
    std::string error;
    if (!fleet.Open(error)) {
        return Fail(error);
    }
    qm::sim::ControlServer control;
    if (!options.controlPath.empty()) {
        if (!control.Listen(options.controlPath, error)) {
            return Fail(error);
        }
        control.Start([&fleet](std::string_view line) {
            return Dispatch(line, nullptr, [&fleet](const std::string& address) {
                return fleet.PrinterAt(address);
            });
        });
    }
    std::printf("tcp %d\nfleet %zu\nready\n", fleet.Port(), fleet.Size());
    std::fflush(stdout);
    log.Write("sim", "START",
              "model=" + std::to_string(options.model) + " fleet=" + std::to_string(fleet.Size()) +
                  " port=" + std::to_string(fleet.Port()));
    const int signal = fleet.Run();
    int status = 0;
    if (!fleet.SaveAll(error)) {
        std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
        status = 1;
    }
    log.Write("sim", "STOP", signal == SIGINT ? "SIGINT" : "SIGTERM");
    return status;
}

} // namespace

int main(int argc, char** argv) {
    using namespace qm::sim;
    ParsedOptions parsed = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.outcome == ParsedOptions::Outcome::kHelp) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (parsed.outcome == ParsedOptions::Outcome::kVersion) {
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    }
    if (parsed.outcome == ParsedOptions::Outcome::kError) {
        std::fprintf(stderr, "%s: %s (see --help)\n", kName, parsed.error.c_str());
        return 2;
    }
    const SimOptions& options = parsed.options;

    // SIGINT and SIGTERM are taken by sigwait below; every thread inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    EventLog log;
    EventLog printLog;
    if (!options.logPath.empty() && !log.Open(options.logPath)) {
        return Fail("cannot open log file '" + options.logPath + "': " + std::strerror(errno));
    }
    if (!options.printLogPath.empty() && !printLog.Open(options.printLogPath)) {
        return Fail("cannot open print log '" + options.printLogPath +
                    "': " + std::strerror(errno));
    }
    if (options.fleet) {
        return RunFleet(options, log, printLog);
    }
    Printer printer(options, log, printLog);
    std::string error;
    if (!printer.LoadState(error)) {
        return Fail(error);
    }

    TcpServer tcp;
    PtyPort pty;
    if (options.tcp) {
        if (!tcp.Listen(options.tcpHost, options.tcpPort, error)) {
            return Fail(error);
        }
        std::printf("tcp %d\n", tcp.Port());
    }
    if (options.pty) {
        if (!pty.Open(options.link, error)) {
            return Fail(error);
        }
        std::printf("pty %s\n", pty.Path().c_str());
    }
    ControlServer control;
    if (!options.controlPath.empty()) {
        if (!control.Listen(options.controlPath, error)) {
            return Fail(error);
        }
        // The single printer answers on its own address too.
        control.Start([&printer, &options](std::string_view line) {
            return Dispatch(line, &printer, [&](const std::string& address) {
                return address == options.tcpHost ? &printer : nullptr;
            });
        });
    }
    std::printf("ready\n");
    std::fflush(stdout);
    log.Write("sim", "START",
              "model=" + std::to_string(options.model) + " serial=" + printer.Serial());

    std::atomic<bool> stop{false};
    std::thread tcpThread;
    std::thread ptyThread;
    if (options.tcp) {
        tcpThread = std::thread([&] { tcp.Serve(printer, options, log, stop); });
    }
    if (options.pty) {
        ptyThread = std::thread([&] { pty.Serve(printer, options, log, stop); });
    }

    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    stop = true;
    if (tcpThread.joinable()) {
        tcpThread.join();
    }
    if (ptyThread.joinable()) {
        ptyThread.join();
    }
    int status = 0;
    if (!printer.SaveState(error)) {
        std::fprintf(stderr, "%s: %s\n", kName, error.c_str());
        status = 1;
    }
    log.Write("sim", "STOP", signal == SIGINT ? "SIGINT" : "SIGTERM");
    return status;
}
