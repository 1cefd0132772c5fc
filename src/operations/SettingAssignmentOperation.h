#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/SendOperation.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// One setting as a person gives it: a key ("print-speed") and a value ("6 IPS", "4.00 INCH").
struct SettingAssignment {
    std::string key;
    std::string value;
};

// Why a setting is not sent.
enum class AssignmentProblem {
    kUnknownKey,       // no setting has this key
    kNotSettable,      // information the printer reports (RFID calibration record)
    kAdvanced,         // an Advanced setting, and the Advanced settings were not unlocked
    kGivenTwice,       // the same setting given a second time
    kControlCharacter, // the value holds a control character (TAB, CR, LF, ESC, ...)
    kNeedsUnit,        // a length without "MM" or "INCH"
    kLineTooLong,      // the configuration line would be longer than the parser reads
    kSerialWithoutOn,  // "SERIAL NUMBER" without "USB SERIAL NUMBER=ON" beside it
    kNotRead,          // the model's parser does not read this key
    kInvalidValue,     // the parser refuses the value for this model
    kNotCarried,       // the text would not arrive as given (a ";" starts a comment, ...)
    kTooLarge,         // the configuration does not fit the 4096-byte send buffer
};

struct RefusedAssignment {
    std::string key; // as given (empty for kTooLarge, which concerns them all)
    AssignmentProblem problem = AssignmentProblem::kUnknownKey;
    std::vector<std::string> nearest; // kUnknownKey: the nearest known keys
};

// A configuration of exactly the given settings, built as Send Configuration builds one from
// a settings file.
struct AssignedSettings {
    std::vector<RefusedAssignment> refused;
    std::vector<int> entries; // the entry of every given setting, in the order given
    SettingsOptions options;  // the parser's and writer's options (model, unlock)
    SettingsRecord given;     // the settings as read: exactly the given entries ticked
    SettingsRecord ready;     // the same items made send-ready
    std::u16string text;      // the configuration, printer keys ("...END\r\n")

    bool Ok() const { return refused.empty(); }
};

// How sending them ended.
struct AssignmentSendResult {
    int code = kOperationOk;  // 0; 24 nothing left after the RFID check; 30, 31, 32, 40
    bool rfidRemoved = false; // the printer has no RFID: those settings were left out
    SendResult sent;
};

// `set` of single settings, once for every front end. The given settings become the lines a
// settings file holds (KEY, TAB ":" TAB, VALUE, a length's unit after a TAB, addresses in their
// sending forms), framed as a file and read with the model's parser as Import reads a file;
// then, as for a file's items, they are made send-ready, written with the printer's keys and
// parsed back. Every setting the parser refuses, or that would not arrive as given, is
// refused; nothing is built then.
class SettingAssignmentOperation {
public:
    static AssignedSettings Build(const std::vector<SettingAssignment>& assignments, int model,
                                  bool advancedUnlocked);

    // Sends a built configuration as Send Configuration does: a printer asked for RFID
    // settings that has none gets the configuration without them (and `built.given` loses
    // them too, so that a later comparison does not look for them).
    static AssignmentSendResult Send(AssignedSettings& built, PrinterConnection& connection,
                                     const InterfaceSettingsSource& settings);

    // The frame's bytes with the value of every wireless key and password line replaced by
    // "********": what may be shown of a configuration.
    static std::string MaskSecrets(std::string_view bytes);
};

} // namespace qm
