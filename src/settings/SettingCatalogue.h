#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qm {

// The printer menu's fixed vocabulary: every key the printer reports and accepts, the closed
// choice lists of the enumerated settings with their codes, and the value form and limits of
// every other setting. Keys and choice texts are ASCII, compared byte for byte.

struct Choice {
    std::string_view text;
    uint16_t code;
};

struct ChoiceList {
    std::span<const Choice> choices; // in table order
    uint16_t width = 1;              // target field width: one byte for every enumerated row
};

// One row of the enumerated settings table; its position is its index in the MenuImage.
struct SettingItem {
    std::string_view key;
    ChoiceList choices;
    int group; // 2 = service-level setting, 1 otherwise (informative)
};

// How a value row's reply line is converted.
enum class ConvertKind {
    kInteger,      // whole number in the row's range
    kOneDecimal,   // one decimal, stored times ten
    kLength,       // unit token selects MM / INCH / V / DOTS; metric or inch range
    kVoltage,      // "V" selects two decimals, stored in hundredths of a volt
    kIpv4,         // four octets
    kIpv6,         // sixteen bytes
    kText,         // length and character checks
    kDotCount,     // head check: "DOT" then the number (start/stop) or the number (width)
    kCounter,      // digits and blanks, 0..9999999, 32-bit
    kOnOffWord,    // "ON" 1, "OFF" 0
    kSymbolSet,    // two characters, looked up in the symbol set list
    kRfidPower,    // integer 0..10000, an optional " DBM" suffix is cut off first
    kRfidText,     // RFID calibration: the value text as written
    kRfidTextUnit, // RFID calibration: value and unit joined by one blank
};

// Which model- or parse-dependent rule picks the range of a numeric row.
enum class RangeRule {
    kFixed,
    kPrintDarkness,      // 0..15 on Eltron variants, else 0..30
    kStandbyTimer,       // 1..1440 on models 0/1, else 1..99
    kPaperEndLevel,      // 1..330 on models 24-37, else 1..300
    kPaperPosition,      // depends on the FUNCTION SELECT of the same text
    kVerticalImageShift, // length on native models, else a whole number -120..120
    kHeadCheckPosition,  // first / second range by model
    kHeadCheckWidth,     // 1..832, second range up to 1240
    kTtColdHeatrate,     // +-limit set from the Advanced page (10 or 20)
};

// Text checks for kText rows.
enum class TextRule {
    kPrintable,             // 0x20..0x7E
    kPrintableUpper,        // 0x20..0x7E, kept upper-cased (serial number)
    kAny,                   // copied as it is (pre-shared key)
    kPrintableNoQuoteComma, // 0x20..0x7E without '"' and ','
};

struct NumericRange {
    int16_t min;
    int16_t max;
};

// One row of the value settings table; its position is its index in the MenuImage.
struct ValueItem {
    std::string_view key;
    ConvertKind convert;
    int valueClass;      // 2 adjustments, 3 symbol set, 4 others (informative)
    NumericRange metric; // or the only range
    NumericRange inch;
    RangeRule rule = RangeRule::kFixed;
    uint8_t width = 2;      // 1 byte field, 2 signed 16-bit, 4 for the counter
    uint16_t maxLength = 0; // text rows
    TextRule text = TextRule::kPrintable;
    int calibrationSlot = -1; // 1..7 calibration levels, 0 the sensor-level slot, -1 none
};

// A row of the RFID alternative-key table: converted like the primary row it names.
struct AlternativeKeyRow {
    std::string_view key;
    int primaryValueRow; // index into the value table
};

class SettingCatalogue {
public:
    static std::span<const SettingItem> EnumeratedRows();            // 85 rows
    static std::span<const ValueItem> ValueRows();                   // main table
    static std::span<const ValueItem> RfidCalibrationRows();         // 3 rows
    static std::span<const AlternativeKeyRow> RfidAlternativeRows(); // 7 rows
    static const SettingItem& SensorAdjustmentAnswer();              // "AUTO CALIBRATION "

    // Linear scans in table order, first exact match; -1 when absent.
    static int FindEnumeratedRow(std::string_view key);
    static int FindValueRow(std::string_view key);
    static int FindRfidCalibrationRow(std::string_view key);
    static int FindRfidAlternativeRow(std::string_view key);
    // Index of the choice whose text equals text exactly; -1 when absent.
    static int FindChoice(const SettingItem& row, std::string_view text);
    // The choice text of a code; empty when the row has no such code.
    static std::string_view ChoiceText(const SettingItem& row, int code);

    // The 88 symbol set codes ("CP" = 0 ... "ZZ" = 87; "u1" is lower case). Exact lookup.
    static int SymbolSetCode(std::string_view text); // -1 when unknown
    static std::string_view SymbolSetText(int code); // empty when out of range
    static constexpr int kSymbolSetCount = 88;
};

} // namespace qm
