// quillmark-cli diff: receives a printer's settings (scope ALL) and compares them item by item
// with a settings file: values that differ (file value, printer value) and settings of the
// file the printer did not report.

#include "cli/CommandPreamble.h"
#include "operations/ReceiveOperation.h"
#include "platform/ReadableText.h"
#include "settings/RecordComparison.h"
#include "settings/SettingsParser.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

namespace qm::cli {
namespace {

constexpr int kExitDiffer = 1;

struct DiffArguments {
    std::string file;
    InterfaceArguments interface;
    std::string model;
    bool json = false;
};

constexpr char kCommand[] = "diff";

const char* OutcomeName(ComparisonOutcome outcome) {
    switch (outcome) {
    case ComparisonOutcome::kDiffers:
        return "differs";
    case ComparisonOutcome::kNotReported:
        return "not reported";
    case ComparisonOutcome::kNotCompared:
        return "not compared";
    }
    return "";
}

void PrintText(std::ostream& out, const RecordComparison& comparison) {
    for (const ItemComparison& item : comparison.items) {
        out << OutcomeName(item.outcome) << ": " << item.key;
        if (item.outcome == ComparisonOutcome::kNotCompared) {
            out << ": a received key or password is never kept";
        } else {
            out << ": file \"" << EscapeControls(item.fileValue) << "\"";
        }
        if (item.outcome == ComparisonOutcome::kDiffers) {
            out << ", printer \"" << EscapeControls(item.printerValue) << "\"";
        } else if (item.outcome == ComparisonOutcome::kNotReported) {
            out << ", the printer did not report it";
        }
        out << "\n";
    }
    out << (comparison.Agree() ? "agree" : "differ") << ": " << comparison.compared << " compared, "
        << comparison.Count(ComparisonOutcome::kDiffers) << " differ, "
        << comparison.Count(ComparisonOutcome::kNotReported) << " not reported, "
        << comparison.Count(ComparisonOutcome::kNotCompared) << " not compared\n";
}

void PrintJson(CommandPreamble& preamble, const RecordComparison& comparison) {
    nlohmann::ordered_json differ = nlohmann::ordered_json::array();
    nlohmann::ordered_json notReported = nlohmann::ordered_json::array();
    nlohmann::ordered_json notCompared = nlohmann::ordered_json::array();
    for (const ItemComparison& item : comparison.items) {
        nlohmann::ordered_json row = {{"entry", item.entry}, {"key", item.key}};
        if (item.outcome != ComparisonOutcome::kNotCompared) {
            row["file"] = item.fileValue; // a key or password is named, never shown
        }
        switch (item.outcome) {
        case ComparisonOutcome::kDiffers:
            row["printer"] = item.printerValue;
            differ.push_back(row);
            break;
        case ComparisonOutcome::kNotReported:
            notReported.push_back(row);
            break;
        case ComparisonOutcome::kNotCompared:
            notCompared.push_back(row);
            break;
        }
    }
    nlohmann::ordered_json out = {{"agree", comparison.Agree()},
                                  {"compared", comparison.compared},
                                  {"differ", differ},
                                  {"notReported", notReported},
                                  {"notCompared", notCompared}};
    preamble.PrintJson(out);
}

int RunDiff(const DiffArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    // A file that is no settings text is refused before the printer is asked anything.
    if (const int status = preamble.CheckSettingsFile(args.file); status != 0) {
        return status;
    }
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    // Both records are read with every entry, so a file's advanced settings are compared too.
    const SettingsOptions options = SettingsOptions::For(target.model, false, true);
    SettingsParser fileParser(options);
    SettingsRecord file;
    file.modelIndex = target.model;
    if (const int status = preamble.ReadSettingsFile(args.file, file, fileParser); status != 0) {
        return status;
    }

    // Scope ALL's settings request alone: the status and counters play no part here.
    ReceivedSettings printer;
    if (const int status = preamble.Receive(target, {RequestKind::kAll}, 0, printer); status != 0) {
        return status;
    }
    const RecordComparison comparison = RecordComparison::Compare(file, printer.record, options);
    if (args.json) {
        PrintJson(preamble, comparison);
    } else {
        PrintText(io.out, comparison);
    }
    return comparison.Agree() ? 0 : kExitDiffer;
}

} // namespace

void AddDiffCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<DiffArguments>();
    CLI::App* cmd = app.add_subcommand("diff", "Compare a printer's settings with a settings file");
    cmd->add_option("FILE", args->file, "settings file (*.prn)")->required();
    AddInterfaceOptions(cmd, args->interface);
    AddModelOption(cmd, args->model);
    cmd->add_flag("--json", args->json,
                  "print {agree, compared, differ, notReported, notCompared} as JSON");
    cmd->callback([args, &io] { io.status = RunDiff(*args, io); });
}

} // namespace qm::cli
