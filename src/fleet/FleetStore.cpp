#include "fleet/FleetStore.h"

#include "fleet/Sqlite.h"
#include "platform/Encoding.h"
#include "settings/SettingsFile.h"

#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::fleet {
namespace {

constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;
constexpr int kBusyTimeoutMs = 10000;
constexpr int kStartTimeField = 22; // /proc/PID/stat: the process's start time in ticks

// The schema, one step per version: step N brings a database of version N to N + 1.
const std::array<const char*, FleetStore::kSchemaVersion> kMigrations = {
    R"sql(
CREATE TABLE runs (
    id INTEGER PRIMARY KEY,
    command TEXT NOT NULL,
    fleet_name TEXT NOT NULL,
    fleet_file TEXT NOT NULL,
    group_filter TEXT NOT NULL,
    options TEXT NOT NULL,
    user TEXT NOT NULL,
    owner TEXT NOT NULL,
    started_at TEXT NOT NULL,
    ended_at TEXT,
    status TEXT NOT NULL,
    undoes_run INTEGER REFERENCES runs(id)
);
CREATE TABLE results (
    run_id INTEGER NOT NULL REFERENCES runs(id),
    position INTEGER NOT NULL,
    address TEXT NOT NULL,
    group_name TEXT NOT NULL,
    serial TEXT NOT NULL,
    model INTEGER,
    outcome TEXT NOT NULL,
    detail TEXT NOT NULL,
    changes TEXT NOT NULL,
    started_at TEXT NOT NULL,
    ended_at TEXT,
    PRIMARY KEY (run_id, address)
);
CREATE TABLE snapshots (
    id INTEGER PRIMARY KEY,
    run_id INTEGER NOT NULL REFERENCES runs(id),
    address TEXT NOT NULL,
    serial TEXT NOT NULL,
    model INTEGER,
    taken_at TEXT NOT NULL,
    settings BLOB NOT NULL
);
CREATE INDEX snapshots_by_run ON snapshots(run_id, address);
CREATE TABLE printers (
    serial TEXT PRIMARY KEY,
    model INTEGER,
    address TEXT NOT NULL,
    group_name TEXT NOT NULL,
    first_seen TEXT NOT NULL,
    last_seen TEXT NOT NULL,
    last_result TEXT NOT NULL,
    last_run INTEGER,
    previous_address TEXT,
    moved_at TEXT
);
CREATE TABLE events (
    id INTEGER PRIMARY KEY,
    at TEXT NOT NULL,
    printer TEXT NOT NULL,
    serial TEXT NOT NULL,
    group_name TEXT NOT NULL,
    kind TEXT NOT NULL,
    state TEXT NOT NULL,
    detail TEXT NOT NULL
);
)sql",
};

constexpr std::array<std::pair<PrinterOutcome, const char*>, 11> kOutcomeNames = {{
    {PrinterOutcome::kInFlight, "in flight"},
    {PrinterOutcome::kUnknown, "unknown"},
    {PrinterOutcome::kCompliant, "compliant"},
    {PrinterOutcome::kDrifted, "drifted"},
    {PrinterOutcome::kBackedUp, "backed up"},
    {PrinterOutcome::kUnchanged, "unchanged"},
    {PrinterOutcome::kApplied, "applied"},
    {PrinterOutcome::kWouldApply, "would apply"},
    {PrinterOutcome::kUnreachable, "unreachable"},
    {PrinterOutcome::kFailed, "failed"},
    {PrinterOutcome::kNotStarted, "not started"},
}};

std::string ReadSmallFile(const std::string& path) {
    std::ifstream in(path);
    std::string text;
    std::getline(in, text);
    return text;
}

// The start time of a process, or "" when it does not exist.
std::string ProcessStartTime(long pid) {
    const std::string stat = ReadSmallFile("/proc/" + std::to_string(pid) + "/stat");
    const size_t close = stat.rfind(')'); // the command name may hold blanks
    if (close == std::string::npos) {
        return {};
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= kStartTimeField && fields >> field; ++i) {
    }
    return field;
}

std::string BootId() {
    return ReadSmallFile("/proc/sys/kernel/random/boot_id");
}

// Who runs this process: boot, pid and start time, so a reused pid is not taken for us.
std::string OwnerToken() {
    const long pid = static_cast<long>(::getpid());
    return BootId() + " " + std::to_string(pid) + " " + ProcessStartTime(pid);
}

bool OwnerAlive(const std::string& token) {
    std::istringstream in(token);
    std::string boot;
    long pid = 0;
    std::string start;
    if (!(in >> boot >> pid >> start) || boot != BootId()) {
        return false;
    }
    return ProcessStartTime(pid) == start;
}

