#include "Printer.h"

#include "PrintCommands.h"
#include "ValueCodec.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace qm::sim {

namespace {

std::string_view LanguageOf(const std::string& emulation) {
    if (emulation == "CODE_ZEBRA") {
        return "zebra";
    }
    if (emulation == "CODE_EPL") {
        return "eltron";
    }
    return "native";
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

constexpr long kDefaultLabel = 1016; // tenths of a millimetre: 4 inches

std::string DefaultSerial(int model) {
    char text[16];
    std::snprintf(text, sizeof text, "QM%02d00042", model);
    return text;
}

} // namespace

Printer::Printer(const SimOptions& options, EventLog& log, EventLog& printLog)
    : options_(options), live_(options), log_(log), printLog_(printLog), builder_(live_),
      state_(options.model),
      serial_(options.serial.empty() ? DefaultSerial(options.model) : options.serial) {}

bool Printer::LoadState(std::string& error) {
    if (options_.statePath.empty()) {
        return true;
    }
    std::ifstream in(options_.statePath, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) {
            return true; // a new printer: factory defaults
        }
        error = "cannot read state file '" + options_.statePath + "': " + std::strerror(errno);
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::lock_guard<std::mutex> lock(mutex_);
    int failures = state_.Load(text.str());
    if (failures > 0) {
        std::fprintf(
            stderr,
            "quillmark-printer-sim: %d line(s) of '%s' do not fit model %d and were skipped\n",
            failures, options_.statePath.c_str(), options_.model);
    }
    return true;
}

bool Printer::SaveState(std::string& error) {
    if (options_.statePath.empty()) {
        return true;
    }
    std::string text;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        text = "# quillmark-printer-sim state, model " + std::to_string(options_.model) + "\n" +
               state_.Serialise();
    }
    std::string temp = options_.statePath + ".tmp";
    FILE* file = std::fopen(temp.c_str(), "wb");
    bool ok = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr && std::fclose(file) != 0) {
        ok = false;
    }
    if (!ok || std::rename(temp.c_str(), options_.statePath.c_str()) != 0) {
        error = "cannot write state file '" + options_.statePath + "': " + std::strerror(errno);
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

void Printer::SaveStateLocked(std::string_view transport) {
    if (options_.statePath.empty()) {
        return;
    }
    // SaveState takes the lock itself; callers hold no lock here.
    std::string error;
    if (!SaveState(error)) {
        log_.Write(transport, "ERROR", error);
        std::fprintf(stderr, "quillmark-printer-sim: %s\n", error.c_str());
    }
}

std::string Printer::SerialLine() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string baud = state_.Get("RS-232C BAUD");
    if (baud.empty()) {
        return {};
    }
    std::string parity = state_.Get("RS-232C PARITY");
    return "baud=" + baud + " " + (state_.Get("RS-232C LENGTH") == "7 BITS" ? "7" : "8") +
           (parity == "ODD"    ? "O"
            : parity == "EVEN" ? "E"
                               : "N") +
           (state_.Get("RS-232C STOP BIT") == "2 BITS" ? "2" : "1");
}

int Printer::IdleTimeoutSeconds() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::string timeout = state_.Get("TIMEOUT");
    return timeout.empty() ? 60 : std::atoi(timeout.c_str());
}

std::string Printer::Handle(const Message& message, std::string_view transport) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (live_.silent && !options_.silent) {
            log_.Write(transport, "SILENT", EventLog::Quote(message.raw));
            return {};
        }
    }
    switch (message.kind) {
    case Message::Kind::kCommand:
        return HandleCommand(message, transport);
    case Message::Kind::kStatusFlags:
        log_.Write(transport, "RECV status-flags", EventLog::Quote(message.raw));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            return builder_.StatusFlags();
        }
    case Message::Kind::kHostStatus: {
        log_.Write(transport, "RECV host-status", EventLog::Quote(message.raw));
        std::lock_guard<std::mutex> lock(mutex_);
        return builder_.HostStatus(state_);
    }
    case Message::Kind::kErrorCode:
        log_.Write(transport, "RECV error-code", EventLog::Quote(message.raw));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            return builder_.ErrorCode();
        }
    case Message::Kind::kPrintData:
        log_.Write(transport, "RECV print", EventLog::Quote(message.raw));
        Print(message.raw, transport);
        return {};
    }
    return {};
}

