#pragma once

#include "connection/InterfaceSettingsSource.h"

#include <string>
#include <vector>

namespace qm::cli {

// One network printer of a fleet: the text the user gave and the stored interface settings
// it turns into.
struct FleetTarget {
    std::string label; // "HOST:PORT" as written (":9100" added when no port was given)
    StaticInterfaceSettings settings;
};

// Reads the targets of a fleet command: every --net value, then every line of each --targets
// file (one HOST[:PORT] per line; blanks around it ignored; empty lines and lines starting
// with '#' skipped; text after " #" is a comment). False with a message naming the file and
// line (or the --net value) of the first entry that cannot be used; then `targets` is empty.
bool ReadFleetTargets(const std::vector<std::string>& nets, const std::vector<std::string>& files,
                      std::vector<FleetTarget>& targets, std::string& error);

// Parses one HOST[:PORT] into NET settings; false with a message (empty host, bad port).
bool NetTargetSettings(const std::string& text, StaticInterfaceSettings& settings,
                       std::string& error);

} // namespace qm::cli
