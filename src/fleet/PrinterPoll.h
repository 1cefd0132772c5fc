#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "fleet/Baseline.h"
#include "fleet/PrinterReading.h"

#include <optional>
#include <string>

namespace qm::fleet {

// What a printer says it is (its machine information): nullopt model when the printer did not
// answer or named no model of the list.
struct PolledIdentity {
    Reachability reach = Reachability::kUnknown;
    std::optional<int> model;
    std::string serial;
    std::string detail;
};

// The monitor's exchanges with one printer, each the operation a single-printer command runs:
// the status and counters as Receive with the scope INFORMATION asks for them, the machine
// information, and the ALL settings compared with a baseline. Nothing is ever sent but
// requests. Each call opens and closes its own connection, so any thread may poll any printer.
class PrinterPoll {
public:
    // The status (the request of `model`'s command language) and the counters.
    static PrinterReading Status(const StaticInterfaceSettings& settings, int model);
    static PolledIdentity Identify(const StaticInterfaceSettings& settings);
    // How many of the baseline's settings the printer does not hold (a value that differs or is
    // not reported); nullopt with `detail` set when the settings could not be received.
    static std::optional<int> DriftedSettings(const StaticInterfaceSettings& settings, int model,
                                              const Baseline& baseline, std::string& detail);
};

} // namespace qm::fleet
