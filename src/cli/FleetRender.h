#pragma once

// How the fleet commands show their results: readable lines (text from printers and files
// with control characters escaped) or JSON (valid UTF-8, invalid bytes replaced).

#include "fleet/FleetEngine.h"
#include "fleet/FleetStore.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qm::cli {

// A run's printers, one line each (with the settings that differ or changed under it), the
// duplicate serial numbers and the summary; or the same as one JSON document.
void PrintFleetRun(std::ostream& out, const std::string& command,
                   const fleet::FleetRunReport& report, double seconds, bool json);

void PrintRunList(std::ostream& out, const std::vector<fleet::RunInfo>& runs, bool json);
void PrintRunDetail(std::ostream& out, const fleet::RunInfo& run,
                    const std::vector<fleet::PrinterResult>& results, bool json);
void PrintInventory(std::ostream& out, const std::vector<fleet::InventoryEntry>& entries,
                    bool json);

} // namespace qm::cli
