// quillmark-cli receive: runs the receive sequence against a printer (the request kinds of the
// chosen scope through the exchange), parses the menu reply and prints it as inspect does, plus
// the raw status reply and the counters when the scope asks for them.

#include "cli/CommandRegistry.h"
#include "cli/PortPermissionNote.h"
#include "cli/ReceiveSendCommon.h"
#include "cli/RecordJson.h"
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

int Fail(const std::string& message) {
    std::cerr << "quillmark-cli receive: " << message << "\n";
    return kExitUsage;
}

int PrinterFailure(int code) {
    PrintOperationMessage(code);
    return kExitPrinter;
}

int RunReceive(const ReceiveArguments& args) {
    std::optional<int> model = ResolveModelArgument(args.model);
    if (!model) {
        return Fail("unknown model \"" + args.model + "\" (give 0-37 or a display name)");
    }
    StaticInterfaceSettings settings;
    std::string error;
    if (!BuildInterfaceSettings(args.interface, settings, error)) {
        return Fail(error);
    }
    const ScopeName* scope = nullptr;
    for (const ScopeName& row : kScopeNames) {
        if (args.scope == row.name) {
            scope = &row;
        }
    }
    if (scope == nullptr) {
        return Fail("unknown scope \"" + args.scope + "\"");
    }
    int statusClass = args.statusClass >= 0 ? args.statusClass : DefaultStatusClass(*model);

    // One receive at a time, in this program and in the window.
    InstanceLock receiveLock(kReceiveLockName);
    if (!receiveLock.TryAcquire()) {
        std::cerr << "quillmark-cli receive: another receive is running\n";
        return kExitReceiveBusy;
    }

    const SettingsOptions options = SettingsOptions::For(*model, false, true);
    SettingsParser parser(options);
    SettingsRecord record;
    record.modelIndex = *model;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const std::vector<int> kinds = RequestKindsForScope(scope->scope);
    ReceiveResult received =
        ReceiveOperation(record, parser, connection, settings).Run(kinds, statusClass);
    if (!received.Ok()) {
        const int exitStatus = PrinterFailure(received.code);
        ExplainOpenFailure(received.code, settings);
        return exitStatus;
    }

    nlohmann::ordered_json status;
    nlohmann::ordered_json counters;
    bool menuReceived = false;
    for (int kind : kinds) {
        const std::string& reply = received.replies[static_cast<size_t>(kind)];
        if (kind == kReplyStatus) {
            status = AsText(reply);
        } else if (kind == kReplyCounters) {
            MachineInfo info = ParseMachineInfo(AnsiToWide(reply));
            counters = {
                {"text", AsText(reply)},
                {"serialNumber", Utf16ToUtf8(info.values[0])},
                {"printCounter", Utf16ToUtf8(info.values[1])},
                {"serviceCounter", Utf16ToUtf8(info.values[2])},
                {"cutCounter", Utf16ToUtf8(info.values[3])},
            };
        } else if (IsMenuRequestKind(kind)) {
            menuReceived = true;
        }
    }

    nlohmann::ordered_json out = {{"model", *model}};
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
                return Fail("the configuration needs " +
                            std::to_string(FrameForSending(outgoing.text).neededBytes) +
                            " bytes and does not fit the 4096-byte send buffer; nothing written");
            }
            if (written.code != kOperationOk) {
                return Fail("cannot write " + args.output + ": " + std::strerror(written.error));
            }
        }
        out["items"] = ItemsAsJson(record);
        out["configuration"] = Utf16ToUtf8(outgoing.text);
    } else if (!args.output.empty()) {
        return Fail("-o needs a scope that receives settings");
    }
    if (!status.is_null()) {
        out["status"] = status;
    }
    if (!counters.is_null()) {
        out["counters"] = counters;
    }
    std::cout << out.dump(2) << "\n";
    return 0;
}

const CommandRegistration kRegistration([](CLI::App& app) {
    auto args = std::make_shared<ReceiveArguments>();
    CLI::App* cmd =
        app.add_subcommand("receive", "Receive the settings, status and counters of a printer");
    AddInterfaceOptions(cmd, args->interface);
    cmd->add_option("--scope", args->scope, "easy, standard, advanced, information or all")
        ->check(CLI::IsMember({"easy", "standard", "advanced", "information", "all"}));
    cmd->add_option("--model", args->model, "model index 0-37 or display name (default 0)");
    cmd->add_option("--status-class", args->statusClass,
                    "status request form: 0 native, 1 Zebra, 2 Eltron (default: by model)")
        ->check(CLI::Range(0, 2));
    cmd->add_option("-o,--output", args->output, "also write the received settings to a file");
    cmd->callback([args] { ExitStatus() = RunReceive(*args); });
});

} // namespace
} // namespace qm::cli
