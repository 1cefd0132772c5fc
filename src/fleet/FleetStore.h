#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace qm::fleet {

// How one printer of a run ended. kInFlight is what a printer holds while its exchange runs;
// a run that was killed leaves it behind, and the next open turns it into kUnknown.
enum class PrinterOutcome {
    kInFlight,
    kUnknown,
    kCompliant,   // check: holds the baseline
    kDrifted,     // check: differs from the baseline
    kBackedUp,    // backup: snapshot stored
    kUnchanged,   // apply: nothing to send
    kApplied,     // apply, rollback: sent and verified
    kWouldApply,  // apply --dry-run: would be sent
    kUnreachable, // nothing was sent: the printer did not answer, or cannot take the baseline
    kFailed,      // something was sent and the verify or the exchange failed
    kNotStarted,  // left out: interrupted, canary failed, too many failures
};
const char* OutcomeName(PrinterOutcome outcome);
std::optional<PrinterOutcome> OutcomeFromName(const std::string& name);

// One setting a run changed or found different: its key, the value before and after (or, for
// a check, the baseline's and the printer's).
struct SettingChange {
    std::string key;
    std::string before;
    std::string after;
};

enum class RunStatus { kRunning, kFinished, kInterrupted };
const char* RunStatusName(RunStatus status);

struct RunInfo {
    int64_t id = 0;
    std::string command; // "check", "backup", "apply", "rollback"
    std::string fleetName;
    std::string fleetFile;
    std::string group;   // the --group filter, empty for all
    std::string options; // e.g. "--all --canary 2"
    std::string user;
    std::string startedAt; // UTC, "2026-12-09T16:48:45.123Z"
    std::string endedAt;   // empty while running or when interrupted
    RunStatus status = RunStatus::kRunning;
    std::optional<int64_t> undoes;                   // rollback: the run it undoes
    std::vector<std::pair<std::string, int>> counts; // outcome name -> printers
};

struct PrinterResult {
    int64_t runId = 0;
    int position = 0; // the printer's place in the run's order
    std::string address;
    std::string group;
    std::string serial;
    std::optional<int> model;
    PrinterOutcome outcome = PrinterOutcome::kInFlight;
    std::string detail; // what happened, in words
    std::vector<SettingChange> changes;
    std::string startedAt;
    std::string endedAt;
};

struct InventoryEntry {
    std::string serial;
    std::optional<int> model;
    std::string address;
    std::string group;
    std::string firstSeen;
    std::string lastSeen;
    std::string lastResult;
    std::string previousAddress; // set when the serial number turned up at another address
    std::string movedAt;
    std::vector<std::string> duplicateAddresses; // other addresses of the last run with it
};

struct Snapshot {
    int64_t runId = 0;
    std::string address;
    std::string serial;
    std::optional<int> model;
    std::string takenAt;
    std::string settings; // the settings file bytes that restore the printer (no secrets)
};

// A change of a printer's state, written by the monitor.
struct FleetEvent {
    int64_t id = 0;
    std::string at;
    std::string printer; // address
    std::string serial;
    std::string group;
    std::string kind;  // "up", "paper_error", "drift", "moved", ...
    std::string state; // the new state, e.g. "on" / "off"
    std::string detail;
};

// The fleet's journal and inventory in one SQLite file (WAL). Every printer result is one
// transaction together with its snapshot and its inventory row, so a run killed at any moment
// loses at most the printers in flight. A run with no end whose owning process is gone is
// marked interrupted when the store is opened, its in-flight printers unknown.
//
// One connection, guarded by one mutex: every public call may come from any thread.
// Wireless keys and passwords are never stored: snapshots are refused if they hold one.
class FleetStore {
public:
    static constexpr int kSchemaVersion = 1;

    FleetStore() = default;
    ~FleetStore();
    FleetStore(const FleetStore&) = delete;
    FleetStore& operator=(const FleetStore&) = delete;

    // $XDG_STATE_HOME/quillmark/fleet.sqlite (default ~/.local/state/quillmark/).
    static std::string DefaultPath();

    // Opens (creating it with mode 0600, its folder with 0700 when missing) and brings the
    // schema to kSchemaVersion; a database of a newer version is refused. Then marks the runs
    // of dead owners interrupted. False with the reason.
    bool Open(const std::string& path, std::string& error);

    int64_t BeginRun(const RunInfo& run);
    // The run ends: finished, or interrupted (Ctrl+C, SIGTERM) with its end time.
    void EndRun(int64_t runId, RunStatus status = RunStatus::kFinished);
    // A printer whose exchange starts: its row holds kInFlight until Record replaces it.
    void Start(const PrinterResult& result);
    // The printer's result, its snapshot (when given) and its inventory row (when the serial
    // number is known) in one transaction.
    void Record(const PrinterResult& result, const std::optional<Snapshot>& snapshot);

    // The runs, oldest first; with `group`, only those that had a printer of that group.
    std::vector<RunInfo> Runs(const std::string& group = {});
    std::optional<RunInfo> Run(int64_t runId);
    std::vector<PrinterResult> Results(int64_t runId);
    std::vector<InventoryEntry> Inventory();
    std::optional<Snapshot> SnapshotOf(int64_t runId, const std::string& address);

    void AddEvent(const FleetEvent& event);
    std::vector<FleetEvent> Events(int64_t afterId = 0);
    // The state of the latest event of each printer and kind: what the monitor last reported.
    std::map<std::pair<std::string, std::string>, std::string> LastEventStates();

    // "PRAGMA integrity_check" says "ok".
    bool IntegrityOk();

    // The current time as the store writes it.
    static std::string Now();

private:
    void Migrate();
    void MarkInterruptedRuns();
    void UpsertInventory(const PrinterResult& result);

    std::mutex mutex_;
    sqlite3* db_ = nullptr;
};

} // namespace qm::fleet
