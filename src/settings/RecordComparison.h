#pragma once

#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <vector>

namespace qm {

// How one setting of a file stands against what a printer reported.
enum class ComparisonOutcome {
    kDiffers,     // both have it, with different values
    kNotReported, // the file has it, the printer's reply did not carry it
    kNotCompared, // a wireless key or password: a receive never keeps those, so the printer's
                  // value is unknown
};

// One setting that does not agree, with both values as the printer spells them
// ("6 IPS", "101.6 MM", "192,168,0,1"); printerValue is empty for kNotReported and
// kNotCompared, and fileValue is empty for kNotCompared (a key or password is never shown). A value
// the parser refused is shown as "(refused) TEXT".
struct ItemComparison {
    int entry = 0;
    std::string key;
    ComparisonOutcome outcome = ComparisonOutcome::kDiffers;
    std::string fileValue;
    std::string printerValue;
};

// The result of comparing a settings file's items with a printer's items.
struct RecordComparison {
    int compared = 0; // file settings whose printer value was known and compared
    std::vector<ItemComparison> items;

    // True when nothing differs and nothing the file sets went unreported (settings that
    // cannot be compared do not count against agreement).
    bool Agree() const;
    int Count(ComparisonOutcome outcome) const;

    // Compares every ticked item of `file` (a settings file read as from outside) with the
    // same entry of `printer` (a receive of scope ALL): both are brought into the form the
    // writer sends (list texts, units, address forms) and compared text for text; a length
    // the printer reports in the other unit agrees when it comes to the same steps of the
    // file's unit (0.1 mm, 0.01 inch). Entries a configuration never writes (the RFID calibration
    // record) are skipped. Both records are left unchanged.
    static RecordComparison Compare(const SettingsRecord& file, const SettingsRecord& printer,
                                    const SettingsOptions& options);
};

} // namespace qm
