#include "cli/PrinterReceive.h"

#include "cli/CommandPreamble.h"
#include "cli/ReceiveSendCommon.h"
#include "connection/PrinterConnection.h"
#include "discovery/SystemPortServices.h"
#include "platform/InstanceLock.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <iostream>

namespace qm::cli {

int ReceiveKinds(const char* command, int model, const StaticInterfaceSettings& settings,
                 const std::vector<RequestKind>& kinds, int statusClass, ReceiveResult& result) {
    // One receive at a time, in this program and in the window.
    InstanceLock receiveLock(kReceiveLockName);
    if (!AcquireReceiveLockOrFail(command, receiveLock)) {
        return kExitReceiveBusy;
    }
    SettingsParser parser(SettingsOptions::For(model, false, true));
    SettingsRecord record;
    record.modelIndex = model;
    PrinterConnection connection(SystemClock::Instance(), SystemPortServices());
    result = ReceiveOperation(record, parser, connection, settings).Run(kinds, statusClass);
    if (!result.Ok()) {
        // The window stops silently when only the counters fail; here the exit status needs
        // its reason (and a port the user may not open says which group would help).
        return ReportPrinterFailure(result.code, settings);
    }
    return 0;
}

} // namespace qm::cli
