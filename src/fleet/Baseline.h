#pragma once

#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <string>

namespace qm::fleet {

// A group's settings file made ready for one model: the configuration a send puts on the
// wire (the printer's form of the file's items, checked as Send Configuration checks it) and
// the items as read, for comparing with what a printer reports.
struct Baseline {
    int model = 0;
    std::u16string configuration; // the text after the lead-in, "...END\r\n"
    SettingsRecord items;         // the file's items as read (standard and advanced entries)
    SettingsOptions options;
    std::string problem; // empty when the file can be sent to this model

    bool Ok() const { return problem.empty(); }

    // Reads `path` for `model`: a file that does not read, holds no item, holds an item
    // the model refuses or does not fit the send buffer gives a Baseline with `problem` set
    // (and the refused keys named).
    static Baseline Load(const std::string& path, int model);
};

} // namespace qm::fleet
