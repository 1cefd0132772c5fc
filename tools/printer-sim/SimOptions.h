#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::sim {

// Everything the command line can ask for.
struct SimOptions {
    bool tcp = false; // set when a TCP port is to be served
    std::string tcpHost = "127.0.0.1";
    int tcpPort = 9100;
    bool pty = false;
    std::string link; // symbolic link to the pty's device, or empty
    int model = 0;
    std::string logPath;
    std::string printLogPath;
    std::string statePath;
    std::string serial;      // machine serial number; empty chooses one from the model
    std::string controlPath; // --control: the Unix socket a test changes the printer through

    // Fleet: one printer on each IPv4 address of a range, all on one port.
    bool fleet = false;
    uint32_t fleetFirst = 0; // the range's first address, host byte order
    uint32_t fleetCount = 0; // addresses in the range
    int fleetPort = 9100;    // 0: one free port that every address of the range can bind
    std::string stateDir;    // one state file per address, or empty

    // Status flags.
    bool paperOut = false;
    bool ribbonOut = false;
    bool headUp = false;
    bool paused = false;
    bool busy = false;
    bool labelWaiting = false;

    // Behaviour and faults.
    bool calibrationFails = false;
    bool trailingT = false;
    int delayMs = 0;
    int trickleBytes = 0; // 0 = no trickle
    int trickleMs = 0;
    bool silent = false;
    long dropAfter = -1; // -1 = never
    int strayBytes = 0;
    bool noEnd = false;
    bool oversize = false;
    bool strictLine = false; // pty: take data only while the line matches the printer's RS-232C
};

// Result of reading the command line.
// The most printers one fleet process serves (a /16).
constexpr uint32_t kMaxFleetPrinters = 65536;

struct ParsedOptions {
    enum class Outcome { kRun, kHelp, kVersion, kError };
    Outcome outcome = Outcome::kRun;
    SimOptions options;
    std::string error; // one line, for kError
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);
// The --help text.
std::string UsageText();
// The --version line: the program's name and version.
std::string VersionText();

} // namespace qm::sim
