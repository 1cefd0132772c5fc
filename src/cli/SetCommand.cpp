// quillmark-cli set: sends a configuration of exactly the settings given as KEY=VALUE, built as
// a settings file's configuration is built, and with --verify reads them back.

#include "cli/CommandPreamble.h"
#include "cli/SettingLines.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "operations/SettingAssignmentOperation.h"
#include "platform/Encoding.h"
#include "platform/ReadableText.h"
#include "settings/Frame.h"
#include "settings/ModelTable.h"
#include "settings/RecordComparison.h"
#include "settings/SettingKeyLookup.h"
#include "text/TextTable.h"

#include <memory>

namespace qm::cli {
namespace {

constexpr char kCommand[] = "set";

// Exit statuses of set.
constexpr int kExitNotAsSent = 1; // --verify: the printer does not report a value as sent
constexpr int kExitRefused = kExitInvalidItems; // nothing sent

struct SetArguments {
    std::vector<std::string> assignments;
    InterfaceArguments interface;
    std::string model;
    bool advanced = false;
    bool verify = false;
    bool dryRun = false;
    bool json = false;
};

std::string Reason(const RefusedAssignment& refused, const std::string& value, int model) {
    switch (refused.problem) {
    case AssignmentProblem::kUnknownKey:
        return "unknown setting" + NearestKeysHint(refused.nearest);
    case AssignmentProblem::kNotSettable:
        return "the printer reports this; it cannot be set";
    case AssignmentProblem::kAdvanced:
        return "an Advanced (Factory Mode) setting; give --advanced to send it";
    case AssignmentProblem::kGivenTwice:
        return "given more than once";
    case AssignmentProblem::kControlCharacter:
        return "the value holds a control character (a TAB, a line end, an escape, ...)";
    case AssignmentProblem::kNeedsUnit:
        return "give the unit, e.g. 4.00 INCH or 101.6 MM";
    case AssignmentProblem::kLineTooLong:
        return "the value is too long for a configuration line";
    case AssignmentProblem::kSerialWithoutOn:
        return "give USB-SERIAL-NUMBER=ON with it";
    case AssignmentProblem::kNotRead:
        return "model " + std::to_string(model) + " does not take this setting";
    case AssignmentProblem::kInvalidValue:
        return "\"" + value + "\" is not a valid value for model " + std::to_string(model) + " (" +
               Utf16ToUtf8(ModelTable::DisplayName(model)) + ")";
    case AssignmentProblem::kNotCarried:
        return "\"" + value + "\" would not arrive as given (a \";\" starts a comment)";
    case AssignmentProblem::kTooLarge:
        return "the configuration does not fit the 4096-byte send buffer";
    }
    return {};
}

// KEY=VALUE arguments; false after the line that names a malformed one.
bool ReadAssignments(CommandPreamble& preamble, const std::vector<std::string>& words,
                     std::vector<SettingAssignment>& assignments) {
    for (const std::string& word : words) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0) {
            preamble.Fail("\"" + word + "\" is not KEY=VALUE");
            return false;
        }
        assignments.push_back({word.substr(0, equals), word.substr(equals + 1)});
    }
    return true;
}

// The frame as it would go out, one line of it per output line, escaped; keys and passwords
// masked.
void PrintFrame(std::ostream& out, const std::u16string& text) {
    const std::string bytes = SettingAssignmentOperation::MaskSecrets(FrameForSending(text).bytes);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        out << EscapeControls(std::string_view(bytes).substr(start, end - start)) << "\n";
        start = end;
    }
}

