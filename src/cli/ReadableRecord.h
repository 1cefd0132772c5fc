#pragma once

// The readable form of a settings record that `receive` and `inspect` print: the settings
// grouped as the pages group them (the Standard page's groups, then "Factory Mode" for the
// Advanced rows), one line per setting with its caption in the interface language, its value
// and its unit.

#include "cli/AlignedTable.h"
#include "settings/SettingsRecord.h"
#include "text/UiLanguage.h"

#include <string>

namespace qm::cli {

struct RecordView {
    UiLanguage language = UiLanguage::kEnglish;
    bool all = false; // also the model's settings the printer or file did not report
};

// The first line of a readable result: the main window's "Printer Model" caption in the
// interface language and "NAME (model N)", with a note when the model was assumed, not given.
void AddModelRow(AlignedTable& table, int model, UiLanguage language, bool assumed = false);

// Adds the record's sections to `table`. A wireless key or password is never shown; an
// invalid value is marked as a fault.
void AddRecordSections(AlignedTable& table, const SettingsRecord& record, const RecordView& view);

} // namespace qm::cli