std::string ChangesJson(const std::vector<SettingChange>& changes) {
    nlohmann::json list = nlohmann::json::array();
    for (const SettingChange& change : changes) {
        list.push_back({{"key", change.key}, {"before", change.before}, {"after", change.after}});
    }
    // Printer text may hold any byte: invalid UTF-8 is replaced, never refused.
    return list.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::vector<SettingChange> ChangesFromJson(const std::string& text) {
    std::vector<SettingChange> changes;
    const nlohmann::json list = nlohmann::json::parse(text, nullptr, false);
    if (!list.is_array()) {
        return changes;
    }
    for (const nlohmann::json& item : list) {
        changes.push_back(
            {item.value("key", ""), item.value("before", ""), item.value("after", "")});
    }
    return changes;
}

std::optional<int> OptionalInt(const SqliteStatement& row, int column) {
    return row.IsNull(column) ? std::nullopt
                              : std::optional<int>(static_cast<int>(row.Int(column)));
}

void BindModel(SqliteStatement& statement, int index, std::optional<int> model) {
    if (model) {
        statement.Bind(index, static_cast<int64_t>(*model));
    } else {
        statement.BindNull(index);
    }
}

std::string UserName() {
    constexpr size_t kPasswdBuffer = 16384;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(kPasswdBuffer);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        return found->pw_name;
    }
    if (const char* user = std::getenv("USER"); user != nullptr && *user != '\0') {
        return user;
    }
    return std::to_string(::getuid());
}

// One transaction, rolled back when the scope is left by an exception.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : db_(db) { SqliteExec(db_, "BEGIN IMMEDIATE"); }
    ~Transaction() {
        if (!done_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    void Commit() {
        SqliteExec(db_, "COMMIT");
        done_ = true;
    }

private:
    sqlite3* db_;
    bool done_ = false;
};

bool MakeFolder(const std::filesystem::path& folder, std::string& error) {
    if (folder.empty()) {
        return true;
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(folder, ignored)) {
        return true;
    }
    if (!MakeFolder(folder.parent_path(), error)) {
        return false;
    }
    if (::mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST) {
        error = "cannot create " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace

const char* OutcomeName(PrinterOutcome outcome) {
    for (const auto& [value, name] : kOutcomeNames) {
        if (value == outcome) {
            return name;
        }
    }
    return "unknown";
}

std::optional<PrinterOutcome> OutcomeFromName(const std::string& name) {
    for (const auto& [value, text] : kOutcomeNames) {
        if (name == text) {
            return value;
        }
    }
    return std::nullopt;
}

const char* RunStatusName(RunStatus status) {
    switch (status) {
    case RunStatus::kRunning:
        return "running";
    case RunStatus::kFinished:
        return "finished";
    case RunStatus::kInterrupted:
        return "interrupted";
    }
    return "";
}

FleetStore::~FleetStore() {
    if (db_ != nullptr) {
        sqlite3_close(db_);
    }
}

std::string FleetStore::DefaultPath() {
    std::string state;
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && xdg[0] == '/') {
        state = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        state = std::string(home) + "/.local/state";
    } else {
        state = ".";
    }
    return state + "/quillmark/fleet.sqlite";
}

std::string FleetStore::Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<int>(millis));
    return text;
}

bool FleetStore::Open(const std::string& path, std::string& error) {
    std::lock_guard lock(mutex_);
    const std::filesystem::path file(path);
    if (!MakeFolder(file.parent_path(), error)) {
        return false;
    }
    // The journal is the user's own: created 0600 before SQLite opens it (its WAL and shared
    // memory files take the same mode).
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kFileMode);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        error = "cannot open " + path + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
        return false;
    }
    try {
        sqlite3_busy_timeout(db_, kBusyTimeoutMs);
        SqliteExec(db_, "PRAGMA journal_mode=WAL");
        // In WAL mode a commit survives the process being killed at any moment; NORMAL only
        // gives up the last commits on a power loss, never the file's consistency.
        SqliteExec(db_, "PRAGMA synchronous=NORMAL");
        SqliteExec(db_, "PRAGMA foreign_keys=ON");
        Migrate();
        MarkInterruptedRuns();
    } catch (const SqliteError& failure) {
        error = path + ": " + failure.what();
        return false;
    }
    return true;
}

