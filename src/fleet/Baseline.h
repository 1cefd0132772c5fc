#pragma once

#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <string_view>

namespace qm::fleet {

// A group's settings file made ready for one model: the configuration a send puts on the
// wire (the printer's form of the file's items, checked as Send Configuration checks it) and
// the items as read, for comparing with what a printer reports.
struct Baseline {
    int model = 0;
    std::u16string configuration; // the text after the lead-in, "...END\r\n"
    SettingsRecord items;         // the file's items as read (standard and advanced entries)
    SettingsRecord sendReady;     // the items in the printer's form, ticked as they are sent
    SettingsOptions options;
    std::string problem; // empty when the file can be sent to this model

    bool Ok() const { return problem.empty(); }

    // Reads `path` for `model`: a file that does not read, holds no item, holds an item
    // the model refuses or does not fit the send buffer gives a Baseline with `problem` set
    // (and the refused keys named).
    static Baseline Load(const std::string& path, int model);
    // The same on a settings file's bytes (a stored snapshot).
    static Baseline FromBytes(std::string_view bytes, int model);

    // The settings file bytes that restore what a printer reported (`printer`, a receive of
    // scope ALL): its received items written as a settings file is, the wireless keys and
    // passwords left out. Empty when nothing was received or the text does not fit.
    static std::string SnapshotBytes(const SettingsRecord& printer);
};

} // namespace qm::fleet
