#pragma once

#include "fleet/PrinterReading.h"

#include <optional>
#include <string>
#include <vector>

namespace qm::fleet {

// What the monitor knows about one printer of the fleet file: its last reading, its drift and
// its serial number's whereabouts. Copies of it leave the monitor (page, metrics, /api).
struct MonitoredPrinter {
    std::string address; // "HOST:PORT" as the fleet file gives it
    std::string group;
    std::optional<int> model; // the group's, else the one the printer reports
    std::string serial;       // the last serial number it reported
    PrinterReading reading;
    std::optional<int> driftedSettings;  // nullopt until a drift check succeeded
    std::string driftDetail;             // why the last drift check failed, if it did
    std::string movedFrom;               // the address its serial number was last seen at
    std::vector<std::string> duplicates; // other addresses reporting the same serial number
    double lastPoll = 0;                 // Unix time of the last poll's end, 0 before the first
    double lastSeen = 0;                 // Unix time of the last answer
    int failures = 0;                    // polls failed in a row
};

} // namespace qm::fleet
