#include "cli/CommandLine.h"

#include <string_view>

namespace qm::cli {
namespace {

constexpr std::string_view kHelpCommand = "help";
constexpr std::string_view kHelpFlag = "--help";

// The program's name as it was called, without the folder it was called from.
std::string ProgramName(const char* argv0) {
    const std::string_view path = argv0 != nullptr ? argv0 : "";
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return name.empty() ? std::string("quillmark-cli") : std::string(name);
}

} // namespace

const std::vector<CommandAdder>& AllCommands() {
    // Printer commands first, then the local ports, then the file command, then the fleet.
    static const std::vector<CommandAdder> commands = {
        AddReceiveCommand, AddGetCommand,      AddSendCommand,     AddSetCommand,
        AddDiffCommand,    AddStatusCommand,   AddSelfInfoCommand, AddCalibrateCommand,
        AddPrintCommand,   AddDiscoverCommand, AddPortsCommand,    AddInspectCommand,
        AddFleetCommand,
    };
    return commands;
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   TerminalStyle style) {
    CommandIo io{out, err, 0, style};
    CLI::App app{"quillmark-cli: read, write and send thermal label printer settings",
                 ProgramName(argc > 0 ? argv[0] : nullptr)};
    app.set_version_flag("--version", "quillmark-cli " QM_PROJECT_VERSION);
    app.require_subcommand(1);
    for (CommandAdder add : AllCommands()) {
        add(app, io);
    }
    // "help" alone is --help; "help COMMAND ..." is "COMMAND --help".
    std::vector<const char*> words(argv, argv + argc);
    if (argc >= 2 && argv[1] == kHelpCommand) {
        words.erase(words.begin() + 1);
        words.push_back(kHelpFlag.data());
    }
    try {
        app.parse(static_cast<int>(words.size()), words.data());
    } catch (const CLI::Success& e) {
        // --help, --help-all, --version: the text on standard output, status 0.
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        err << e.what() << "\n";
        return 2;
    }
    return io.status;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   TerminalStyle style) {
    std::vector<const char*> argv = {"quillmark-cli"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);
    return RunCommandLine(static_cast<int>(args.size() + 1), argv.data(), out, err, style);
}

} // namespace qm::cli
