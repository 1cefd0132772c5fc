#pragma once

#include "connection/InterfaceSettingsSource.h"
#include "connection/PrinterConnection.h"
#include "operations/OperationCode.h"
#include "operations/SendOperation.h"
#include "settings/ConfigurationWriter.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// What the printer said about its sensor adjustment.
enum class CalibrationOutcome : int {
    kNone = 0,      // no answer was judged (the exchange failed, or the answer was unreadable)
    kSucceeded = 1, // "AUTO CALIBRATION : SUCCEEDED" and no other key
    kFailed = 2,    // "AUTO CALIBRATION : FAILED", an unknown result word, or no result line
};

// The operator's choices for a sensor adjustment without a window: the Config Set (-1 leaves
// it out, 0-2 CONFIG SET 1-3) and the media (0 labels with gaps, 1 black marks).
struct SensorChoices {
    int configSet = -1;
    int media = 0;
};
inline constexpr int kMediaGaps = 0;
inline constexpr int kMediaBlackMarks = 1;

// How a sensor adjustment ended.
struct SensorAdjustmentResult {
    int code = kOperationOk; // 0, or 30, 31, 32, 40 (OperationCode.h)
    CalibrationOutcome outcome = CalibrationOutcome::kNone; // set when code is 0
    uint32_t error = 0;      // the connection's result code of the failing call, if any
    std::string reply;       // the answer bytes as received
    std::string answerText;  // the answer from its first "A" (empty when there was none)
    int errorLineNumber = 0; // a line with another key: its number (1 = first) and text
    std::string errorLine;

    bool Ok() const { return code == kOperationOk; }
    bool Succeeded() const { return Ok() && outcome == CalibrationOutcome::kSucceeded; }
};

// The media-sensor calibration, once for every front end. The command is the configuration
// of the ticked items (the primary keys, as in a settings file), checked by parsing it back,
// with its closing "END\r\n" replaced by "AUTO CALIBRATION\r\nSAVE\r\nEND\r\n". It goes out
// with the lead-in on a connection opened for the sensor purpose (the long read time-out) and
// the printer's answer is read as an unterminated reply (request kind 3).
//
// The answer is judged only by what the printer defines: success exactly when the line
// "AUTO CALIBRATION : SUCCEEDED" came and no line carried another key. "FAILED", another
// result word or no result line at all is a failure the printer reports (kFailed); an answer
// with a foreign line, or without an "A" in its first three bytes, is unreadable (32).
//
// The object holds references only and no state of its own.
class SensorAdjustmentOperation {
public:
    // The answer starts at the first "A" among its first bytes; stray bytes before it are
    // forgiven up to this many.
    static constexpr size_t kAnswerStartWindow = 3;

    SensorAdjustmentOperation(SettingsRecord& record, const ConfigurationWriter& writer,
                              SettingsParser& parser);

    // Ticks the Config Set (when chosen) and the Media Sensor (SEE THROUGH for gaps, REFLECT
    // for black marks) in the record in their send-ready form, as the Standard page does with
    // the Sensor Adjustment page's choices. For front ends without pages.
    static void TickChoices(SettingsRecord& record, const SensorChoices& choices,
                            const SettingsOptions& options);

    // Builds the command from the ticked items into record.text: 24 when none is ticked, 23
    // when a ticked item is marked bad by the parse back (the text is the configuration then).
    BuiltConfiguration Build();

    // Sends a built command and judges the answer. The record is reset (record.modelIndex
    // stays) once the command went out, whatever the answer.
    SensorAdjustmentResult Run(std::u16string_view command, PrinterConnection& connection,
                               const InterfaceSettingsSource& settings);

    // The answer from the first "A" within its first kAnswerStartWindow bytes; empty without.
    static std::string AnswerText(std::string_view reply);

    // Judges an answer text (already cut by AnswerText) into result.code and result.outcome.
    void Judge(std::string_view answerText, SensorAdjustmentResult& result);

private:
    SettingsRecord& record_;
    const ConfigurationWriter& writer_;
    SettingsParser& parser_;
};

} // namespace qm
