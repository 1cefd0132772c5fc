// quillmark-cli fleet: keeps a fleet of network printers in the state its fleet file asks for.
// check, backup, apply and rollback run through the fleet engine (src/fleet) and are recorded
// in the fleet database; history and inventory read it. This file only parses arguments and
// renders.

#include "cli/CommandLine.h"
#include "cli/CommandPreamble.h"
#include "cli/FleetMonitorCommand.h"
#include "cli/FleetRender.h"
#include "cli/ProgressLine.h"
#include "fleet/FleetEngine.h"
#include "fleet/FleetFile.h"
#include "fleet/FleetStore.h"
#include "fleet/Sqlite.h"
#include "fleet/StopSignals.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace qm::cli {
namespace {

using fleet::FleetAction;
using fleet::PrinterOutcome;

constexpr int kExitDrift = 1;

struct FleetArguments {
    std::string fleetFile;
    std::string group;
    std::string db;
    bool json = false;
    int jobs = 0; // 0: the fleet file's
    // apply
    bool all = false;
    int canary = 0;
    int maxFailures = 0;
    bool dryRun = false;
    // backup
    std::string dir;
    // rollback, history
    int64_t run = 0;
};

std::string CommandName(FleetAction action) {
    switch (action) {
    case FleetAction::kCheck:
        return "check";
    case FleetAction::kBackup:
        return "backup";
    case FleetAction::kApply:
        return "apply";
    case FleetAction::kRollback:
        return "rollback";
    }
    return "";
}

bool OpenStore(CommandPreamble& preamble, const FleetArguments& args, fleet::FleetStore& store) {
    std::string error;
    const std::string path = args.db.empty() ? fleet::FleetStore::DefaultPath() : args.db;
    if (!store.Open(path, error)) {
        preamble.Message(error);
        return false;
    }
    return true;
}

// The exit status of a run: check 0 / 1 drift / 3 unreachable; the others 0 when every
// printer ended as it should.
int RunStatus(FleetAction action, const fleet::FleetRunReport& report) {
    bool drift = false;
    bool bad = false;
    for (const fleet::PrinterResult& result : report.results) {
        switch (result.outcome) {
        case PrinterOutcome::kCompliant:
        case PrinterOutcome::kUnchanged:
        case PrinterOutcome::kApplied:
        case PrinterOutcome::kWouldApply:
        case PrinterOutcome::kBackedUp:
            break;
        case PrinterOutcome::kDrifted:
            drift = true;
            break;
        default:
            bad = true;
        }
    }
    if (bad) {
        return kExitPrinter;
    }
    return action == FleetAction::kCheck && drift ? kExitDrift : 0;
}

std::string OptionsText(FleetAction action, const FleetArguments& args) {
    std::string text;
    if (args.jobs > 0) {
        text += " --jobs " + std::to_string(args.jobs);
    }
    if (action == FleetAction::kApply) {
        text += args.all ? " --all" : "";
        text += args.canary > 0 ? " --canary " + std::to_string(args.canary) : "";
        text += args.maxFailures > 0 ? " --max-failures " + std::to_string(args.maxFailures) : "";
        text += args.dryRun ? " --dry-run" : "";
    }
    if (!args.dir.empty()) {
        text += " --dir " + args.dir;
    }
    return text.empty() ? text : text.substr(1);
}

int Execute(CommandPreamble& preamble, FleetAction action, const FleetArguments& args,
            fleet::RunInfo run, std::vector<fleet::FleetTarget> targets, int fileJobs,
            fleet::FleetStore& store) {
    run.command = CommandName(action);
    run.group = args.group;
    run.options = OptionsText(action, args);
    fleet::FleetRunOptions options;
    options.action = action;
    options.jobs = args.jobs > 0 ? args.jobs : fileJobs;
    options.all = args.all;
    options.canary = args.canary;
    options.maxFailures = args.maxFailures;
    options.dryRun = args.dryRun;
    options.backupDir = args.dir;
    options.stop = [] { return fleet::StopSignals::Raised(); };
    ProgressLine progress(preamble.Err(), preamble.Style().progress, "fleet " + run.command,
                          targets.size());
    options.finished = [&progress](const fleet::PrinterResult& result) {
        progress.Finished(!fleet::IsFailure(result.outcome));
    };
    fleet::StopSignals signals;
    const auto start = std::chrono::steady_clock::now();
    try {
        fleet::FleetEngine engine(store);
        const fleet::FleetRunReport report = engine.Run(run, targets, options);
        progress.Stop();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        PrintFleetRun(preamble.Out(), run.command, report, seconds, args.json);
        if (!report.storeError.empty()) {
            preamble.Message("the fleet database failed: " + report.storeError);
            return kExitPrinter;
        }
        return RunStatus(action, report);
    } catch (const fleet::SqliteError& failure) {
        preamble.Message(std::string("the fleet database failed: ") + failure.what());
        return kExitPrinter;
    }
}

int RunFromFleetFile(CommandIo& io, FleetAction action, const FleetArguments& args) {
    const std::string command = "fleet " + CommandName(action);
    CommandPreamble preamble(command, io);
    fleet::FleetFile file;
    std::string error;
    if (!fleet::FleetFile::Load(args.fleetFile, file, error)) {
        return preamble.Fail(error + "; nothing sent");
    }
    std::vector<const fleet::FleetGroup*> groups;
    if (!file.Select(args.group, groups)) {
        return preamble.Fail("the fleet file has no group \"" + args.group + "\"");
    }
    if (!args.dir.empty()) {
        std::error_code failure;
        std::filesystem::create_directories(args.dir, failure);
        if (failure) {
            return preamble.Fail("cannot create " + args.dir + ": " + failure.message());
        }
    }
    fleet::FleetStore store;
    if (!OpenStore(preamble, args, store)) {
        return kExitUsage;
    }
    std::vector<fleet::FleetTarget> targets;
    for (const fleet::FleetGroup* group : groups) {
        for (const fleet::FleetPrinter& printer : group->printers) {
            targets.push_back({printer, group->name, group->model, group->baseline, std::nullopt});
        }
    }
    fleet::RunInfo run;
    run.fleetName = file.name;
    run.fleetFile = std::filesystem::absolute(file.path).lexically_normal().string();
    return Execute(preamble, action, args, run, std::move(targets), file.jobs, store);
}

int RunRollback(CommandIo& io, const FleetArguments& args) {
    CommandPreamble preamble("fleet rollback", io);
    fleet::FleetStore store;
    if (!OpenStore(preamble, args, store)) {
        return kExitUsage;
    }
    const std::optional<fleet::RunInfo> undone = store.Run(args.run);
    if (!undone) {
        return preamble.Fail("there is no run " + std::to_string(args.run));
    }
    std::vector<fleet::FleetTarget> targets;
    for (const fleet::PrinterResult& result : store.Results(args.run)) {
        // A printer the run may have changed: sent to (applied, failed) or cut short.
        const bool changed = result.outcome == PrinterOutcome::kApplied ||
                             result.outcome == PrinterOutcome::kFailed ||
                             result.outcome == PrinterOutcome::kUnknown;
        if (!changed || (!args.group.empty() && result.group != args.group)) {
            continue;
        }
        std::optional<fleet::Snapshot> snapshot = store.SnapshotOf(args.run, result.address);
        if (!snapshot) {
            continue;
        }
        fleet::FleetTarget target;
        std::string error;
        if (!fleet::ParsePrinterAddress(result.address, target.printer, error)) {
            continue;
        }
        target.group = result.group;
        target.model = snapshot->model;
        target.restore = std::move(snapshot);
        targets.push_back(std::move(target));
    }
    fleet::RunInfo run;
    run.fleetName = undone->fleetName;
    run.fleetFile = undone->fleetFile;
    run.undoes = undone->id;
    return Execute(preamble, FleetAction::kRollback, args, run, std::move(targets),
                   fleet::FleetFile::kDefaultJobs, store);
}

int RunHistory(CommandIo& io, const FleetArguments& args) {
    CommandPreamble preamble("fleet history", io);
    fleet::FleetStore store;
    if (!OpenStore(preamble, args, store)) {
        return kExitUsage;
    }
    if (args.run == 0) {
        PrintRunList(preamble.Out(), store.Runs(args.group), args.json);
        return 0;
    }
    const std::optional<fleet::RunInfo> run = store.Run(args.run);
    if (!run) {
        return preamble.Fail("there is no run " + std::to_string(args.run));
    }
    std::vector<fleet::PrinterResult> results = store.Results(args.run);
    if (!args.group.empty()) {
        std::erase_if(results, [&](const auto& result) { return result.group != args.group; });
    }
    PrintRunDetail(preamble.Out(), *run, results, args.json);
    return 0;
}

int RunInventory(CommandIo& io, const FleetArguments& args) {
    CommandPreamble preamble("fleet inventory", io);
    fleet::FleetStore store;
    if (!OpenStore(preamble, args, store)) {
        return kExitUsage;
    }
    std::vector<fleet::InventoryEntry> entries = store.Inventory();
    if (!args.group.empty()) {
        std::erase_if(entries, [&](const auto& entry) { return entry.group != args.group; });
    }
    PrintInventory(preamble.Out(), entries, args.json);
    return 0;
}

void AddCommon(CLI::App* cmd, FleetArguments& args) {
    cmd->add_option("--group", args.group, "only the printers of this group");
    cmd->add_flag("--json", args.json, "print the result as JSON");
    cmd->add_option("--db", args.db,
                    "the fleet database (default $XDG_STATE_HOME/quillmark/fleet.sqlite)");
}

void AddJobs(CLI::App* cmd, FleetArguments& args) {
    cmd->add_option("--jobs", args.jobs, "exchanges at once (default: the fleet file's jobs)")
        ->check(CLI::Range(1, fleet::FleetFile::kMaxJobs));
}

} // namespace

void AddFleetCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<FleetArguments>();
    CLI::App* fleetCmd = app.add_subcommand(
        "fleet", "Keep a fleet of network printers in the state its fleet file asks for");
    fleetCmd->require_subcommand(1);

    CLI::App* check = fleetCmd->add_subcommand(
        "check", "Compare every printer's settings with its group's baseline");
    check->add_option("FLEET", args->fleetFile, "fleet file (TOML)")->required();
    AddCommon(check, *args);
    AddJobs(check, *args);
    check->callback([&io, args] { io.status = RunFromFleetFile(io, FleetAction::kCheck, *args); });

    CLI::App* backup = fleetCmd->add_subcommand(
        "backup", "Store a snapshot of every printer's settings in the fleet database");
    backup->add_option("FLEET", args->fleetFile, "fleet file (TOML)")->required();
    AddCommon(backup, *args);
    AddJobs(backup, *args);
    backup->add_option("--dir", args->dir, "also write DIR/SERIAL.prn for every printer");
    backup->callback(
        [&io, args] { io.status = RunFromFleetFile(io, FleetAction::kBackup, *args); });

    CLI::App* apply = fleetCmd->add_subcommand(
        "apply",
        "Send the baseline to drifted printers, with a snapshot before and a verify after");
    apply->add_option("FLEET", args->fleetFile, "fleet file (TOML)")->required();
    AddCommon(apply, *args);
    AddJobs(apply, *args);
    apply->add_flag("--all", args->all, "send to every printer, also those that comply");
    apply
        ->add_option("--canary", args->canary,
                     "apply to N printers first; go on only if all of them succeeded")
        ->check(CLI::NonNegativeNumber);
    apply
        ->add_option("--max-failures", args->maxFailures,
                     "start no further printer once more than K have failed (default 0)")
        ->check(CLI::NonNegativeNumber);
    apply->add_flag("--dry-run", args->dryRun, "only report what would be sent to whom");
    apply->callback([&io, args] { io.status = RunFromFleetFile(io, FleetAction::kApply, *args); });

    CLI::App* rollback = fleetCmd->add_subcommand(
        "rollback", "Send each printer a run changed the snapshot taken before the change");
    rollback->add_option("RUN", args->run, "the run to undo")->required();
    AddCommon(rollback, *args);
    AddJobs(rollback, *args);
    rollback
        ->add_option("--max-failures", args->maxFailures,
                     "start no further printer once more than K have failed (default 0)")
        ->check(CLI::NonNegativeNumber);
    rollback->callback([&io, args] { io.status = RunRollback(io, *args); });

    CLI::App* history =
        fleetCmd->add_subcommand("history", "The runs, or one run's printers with their results");
    history->add_option("RUN", args->run, "a run's id");
    AddCommon(history, *args);
    history->callback([&io, args] { io.status = RunHistory(io, *args); });

    CLI::App* inventory =
        fleetCmd->add_subcommand("inventory", "Every printer ever seen, by serial number");
    AddCommon(inventory, *args);
    inventory->callback([&io, args] { io.status = RunInventory(io, *args); });

    AddFleetMonitorCommand(fleetCmd, io);
}

} // namespace qm::cli
