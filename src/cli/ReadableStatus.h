#pragma once

// The readable form of a printer's status and counters that `status` and `receive` print:
// what the Information page shows, with its captions in the interface language.

#include "cli/AlignedTable.h"
#include "settings/SettingsParser.h"
#include "settings/StatusDecoder.h"
#include "text/UiLanguage.h"

namespace qm::cli {

// The status group of the form's command language: the five flags, or the error code and its
// message. A flag that reports a fault, and an error code other than "00", are marked.
void AddStatusSection(AlignedTable& table, int form, const PrinterStatus& status,
                      UiLanguage language);

// The "Printer Information" group: serial number and the three counters as the printer wrote
// them.
void AddCountersSection(AlignedTable& table, const MachineInfo& counters, UiLanguage language);

} // namespace qm::cli