void FleetStore::Migrate() {
    SqliteStatement read(db_, "PRAGMA user_version");
    read.Step();
    const int64_t version = read.Int(0);
    if (version > kSchemaVersion) {
        throw SqliteError("the database was written by a newer Quillmark (schema " +
                          std::to_string(version) + ")");
    }
    for (int64_t step = version; step < kSchemaVersion; ++step) {
        Transaction transaction(db_);
        SqliteExec(db_, kMigrations[static_cast<size_t>(step)]);
        SqliteExec(db_, "PRAGMA user_version=" + std::to_string(step + 1));
        transaction.Commit();
    }
}

void FleetStore::MarkInterruptedRuns() {
    std::vector<int64_t> dead;
    {
        SqliteStatement open(db_, "SELECT id, owner FROM runs WHERE status = 'running'");
        while (open.Step()) {
            if (!OwnerAlive(open.Text(1))) {
                dead.push_back(open.Int(0));
            }
        }
    }
    for (int64_t run : dead) {
        Transaction transaction(db_);
        SqliteStatement(db_, "UPDATE runs SET status = 'interrupted' WHERE id = ?")
            .Bind(1, run)
            .Run();
        SqliteStatement(db_, "UPDATE results SET outcome = 'unknown', detail = 'the run was "
                             "interrupted during this printer''s exchange' WHERE run_id = ? "
                             "AND outcome = 'in flight'")
            .Bind(1, run)
            .Run();
        transaction.Commit();
    }
}

int64_t FleetStore::BeginRun(const RunInfo& run) {
    std::lock_guard lock(mutex_);
    SqliteStatement insert(db_, "INSERT INTO runs (command, fleet_name, fleet_file, group_filter, "
                                "options, user, owner, started_at, status, undoes_run) VALUES "
                                "(?, ?, ?, ?, ?, ?, ?, ?, 'running', ?)");
    insert.Bind(1, run.command)
        .Bind(2, run.fleetName)
        .Bind(3, run.fleetFile)
        .Bind(4, run.group)
        .Bind(5, run.options)
        .Bind(6, run.user.empty() ? UserName() : run.user)
        .Bind(7, OwnerToken())
        .Bind(8, Now());
    if (run.undoes) {
        insert.Bind(9, *run.undoes);
    } else {
        insert.BindNull(9);
    }
    insert.Run();
    return sqlite3_last_insert_rowid(db_);
}

void FleetStore::EndRun(int64_t runId, RunStatus status) {
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "UPDATE runs SET status = ?, ended_at = ? WHERE id = ?")
        .Bind(1, RunStatusName(status))
        .Bind(2, Now())
        .Bind(3, runId)
        .Run();
}

void FleetStore::Start(const PrinterResult& result) {
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT OR REPLACE INTO results (run_id, position, address, group_name, "
                         "serial, model, outcome, detail, changes, started_at) VALUES "
                         "(?, ?, ?, ?, '', NULL, 'in flight', '', '[]', ?)")
        .Bind(1, result.runId)
        .Bind(2, static_cast<int64_t>(result.position))
        .Bind(3, result.address)
        .Bind(4, result.group)
        .Bind(5, result.startedAt.empty() ? Now() : result.startedAt)
        .Run();
}

