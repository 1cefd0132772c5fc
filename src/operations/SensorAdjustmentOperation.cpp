#include "operations/SensorAdjustmentOperation.h"

#include "operations/Exchange.h"
#include "platform/Encoding.h"
#include "settings/DisplayLists.h"

namespace qm {

SensorAdjustmentOperation::SensorAdjustmentOperation(SettingsRecord& record,
                                                     const ConfigurationWriter& writer,
                                                     SettingsParser& parser)
    : record_(record), writer_(writer), parser_(parser) {}

void SensorAdjustmentOperation::TickChoices(SettingsRecord& record, const SensorChoices& choices,
                                            const SettingsOptions& options) {
    if (choices.configSet >= 0) {
        SettingValue& configSet = record.Item(entry::kGlobalConfig);
        configSet.ticked = 1;
        configSet.choice = choices.configSet;
    }
    SettingValue& media = record.Item(entry::kMediaSensor);
    media.ticked = 1;
    media.choice = choices.media == kMediaBlackMarks ? kMediaBlackMarks : kMediaGaps;
    DisplayLists::MakeSendReady(record, options);
}

BuiltConfiguration SensorAdjustmentOperation::Build() {
    BuiltConfiguration built =
        SendOperation(record_, writer_, parser_).Build(ConfigurationUse::kFile);
    if (built.code != kOperationOk) {
        return built;
    }
    record_.text.clear();
    writer_.WriteSensorAdjustment(record_);
    built.text = record_.text;
    return built;
}

std::string SensorAdjustmentOperation::AnswerText(std::string_view reply) {
    const std::string_view start = reply.substr(0, kAnswerStartWindow);
    const size_t at = start.find('A');
    return at == std::string_view::npos ? std::string() : std::string(reply.substr(at));
}

void SensorAdjustmentOperation::Judge(std::string_view answerText, SensorAdjustmentResult& result) {
    result.answerText.assign(answerText);
    result.outcome = CalibrationOutcome::kNone;
    if (answerText.empty()) {
        result.code = kCodeAcquisitionFailed;
        return;
    }
    SettingsRecord answer;
    answer.text = AnsiToWide(answerText);
    if (parser_.ParseCalibrationAnswer(answer) != 0) {
        result.code = kCodeAcquisitionFailed;
        result.errorLineNumber = parser_.LastErrorLine().number;
        result.errorLine = parser_.LastErrorLine().text;
        return;
    }
    result.code = kOperationOk;
    result.outcome = parser_.CalibrationResult() == 0 ? CalibrationOutcome::kSucceeded
                                                      : CalibrationOutcome::kFailed;
}

SensorAdjustmentResult SensorAdjustmentOperation::Run(std::u16string_view command,
                                                      PrinterConnection& connection,
                                                      const InterfaceSettingsSource& settings) {
    SensorAdjustmentResult result;
    // The printer's answer carries no terminator, like the counters reply.
    const ExchangeResult exchanged =
        Exchange(connection, settings)
            .Request(command, true, RequestKind::kCounters, kPurposeSensor);
    result.error = exchanged.error;
    if (exchanged.code == kOperationOk || exchanged.code == kCodeAcquisitionFailed) {
        // The command went out: the printer works from it now, not from what was shown.
        record_.Clear();
    }
    if (exchanged.code != kOperationOk) {
        result.code = exchanged.code;
        return result;
    }
    result.reply = exchanged.reply;
    Judge(AnswerText(exchanged.reply), result);
    return result;
}

} // namespace qm
