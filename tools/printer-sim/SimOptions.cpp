#include "SimOptions.h"

#include <arpa/inet.h>
#include <charconv>

namespace qm::sim {

namespace {

bool ParseInt(const std::string& text, long min, long max, long& out) {
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < min || value > max) {
        return false;
    }
    out = value;
    return true;
}

bool ParseAddress(const std::string& text, uint32_t& out) {
    in_addr address{};
    if (::inet_pton(AF_INET, text.c_str(), &address) != 1) {
        return false;
    }
    out = ntohl(address.s_addr);
    return true;
}

// "FIRST-LAST", both dotted quads, FIRST <= LAST, at most kMaxFleetPrinters addresses.
bool ParseRange(const std::string& text, SimOptions& o, std::string& error) {
    size_t dash = text.find('-');
    uint32_t first = 0;
    uint32_t last = 0;
    if (dash == std::string::npos || !ParseAddress(text.substr(0, dash), first) ||
        !ParseAddress(text.substr(dash + 1), last)) {
        error = "--fleet needs FIRST-LAST IPv4 addresses, got '" + text + "'";
        return false;
    }
    if (last < first) {
        error = "--fleet range '" + text + "' ends before it starts";
        return false;
    }
    if (last - first >= kMaxFleetPrinters) {
        error = "--fleet range '" + text + "' holds more than " +
                std::to_string(kMaxFleetPrinters) + " addresses";
        return false;
    }
    o.fleet = true;
    o.fleetFirst = first;
    o.fleetCount = last - first + 1;
    return true;
}

} // namespace

std::string UsageText() {
    return "Usage: quillmark-printer-sim [options]\n"
           "A stand-in label printer on TCP and on a pseudo-terminal.\n"
           "\n"
           "Transports (without any, TCP on 127.0.0.1:9100):\n"
           "  --tcp HOST:PORT       listen on HOST:PORT; port 0 picks a free port; prints 'tcp "
           "PORT'\n"
           "  --pty                 open a pseudo-terminal; prints 'pty /dev/pts/N'\n"
           "  --link PATH           with --pty: make PATH a symbolic link to the pty\n"
           "Fleet (instead of the transports above):\n"
           "  --fleet FIRST-LAST    one printer on each IPv4 address of the range (at most\n"
           "                        65536), each with its own state and serial number\n"
           "  --port N              the fleet's TCP port (default 9100); 0 picks one free\n"
           "                        on every address; prints 'tcp PORT'\n"
           "  --state-dir DIR       keep each fleet printer's settings in DIR/ADDRESS.state\n"
           "Printer:\n"
           "  --model N             printer model 0-37 (default 0)\n"
           "  --state FILE          keep the settings in FILE between runs\n"
           "  --serial TEXT         machine serial number (default from the model); in a\n"
           "                        fleet, the prefix of each printer's number\n"
           "  --log FILE            log every request and reply with time stamps\n"
           "  --print-log FILE      log everything printed (self tests, samples, data)\n"
           "  --control PATH        a Unix socket taking one command a line while it runs:\n"
           "                        [ADDRESS] flag paper-out|ribbon-out|head-up|paused|busy|\n"
           "                        label-waiting|silent on|off, [ADDRESS] set KEY  VALUE\n"
           "                        (ADDRESS: which printer of a fleet); answers ok or error\n"
           "Status flags:\n"
           "  --paper-out --ribbon-out --head-up --paused --busy --label-waiting\n"
           "Behaviour and faults:\n"
           "  --calibration-fails   answer a sensor adjustment with FAILED\n"
           "  --trailing-t          send one 'T' after END\\r\\n\n"
           "  --delay-ms N          wait N ms before every reply\n"
           "  --trickle BYTES:MS    send replies in pieces of BYTES with MS between them\n"
           "  --silent              never answer\n"
           "  --drop-after N        close the connection after N reply bytes\n"
           "  --stray-bytes N       send N '?' bytes before every reply\n"
           "  --no-end              leave out the END line of terminated replies\n"
           "  --oversize            pad terminated replies beyond 4096 bytes\n"
           "  --strict-line         pty: ignore data while the line settings differ from the\n"
           "                        printer's RS-232C settings\n"
           "  --help                show this text\n"
           "  --version             show the program's version\n"
           "Stops cleanly on SIGINT or SIGTERM.\n";
}