void FleetStore::Record(const PrinterResult& result, const std::optional<Snapshot>& snapshot) {
    if (snapshot) {
        const std::u16string text = Utf8ToUtf16(snapshot->settings);
        if (SettingsFile::WithoutSecrets(text).size() != text.size()) {
            throw SqliteError("a snapshot holding a wireless key or password is never stored");
        }
    }
    std::lock_guard lock(mutex_);
    Transaction transaction(db_);
    SqliteStatement row(db_, "INSERT OR REPLACE INTO results (run_id, position, address, "
                             "group_name, serial, model, outcome, detail, changes, started_at, "
                             "ended_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                             "COALESCE((SELECT started_at FROM results WHERE run_id = ? AND "
                             "address = ?), ?), ?)");
    const std::string now = Now();
    row.Bind(1, result.runId)
        .Bind(2, static_cast<int64_t>(result.position))
        .Bind(3, result.address)
        .Bind(4, result.group)
        .Bind(5, result.serial);
    BindModel(row, 6, result.model);
    row.Bind(7, OutcomeName(result.outcome))
        .Bind(8, result.detail)
        .Bind(9, ChangesJson(result.changes))
        .Bind(10, result.runId)
        .Bind(11, result.address)
        .Bind(12, result.startedAt.empty() ? now : result.startedAt)
        .Bind(13, now)
        .Run();
    if (snapshot) {
        SqliteStatement insert(db_, "INSERT INTO snapshots (run_id, address, serial, model, "
                                    "taken_at, settings) VALUES (?, ?, ?, ?, ?, ?)");
        insert.Bind(1, result.runId).Bind(2, result.address).Bind(3, snapshot->serial);
        BindModel(insert, 4, snapshot->model);
        insert.Bind(5, snapshot->takenAt.empty() ? now : snapshot->takenAt)
            .BindBlob(6, snapshot->settings)
            .Run();
    }
    if (!result.serial.empty()) {
        UpsertInventory(result);
    }
    transaction.Commit();
}

void FleetStore::UpsertInventory(const PrinterResult& result) {
    const std::string now = Now();
    std::string oldAddress;
    int64_t lastRun = 0;
    bool known = false;
    {
        SqliteStatement find(db_, "SELECT address, last_run FROM printers WHERE serial = ?");
        find.Bind(1, result.serial);
        if (find.Step()) {
            known = true;
            oldAddress = find.Text(0);
            lastRun = find.Int(1);
        }
    }
    if (!known) {
        SqliteStatement insert(db_, "INSERT INTO printers (serial, model, address, group_name, "
                                    "first_seen, last_seen, last_result, last_run) VALUES "
                                    "(?, ?, ?, ?, ?, ?, ?, ?)");
        insert.Bind(1, result.serial);
        BindModel(insert, 2, result.model);
        insert.Bind(3, result.address)
            .Bind(4, result.group)
            .Bind(5, now)
            .Bind(6, now)
            .Bind(7, OutcomeName(result.outcome))
            .Bind(8, result.runId)
            .Run();
        return;
    }
    // A second address in the same run is a duplicate serial number, not a move.
    const bool moved = oldAddress != result.address && lastRun != result.runId;
    SqliteStatement update(
        db_, "UPDATE printers SET model = COALESCE(?, model), address = ?, group_name = ?, "
             "last_seen = ?, last_result = ?, last_run = ?, previous_address = CASE WHEN ? THEN ? "
             "ELSE previous_address END, moved_at = CASE WHEN ? THEN ? ELSE moved_at END "
             "WHERE serial = ?");
    BindModel(update, 1, result.model);
    update.Bind(2, result.address)
        .Bind(3, result.group)
        .Bind(4, now)
        .Bind(5, OutcomeName(result.outcome))
        .Bind(6, result.runId)
        .Bind(7, static_cast<int64_t>(moved))
        .Bind(8, oldAddress)
        .Bind(9, static_cast<int64_t>(moved))
        .Bind(10, now)
        .Bind(11, result.serial)
        .Run();
}

std::vector<RunInfo> FleetStore::Runs(const std::string& group) {
    std::vector<int64_t> ids;
    {
        std::lock_guard lock(mutex_);
        SqliteStatement list(db_, "SELECT id FROM runs WHERE ? = '' OR EXISTS (SELECT 1 FROM "
                                  "results WHERE run_id = runs.id AND group_name = ?) ORDER BY id");
        list.Bind(1, group).Bind(2, group);
        while (list.Step()) {
            ids.push_back(list.Int(0));
        }
    }
    std::vector<RunInfo> runs;
    for (int64_t id : ids) {
        if (auto run = Run(id)) {
            runs.push_back(std::move(*run));
        }
    }
    return runs;
}

std::optional<RunInfo> FleetStore::Run(int64_t runId) {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT id, command, fleet_name, fleet_file, group_filter, "
                                "options, user, started_at, ended_at, status, undoes_run FROM "
                                "runs WHERE id = ?");
    select.Bind(1, runId);
    if (!select.Step()) {
        return std::nullopt;
    }
    RunInfo run;
    run.id = select.Int(0);
    run.command = select.Text(1);
    run.fleetName = select.Text(2);
    run.fleetFile = select.Text(3);
    run.group = select.Text(4);
    run.options = select.Text(5);
    run.user = select.Text(6);
    run.startedAt = select.Text(7);
    run.endedAt = select.Text(8);
    const std::string status = select.Text(9);
    run.status = status == "finished"      ? RunStatus::kFinished
                 : status == "interrupted" ? RunStatus::kInterrupted
                                           : RunStatus::kRunning;
    if (!select.IsNull(10)) {
        run.undoes = select.Int(10);
    }
    SqliteStatement counts(db_, "SELECT outcome, COUNT(*) FROM results WHERE run_id = ? GROUP "
                                "BY outcome ORDER BY MIN(position)");
    counts.Bind(1, runId);
    while (counts.Step()) {
        run.counts.emplace_back(counts.Text(0), static_cast<int>(counts.Int(1)));
    }
    return run;
}

std::vector<PrinterResult> FleetStore::Results(int64_t runId) {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT position, address, group_name, serial, model, outcome, "
                                "detail, changes, started_at, ended_at FROM results WHERE run_id "
                                "= ? ORDER BY position");
    select.Bind(1, runId);
    std::vector<PrinterResult> results;
    while (select.Step()) {
        PrinterResult result;
        result.runId = runId;
        result.position = static_cast<int>(select.Int(0));
        result.address = select.Text(1);
        result.group = select.Text(2);
        result.serial = select.Text(3);
        result.model = OptionalInt(select, 4);
        result.outcome = OutcomeFromName(select.Text(5)).value_or(PrinterOutcome::kUnknown);
        result.detail = select.Text(6);
        result.changes = ChangesFromJson(select.Text(7));
        result.startedAt = select.Text(8);
        result.endedAt = select.Text(9);
        results.push_back(std::move(result));
    }
    return results;
}

