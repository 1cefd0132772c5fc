// quillmark-cli send: reads a settings file, refuses it when an item is invalid, and sends the
// configuration of its items (lead-in + text) to a printer. No reply is read.

#include "cli/CommandRegistry.h"
#include "cli/PortPermissionNote.h"
#include "cli/ReceiveSendCommon.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/SendOperation.h"
#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/SettingsParser.h"

#include <cstring>
#include <iostream>
#include <memory>

namespace qm::cli {
namespace {

struct SendArguments {
    std::string file;
    InterfaceArguments interface;
    std::string model = "0";
    bool advanced = false;
    std::string queue; // a print queue: the configuration goes as one raw print job
};

int Fail(const std::string& message) {
    std::cerr << "quillmark-cli send: " << message << "\n";
    return kExitUsage;
}

// Lists the keys of the ticked items the parser marked; true when there was one.
bool ReportInvalidItems(const SettingsRecord& record) {
    bool any = false;
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        if (record.Item(e).ticked && record.Item(e).error) {
            std::cerr << "invalid item: " << SettingsRecord::EntryKey(e) << "\n";
            any = true;
        }
    }
    return any;
}

int RunSend(const SendArguments& args) {
    std::optional<int> model = ResolveModelArgument(args.model);
    if (!model) {
        return Fail("unknown model \"" + args.model + "\" (give 0-37 or a display name)");
    }
    StaticInterfaceSettings settings;
    std::string error;
    if (!args.queue.empty()) {
        settings.portType = kPortPrt;
        settings.portName = Utf8ToUtf16(args.queue);
    } else if (!BuildInterfaceSettings(args.interface, settings, error)) {
        return Fail(error);
    }
    const SettingsOptions options = SettingsOptions::For(*model, false, args.advanced);
    SettingsParser parser(options);
    SettingsRecord record;
    record.modelIndex = *model;
    const FileOutcome read = SettingsFileOperation(record, parser).Import(args.file);
    if (read.code != kOperationOk) {
        return Fail(args.file + ": " + SettingsFileProblem(read.result, read.error));
    }
    if (ReportInvalidItems(record)) {
        PrintOperationMessage(23);
        return kExitInvalidItems;
    }

    // As Send Configuration does: the printer's form of the ticked items, parsed back to
    // catch what the file's values turn into.
    DisplayLists::MakeSendReady(record, options);
    ConfigurationWriter writer(options);
    SendOperation send(record, writer, parser);
    BuiltConfiguration built = send.Build(ConfigurationUse::kPrinter);
    if (built.code == kCodeInvalidItems) {
        ReportInvalidItems(record);
        PrintOperationMessage(built.code);
        return kExitInvalidItems;
    }
    if (built.code != kOperationOk) {
        PrintOperationMessage(built.code);
        return kExitInvalidItems;
    }
    if (FrameForSending(built.text).result != FrameResult::kOk) {
        return Fail("the configuration does not fit the 4096-byte send buffer; nothing sent");
    }

    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    SendResult sent = SendOperation::Send(built.text, connection, settings);
    if (sent.code != kOperationOk) {
        PrintOperationMessage(sent.code);
        ExplainOpenFailure(sent.code, settings);
        return kExitPrinter;
    }
    return 0;
}

const CommandRegistration kRegistration([](CLI::App& app) {
    auto args = std::make_shared<SendArguments>();
    CLI::App* cmd = app.add_subcommand("send", "Send a settings file's configuration to a printer");
    cmd->add_option("FILE", args->file, "settings file (*.prn)")->required();
    AddInterfaceOptions(cmd, args->interface);
    // A print queue is one more way the printer is attached: the configuration then goes as
    // one raw print job through the queue.
    cmd->get_option_group("interface")
        ->add_option("--queue", args->queue, "print queue (CUPS destination) for a raw job");
    cmd->add_option("--model", args->model, "model index 0-37 or display name (default 0)");
    cmd->add_flag("--advanced", args->advanced, "include the advanced entries (114-178)");
    cmd->callback([args] { ExitStatus() = RunSend(*args); });
});

} // namespace
} // namespace qm::cli
