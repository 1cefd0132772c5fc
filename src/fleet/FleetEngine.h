#pragma once

#include "fleet/Baseline.h"
#include "fleet/FleetFile.h"
#include "fleet/FleetStore.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qm::fleet {

enum class FleetAction { kCheck, kBackup, kApply, kRollback };

// One printer of a run.
struct FleetTarget {
    FleetPrinter printer;
    std::string group;
    std::optional<int> model;        // the group's model; none: the printer is asked
    std::string baseline;            // the group's settings file (check, backup, apply)
    std::optional<Snapshot> restore; // rollback: the snapshot to put back
};

struct FleetRunOptions {
    FleetAction action = FleetAction::kCheck;
    int jobs = FleetFile::kDefaultJobs;
    bool all = false;           // apply: send also to printers that hold the baseline
    int canary = 0;             // apply: this many printers first; the rest only if all succeeded
    int maxFailures = 0;        // apply, rollback: no further start once more have failed
    bool dryRun = false;        // apply: report what would be sent, send nothing
    std::string backupDir;      // backup: also write DIR/SERIAL.prn
    std::function<bool()> stop; // asked before each start (Ctrl+C, SIGTERM)
    // Told each printer's result as it finishes, from the worker that ran it (a progress
    // line); it must be thread-safe.
    std::function<void(const PrinterResult&)> finished;
};

struct FleetRunReport {
    int64_t runId = 0;
    std::vector<PrinterResult> results; // in the targets' order
    bool stopped = false;               // the stop test said stop
    // Serial numbers that answered at more than one address of the run, with the addresses.
    std::map<std::string, std::vector<std::string>> duplicates;
    // Set when the store failed during the run: the results above are what happened, but the
    // journal does not hold them all.
    std::string storeError;
};

// Runs one fleet command over its printers: up to `jobs` exchanges at once, each printer
// with its own connection and record, through the same operations a single-printer command
// uses. Every printer's start and result go to the store as they happen; snapshots are stored
// before anything is sent. Thread safety: the targets and options are read-only while the run
// goes on; each worker writes only its own result slot; the baseline cache and the failure
// count have their own lock and atomic; the store serializes its own calls.
class FleetEngine {
public:
    explicit FleetEngine(FleetStore& store) : store_(store) {}

    FleetRunReport Run(const RunInfo& run, const std::vector<FleetTarget>& targets,
                       const FleetRunOptions& options);

private:
    PrinterResult RunPrinter(int64_t runId, int position, const FleetTarget& target,
                             const FleetRunOptions& options);
    const Baseline& BaselineFor(const std::string& path, int model);

    FleetStore& store_;
    std::mutex baselinesLock_;
    std::map<std::pair<std::string, int>, Baseline> baselines_;
};

// Whether a printer's outcome counts as done right (applied, unchanged, compliant, ...) or
// as a failure for --max-failures and --canary (unreachable, failed, unknown).
bool IsFailure(PrinterOutcome outcome);

// The model a printer names in its machine information: the model list's name, or, for a
// printer that reports the family name of its emulation variants, the native model of that
// name. nullopt when no model has the name.
std::optional<int> ModelFromReportedName(const std::string& name);

// A serial number as a file name: only letters, digits, '.', '-' and '_' kept, other bytes
// as '_'; never empty, never "." or "..".
std::string SerialFileName(const std::string& serial);

} // namespace qm::fleet
