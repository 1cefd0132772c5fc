// quillmark-cli get: receives a printer's settings (the ALL request) and prints the value of
// each setting asked for.

#include "cli/CommandPreamble.h"
#include "cli/SettingLines.h"
#include "settings/SettingKeyLookup.h"

#include <memory>

namespace qm::cli {
namespace {

constexpr char kCommand[] = "get";

// Exit statuses of get.
constexpr int kExitNotReported = 1; // a known setting the printer did not report
constexpr int kExitUnknownKey = kExitUsage;

struct GetArguments {
    std::vector<std::string> keys;
    InterfaceArguments interface;
    std::string model;
    bool json = false;
};

// The keys' own faults, before the printer is asked anything. True when every key is known.
bool CheckKeys(CommandPreamble& preamble, const std::vector<std::string>& keys) {
    bool known = true;
    for (const std::string& key : keys) {
        // The model decides only between entries of one key, never whether a key is known.
        if (SettingKeyLookup::Find(key, 0).entry >= 0) {
            continue;
        }
        known = false;
        preamble.Message("unknown setting \"" + key + "\"" +
                         NearestKeysHint(SettingKeyLookup::Nearest(key)));
    }
    return known;
}

int RunGet(const GetArguments& args, CommandIo& io) {
    CommandPreamble preamble(kCommand, io);
    if (!CheckKeys(preamble, args.keys)) {
        return kExitUnknownKey;
    }
    PrinterTarget target;
    if (const int status = preamble.ResolveTarget(args.model, args.interface, target);
        status != 0) {
        return status;
    }
    ReceivedSettings received;
    const std::vector<RequestKind> kinds = {RequestKind::kAll};
    if (const int status = preamble.Receive(target, kinds, 0, received); status != 0) {
        return status;
    }

    const SettingsOptions options = SettingsOptions::For(target.model, false, true);
    std::vector<SettingLine> lines;
    bool allReported = true;
    for (const std::string& key : args.keys) {
        const SettingKeyLookup::Match match = SettingKeyLookup::Find(key, target.model);
        lines.push_back(LineOf(received.record, options, match.entry, match.key));
        allReported = allReported && lines.back().state != SettingState::kNotReported;
    }
    if (args.json) {
        preamble.PrintJson({{"model", target.model}, {"settings", SettingLinesJson(lines)}});
    } else {
        AlignedTable table;
        AddSettingLines(table, lines);
        preamble.PrintTable(table);
    }
    return allReported ? 0 : kExitNotReported;
}

} // namespace

void AddGetCommand(CLI::App& app, CommandIo& io) {
    auto args = std::make_shared<GetArguments>();
    CLI::App* cmd = app.add_subcommand("get", "Print the values of single settings of a printer");
    cmd->add_option("KEY", args->keys,
                    "setting key, e.g. \"PRINT SPEED\" or print-speed (any case; - or _ for a "
                    "blank)")
        ->required();
    AddInterfaceOptions(cmd, args->interface);
    AddModelOption(cmd, args->model);
    cmd->add_flag("--json", args->json, "print the settings as JSON");
    // For the bash completion: every key, as it is typed most easily.
    cmd->add_flag_callback("--list-keys",
                           [&io] {
                               for (const std::string& key : SettingKeyLookup::Keys()) {
                                   io.out << SettingKeyLookup::Typed(key) << "\n";
                               }
                               throw CLI::Success();
                           })
        ->trigger_on_parse()
        ->group("");
    cmd->callback([args, &io] { io.status = RunGet(*args, io); });
}

} // namespace qm::cli
