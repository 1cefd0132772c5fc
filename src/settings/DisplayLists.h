#pragma once

#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What kind of control and value an entry has on the pages.
enum class EntryForm {
    kList,        // enumerated: a list of printer texts, value = text of the chosen entry
    kLength,      // number with a unit list (INCH, MM); second = "INCH" / "MM"
    kNumber,      // plain number (integer, one decimal, voltage, dots, counter)
    kHeadCheck,   // dot count with a resolution list; metric = range index
    kIpv4,        // value "%d,%d,%d,%d" for sending, dotted after a receive
    kIpv6,        // value: sixteen decimal bytes joined by ","; hex groups after a receive
    kText,        // free text
    kUsbSerial,   // OFF/ON list in second, serial number in value
    kInformation, // RFID calibration information: shown only, never written
};

// The catalogue's lists as the pages show them (printer texts, page order) for a model, and
// the step that turns choice indices and range flags into the texts the writer sends.
class DisplayLists {
public:
    static EntryForm FormOf(int entryIndex);

    // The list of printer texts for an entry in page order for a model; empty for entries
    // without a list. printMethodIndex (0 TT, 1 DT, -1 unknown) shapes "PRINT SPEED" on the
    // models whose speed follows the print method (unknown: the model's own list).
    // Model variations: PRINT SPEED by model and language; EMULATION SELECT with "EPI2" in
    // front of "ZPI2", "DM4", "DMI", "DPP" on Eltron-capable models; FUNCTION SELECT with
    // "REWIND"; BUZZER SELECT 5 or 7 entries; RIBBON END DETECTION with or without "QUICK";
    // METRIC/INCH "MM", "INCH"; USB SERIAL NUMBER "OFF", "ON".
    static std::vector<std::u16string>
    ForEntry(int entryIndex, int model, const SettingsOptions& options, int printMethodIndex = -1);
    // Every unit list: "INCH" at index 0, "MM" at index 1.
    static std::vector<std::u16string> UnitList();
    // The text at a list index, or empty when the index is outside the list.
    static std::u16string ChoiceText(int entryIndex, int choice, int model,
                                     const SettingsOptions& options, int printMethodIndex = -1);

    // IPv4 "a.b.c.d" (or already "a,b,c,d") to "a,b,c,d"; IPv6 hex groups (full, or with one
    // "::") to sixteen decimal bytes joined by ","; and back for display. A value that is not
    // such an address is returned as it is, so the check before sending refuses it rather
    // than sending another address in its place.
    static std::u16string Ipv4ForSending(std::u16string_view value);
    static std::u16string Ipv6ForSending(std::u16string_view value);
    static std::u16string Ipv6ForDisplay(std::u16string_view commaForm);

    // The send-ready step over every ticked item without an error mark, as the pages do
    // before writing: list entries get value = the chosen printer text (USB SERIAL NUMBER: its
    // second), lengths get second = "MM" / "INCH" from metric, IPv4 and IPv6 values get their
    // sending forms. Returns the number of items changed.
    static int MakeSendReady(SettingsRecord& record, const SettingsOptions& options);
};

} // namespace qm
