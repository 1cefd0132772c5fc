#pragma once

#include "connection/InterfaceSettingsSource.h"

#include <optional>
#include <string>
#include <vector>

namespace qm::fleet {

// A place in the fleet file, for messages ("FILE:LINE:COLUMN: ...").
struct FilePlace {
    int line = 0;
    int column = 0;
};

// One network printer of a group.
struct FleetPrinter {
    std::string address; // "HOST:PORT" (":9100" added when the file gave no port)
    StaticInterfaceSettings settings;
    FilePlace place;
};

// A group of printers that must hold the same settings.
struct FleetGroup {
    std::string name;
    std::string baseline;     // the settings file's path, resolved against the fleet file's folder
    std::optional<int> model; // the group's model; none: each printer is asked
    std::vector<FleetPrinter> printers;
    FilePlace baselinePlace;
};

// The fleet file a person writes (TOML):
//   [fleet]  name = "...", jobs = N (exchanges at once, default 64)
//   [[group]] name, baseline (relative to the fleet file), model (name or 0-37; optional),
//             printers = ["HOST[:PORT]", ...]
// Every mistake is refused with its line and column: a TOML error, an unknown key, a missing
// or mistyped value, a group name or printer given twice, a baseline that does not read or
// that the group's model refuses. Nothing may be sent for a fleet file that did not load.
class FleetFile {
public:
    static constexpr int kDefaultJobs = 64; // as send: measured fastest on a shared machine
    static constexpr int kMaxJobs = 1024;
    static constexpr int kDefaultPort = 9100;
    // A fleet file is a page of text, not a data dump: larger files are refused unread.
    static constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

    std::string path;
    std::string name;
    int jobs = kDefaultJobs;
    std::vector<FleetGroup> groups;

    // Loads and checks `filePath`. False with one line "FILE:LINE:COLUMN: what is wrong"
    // (or "FILE: ..." when the file cannot be read) in `error`.
    static bool Load(const std::string& filePath, FleetFile& fleet, std::string& error);
    // The same on text already read (`filePath` names it in messages and anchors baselines).
    static bool Parse(const std::string& text, const std::string& filePath, FleetFile& fleet,
                      std::string& error);

    // The group named `group`, or every group when it is empty. False when no group has
    // that name.
    bool Select(const std::string& group, std::vector<const FleetGroup*>& selected) const;
};

// A model named as the model list names it ("(R)" standing for the registered sign) or by
// its index 0-37; nullopt when it is neither.
std::optional<int> ModelFromText(const std::string& text);

// Parses "HOST[:PORT]" into NET settings and the "HOST:PORT" label; false with the reason.
bool ParsePrinterAddress(const std::string& text, FleetPrinter& printer, std::string& error);

} // namespace qm::fleet