std::string VersionText() {
    return "quillmark-printer-sim " QM_PROJECT_VERSION "\n";
}

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions result;
    SimOptions& o = result.options;
    auto fail = [&result](const std::string& message) {
        result.outcome = ParsedOptions::Outcome::kError;
        result.error = message;
        return result;
    };
    bool linkGiven = false;
    bool portGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        long n = 0;
        if (arg == "--help" || arg == "-h") {
            result.outcome = ParsedOptions::Outcome::kHelp;
            return result;
        } else if (arg == "--version") {
            result.outcome = ParsedOptions::Outcome::kVersion;
            return result;
        } else if (arg == "--tcp") {
            if (!value(v)) {
                return fail("--tcp needs HOST:PORT");
            }
            size_t colon = v.rfind(':');
            if (colon == std::string::npos || colon == 0 ||
                !ParseInt(v.substr(colon + 1), 0, 65535, n)) {
                return fail("--tcp needs HOST:PORT with a port 0-65535, got '" + v + "'");
            }
            o.tcp = true;
            o.tcpHost = v.substr(0, colon);
            o.tcpPort = static_cast<int>(n);
        } else if (arg == "--fleet") {
            std::string error;
            if (!value(v) || !ParseRange(v, o, error)) {
                return fail(error.empty() ? "--fleet needs FIRST-LAST" : error);
            }
        } else if (arg == "--port") {
            if (!value(v) || !ParseInt(v, 0, 65535, n)) {
                return fail("--port needs a port 0-65535");
            }
            o.fleetPort = static_cast<int>(n);
            portGiven = true;
        } else if (arg == "--state-dir") {
            if (!value(v) || v.empty()) {
                return fail("--state-dir needs a folder");
            }
            o.stateDir = v;
        } else if (arg == "--pty") {
            o.pty = true;
        } else if (arg == "--link") {
            if (!value(v) || v.empty()) {
                return fail("--link needs a PATH");
            }
            o.link = v;
            linkGiven = true;
        } else if (arg == "--model") {
            if (!value(v) || !ParseInt(v, 0, 37, n)) {
                return fail("--model needs a number 0-37");
            }
            o.model = static_cast<int>(n);
        } else if (arg == "--control") {
            if (!value(v) || v.empty()) {
                return fail("--control needs a PATH");
            }
            o.controlPath = v;
        } else if (arg == "--state" || arg == "--log" || arg == "--print-log" ||
                   arg == "--serial") {
            if (!value(v) || v.empty()) {
                return fail(arg + " needs a value");
            }
            (arg == "--state"       ? o.statePath
             : arg == "--log"       ? o.logPath
             : arg == "--print-log" ? o.printLogPath
                                    : o.serial) = v;
        } else if (arg == "--paper-out") {
            o.paperOut = true;
        } else if (arg == "--ribbon-out") {
            o.ribbonOut = true;
        } else if (arg == "--head-up") {
            o.headUp = true;
        } else if (arg == "--paused") {
            o.paused = true;
        } else if (arg == "--busy") {
            o.busy = true;
        } else if (arg == "--label-waiting") {
            o.labelWaiting = true;
        } else if (arg == "--calibration-fails") {
            o.calibrationFails = true;
        } else if (arg == "--trailing-t") {
            o.trailingT = true;
        } else if (arg == "--silent") {
            o.silent = true;
        } else if (arg == "--no-end") {
            o.noEnd = true;
        } else if (arg == "--oversize") {
            o.oversize = true;
        } else if (arg == "--strict-line") {
            o.strictLine = true;
        } else if (arg == "--delay-ms") {
            if (!value(v) || !ParseInt(v, 0, 600000, n)) {
                return fail("--delay-ms needs a number 0-600000");
            }
            o.delayMs = static_cast<int>(n);
        } else if (arg == "--drop-after") {
            if (!value(v) || !ParseInt(v, 0, 1L << 30, n)) {
                return fail("--drop-after needs a byte count");
            }
            o.dropAfter = n;
        } else if (arg == "--stray-bytes") {
            if (!value(v) || !ParseInt(v, 0, 4096, n)) {
                return fail("--stray-bytes needs a number 0-4096");
            }
            o.strayBytes = static_cast<int>(n);
        } else if (arg == "--trickle") {
            long bytes = 0;
            long ms = 0;
            size_t colon = value(v) ? v.find(':') : std::string::npos;
            if (colon == std::string::npos || !ParseInt(v.substr(0, colon), 1, 65536, bytes) ||
                !ParseInt(v.substr(colon + 1), 0, 60000, ms)) {
                return fail("--trickle needs BYTES:MS (BYTES 1-65536, MS 0-60000)");
            }
            o.trickleBytes = static_cast<int>(bytes);
            o.trickleMs = static_cast<int>(ms);
        } else {
            return fail("unknown option '" + arg + "'");
        }
    }
    if (linkGiven && !o.pty) {
        return fail("--link needs --pty");
    }
    if (o.fleet && (o.tcp || o.pty || !o.statePath.empty())) {
        return fail("--fleet serves TCP on its own addresses; it takes neither --tcp, --pty "
                    "nor --state (use --port and --state-dir)");
    }
    if (!o.fleet && (portGiven || !o.stateDir.empty())) {
        return fail("--port and --state-dir need --fleet");
    }
    if (!o.pty && !o.fleet) {
        o.tcp = true; // TCP on the default address when nothing else is asked for
    }
    return result;
}

} // namespace qm::sim
