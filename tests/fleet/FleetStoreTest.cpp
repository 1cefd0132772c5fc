// The fleet store: its files and schema, what a run leaves in it, the inventory's moved and
// duplicate printers, and a run whose process died.

#include "fleet/FleetStore.h"

#include "FleetTestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::fleet {
namespace {

using test::ScratchDir;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

PrinterResult Result(int64_t run, int position, const std::string& address,
                     const std::string& serial, PrinterOutcome outcome) {
    PrinterResult result;
    result.runId = run;
    result.position = position;
    result.address = address;
    result.group = "dock";
    result.serial = serial;
    result.model = 0;
    result.outcome = outcome;
    return result;
}

int64_t Begin(FleetStore& store, const std::string& command) {
    RunInfo run;
    run.command = command;
    run.fleetName = "Warehouse 3";
    run.fleetFile = "fleet.toml";
    return store.BeginRun(run);
}

TEST(FleetStoreTest, CreatesPrivateFilesAndRefusesANewerSchema) {
    ScratchDir dir;
    const std::string path = dir.Path("state/quillmark/fleet.sqlite");
    {
        FleetStore store;
        std::string error;
        ASSERT_TRUE(store.Open(path, error)) << error;
        EXPECT_TRUE(store.IntegrityOk());
    }
    EXPECT_EQ(ModeOf(dir.Path("state/quillmark")), 0700u);
    EXPECT_EQ(ModeOf(path), 0600u);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    FleetStore newer;
    std::string error;
    EXPECT_FALSE(newer.Open(path, error));
    EXPECT_NE(error.find("newer"), std::string::npos) << error;
}

TEST(FleetStoreTest, KeepsRunsResultsSnapshotsAndEventsAcrossOpens) {
    ScratchDir dir;
    const std::string path = dir.Path("fleet.sqlite");
    int64_t run = 0;
    {
        FleetStore store;
        std::string error;
        ASSERT_TRUE(store.Open(path, error)) << error;
        run = Begin(store, "apply");
        PrinterResult applied = Result(run, 0, "127.0.0.1:9100", "QM1", PrinterOutcome::kApplied);
        applied.changes = {{"PRINT SPEED", "4 IPS", "6 IPS"}, {"NAME", "\xff\x01", "b"}};
        store.Start(applied);
        Snapshot snapshot;
        snapshot.serial = "QM1";
        snapshot.settings = "~!!\r\nPRINT SPEED\t:\t4 IPS\r\nEND\r\n";
        store.Record(applied, snapshot);
        store.Record(Result(run, 1, "127.0.0.2:9100", "", PrinterOutcome::kUnreachable),
                     std::nullopt);
        store.EndRun(run);
        store.AddEvent({0, "", "127.0.0.1:9100", "QM1", "dock", "paper_error", "on", ""});
    }
    FleetStore store;
    std::string error;
    ASSERT_TRUE(store.Open(path, error)) << error;
    const auto info = store.Run(run);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->status, RunStatus::kFinished);
    EXPECT_FALSE(info->endedAt.empty());
    const std::vector<std::pair<std::string, int>> counts = {{"applied", 1}, {"unreachable", 1}};
    EXPECT_EQ(info->counts, counts);

    const auto results = store.Results(run);
    ASSERT_EQ(results.size(), 2u);
    ASSERT_EQ(results[0].changes.size(), 2u);
    EXPECT_EQ(results[0].changes[0].after, "6 IPS");
    EXPECT_EQ(results[0].changes[1].before, "\xEF\xBF\xBD\x01"); // invalid UTF-8 replaced
    EXPECT_EQ(results[1].outcome, PrinterOutcome::kUnreachable);

    const auto snapshot = store.SnapshotOf(run, "127.0.0.1:9100");
    ASSERT_TRUE(snapshot.has_value());
    EXPECT_EQ(snapshot->settings, "~!!\r\nPRINT SPEED\t:\t4 IPS\r\nEND\r\n");
    EXPECT_FALSE(store.SnapshotOf(run, "127.0.0.2:9100").has_value());
    ASSERT_EQ(store.Events().size(), 1u);
    EXPECT_EQ(store.Events()[0].kind, "paper_error");
}

