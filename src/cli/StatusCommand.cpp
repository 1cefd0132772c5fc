// quillmark-cli status: asks a printer for its status and counters as Receive with the scope
// INFORMATION does, or decodes a status reply someone saved, and prints what the Information
// page would show, as readable text or (--json) one JSON object.

#include "cli/CommandPreamble.h"
#include "cli/ReadableRecord.h"
#include "cli/ReadableStatus.h"
#include "cli/StatusJson.h"
#include "connection/PrinterConnection.h"
#include "operations/ReceiveOperation.h"
#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsParser.h"
#include "settings/StatusDecoder.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace qm::cli {
namespace {

struct StatusArguments {
    InterfaceArguments interface;
    std::string decode; // a saved status reply
    int form = -1;
    std::string model;
    std::string language;
    bool json = false;
};

constexpr char kCommand[] = "status";

// A saved reply: at most what the receive buffer holds.
bool ReadReply(const std::string& path, std::string& bytes, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (in.bad()) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    if (bytes.size() > kReplyBufferSize) {
        error = path + " holds " + std::to_string(bytes.size()) +
                " bytes; a status reply fits the " + std::to_string(kReplyBufferSize) +
                "-byte receive buffer";
        return false;
    }
    return true;
}

int RunDecode(const StatusArguments& args, UiLanguage language, CommandPreamble& preamble) {
    if (args.form < 0) {
        return preamble.Fail("--decode needs --form 0, 1 or 2");
    }
    std::string reply;
    std::string error;
    if (!ReadReply(args.decode, reply, error)) {
        return preamble.Fail(error);
    }
    const PrinterStatus status = StatusDecoder::Decode(args.form, reply);
    if (args.json) {
        return preamble.PrintJson(StatusAsJson(args.form, status, language));
    }
    AlignedTable table;
    AddStatusSection(table, args.form, status, language);
    return preamble.PrintTable(table);
}

int RunStatus(const StatusArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    const UiLanguage language = ResolveLanguage(args.language);
    if (!args.decode.empty()) {
        return RunDecode(args, language, preamble);
    }
    if (args.form >= 0) {
        return preamble.Fail("--form goes with --decode; a printer's form follows its model");
    }
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    // The status request of the model's command language, then the counters.
    const int form = DefaultStatusClass(target.model);
    ReceivedSettings receivedSettings;
    if (const int status = preamble.Receive(
            target, RequestKindsForScope(ReceiveScope::kInformation), form, receivedSettings);
        status != 0) {
        return status;
    }
    const ReceiveResult& received = receivedSettings.result;
    const MachineInfo counters =
        ParseMachineInfo(AnsiToWide(received.Reply(RequestKind::kCounters)));
    bool any = false;
    for (const std::u16string& value : counters.values) {
        any = any || !value.empty();
    }
    if (!any) {
        // As the Information page: a counters reply with none of its answers is refused.
        preamble.PrintOperationMessage(kCodeAcquisitionFailed);
        return kExitPrinter;
    }
    const PrinterStatus status = StatusDecoder::Decode(form, received.Reply(RequestKind::kStatus));
    if (args.json) {
        nlohmann::ordered_json out = StatusAsJson(form, status, language);
        AddCountersJson(out, counters);
        return preamble.PrintJson(out);
    }
    AlignedTable table;
    AddModelRow(table, target.model, language);
    AddStatusSection(table, form, status, language);
    AddCountersSection(table, counters, language);
    return preamble.PrintTable(table);
}

} // namespace

void AddStatusCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<StatusArguments>();
    CLI::App* cmd = app.add_subcommand(
        "status", "Read a printer's status and counters, or decode a saved status reply");
    CLI::Option_group* source = AddInterfaceOptions(cmd, args->interface);
    source->add_option("--decode", args->decode, "a saved status reply to decode instead")
        ->check(CLI::ExistingFile);
    cmd->add_option("--form", args->form,
                    "with --decode: 0 flag string, 1 host status, 2 error code")
        ->check(CLI::Range(0, kStatusFormCount - 1));
    AddModelOption(cmd, args->model);
    AddLanguageOption(cmd, args->language);
    AddJsonFlag(cmd, args->json);
    cmd->callback([args, &io] { io.status = RunStatus(*args, io); });
}

} // namespace qm::cli
