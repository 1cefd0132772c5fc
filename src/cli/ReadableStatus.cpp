#include "cli/ReadableStatus.h"

#include "platform/Encoding.h"
#include "text/TextTable.h"

#include <array>

namespace qm::cli {
namespace {

std::string Caption(TextId id, UiLanguage language) {
    return Utf16ToUtf8(TextTable::Caption(id, language));
}

struct FlagRow {
    TextId caption;
    StatusFlag PrinterStatus::*flag;
    bool yesIsFault; // "Yes" means the printer cannot print
};

constexpr FlagRow kFlagRows[] = {
    {TextId::kInfoPaperError, &PrinterStatus::paperError, true},
    {TextId::kInfoRibbonError, &PrinterStatus::ribbonError, true},
    {TextId::kInfoPrinting, &PrinterStatus::printing, false},
    {TextId::kInfoPause, &PrinterStatus::pause, false},
    {TextId::kInfoWaitingForPeeling, &PrinterStatus::waitingForPeeling, false},
};

constexpr std::array<TextId, std::tuple_size_v<decltype(MachineInfo::values)>> kCounterCaptions = {
    TextId::kInfoSerialNumber,
    TextId::kInfoPrintCounter,
    TextId::kInfoServiceCounter,
    TextId::kInfoCutCounter,
};

} // namespace

void AddStatusSection(AlignedTable& table, int form, const PrinterStatus& status,
                      UiLanguage language) {
    if (form == static_cast<int>(StatusForm::kErrorCode)) {
        table.Heading(Caption(TextId::kInfoEplStatus, language));
        std::string message;
        if (status.message != StatusMessage::kNone) {
            message = Utf16ToUtf8(TextTable::Choice(TextId::kInfoStatusMessages,
                                                    static_cast<int>(status.message), language));
        }
        const std::string code = Utf16ToUtf8(AnsiToWide(status.errorCode));
        table.Row(Caption(TextId::kInfoErrorCode, language),
                  code + (message.empty() ? "" : "  " + message), {},
                  status.ErrorCodeClear() ? ValueMark::kGood : ValueMark::kFault);
        return;
    }
    table.Heading(Caption(TextId::kInfoDmxZplStatus, language));
    for (const FlagRow& row : kFlagRows) {
        const StatusFlag flag = status.*row.flag;
        std::string value;
        if (flag != StatusFlag::kUnknown) {
            value = Utf16ToUtf8(
                TextTable::Choice(TextId::kInfoFlagValues, static_cast<int>(flag), language));
        }
        const bool fault = row.yesIsFault && flag == StatusFlag::kYes;
        table.Row(Caption(row.caption, language), value, {},
                  fault ? ValueMark::kFault : ValueMark::kPlain);
    }
}

void AddCountersSection(AlignedTable& table, const MachineInfo& counters, UiLanguage language) {
    table.Heading(Caption(TextId::kInfoPrinterInformation, language));
    for (size_t i = 0; i < kCounterCaptions.size(); ++i) {
        table.Row(Caption(kCounterCaptions[i], language), Utf16ToUtf8(counters.values[i]));
    }
}

} // namespace qm::cli
