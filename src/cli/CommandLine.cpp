#include "cli/CommandLine.h"

namespace qm::cli {

const std::vector<CommandAdder>& AllCommands() {
    static const std::vector<CommandAdder> commands = {
        AddCalibrateCommand, AddDiffCommand,    AddDiscoverCommand, AddFleetCommand,
        AddPortsCommand,     AddPrintCommand,   AddReceiveCommand,  AddSelfInfoCommand,
        AddSendCommand,      AddInspectCommand, AddStatusCommand,
    };
    return commands;
}

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CommandIo io{out, err};
    CLI::App app{"quillmark-cli: read, write and send thermal label printer settings"};
    app.set_version_flag("--version", "quillmark-cli " QM_PROJECT_VERSION);
    app.require_subcommand(1);
    for (CommandAdder add : AllCommands()) {
        add(app, io);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        // --help, --help-all, --version: the text on standard output, status 0.
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        err << e.what() << "\n";
        return 2;
    }
    return io.status;
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<const char*> argv = {"quillmark-cli"};
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    argv.push_back(nullptr);
    return RunCommandLine(static_cast<int>(args.size() + 1), argv.data(), out, err);
}

} // namespace qm::cli