void Printer::Print(const std::string& data, std::string_view transport) {
    std::string emulation;
    long labels = 0;
    std::string_view running;
    std::string_view kind = "data";
    std::string_view language = "-";
    {
        std::lock_guard<std::mutex> lock(mutex_);
        emulation = state_.Emulation();
        running = LanguageOf(emulation);
        for (const PrintCommand& command : kPrintCommands) {
            if (data == command.bytes) {
                kind = command.kind;
                language = command.language.empty() ? (running == "native" ? "zebra" : running)
                                                    : command.language;
            }
        }
        // What is printed is counted: the labels, their length and, with the cutter, the cuts.
        labels = PrintCounters::LabelsOf(kind, running, data);
        const long length =
            StoredLengthTenthsMm(state_.Get("CONTINUOUS MEDIA LENGTH")).value_or(kDefaultLabel);
        counters_.CountPrint(labels, length, state_.Get("FUNCTION SELECT") == "CUT");
    }
    std::string details = "kind=" + std::string(kind) + " language=" + std::string(language) +
                          " emulation=" + std::string(running) +
                          " bytes=" + std::to_string(data.size()) +
                          " data=" + EventLog::Quote(data);
    printLog_.Write(transport, "PRINT", details);
    log_.Write(transport, "PRINT",
               "kind=" + std::string(kind) + " language=" + std::string(language) +
                   " bytes=" + std::to_string(data.size()) + " labels=" + std::to_string(labels));
}

std::string Printer::HandleCommand(const Message& message, std::string_view transport) {
    std::string_view body(message.raw);
    body.remove_prefix(ReplyBuilder::LeadIn().size());
    std::vector<std::pair<std::string, std::string>> events; // logged after RECV
    std::string label;
    std::string reply;
    std::vector<CounterItem> counterItems;
    bool calibrate = false;
    bool changed = false;
    bool ended = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (std::string_view line : Lines(body)) {
            if (line.empty()) {
                continue;
            }
            if (line == "EXIT" || line == "END") {
                ended = true;
                break;
            }
            std::string key;
            std::vector<std::string> tokens;
            bool split = PrinterState::SplitLine(line, key, tokens);
            if (split && key == "SEND CONFIG" && !tokens.empty()) {
                MenuRequest request;
                if (tokens[0] == "STANDARD") {
                    request = MenuRequest::kStandard;
                } else if (tokens[0] == "ADVANCED") {
                    request = MenuRequest::kAdvanced;
                } else if (tokens[0] == "ALL") {
                    request = MenuRequest::kAll;
                } else {
                    events.emplace_back("IGNORE", EventLog::Quote(line));
                    continue;
                }
                if (label.empty()) {
                    label = "menu-" + tokens[0];
                    for (char& c : label) {
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    }
                }
                reply += builder_.Menu(state_, request);
            } else if (line == "SEND MACHINE INFO") {
                label = label.empty() ? "machine-info" : label;
                reply += builder_.MachineInfo(state_, serial_, counters_);
            } else if (line == "SERIAL NUMBER CHECK:" || line == "PRINT COUNTER:" ||
                       line == "SERVICE COUNTER:" || line == "CUT COUNTER:") {
                label = label.empty() ? "counters" : label;
                counterItems.push_back(line == "SERIAL NUMBER CHECK:" ? CounterItem::kSerial
                                       : line == "PRINT COUNTER:"     ? CounterItem::kPrint
                                       : line == "SERVICE COUNTER:"   ? CounterItem::kService
                                                                      : CounterItem::kCut);
            } else if (line == "LOADMACRO" || line == "SAVE") {
                events.emplace_back("NOTE", std::string(line));
            } else if (line == "AUTO CALIBRATION") {
                calibrate = true;
            } else {
                std::string stored;
                switch (state_.ApplyLine(line, &stored)) {
                case PrinterState::ApplyResult::kApplied:
                    changed = true;
                    events.emplace_back("APPLY", key + " = " + EventLog::Quote(stored));
                    break;
                case PrinterState::ApplyResult::kKept:
                    events.emplace_back("KEEP", EventLog::Quote(line));
                    break;
                case PrinterState::ApplyResult::kRejected:
                    events.emplace_back("REJECT", EventLog::Quote(line));
                    break;
                case PrinterState::ApplyResult::kUnknownKey:
                    events.emplace_back("IGNORE", EventLog::Quote(line));
                    break;
                }
            }
        }
    }
    if (label.empty()) {
        label = calibrate ? "calibration" : "configuration";
    }
    log_.Write(transport, "RECV " + label, EventLog::Quote(message.raw));
    for (const auto& [event, details] : events) {
        log_.Write(transport, event, details);
    }
    if (changed) {
        SaveStateLocked(transport);
    }
    if (!message.complete || !ended) {
        // A request without its EXIT line is not acted on.
        log_.Write(transport, "INCOMPLETE", "no EXIT or END line; no reply");
        return {};
    }
    if (!counterItems.empty()) {
        reply += builder_.CountersReply(counterItems, serial_, counters_);
    }
    if (calibrate) {
        log_.Write(transport, "CALIBRATE", options_.calibrationFails ? "failed" : "succeeded");
        reply += builder_.CalibrationAnswer();
    }
    return reply;
}

} // namespace qm::sim

