// quillmark-cli receive: runs the receive sequence against a printer (the request kinds of the
// chosen scope through the exchange), parses the menu reply and prints it as inspect does, plus
// the raw status reply and the counters when the scope asks for them.

#include "cli/CommandPreamble.h"
#include "cli/CommandRegistry.h"
#include "cli/ReceiveSendCommon.h"
#include "cli/RecordJson.h"
#include "cli/StatusJson.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/ReceiveOperation.h"
#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "platform/InstanceLock.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/ModelTable.h"
#include "settings/SettingsParser.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <memory>
#include <vector>

namespace qm::cli {
namespace {

struct ReceiveArguments {
    InterfaceArguments interface;
    std::string scope = "all";
    std::string model = "0";
    int statusClass = -1;
    std::string output;
};

// The scope names of the command line, in the window's scope order.
struct ScopeName {
    const char* name;
    ReceiveScope scope;
};
constexpr ScopeName kScopeNames[] = {
    {"easy", ReceiveScope::kEasy},         {"standard", ReceiveScope::kStandard},
    {"advanced", ReceiveScope::kAdvanced}, {"information", ReceiveScope::kInformation},
    {"all", ReceiveScope::kAll},
};

// Reply bytes as JSON text (bytes that are not UTF-8 become U+FFFD).
std::string AsText(const std::string& bytes) {
    return Utf16ToUtf8(AnsiToWide(bytes));
}

constexpr char kCommand[] = "receive";

// The name of a request kind in the command's output.
std::string RequestName(int kind) {
    switch (static_cast<RequestKind>(kind)) {
    case RequestKind::kCounters:
        return "counters";
    case RequestKind::kStatus:
        return "status";
    case RequestKind::kMachineInfo:
        return "machine information";
    default:
        return "settings";
    }
}

int RunReceive(const ReceiveArguments& args) {
    PrinterTarget target;
    if (!ResolvePrinterTarget(kCommand, args.model, args.interface, target)) {
        return kExitUsage;
    }
    const ScopeName* scope = nullptr;
    for (const ScopeName& row : kScopeNames) {
        if (args.scope == row.name) {
            scope = &row;
        }
    }
    if (scope == nullptr) {
        return FailCommand(kCommand, "unknown scope \"" + args.scope + "\"");
    }
    int statusClass = args.statusClass >= 0 ? args.statusClass : DefaultStatusClass(target.model);

    // One receive at a time, in this program and in the window.
    InstanceLock receiveLock(kReceiveLockName);
    if (!AcquireReceiveLockOrFail(kCommand, receiveLock)) {
        return kExitReceiveBusy;
    }

    const SettingsOptions options = SettingsOptions::For(target.model, false, true);
    SettingsParser parser(options);
    SettingsRecord record;
    record.modelIndex = target.model;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const std::vector<int> kinds = RequestKindsForScope(scope->scope);
    ReceiveResult received =
        ReceiveOperation(record, parser, connection, target.settings).Run(kinds, statusClass);
    // A request that fails after others were answered ends the receive with exit 3, and what
    // was received is still printed, as the window keeps it.
    int failure = 0;
    // A reply counts when it was read and taken: the failed kind's reply (one refused by its
    // start check, say) does not.
    auto taken = [&](int kind) {
        return received.received[static_cast<size_t>(kind)] && kind != received.failedKind;
    };
    if (!received.Ok()) {
        failure = ReportPrinterFailure(received.code, target.settings);
        if (std::none_of(kinds.begin(), kinds.end(), taken)) {
            return failure;
        }
        std::cerr << kCommand << ": the " << RequestName(received.failedKind)
                  << " request failed; printing what was received before it\n";
    }

    nlohmann::ordered_json status;
    nlohmann::ordered_json counters;
    bool menuReceived = false;
    for (int kind : kinds) {
        if (!taken(kind)) {
            continue;
        }
        const std::string& reply = received.replies[static_cast<size_t>(kind)];
        if (kind == kReplyStatus) {
            status = AsText(reply);
        } else if (kind == kReplyCounters) {
            MachineInfo info = ParseMachineInfo(AnsiToWide(reply));
            counters = {{"text", AsText(reply)}};
            AddCountersJson(counters, info);
        } else if (IsMenuRequestKind(kind)) {
            menuReceived = true;
        }
    }

    nlohmann::ordered_json out = {{"model", target.model}};
    if (menuReceived) {
        DisplayLists::MakeSendReady(record, options);
        SettingsRecord outgoing = record;
        for (SettingValue& item : outgoing.items) {
            if (item.error) {
                item.ticked = 0;
            }
        }
        ConfigurationWriter::ResetItems(outgoing, 1); // the keys and passwords stay unprinted
        outgoing.text.clear();
        ConfigurationWriter(options).WriteConfiguration(outgoing, 0);
        if (!args.output.empty()) {
            const FileOutcome written = SettingsFileOperation::Export(args.output, outgoing.text);
            if (written.result == FileResult::kTooLarge) {
                return FailCommand(
                    kCommand,
                    "the configuration needs " +
                        std::to_string(FrameForSending(outgoing.text).neededBytes) +
                        " bytes and does not fit the 4096-byte send buffer; nothing written");
            }
            if (written.code != kOperationOk) {
                return FailCommand(kCommand, "cannot write " + args.output + ": " +
                                                 std::strerror(written.error));
            }
        }
        out["items"] = ItemsAsJson(record);
        out["configuration"] = Utf16ToUtf8(outgoing.text);
    } else if (!args.output.empty()) {
        return FailCommand(kCommand, "-o needs a scope that receives settings");
    }
    if (!status.is_null()) {
        out["status"] = status;
    }
    if (!counters.is_null()) {
        out["counters"] = counters;
    }
    if (failure != 0) {
        out["failed"] = RequestName(received.failedKind);
        PrintJsonResult(out);
        return failure;
    }
    return PrintJsonResult(out);
}

const CommandRegistration kRegistration([](CLI::App& app) {
    auto args = std::make_shared<ReceiveArguments>();
    CLI::App* cmd =
        app.add_subcommand("receive", "Receive the settings, status and counters of a printer");
    AddInterfaceOptions(cmd, args->interface);
    cmd->add_option("--scope", args->scope, "easy, standard, advanced, information or all")
        ->check(CLI::IsMember({"easy", "standard", "advanced", "information", "all"}));
    AddModelOption(cmd, args->model);
    cmd->add_option("--status-class", args->statusClass,
                    "status request form: 0 native, 1 Zebra, 2 Eltron (default: by model)")
        ->check(CLI::Range(0, 2));
    cmd->add_option("-o,--output", args->output, "also write the received settings to a file");
    cmd->callback([args] { ExitStatus() = RunReceive(*args); });
});

} // namespace
} // namespace qm::cli