TEST(FleetStoreTest, NeverStoresASnapshotWithAKeyOrPassword) {
    ScratchDir dir;
    FleetStore store;
    std::string error;
    ASSERT_TRUE(store.Open(dir.Path("fleet.sqlite"), error)) << error;
    const int64_t run = Begin(store, "backup");
    Snapshot snapshot;
    snapshot.settings = "~!!\r\nWLAN PSK\t:\tsecret123\r\nEND\r\n";
    EXPECT_THROW(store.Record(Result(run, 0, "a:1", "QM1", PrinterOutcome::kBackedUp), snapshot),
                 std::runtime_error);
    EXPECT_TRUE(store.Results(run).empty()); // the whole transaction rolled back
    EXPECT_TRUE(store.Inventory().empty());
}

TEST(FleetStoreTest, InventoryShowsMovedAndDuplicatePrinters) {
    ScratchDir dir;
    FleetStore store;
    std::string error;
    ASSERT_TRUE(store.Open(dir.Path("fleet.sqlite"), error)) << error;
    const int64_t first = Begin(store, "check");
    store.Record(Result(first, 0, "10.0.0.1:9100", "QM1", PrinterOutcome::kCompliant), {});
    store.Record(Result(first, 1, "10.0.0.2:9100", "QM2", PrinterOutcome::kCompliant), {});
    store.EndRun(first);
    const int64_t second = Begin(store, "check");
    store.Record(Result(second, 0, "10.0.0.9:9100", "QM1", PrinterOutcome::kDrifted), {});
    store.Record(Result(second, 1, "10.0.0.2:9100", "QM2", PrinterOutcome::kCompliant), {});
    store.Record(Result(second, 2, "10.0.0.3:9100", "QM2", PrinterOutcome::kCompliant), {});
    store.EndRun(second);

    const auto inventory = store.Inventory();
    ASSERT_EQ(inventory.size(), 2u);
    EXPECT_EQ(inventory[0].serial, "QM1");
    EXPECT_EQ(inventory[0].address, "10.0.0.9:9100");
    EXPECT_EQ(inventory[0].previousAddress, "10.0.0.1:9100");
    EXPECT_EQ(inventory[0].lastResult, "drifted");
    EXPECT_TRUE(inventory[0].duplicateAddresses.empty());
    // QM2 answered at two addresses in the last run: the later one is kept, the other named.
    EXPECT_EQ(inventory[1].address, "10.0.0.3:9100");
    EXPECT_EQ(inventory[1].duplicateAddresses, std::vector<std::string>{"10.0.0.2:9100"});
    EXPECT_EQ(inventory[1].previousAddress, "");
}

// A process that dies in the middle of a run: what it recorded stays, the run shows as
// interrupted and its printer in flight as unknown, once the next process opens the store.
TEST(FleetStoreTest, ARunWhoseProcessDiedIsInterrupted) {
    ScratchDir dir;
    const std::string path = dir.Path("fleet.sqlite");
    const pid_t child = ::fork();
    if (child == 0) {
        FleetStore store;
        std::string error;
        if (!store.Open(path, error)) {
            ::_exit(1);
        }
        const int64_t run = Begin(store, "apply");
        store.Record(Result(run, 0, "a:1", "QM1", PrinterOutcome::kApplied), std::nullopt);
        store.Start(Result(run, 1, "b:1", "", PrinterOutcome::kInFlight));
        ::_exit(0); // no EndRun, no close
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);

    FleetStore store;
    std::string error;
    ASSERT_TRUE(store.Open(path, error)) << error;
    EXPECT_TRUE(store.IntegrityOk());
    const auto runs = store.Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].status, RunStatus::kInterrupted);
    const auto results = store.Results(runs[0].id);
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].outcome, PrinterOutcome::kApplied);
    EXPECT_EQ(results[1].outcome, PrinterOutcome::kUnknown);

    // A run of this very process is alive: opening the store again leaves it running.
    const int64_t live = Begin(store, "check");
    FleetStore again;
    ASSERT_TRUE(again.Open(path, error)) << error;
    EXPECT_EQ(again.Run(live)->status, RunStatus::kRunning);
}

} // namespace
} // namespace qm::fleet
