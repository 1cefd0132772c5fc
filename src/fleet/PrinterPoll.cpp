#include "fleet/PrinterPoll.h"

#include "discovery/SystemPortServices.h"
#include "fleet/FleetEngine.h"
#include "fleet/PrinterExchange.h"
#include "operations/ReceiveOperation.h"
#include "platform/Clock.h"
#include "settings/ConfigurationWriter.h"
#include "settings/RecordComparison.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

namespace qm::fleet {
namespace {

// The connect failing (or no interface) means the printer is not there; a connection that
// opened and brought no reply means it is there but does not answer.
Reachability ReachOfFailure(int code) {
    return code == kCodeOpenFailed || code == kCodeNoInterface ? Reachability::kDown
                                                               : Reachability::kNoAnswer;
}

std::string FailureText(const char* what, int code) {
    return std::string(what) + " failed with code " + std::to_string(code);
}

} // namespace

PrinterReading PrinterPoll::Status(const StaticInterfaceSettings& settings, int model) {
    SettingsParser parser(SettingsOptions::For(model, false, true));
    SettingsRecord record;
    record.modelIndex = model;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const int form = DefaultStatusClass(model);
    const ReceiveResult result = ReceiveOperation(record, parser, connection, settings)
                                     .Run(RequestKindsForScope(ReceiveScope::kInformation), form);
    const auto status = static_cast<size_t>(RequestKind::kStatus);
    const auto counters = static_cast<size_t>(RequestKind::kCounters);
    if (!result.received[status]) {
        PrinterReading reading;
        reading.reach = ReachOfFailure(result.code);
        reading.detail = FailureText("the status request", result.code);
        return reading;
    }
    PrinterReading reading =
        PrinterReading::FromReplies(form, result.replies[status], result.replies[counters]);
    if (!result.Ok()) {
        reading.detail = FailureText("the counters request", result.code);
    }
    return reading;
}

PolledIdentity PrinterPoll::Identify(const StaticInterfaceSettings& settings) {
    PrinterExchange exchange(settings);
    const MachineIdentity identity = exchange.Identify();
    PolledIdentity polled;
    if (!identity.Ok()) {
        polled.reach = ReachOfFailure(identity.code);
        polled.detail = FailureText("the machine information request", identity.code);
        return polled;
    }
    polled.reach = Reachability::kUp;
    polled.serial = identity.serial;
    polled.model = ModelFromReportedName(identity.model);
    if (!polled.model) {
        polled.detail = "the printer reports the model \"" + identity.model +
                        "\", which is none of the 38 models (name the group's model)";
    }
    return polled;
}

std::optional<int> PrinterPoll::DriftedSettings(const StaticInterfaceSettings& settings, int model,
                                                const Baseline& baseline, std::string& detail) {
    PrinterExchange exchange(settings);
    SettingsRecord printer;
    if (const int code = exchange.ReceiveSettings(model, printer); code != 0) {
        detail = FailureText("the settings request", code);
        return std::nullopt;
    }
    const RecordComparison comparison =
        RecordComparison::Compare(baseline.items, printer, baseline.options);
    return comparison.Count(ComparisonOutcome::kDiffers) +
           comparison.Count(ComparisonOutcome::kNotReported);
}

} // namespace qm::fleet