// --verify: the printer's settings received and compared with what was sent. 0 when it holds
// every sent value, kExitNotAsSent after the lines that name the others, or the receive's own
// failure status.
int Verify(CommandPreamble& preamble, const PrinterTarget& target, const AssignedSettings& built,
           nlohmann::ordered_json& json) {
    ReceivedSettings received;
    const std::vector<RequestKind> kinds = {RequestKind::kAll};
    if (const int status = preamble.Receive(target, kinds, 0, received); status != 0) {
        preamble.Message("the settings were sent, but reading them back failed");
        return status;
    }
    const RecordComparison comparison =
        RecordComparison::Compare(built.given, received.record, built.options);
    nlohmann::ordered_json differences = nlohmann::ordered_json::array();
    for (const ItemComparison& item : comparison.items) {
        if (item.outcome == ComparisonOutcome::kDiffers) {
            preamble.Message("the printer reports " + item.key + " as \"" + item.printerValue +
                             "\", not \"" + item.fileValue + "\"");
            differences.push_back(
                {{"key", item.key}, {"sent", item.fileValue}, {"printer", item.printerValue}});
        } else if (item.outcome == ComparisonOutcome::kNotReported) {
            preamble.Message("the printer does not report " + item.key + " after the send");
            differences.push_back(
                {{"key", item.key}, {"sent", item.fileValue}, {"printer", nullptr}});
        }
    }
    json["verified"] = differences.empty();
    json["differences"] = differences;
    return differences.empty() ? 0 : kExitNotAsSent;
}

int RunSet(const SetArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    std::vector<SettingAssignment> assignments;
    if (!ReadAssignments(preamble, args.assignments, assignments)) {
        return kExitUsage;
    }
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    AssignedSettings built =
        SettingAssignmentOperation::Build(assignments, target.model, args.advanced);
    if (!built.Ok()) {
        for (const RefusedAssignment& refused : built.refused) {
            std::string value;
            for (const SettingAssignment& a : assignments) {
                if (a.key == refused.key) {
                    // A key or password is never printed back, not even a refused one.
                    const bool secret =
                        entry::IsSecret(SettingKeyLookup::Find(a.key, target.model).entry);
                    value = secret ? "********" : a.value;
                }
            }
            const std::string reason = Reason(refused, value, target.model);
            preamble.Message(refused.key.empty() ? reason : refused.key + ": " + reason);
        }
        preamble.Message("nothing sent");
        return kExitRefused;
    }
    if (args.dryRun) {
        PrintFrame(io.out, built.text);
        return 0;
    }

    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    const AssignmentSendResult sent =
        SettingAssignmentOperation::Send(built, connection, target.settings);
    if (sent.rfidRemoved) {
        preamble.Message(
            Utf16ToUtf8(TextTable::Long(LongTextId::kRfidNotSupported, UiLanguage::kEnglish)) +
            " The RFID settings are not sent.");
    }
    if (sent.code == kCodeNothingTicked) {
        preamble.PrintOperationMessage(sent.code);
        return kExitRefused;
    }
    if (sent.code != kOperationOk) {
        return preamble.ReportPrinterFailure(sent.code, target.settings, connection.LastFailure());
    }

    std::vector<SettingLine> lines;
    for (const SettingAssignment& a : assignments) {
        const SettingKeyLookup::Match match = SettingKeyLookup::Find(a.key, target.model);
        if (built.given.Item(match.entry).ticked) {
            lines.push_back(LineOf(built.given, built.options, match.entry, match.key));
        }
    }
    nlohmann::ordered_json json = {{"model", target.model}, {"sent", SettingLinesJson(lines)}};
    int status = 0;
    if (args.verify) {
        status = Verify(preamble, target, built, json);
    }
    if (args.json) {
        preamble.PrintJson(json);
    } else {
        AlignedTable table;
        AddSettingLines(table, lines);
        preamble.PrintTable(table);
    }
    return status;
}

} // namespace

void AddSetCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<SetArguments>();
    CLI::App* cmd = app.add_subcommand("set", "Send single settings to a printer");
    cmd->add_option("KEY=VALUE", args->assignments,
                    "setting and value, e.g. print-speed=\"6 IPS\" or "
                    "continuous-media-length=\"4.00 INCH\"")
        ->required();
    AddInterfaceOptions(cmd, args->interface);
    AddModelOption(cmd, args->model);
    cmd->add_flag("--advanced", args->advanced,
                  "allow the Advanced (Factory Mode) settings (entries 114-178)");
    cmd->add_flag("--verify", args->verify,
                  "afterwards, receive the settings and exit 1 unless every value is as sent");
    cmd->add_flag("--dry-run", args->dryRun, "print the bytes that would be sent; send nothing");
    cmd->add_flag("--json", args->json, "print the sent settings as JSON");
    cmd->callback([args, &io] { io.status = RunSet(*args, io); });
}

} // namespace qm::cli
