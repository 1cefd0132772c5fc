#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace qm::cli {

// How one target of a fleet command ended.
struct TargetResult {
    std::string target;   // HOST:PORT
    bool ok = false;      // true only when the target's whole exchange succeeded
    int code = 0;         // 0, an operation code (30, 31, 32, 40), kCodeSettingsDiffer or
                          // kCodeNotStarted or kCodeStillRunning
    std::string message;  // what happened, in words
    double seconds = 0.0; // the target's own time
};

// The code of a target that was never started because an interrupt came first.
inline constexpr int kCodeNotStarted = -1;
// The code of a target still running when a second interrupt ended the command: the printer
// may or may not have taken the configuration.
inline constexpr int kCodeStillRunning = -2;
// send --verify: the printer took the configuration but does not report every sent setting
// (the exit status diff gives for settings that differ).
inline constexpr int kCodeSettingsDiffer = 1;

// The per-target lines and the summary, or (json) an array of
// {target, ok, code, message, seconds}. Targets keep the order they were given in.
void PrintFleetReport(std::ostream& out, const std::vector<TargetResult>& results, bool json,
                      double wallSeconds);
nlohmann::ordered_json FleetReportJson(const std::vector<TargetResult>& results);

} // namespace qm::cli
