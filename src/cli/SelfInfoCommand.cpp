// quillmark-cli selfinfo: asks a printer for its machine information and its STANDARD menu as
// the window's Self Info receive does, prints the two texts of the Self Information dialog and,
// with --save-dir, saves the report as the dialog's Save does.

#include "cli/CommandPreamble.h"
#include "operations/ReceiveOperation.h"
#include "platform/Encoding.h"
#include "platform/ReadableText.h"
#include "selfinfo/SelfInfoReport.h"
#include "selfinfo/SelfInfoText.h"
#include "settings/ConfigurationWriter.h"
#include "text/TextTable.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <ctime>
#include <memory>

namespace qm::cli {
namespace {

struct SelfInfoArguments {
    InterfaceArguments interface;
    std::string model;
    std::string saveDir;
    bool json = false;
};

constexpr char kCommand[] = "selfinfo";

// A text of the dialog as terminal lines: its CR LF line ends become line breaks and its tabs
// blanks; everything else the printer may have put into it is escaped.
std::string ReadableLines(const std::u16string& text) {
    std::string lines;
    const std::string utf8 = Utf16ToUtf8(text);
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
            continue;
        }
        // The dialog's "KEY<TAB>:<TAB>VALUE" columns read as "KEY : VALUE".
        lines += utf8[i] == '\t' ? ' ' : utf8[i];
    }
    lines = EscapeControlsKeepingLines(lines);
    if (!lines.empty() && lines.back() != '\n') {
        lines += '\n';
    }
    return lines;
}

// A failed save: the dialog's message and an exit status. The printer's text lacking what the
// file name needs is a fault of the reply; the rest are the folder's or the file's.
struct SaveFailureRow {
    ReportOutcome outcome;
    LongTextId message;
    int status;
};

constexpr SaveFailureRow kSaveFailures[] = {
    {ReportOutcome::kFolderError, LongTextId::kSelfInfoFolderError, kExitUsage},
    {ReportOutcome::kNoModel, LongTextId::kSelfInfoNoModel, kExitPrinter},
    {ReportOutcome::kNoSerial, LongTextId::kSelfInfoNoSerial, kExitPrinter},
    {ReportOutcome::kOpenError, LongTextId::kSelfInfoOpenError, kExitUsage},
    {ReportOutcome::kWriteError, LongTextId::kSelfInfoWriteError, kExitUsage},
};

std::tm LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

int RunSelfInfo(const SelfInfoArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    ReceivedSettings receivedSettings;
    if (const int status = preamble.Receive(target, SelfInfoRequestKinds(),
                                            DefaultStatusClass(target.model), receivedSettings);
        status != 0) {
        return status;
    }
    const ReceiveResult& received = receivedSettings.result;
    const std::u16string machineInfo = AnsiToWide(received.Reply(RequestKind::kMachineInfo));
    const std::u16string menuSettings = AnsiToWide(received.Reply(RequestKind::kStandard));
    const std::u16string menuText = SelfInfoText::BuildMenuText(menuSettings);
    const std::u16string machineText = SelfInfoText::BuildMachineText(machineInfo, menuText);

    nlohmann::ordered_json out = {
        {"machineText", Utf16ToUtf8(machineText)},
        {"menuText", Utf16ToUtf8(menuText)},
    };
    // The readable form: the dialog's two texts as lines, then where the report went.
    auto print = [&](const std::string& savedTo) {
        if (args.json) {
            return preamble.PrintJson(out);
        }
        io.out << ReadableLines(machineText) << "\n" << ReadableLines(menuText);
        if (!savedTo.empty()) {
            io.out << "\nsaved to " << EscapeControls(savedTo) << "\n";
        }
        return 0;
    };
    if (!args.saveDir.empty()) {
        const ReportResult saved =
            SelfInfoReport::Save(args.saveDir, machineText, menuText, LocalNow());
        for (const SaveFailureRow& row : kSaveFailures) {
            if (row.outcome == saved.outcome) {
                io.err << Utf16ToUtf8(TextTable::Long(row.message, UiLanguage::kEnglish));
                if (saved.error != 0) {
                    io.err << " (" << std::strerror(saved.error) << ")";
                }
                io.err << "\n";
                // What the printer sent is still printed: a failed save loses nothing.
                print({});
                return row.status;
            }
        }
        out["file"] = saved.path;
        return print(saved.path);
    }
    return print({});
}

} // namespace

void AddSelfInfoCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<SelfInfoArguments>();
    CLI::App* cmd = app.add_subcommand(
        "selfinfo", "Show a printer's Self Information texts and optionally save the report");
    AddInterfaceOptions(cmd, args->interface);
    AddModelOption(cmd, args->model);
    cmd->add_option("--save-dir", args->saveDir,
                    "save the report under DIR (its date folder is made there)");
    AddJsonFlag(cmd, args->json);
    cmd->callback([args, &io] { io.status = RunSelfInfo(*args, io); });
}

} // namespace qm::cli
