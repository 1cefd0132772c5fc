#pragma once

#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

namespace qm {

// The request kinds of the main window's exchanges (the receive scopes map onto them).
enum class RequestKind : int {
    kEasy = 0,        // "SEND CONFIG\t:\tSTANDARD", "EXIT"
    kStandard = 1,    // "SEND CONFIG\t:\tSTANDARD", "EXIT" (also Self Info)
    kAdvanced = 2,    // "SEND CONFIG\t:\tADVANCED", "EXIT"
    kCounters = 3,    // "SERIAL NUMBER CHECK:", "PRINT COUNTER:", "SERVICE COUNTER:",
                      // "CUT COUNTER:", "EXIT"
    kAll = 4,         // "SEND CONFIG\t:\tALL", "EXIT"
    kMachineInfo = 5, // "SEND MACHINE INFO", "EXIT"
    kStatus = 6,      // by emulation class: 0 SOH "A", 1 "~HS\r\n", 2 "^ee\r\n"
};

// What ConfigurationWriter::ResetItems clears.
enum class ResetMode : int {
    kAllButEasy = 0,   // every entry but the six Easy ones
    kWirelessKeys = 1, // the wireless keys, the pre-shared key and the EAP password
};

// Builds every text the program sends: configurations of the ticked items and requests.
// Texts go into record.text (UTF-16); framing for the wire is FrameForSending (Frame.h).
class ConfigurationWriter {
public:
    explicit ConfigurationWriter(const SettingsOptions& options = {});

    void SetOptions(const SettingsOptions& options) { options_ = options; }
    const SettingsOptions& Options() const { return options_; }

    // Appends one line per ticked entry (0-113, or 0-178 when the advanced settings are
    // unlocked; 179-181 never) and "END\r\n" to record.text. forPrinter = 1 writes the RFID
    // alternative keys of entries 100-107 (Send Configuration); 0 the primary keys (Export,
    // sensor adjustment, printer file). Never fails; validation is the re-parse.
    void WriteConfiguration(SettingsRecord& record, int forPrinter) const;

    // Replaces record.text with the request of a kind. statusVariant (0, 1, 2: the model's
    // emulation class) is read for kStatus only. Returns 1, or 0 for an unknown kind or
    // variant (record.text is then emptied).
    static int WriteRequest(SettingsRecord& record, RequestKind kind, int statusVariant = 0);
    static int WriteRequest(SettingsRecord& record, int kind, int statusVariant = 0);
    // Replaces record.text with "SEND CONFIG\t:\tSTANDARD\r\nEXIT\r\n".
    static void WriteStandardRequest(SettingsRecord& record);

    // The sensor-adjustment command: WriteConfiguration(forPrinter = 0) with its closing
    // "END\r\n" replaced by "AUTO CALIBRATION\r\nSAVE\r\nEND\r\n". The caller validates the
    // configuration before (re-parse) as for any other send.
    void WriteSensorAdjustment(SettingsRecord& record) const;

    // Before a receive: kAllButEasy unticks and empties (value, unit, error mark) every entry
    // 0-178 except PRINT METHOD, CONTINUOUS MEDIA LENGTH, VERTICAL POSITION, MEDIA SENSOR,
    // FUNCTION SELECT and PAPER POSITION; kWirelessKeys clears only WLAN WEP KEY 1-4, WLAN PSK and
    // EAP PASSWORD. Both first empty record.text.
    static void ResetItems(SettingsRecord& record, ResetMode mode);

private:
    SettingsOptions options_;
};

} // namespace qm
