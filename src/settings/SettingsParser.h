#pragma once

#include "settings/MenuImage.h"
#include "settings/ReplyReader.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsRecord.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Per-row marks of one parse.
struct RowFlags {
    int received = 0; // the key was seen
    int bad = 0;      // the value was rejected
    int metric = 0;   // lengths: 1 MM, 0 INCH/DOTS; head check: 1 second range, 0 first
};

struct ParseFlags {
    std::array<RowFlags, MenuImage::kEnumeratedFields> enumerated{};
    std::array<RowFlags, MenuImage::kValueFields> values{};
    std::array<RowFlags, MenuImage::kRfidCalibrationFields> rfidCalibration{};
    std::array<RowFlags, 7> rfidAlternative{};
    RowFlags sensorAdjustment{};
};

// "HEAD CHECK START POS", "HEAD CHECK STOP POS", "HEAD CHECK PATTERN WIDTH" may take their
// second range in this parse.
struct SecondRangeAllowed {
    int startPos = 0;
    int stopPos = 0;
    int patternWidth = 0;
};

// The line that made ParseCalibrationAnswer fail: its number (0 = none) and its text.
struct ErrorLine {
    int number = 0;
    std::string text; // at most 99 bytes
};

// Answers to the machine-information request, in the order "Serial Number : ",
// "Print Counter Length ", "Service Counter Length ", "Cut Counter ".
struct MachineInfo {
    std::array<std::u16string, 4> values; // each at most 39 bytes of the reply
};

// Answers to the RFID calibration request: "RFID CALIB EXECUTED",
// "RFID CALIB POSITION OFFSET", "RFID CALIB POWER".
struct RfidCalibrationInfo {
    std::array<std::u16string, 3> values; // each at most 39 bytes of the reply
};

// Reads a printer's menu-settings reply, a settings file's body or the writer's own output:
// lines of key, TAB ":" TAB, value (optionally TAB and a unit), ended by "END" or "EXIT".
// The parser owns the MenuImage and the flags of the last parse; the application keeps one
// parser for the run. Only the UI thread uses it.
class SettingsParser {
public:
    static constexpr size_t kReplyBufferSize = 8192; // text beyond this is not parsed
    static constexpr size_t kMaxLineLength = 99;
    static constexpr int kMaxTokens = 17;
    static constexpr size_t kTokenSize = 100;

    explicit SettingsParser(const SettingsOptions& options = {});

    void SetOptions(const SettingsOptions& options) { options_ = options; }
    const SettingsOptions& Options() const { return options_; }

    // Parses record.text for record.modelIndex and transfers the values into the items.
    // fromOutside = 1 (reply or file): the first two lines are skipped, every received item is
    // ticked, a rejected item shows 0 / choice 0 and its error mark. fromOutside = 0 (the
    // writer's own text): only error marks are set. Returns 1, or 0 when the model index is
    // out of range (nothing is changed then).
    int ParseSettings(SettingsRecord& record, int fromOutside);

    // Parses the sensor-adjustment answer in record.text. Returns 1 when a line carried a key
    // other than "AUTO CALIBRATION " (its number and text go to LastErrorLine()), 0 otherwise.
    int ParseCalibrationAnswer(const SettingsRecord& record);

    const MenuImage& Image() const { return image_; }
    const ParseFlags& Flags() const { return flags_; }
    const ErrorLine& LastErrorLine() const { return errorLine_; }
    // The sensor-adjustment result of the last ParseCalibrationAnswer: 0 SUCCEEDED, 1 FAILED,
    // -1 when the answer held no result line.
    int CalibrationResult() const;

private:
    bool MatchEnumerated(const LineTokens& tokens, int model);
    bool MatchValue(const LineTokens& tokens, int model);
    bool StoreValue(int row, const LineTokens& tokens, int model);
    bool MatchRfidCalibration(const LineTokens& tokens, int model);
    bool MatchRfidAlternative(const LineTokens& tokens, int model);
    void TransferEnumerated(SettingsRecord& record, int fromOutside) const;
    void TransferValues(SettingsRecord& record, int fromOutside) const;
    void TransferRfid(SettingsRecord& record, int fromOutside) const;

    SettingsOptions options_;
    MenuImage image_;
    ParseFlags flags_;
    SecondRangeAllowed secondRange_;
    ErrorLine errorLine_;
    // "PAPER POSITION" lines of this parse: their range follows FUNCTION SELECT, so they are
    // converted after every line was read and the check does not depend on the line order.
    std::vector<LineTokens> paperPositionLines_;
};

// Scans a reply for the first line containing "MACHINE EMULATION CODE": 1 "CODE_ZEBRA",
// 2 "CODE_EPL", 3 "CODE_KORVANE", 0 for any other value or when "END" comes first.
int DetectEmulationCode(std::u16string_view reply);
// 1 as soon as a line contains "RFID SETTINGS", 0 when "END" comes first.
int HasRfidSection(std::u16string_view reply);
MachineInfo ParseMachineInfo(std::u16string_view reply);
RfidCalibrationInfo ParseRfidCalibrationInfo(std::u16string_view reply);

} // namespace qm
