// quillmark-cli receive: runs the receive sequence against a printer (the request kinds of the
// chosen scope through the exchange), parses the menu reply and prints it as inspect does, plus
// the raw status reply and the counters when the scope asks for them.

#include "cli/CommandPreamble.h"
#include "cli/ReadableRecord.h"
#include "cli/ReadableStatus.h"
#include "cli/RecordJson.h"
#include "cli/StatusJson.h"
#include "operations/ReceiveOperation.h"
#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "settings/Frame.h"
#include "settings/StatusDecoder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace qm::cli {
namespace {

struct ReceiveArguments {
    InterfaceArguments interface;
    std::string scope = "all";
    std::string model;
    int statusClass = -1;
    std::string output;
    std::string language;
    bool json = false;
    bool all = false;
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
std::string RequestName(std::optional<RequestKind> kind) {
    switch (kind.value_or(RequestKind::kAll)) {
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

int RunReceive(const ReceiveArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    const ScopeName* scope = nullptr;
    for (const ScopeName& row : kScopeNames) {
        if (args.scope == row.name) {
            scope = &row;
        }
    }
    if (scope == nullptr) {
        return preamble.Fail("unknown scope \"" + args.scope + "\"");
    }
    int statusClass = args.statusClass >= 0 ? args.statusClass : DefaultStatusClass(target.model);

    const std::vector<RequestKind> kinds = RequestKindsForScope(scope->scope);
    ReceivedSettings receivedSettings;
    const int failure = preamble.Receive(target, kinds, statusClass, receivedSettings);
    if (failure == kExitReceiveBusy) {
        return failure;
    }
    SettingsRecord& record = receivedSettings.record;
    const ReceiveResult& received = receivedSettings.result;
    // A request that fails after others were answered ends the receive with exit 3, and what
    // was received is still printed, as the window keeps it. A reply counts when it was read
    // and taken: the failed kind's reply (one refused by its start check, say) does not.
    auto taken = [&](RequestKind kind) {
        return received.Received(kind) && kind != received.failedKind;
    };
    if (failure != 0) {
        if (std::none_of(kinds.begin(), kinds.end(), taken)) {
            return failure;
        }
        io.err << kCommand << ": the " << RequestName(received.failedKind)
               << " request failed; printing what was received before it\n";
    }

    nlohmann::ordered_json status;
    nlohmann::ordered_json counters;
    const UiLanguage language = ResolveLanguage(args.language);
    AlignedTable table;
    AddModelRow(table, target.model, language);
    AlignedTable information;
    bool menuReceived = false;
    for (RequestKind kind : kinds) {
        if (!taken(kind)) {
            continue;
        }
        const std::string& reply = received.Reply(kind);
        if (kind == RequestKind::kStatus) {
            status = AsText(reply);
            AddStatusSection(information, statusClass, StatusDecoder::Decode(statusClass, reply),
                             language);
        } else if (kind == RequestKind::kCounters) {
            MachineInfo info = ParseMachineInfo(AnsiToWide(reply));
            counters = {{"text", AsText(reply)}};
            AddCountersJson(counters, info);
            AddCountersSection(information, info, language);
        } else if (IsMenuRequestKind(kind)) {
            menuReceived = true;
        }
    }

    nlohmann::ordered_json out = {{"model", target.model}};
    if (menuReceived) {
        const std::u16string text = SettingsFileOperation::ExportText(
            record, SettingsOptions::For(target.model, false, true));
        if (!args.output.empty()) {
            const FileOutcome written = SettingsFileOperation::Export(args.output, text);
            if (written.result == FileResult::kTooLarge) {
                return preamble.Fail(
                    "the configuration needs " + std::to_string(FrameForSending(text).neededBytes) +
                    " bytes and does not fit the 4096-byte send buffer; nothing written");
            }
            if (written.code != kOperationOk) {
                return preamble.Fail("cannot write " + args.output + ": " +
                                     std::strerror(written.error));
            }
        }
        out["items"] = ItemsAsJson(record);
        out["configuration"] = Utf16ToUtf8(text);
        AddRecordSections(table, record, RecordView{language, args.all});
    } else if (!args.output.empty()) {
        return preamble.Fail("-o needs a scope that receives settings");
    }
    table.Append(information);
    if (!status.is_null()) {
        out["status"] = status;
    }
    if (!counters.is_null()) {
        out["counters"] = counters;
    }
    if (failure != 0) {
        out["failed"] = RequestName(received.failedKind);
    }
    if (args.json) {
        preamble.PrintJson(out);
    } else {
        preamble.PrintTable(table);
    }
    return failure;
}

} // namespace

void AddReceiveCommand(CLI::App& app, CommandIo& io) {
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
    AddLanguageOption(cmd, args->language);
    cmd->add_flag("--all", args->all, "also list the model's settings the printer did not report");
    AddJsonFlag(cmd, args->json);
    cmd->callback([args, &io] { io.status = RunReceive(*args, io); });
}

} // namespace qm::cli
