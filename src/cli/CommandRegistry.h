#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <vector>

namespace qm::cli {

// Each subcommand lives in its own *Command.cpp file and registers itself with a static
// CommandRegistration; main() adds every registered subcommand to the application.
// A subcommand's callback sets the process exit status through ExitStatus().
using CommandAdder = std::function<void(CLI::App& app)>;

std::vector<CommandAdder>& Commands();
int& ExitStatus();

struct CommandRegistration {
    explicit CommandRegistration(CommandAdder adder) { Commands().push_back(std::move(adder)); }
};

} // namespace qm::cli
