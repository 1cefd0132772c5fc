#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// One setting as the pages show and edit it.
struct SettingValue {
    int32_t ticked = 0;    // 1 = the item is to be sent (the page's tick box)
    std::u16string value;  // value text: choice text, number with its decimals, text, address
    std::u16string second; // unit text ("MM", "INCH") for lengths; for "USB SERIAL NUMBER"
                           // the ON/OFF choice (value then holds the serial number)
    int32_t error = 0;     // 1 = the parser rejected the value (the page shows it in red)
    int32_t choice = 0;    // index of the chosen entry in the page's list (enumerated items)
    int32_t metric = 0;    // lengths: 1 metric, 0 inch; head check: 1 second range, 0 first

    bool operator==(const SettingValue&) const = default;
};

// One row of the entry table: which item an entry writes and under which key.
struct SettingEntry {
    SettingValue* item = nullptr;
    std::u16string key;
    std::u16string extra;          // appended after the value ("DOT" on 150/151)
    std::u16string alternativeKey; // entries 100-107: the key used when talking to the printer
};

// Entry indices the rules refer to by name.
namespace entry {
inline constexpr int kGlobalConfig = 0;
inline constexpr int kPrintSpeed = 1;
inline constexpr int kPrintDarkness = 2;
inline constexpr int kPrintMethod = 4;
inline constexpr int kContinuousMediaLength = 6;
inline constexpr int kVerticalPosition = 7;
inline constexpr int kVerticalImageShiftLength = 9;
inline constexpr int kVerticalImageShiftDots = 10;
inline constexpr int kMediaSensor = 13;
inline constexpr int kSensorLevel = 19;
inline constexpr int kPaperEndLevel = 20;
inline constexpr int kBuzzerSelect = 23;
inline constexpr int kStandbyMode = 28;
inline constexpr int kEmulationSelect = 33;
inline constexpr int kFunctionSelect = 38;
inline constexpr int kPaperPosition = 45;
inline constexpr int kRs232cBaud = 66;
inline constexpr int kWlanWepKey1 = 83;
inline constexpr int kWlanPsk = 87;
inline constexpr int kEapPassword = 90;
inline constexpr int kFirstRfid = 100; // 100-107 carry alternative keys
inline constexpr int kLastRfid = 107;
inline constexpr int kFixReflectSensorPosition = 117; // second "REFLECT SENSOR POSITION"
inline constexpr int kFixReflectSensor = 128;         // second "REFLECT SENSOR"
inline constexpr int kDoubleHeatMenu = 144;
inline constexpr int kTtColdHeatrateAdjust = 146;
inline constexpr int kHeadCheckStartPos = 150;
inline constexpr int kHeadCheckStopPos = 151;
inline constexpr int kRibbonEndDetection = 152;
inline constexpr int kUsbSerialNumber = 155;
inline constexpr int kHeadCheckPatternWidth = 165;
inline constexpr int kRfidCalibExecuted = 179;
inline constexpr int kRfidCalibPositionOffset = 180;
inline constexpr int kRfidCalibPower = 181;
// The wireless keys, the pre-shared key and the EAP password: a receive forgets them, the
// recent file and the command line's output never hold them.
inline constexpr std::array<int, 6> kSecrets = {
    kWlanWepKey1, kWlanWepKey1 + 1, kWlanWepKey1 + 2, kWlanWepKey1 + 3, kWlanPsk, kEapPassword,
};
bool IsSecret(int entryIndex);
bool IsSecretKey(std::string_view key);
} // namespace entry

// The program's one working copy of the printer's settings.
class SettingsRecord {
public:
    static constexpr int kEntryCount = 182;
    static constexpr int kStandardEntryCount = 114; // entries 0-113
    static constexpr int kWritableEntryCount = 179; // 114-178 advanced; 179-181 never written
    static constexpr size_t kInformationCount = 4;

    SettingsRecord(); // runs Construct
    SettingsRecord(const SettingsRecord& other);
    SettingsRecord& operator=(const SettingsRecord& other);

    // All entry keys and alternative keys set, every item unticked with empty texts and zero
    // marks, model index 0, every text empty.
    void Construct();
    // Entries 0-178 and the three RFID calibration items: ticked 0, value and second empty,
    // error 0 (choice and metric kept); the working text emptied.
    void Clear();

    SettingValue& Item(int entryIndex) { return items[static_cast<size_t>(entryIndex)]; }
    const SettingValue& Item(int entryIndex) const {
        return items[static_cast<size_t>(entryIndex)];
    }
    const SettingEntry& Entry(int entryIndex) const {
        return entries[static_cast<size_t>(entryIndex)];
    }
    // The entry key as plain ASCII (for tables and the command line).
    static std::string_view EntryKey(int entryIndex);

    std::u16string text; // reply, file content or built configuration / request
    std::u16string rfidCheckText;
    std::u16string printText;
    std::u16string emulationCheckText;
    // What the counters reply said: serial number, print counter, service counter, cut
    // counter (the Information page shows them).
    std::array<std::u16string, kInformationCount> information;
    int32_t modelIndex = 0;
    std::array<SettingValue, kEntryCount> items;
    std::array<SettingEntry, kEntryCount> entries;

private:
    void BindEntries();
};

} // namespace qm