namespace qm::sim {

std::string Printer::Control(std::string_view command) {
    std::string text(command);
    std::istringstream words(text);
    std::string verb;
    std::string name;
    words >> verb >> name;
    if (verb == "flag") {
        std::string value;
        std::string extra;
        words >> value >> extra;
        if ((value != "on" && value != "off") || !extra.empty()) {
            return "error: flag NAME on|off";
        }
        const std::pair<const char*, bool SimOptions::*> kFlags[] = {
            {"paper-out", &SimOptions::paperOut}, {"ribbon-out", &SimOptions::ribbonOut},
            {"head-up", &SimOptions::headUp},     {"paused", &SimOptions::paused},
            {"busy", &SimOptions::busy},          {"label-waiting", &SimOptions::labelWaiting},
            {"silent", &SimOptions::silent},
        };
        for (const auto& [flag, member] : kFlags) {
            if (name == flag) {
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    live_.*member = value == "on";
                }
                log_.Write("control", "FLAG", name + "=" + value);
                return "ok";
            }
        }
        return "error: unknown flag '" + name + "'";
    }
    if (verb == "set") {
        // The value is the rest of the line after the key's one blank; keys hold blanks, so
        // the key ends at the last run of two or more blanks, or at its single blank.
        const size_t keyStart = text.find(name);
        const size_t split = text.rfind("  ");
        std::string key;
        std::string value;
        if (split != std::string::npos && split > keyStart) {
            key = text.substr(keyStart, split - keyStart);
            value = text.substr(text.find_first_not_of(' ', split));
        } else {
            const size_t blank = text.find(' ', keyStart);
            if (blank == std::string::npos) {
                return "error: set KEY  VALUE";
            }
            key = text.substr(keyStart, blank - keyStart);
            value = text.substr(blank + 1);
        }
        std::string stored;
        PrinterState::ApplyResult result;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            result = state_.ApplyLine(key + "\t:\t" + value, &stored);
        }
        if (result == PrinterState::ApplyResult::kUnknownKey) {
            return "error: unknown key '" + key + "'";
        }
        if (result == PrinterState::ApplyResult::kRejected) {
            return "error: '" + value + "' is refused for " + key;
        }
        log_.Write("control", "SET", key + "=" + stored);
        SaveStateLocked("control");
        return "ok";
    }
    return "error: give \"flag NAME on|off\" or \"set KEY  VALUE\"";
}

} // namespace qm::sim
