#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "fleet/Baseline.h"
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
    // Sends `baseline` as a send to one printer does: when it holds RFID items the printer is
    // asked first, and a printer without RFID gets the configuration without them
    // (`rfidRemoved`). The code is the RFID check's when that failed (nothing sent), 24 when
    // nothing is left to send, else the send's.
    SendResult SendBaseline(const Baseline& baseline, bool& rfidRemoved);

private:
    const StaticInterfaceSettings& settings_;
    PrinterConnection connection_;
};

} // namespace qm::fleet
