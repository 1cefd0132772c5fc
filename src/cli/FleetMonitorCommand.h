#pragma once

#include <CLI/CLI.hpp>

namespace qm::cli {

// Adds `fleet monitor` to the `fleet` command.
void AddFleetMonitorCommand(CLI::App* fleetCommand);

} // namespace qm::cli
