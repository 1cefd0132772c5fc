#include "cli/StatusJson.h"

#include "platform/Encoding.h"
#include "text/TextTable.h"

namespace qm::cli {
namespace {

std::string FlagText(StatusFlag flag, UiLanguage language) {
    if (flag == StatusFlag::kUnknown) {
        return {};
    }
    return Utf16ToUtf8(
        TextTable::Choice(TextId::kInfoFlagValues, static_cast<int>(flag), language));
}

struct LanguageRow {
    const char* argument;
    UiLanguage language;
};

constexpr LanguageRow kLanguages[] = {
    {"en", UiLanguage::kEnglish},
    {"ja", UiLanguage::kJapanese},
    {"zh", UiLanguage::kChinese},
    {"ko", UiLanguage::kKorean},
};

} // namespace

nlohmann::ordered_json StatusAsJson(int form, const PrinterStatus& status, UiLanguage language) {
    // The message rows hold English for the Chinese and Korean interfaces.
    std::string message;
    if (status.message != StatusMessage::kNone) {
        message = Utf16ToUtf8(TextTable::Choice(TextId::kInfoStatusMessages,
                                                static_cast<int>(status.message), language));
    }
    return {
        {"form", form},
        {"paperError", FlagText(status.paperError, language)},
        {"ribbonError", FlagText(status.ribbonError, language)},
        {"printing", FlagText(status.printing, language)},
        {"pause", FlagText(status.pause, language)},
        {"waitingForPeeling", FlagText(status.waitingForPeeling, language)},
        // Reply bytes that are not UTF-8 become U+FFFD, so the JSON stays valid.
        {"errorCode", Utf16ToUtf8(AnsiToWide(status.errorCode))},
        {"message", message},
    };
}

void AddCountersJson(nlohmann::ordered_json& out, const MachineInfo& counters) {
    out["serialNumber"] = Utf16ToUtf8(counters.values[0]);
    out["printCounter"] = Utf16ToUtf8(counters.values[1]);
    out["serviceCounter"] = Utf16ToUtf8(counters.values[2]);
    out["cutCounter"] = Utf16ToUtf8(counters.values[3]);
}

std::optional<UiLanguage> LanguageFromArgument(const std::string& text) {
    for (const LanguageRow& row : kLanguages) {
        if (text == row.argument) {
            return row.language;
        }
    }
    return std::nullopt;
}

} // namespace qm::cli
