#pragma once

#include "connection/InterfaceSettingsSource.h"

#include <ostream>

namespace qm::cli {

// After the message of a failed open ("code : 30" "Open port error."): when the stored port is
// a device file (COM, LPT, USB) this user may not read and write, one more line on standard
// error (`err`) in plain words: which device, and which group would give access (see
// platform/PortPermissionHint.h). Nothing for other codes, network printers and queues.
void ExplainOpenFailure(std::ostream& err, int code, const InterfaceSettingsSource& settings);

} // namespace qm::cli
