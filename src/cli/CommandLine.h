#pragma once

// quillmark-cli as a library: the subcommands, added to a CLI11 application from one explicit
// list, and a run of one command line that writes to the streams it is given, so that the
// program's main() and the tests run commands alike.

#include "cli/TerminalStyle.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace qm::cli {

// Where a command writes and how it ended.
struct CommandIo {
    std::ostream& out;
    std::ostream& err;
    int status = 0;        // the exit status the command chose
    TerminalStyle style{}; // colour and progress: only when the streams are terminals
};

// Adds one subcommand to `app`; its callback writes to `io` and sets io.status.
using CommandAdder = void (*)(CLI::App& app, CommandIo& io);

void AddCalibrateCommand(CLI::App& app, CommandIo& io);
void AddDiffCommand(CLI::App& app, CommandIo& io);
void AddDiscoverCommand(CLI::App& app, CommandIo& io);
void AddFleetCommand(CLI::App& app, CommandIo& io);
void AddGetCommand(CLI::App& app, CommandIo& io);
void AddPortsCommand(CLI::App& app, CommandIo& io);
void AddPrintCommand(CLI::App& app, CommandIo& io);
void AddReceiveCommand(CLI::App& app, CommandIo& io);
void AddSelfInfoCommand(CLI::App& app, CommandIo& io);
void AddSendCommand(CLI::App& app, CommandIo& io);
void AddSetCommand(CLI::App& app, CommandIo& io);
void AddInspectCommand(CLI::App& app, CommandIo& io);
void AddStatusCommand(CLI::App& app, CommandIo& io);

// Every subcommand, in the order --help lists them.
const std::vector<CommandAdder>& AllCommands();

// Runs one command line (argv[0] is the program's name, shown in the usage line) and returns
// its exit status: the command's own, 0 after --help or --version, 2 when CLI11 refuses the
// arguments. `style` says whether `out` may carry colour and `err` a progress line.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   TerminalStyle style = {});
// The same for the arguments after the program's name.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   TerminalStyle style = {});

} // namespace qm::cli
