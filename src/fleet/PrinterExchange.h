#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/MachineIdentity.h"
#include "operations/SendOperation.h"
#include "settings/SettingsRecord.h"

#include <string_view>

namespace qm::fleet {

// One printer's exchanges in a fleet run, each the same operation a single-printer command
// makes: the machine information, a receive of the ALL settings, a send. The object owns the
// printer's connection; one object per printer and thread.
class PrinterExchange {
public:
    explicit PrinterExchange(const StaticInterfaceSettings& settings);

    MachineIdentity Identify();
    // Receives the ALL settings into `record` (read for `model`); 0 or the receive's code.
    int ReceiveSettings(int model, SettingsRecord& record);
    SendResult Send(std::u16string_view configuration);

private:
    const StaticInterfaceSettings& settings_;
    PrinterConnection connection_;
};

} // namespace qm::fleet
