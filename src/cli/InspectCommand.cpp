// quillmark-cli inspect: reads a settings file (or a printer's menu reply), parses it for a
// model and prints its settings as the pages group them, or (--json) the record and the
// configuration it gives as one JSON object.

#include "cli/CommandPreamble.h"
#include "cli/ReadableRecord.h"
#include "cli/RecordJson.h"
#include "operations/SettingsFileOperation.h"
#include "platform/Encoding.h"
#include "settings/Frame.h"
#include "settings/ReplyStart.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <string>

namespace qm::cli {
namespace {

struct InspectArguments {
    std::string file;
    std::string model;
    std::string language;
    bool reply = false;
    bool json = false;
    bool all = false;
    bool advanced = false;
    std::string exportPath;
};

constexpr char kCommand[] = "inspect";
constexpr int kAssumedModel = 0;

int RunInspect(const InspectArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    // No printer to ask: without --model the file is read for model 0, and the output says so.
    const bool assumed = args.model.empty();
    const std::optional<int> model =
        assumed ? std::optional<int>(kAssumedModel) : preamble.ResolveModel(args.model);
    if (!model) {
        return kExitUsage;
    }
    const UiLanguage language = ResolveLanguage(args.language);
    const bool japanese = language == UiLanguage::kJapanese;
    const SettingsOptions options = SettingsOptions::For(*model, japanese, args.advanced);

    SettingsRecord record;
    record.modelIndex = *model;
    if (args.reply) {
        // Read like a settings file (a directory or an unreadable device is refused with
        // its reason, never thrown out of the reader).
        std::string bytes;
        int error = 0;
        if (const FileResult read = SettingsFile::ReadBytes(args.file, bytes, &error);
            read != FileResult::kOk) {
            return preamble.Fail(SettingsFileProblem(read, error));
        }
        const ReplyStartResult start = CheckReplyStart(bytes);
        if (!start.accepted) {
            return preamble.Fail("the reply does not begin with a lead-in marker");
        }
        record.text = AnsiToWide(start.text);
    } else {
        ImportedText imported = SettingsFile::Read(args.file);
        if (imported.result != FileResult::kOk) {
            return preamble.Fail(SettingsFileProblem(imported.result, imported.error));
        }
        record.text = std::move(imported.text);
    }

    SettingsParser parser(options);
    parser.ParseSettings(record, 1);
    // The configuration holds the ticked items a page would send.
    const std::u16string text = SettingsFileOperation::ExportText(record, options);

    if (!args.exportPath.empty()) {
        const Frame frame = FrameForSending(text);
        if (frame.result != FrameResult::kOk) {
            return preamble.Fail(
                "the configuration needs " + std::to_string(frame.neededBytes) +
                " bytes and does not fit the 4096-byte send buffer; nothing written");
        }
        int error = 0;
        const FileResult written = SettingsFile::Write(args.exportPath, frame.bytes, &error);
        if (written != FileResult::kOk) {
            return preamble.Fail(SettingsFileProblem(written, error));
        }
    }

    if (args.json) {
        const nlohmann::ordered_json out = {
            {"model", *model},
            {"items", ItemsAsJson(record)},
            {"configuration", Utf16ToUtf8(text)},
        };
        return preamble.PrintJson(out);
    }
    AlignedTable table;
    AddModelRow(table, *model, language, assumed);
    AddRecordSections(table, record, RecordView{language, args.all});
    return preamble.PrintTable(table);
}

} // namespace

void AddInspectCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<InspectArguments>();
    CLI::App* cmd = app.add_subcommand(
        "inspect", "Parse a settings file or a printer's menu reply and print its settings");
    cmd->add_option("FILE", args->file, "settings file (*.prn), or reply bytes with --reply")
        ->required();
    AddModelOption(cmd, args->model);
    AddLanguageOption(cmd, args->language);
    cmd->add_flag("--reply", args->reply, "FILE holds the bytes of a menu-settings reply");
    cmd->add_flag("--advanced", args->advanced, "include the advanced entries (114-178)");
    cmd->add_option("--export", args->exportPath,
                    "also write the settings file of the ticked items");
    cmd->add_flag("--all", args->all, "also list the model's settings the file does not hold");
    AddJsonFlag(cmd, args->json);
    cmd->callback([args, &io] { io.status = RunInspect(*args, io); });
}

} // namespace qm::cli
