#pragma once

// What `status` and `selfinfo` share: the receive operation for a list of request kinds, with
// the receive lock held, as the window's Receive runs it.

#include "connection/InterfaceSettingsSource.h"
#include "operations/ReceiveOperation.h"

#include <vector>

namespace qm::cli {

// Runs `kinds` against the printer for `model`. Returns 0 with every reply in `result`;
// kExitReceiveBusy when another receive holds the lock; kExitPrinter, with the program's
// message on standard error, when the exchange failed.
int ReceiveKinds(const char* command, int model, const StaticInterfaceSettings& settings,
                 const std::vector<RequestKind>& kinds, int statusClass, ReceiveResult& result);

} // namespace qm::cli
