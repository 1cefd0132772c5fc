#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// Who a printer says it is: the model and serial number lines of its machine-information
// reply (request kind 5).
struct MachineIdentity {
    int code = kOperationOk; // 0, or 30, 31, 32, 40 as in a receive; 32 also when the reply
                             // names neither a model nor a serial number
    uint32_t error = 0;      // the connection's result code of the failing call, if any
    std::string model;       // "Model Number" as the printer spells it (may be empty)
    std::string serial;      // "Serial Number" (may be empty)
    std::string emulation;   // "Emulation": the command language running, e.g. "CODE_ZEBRA"
    std::string reply;       // the reply as received

    bool Ok() const { return code == kOperationOk; }

    // Reads the two lines from a machine-information reply: "Model Number\t:\tVexa Gorse",
    // "Serial Number\t:\tQM2400042" (blanks around the colon allowed, as in the counters'
    // "Serial Number : ..." form). Values lose trailing blanks; a missing line gives "".
    static MachineIdentity FromReply(std::string_view reply);

    // Asks the printer behind `settings` for its machine information: one exchange through
    // the receive sequence with the single request kind 5, nothing else sent. Uses a record
    // and parser of its own, so each printer of a scan can be asked from its own thread with
    // its own connection.
    static MachineIdentity Ask(PrinterConnection& connection,
                               const InterfaceSettingsSource& settings);
};

} // namespace qm
