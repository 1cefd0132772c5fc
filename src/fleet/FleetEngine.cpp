#include "fleet/FleetEngine.h"

#include "fleet/ParallelRun.h"
#include "fleet/PrinterExchange.h"
#include "operations/OperationCode.h"
#include "platform/AtomicFile.h"
#include "platform/Encoding.h"
#include "settings/ModelTable.h"
#include "settings/RecordComparison.h"

#include <atomic>
#include <cctype>
#include <cstring>

namespace qm::fleet {
namespace {

constexpr char kNotReported[] = "(not reported)";
constexpr int kCodeOpenFailed = 30; // the connect failed: nothing reached the printer

std::string ModelText(int model) {
    return Utf16ToUtf8(ModelTable::DisplayName(model));
}

std::string CodeText(int code) {
    switch (code) {
    case 30:
        return "code 30, the connection could not be opened";
    case 31:
        return "code 31, the data transfer failed";
    case 32:
        return "code 32, no complete reply";
    case 40:
        return "code 40, no interface";
    default:
        return "code " + std::to_string(code);
    }
}

// What the baseline wants changed: before = the printer's value, after = the baseline's.
std::vector<SettingChange> ChangesOf(const RecordComparison& comparison) {
    std::vector<SettingChange> changes;
    for (const ItemComparison& item : comparison.items) {
        if (item.outcome == ComparisonOutcome::kDiffers) {
            changes.push_back({item.key, item.printerValue, item.fileValue});
        } else if (item.outcome == ComparisonOutcome::kNotReported) {
            changes.push_back({item.key, kNotReported, item.fileValue});
        }
    }
    return changes;
}

std::string ChangesSummary(const std::vector<SettingChange>& changes) {
    return std::to_string(changes.size()) + (changes.size() == 1 ? " setting" : " settings");
}

} // namespace

bool IsFailure(PrinterOutcome outcome) {
    return outcome == PrinterOutcome::kUnreachable || outcome == PrinterOutcome::kFailed ||
           outcome == PrinterOutcome::kUnknown;
}

std::optional<int> ModelFromReportedName(const std::string& name) {
    const int exact = ModelTable::FindByDisplayName(Utf8ToUtf16(name));
    if (exact >= 0) {
        return exact;
    }
    for (int model = 0; model < kModelCount; ++model) {
        const PrinterModel& row = ModelTable::Row(model);
        if (row.variant == ModelVariant::kNative && row.stem == name) {
            return model;
        }
    }
    return std::nullopt;
}

std::string SerialFileName(const std::string& serial) {
    std::string name;
    for (unsigned char c : serial) {
        name +=
            std::isalnum(c) != 0 || c == '.' || c == '-' || c == '_' ? static_cast<char>(c) : '_';
    }
    if (name.empty() || name == "." || name == "..") {
        name = "_" + name;
    }
    return name;
}

const Baseline& FleetEngine::BaselineFor(const std::string& path, int model) {
    std::lock_guard lock(baselinesLock_);
    auto key = std::make_pair(path, model);
    auto found = baselines_.find(key);
    if (found == baselines_.end()) {
        found = baselines_.emplace(key, Baseline::Load(path, model)).first;
    }
    return found->second; // std::map keeps its elements in place
}

PrinterResult FleetEngine::RunPrinter(int64_t runId, int position, const FleetTarget& target,
                                      const FleetRunOptions& options) {
    PrinterResult result;
    result.runId = runId;
    result.position = position;
    result.address = target.printer.address;
    result.group = target.group;
    result.startedAt = FleetStore::Now();
    store_.Start(result);

    auto finish = [&](PrinterOutcome outcome, std::string detail) {
        result.outcome = outcome;
        result.detail = std::move(detail);
        store_.Record(result, std::nullopt);
        return result;
    };

    PrinterExchange exchange(target.printer.settings);
    const MachineIdentity identity = exchange.Identify();
    if (!identity.Ok()) {
        return finish(PrinterOutcome::kUnreachable,
                      "no machine information (" + CodeText(identity.code) + "); nothing sent");
    }
    result.serial = identity.serial;
    std::optional<int> model = target.model;
    if (target.restore && target.restore->model) {
        model = target.restore->model;
    }
    if (!model) {
        model = ModelFromReportedName(identity.model);
        if (!model) {
            return finish(PrinterOutcome::kUnreachable,
                          "the printer reports the model \"" + identity.model +
                              "\", which is none of the 38 models; nothing sent (name the "
                              "group's model)");
        }
    }
    result.model = model;
    if (target.restore && target.restore->serial != identity.serial) {
        return finish(PrinterOutcome::kUnreachable,
                      "the printer at this address now reports serial number \"" + identity.serial +
                          "\", not \"" + target.restore->serial + "\"; nothing sent");
    }

    Baseline restored;
    if (target.restore) {
        restored = Baseline::FromBytes(target.restore->settings, *model);
    }
    const Baseline& baseline = target.restore ? restored : BaselineFor(target.baseline, *model);
    if (!baseline.Ok()) {
        return finish(PrinterOutcome::kUnreachable, "the settings cannot be sent to a " +
                                                        ModelText(*model) + ": " +
                                                        baseline.problem + "; nothing sent");
    }

    SettingsRecord printer;
    if (const int code = exchange.ReceiveSettings(*model, printer); code != 0) {
        return finish(PrinterOutcome::kUnreachable,
                      "the settings could not be received (" + CodeText(code) + "); nothing sent");
    }
    const RecordComparison before =
        RecordComparison::Compare(baseline.items, printer, baseline.options);
    result.changes = ChangesOf(before);

    if (options.action == FleetAction::kCheck) {
        return before.Agree() ? finish(PrinterOutcome::kCompliant, std::to_string(before.compared) +
                                                                       " settings as the baseline")
                              : finish(PrinterOutcome::kDrifted,
                                       ChangesSummary(result.changes) + " not as the baseline");
    }

    // The printer's settings as they are now, stored before anything is sent.
    Snapshot snapshot;
    snapshot.serial = result.serial;
    snapshot.model = model;
    snapshot.settings = Baseline::SnapshotBytes(printer);
    if (snapshot.settings.empty()) {
        return finish(PrinterOutcome::kFailed,
                      "the received settings do not fit a settings file; nothing sent");
    }

    if (options.action == FleetAction::kBackup) {
        std::string written;
        if (!options.backupDir.empty()) {
            const std::string path =
                options.backupDir + "/" +
                SerialFileName(result.serial.empty() ? result.address : result.serial) + ".prn";
            int error = 0;
            if (!ReplaceFileAtomically(path, snapshot.settings, &error)) {
                store_.Record(result, snapshot);
                return finish(PrinterOutcome::kFailed,
                              "stored, but " + path +
                                  " could not be written: " + std::strerror(error));
            }
            written = ", written to " + path;
        }
        result.outcome = PrinterOutcome::kBackedUp;
        result.detail = "snapshot stored" + written;
        result.changes.clear();
        store_.Record(result, snapshot);
        return result;
    }

    // apply and rollback
    if (before.Agree() && !options.all) {
        return finish(PrinterOutcome::kUnchanged, "holds every setting already");
    }
    if (options.dryRun) {
        return finish(PrinterOutcome::kWouldApply, "would be sent the configuration (" +
                                                       ChangesSummary(result.changes) +
                                                       " not as the baseline)");
    }
    store_.Record(result, snapshot); // still in flight: the snapshot is kept on its own
    bool rfidRemoved = false;
    const SendResult sent = exchange.SendBaseline(baseline, rfidRemoved);
    if (sent.code == kCodeOpenFailed) {
        return finish(PrinterOutcome::kUnreachable,
                      "the connection for the send could not be opened; nothing sent");
    }
    if (rfidRemoved && sent.code == kCodeNothingTicked) {
        return finish(PrinterOutcome::kFailed,
                      "the baseline holds only RFID settings and this printer has no RFID; "
                      "nothing sent");
    }
    if (sent.code != 0) {
        return finish(PrinterOutcome::kFailed, "the send failed (" + CodeText(sent.code) + ")");
    }
    SettingsRecord after;
    if (const int code = exchange.ReceiveSettings(*model, after); code != 0) {
        return finish(PrinterOutcome::kFailed,
                      "sent, but the verify could not receive the settings (" + CodeText(code) +
                          ")");
    }
    // A printer without RFID was sent the baseline without its RFID items, and is verified so.
    SettingsRecord expected = baseline.items;
    if (rfidRemoved) {
        SendOperation::UntickRfidItems(expected);
    }
    const RecordComparison verify = RecordComparison::Compare(expected, after, baseline.options);
    if (!verify.Agree()) {
        constexpr size_t kNamedKeys = 5;
        const std::vector<SettingChange> missing = ChangesOf(verify);
        std::string keys;
        for (size_t i = 0; i < missing.size() && i < kNamedKeys; ++i) {
            keys += (keys.empty() ? "" : ", ") + missing[i].key + " \"" + missing[i].before + "\"";
        }
        if (missing.size() > kNamedKeys) {
            keys += " and " + std::to_string(missing.size() - kNamedKeys) + " more";
        }
        return finish(PrinterOutcome::kFailed, "sent, but the printer does not report " +
                                                   ChangesSummary(missing) + ": " + keys);
    }
    return finish(PrinterOutcome::kApplied,
                  "sent and verified (" + ChangesSummary(result.changes) + " changed)" +
                      (rfidRemoved ? "; the RFID settings left out: the printer has no RFID" : ""));
}

FleetRunReport FleetEngine::Run(const RunInfo& run, const std::vector<FleetTarget>& targets,
                                const FleetRunOptions& options) {
    RaiseDescriptorLimit();
    FleetRunReport report;
    report.runId = store_.BeginRun(run);
    report.results.resize(targets.size());
    std::vector<unsigned char> done(targets.size(), 0);
    std::atomic<int> failures{0};
    std::string notStartedReason;

    std::atomic<bool> storeFailed{false};
    auto job = [&](size_t i) {
        try {
            report.results[i] = RunPrinter(report.runId, static_cast<int>(i), targets[i], options);
        } catch (const std::exception& failure) {
            // The journal could not take the result (disk full, database locked too long):
            // what the printer went through is not known for certain, and nothing further
            // starts.
            PrinterResult& result = report.results[i];
            result.runId = report.runId;
            result.position = static_cast<int>(i);
            result.address = targets[i].printer.address;
            result.group = targets[i].group;
            result.outcome = PrinterOutcome::kUnknown;
            result.detail = std::string("the fleet database failed: ") + failure.what();
            storeFailed = true;
        }
        done[i] = 1;
        if (IsFailure(report.results[i].outcome)) {
            ++failures;
        }
        if (options.finished) {
            options.finished(report.results[i]);
        }
    };
    auto mayStart = [&] {
        if (storeFailed.load()) {
            notStartedReason = "the fleet database failed";
            return false;
        }
        if (options.stop && options.stop()) {
            report.stopped = true;
            notStartedReason = "interrupted";
            return false;
        }
        if (failures.load() > options.maxFailures) {
            notStartedReason =
                "more than " + std::to_string(options.maxFailures) + " printers failed";
            return false;
        }
        return true;
    };
    const bool guarded =
        options.action == FleetAction::kApply || options.action == FleetAction::kRollback;
    auto mayStartAny = [&] {
        if (guarded) {
            return mayStart();
        }
        if (storeFailed.load()) {
            notStartedReason = "the fleet database failed";
            return false;
        }
        if (options.stop && options.stop()) {
            report.stopped = true;
            notStartedReason = "interrupted";
            return false;
        }
        return true;
    };

    const size_t canary = options.action == FleetAction::kApply
                              ? std::min(targets.size(), static_cast<size_t>(options.canary))
                              : 0;
    std::vector<size_t> first;
    std::vector<size_t> rest;
    for (size_t i = 0; i < targets.size(); ++i) {
        (i < canary ? first : rest).push_back(i);
    }
    ParallelRun(first, options.jobs, job, mayStartAny);
    bool canaryOk = true;
    for (size_t i : first) {
        canaryOk = canaryOk && done[i] != 0 && !IsFailure(report.results[i].outcome);
    }
    if (canaryOk) {
        ParallelRun(rest, options.jobs, job, mayStartAny);
    } else if (notStartedReason.empty()) {
        notStartedReason = "the canary printers did not all succeed";
    }

    for (size_t i = 0; i < targets.size(); ++i) {
        PrinterResult& result = report.results[i];
        if (done[i] == 0) {
            result.runId = report.runId;
            result.position = static_cast<int>(i);
            result.address = targets[i].printer.address;
            result.group = targets[i].group;
            result.outcome = PrinterOutcome::kNotStarted;
            result.detail = "not started: " + notStartedReason;
            if (!storeFailed) {
                store_.Record(result, std::nullopt);
            }
        }
        if (!result.serial.empty()) {
            report.duplicates[result.serial].push_back(result.address);
        }
    }
    std::erase_if(report.duplicates, [](const auto& entry) { return entry.second.size() < 2; });
    try {
        store_.EndRun(report.runId,
                      report.stopped ? RunStatus::kInterrupted : RunStatus::kFinished);
    } catch (const std::exception& failure) {
        report.storeError = failure.what();
    }
    if (storeFailed && report.storeError.empty()) {
        report.storeError = "a printer's result could not be recorded";
    }
    return report;
}

} // namespace qm::fleet