std::vector<InventoryEntry> FleetStore::Inventory() {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT serial, model, address, group_name, first_seen, "
                                "last_seen, last_result, previous_address, moved_at, last_run "
                                "FROM printers ORDER BY serial");
    // Other addresses at which the printer's last run met the same serial number.
    SqliteStatement twins(db_, "SELECT address FROM results WHERE run_id = ? AND serial = ? AND "
                               "address <> ? ORDER BY position");
    std::vector<InventoryEntry> entries;
    while (select.Step()) {
        InventoryEntry entry;
        entry.serial = select.Text(0);
        entry.model = OptionalInt(select, 1);
        entry.address = select.Text(2);
        entry.group = select.Text(3);
        entry.firstSeen = select.Text(4);
        entry.lastSeen = select.Text(5);
        entry.lastResult = select.Text(6);
        entry.previousAddress = select.Text(7);
        entry.movedAt = select.Text(8);
        twins.Reset();
        twins.Bind(1, select.Int(9)).Bind(2, entry.serial).Bind(3, entry.address);
        while (twins.Step()) {
            entry.duplicateAddresses.push_back(twins.Text(0));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<Snapshot> FleetStore::SnapshotOf(int64_t runId, const std::string& address) {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT serial, model, taken_at, settings FROM snapshots WHERE "
                                "run_id = ? AND address = ? ORDER BY id LIMIT 1");
    select.Bind(1, runId).Bind(2, address);
    if (!select.Step()) {
        return std::nullopt;
    }
    Snapshot snapshot;
    snapshot.runId = runId;
    snapshot.address = address;
    snapshot.serial = select.Text(0);
    snapshot.model = OptionalInt(select, 1);
    snapshot.takenAt = select.Text(2);
    snapshot.settings = select.Text(3);
    return snapshot;
}

void FleetStore::AddEvent(const FleetEvent& event) {
    std::lock_guard lock(mutex_);
    SqliteStatement(db_, "INSERT INTO events (at, printer, serial, group_name, kind, state, "
                         "detail) VALUES (?, ?, ?, ?, ?, ?, ?)")
        .Bind(1, event.at.empty() ? Now() : event.at)
        .Bind(2, event.printer)
        .Bind(3, event.serial)
        .Bind(4, event.group)
        .Bind(5, event.kind)
        .Bind(6, event.state)
        .Bind(7, event.detail)
        .Run();
}

std::vector<FleetEvent> FleetStore::Events(int64_t afterId) {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT id, at, printer, serial, group_name, kind, state, detail "
                                "FROM events WHERE id > ? ORDER BY id");
    select.Bind(1, afterId);
    std::vector<FleetEvent> events;
    while (select.Step()) {
        events.push_back({select.Int(0), select.Text(1), select.Text(2), select.Text(3),
                          select.Text(4), select.Text(5), select.Text(6), select.Text(7)});
    }
    return events;
}

std::map<std::pair<std::string, std::string>, std::string> FleetStore::LastEventStates() {
    std::lock_guard lock(mutex_);
    SqliteStatement select(db_, "SELECT printer, kind, state FROM events WHERE id IN "
                                "(SELECT MAX(id) FROM events GROUP BY printer, kind)");
    std::map<std::pair<std::string, std::string>, std::string> states;
    while (select.Step()) {
        states[{select.Text(0), select.Text(1)}] = select.Text(2);
    }
    return states;
}

bool FleetStore::IntegrityOk() {
    std::lock_guard lock(mutex_);
    SqliteStatement check(db_, "PRAGMA integrity_check");
    return check.Step() && check.Text(0) == "ok";
}

} // namespace qm::fleet
