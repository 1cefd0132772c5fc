#pragma once

#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

namespace qm::cli {

// Adds `fleet monitor` to the `fleet` command.
void AddFleetMonitorCommand(CLI::App* fleetCommand, CommandIo& io);

} // namespace qm::cli
