#include "cli/RecordJson.h"

#include "platform/Encoding.h"
#include "settings/DisplayLists.h"

#include <string>

namespace qm::cli {

std::u16string UsualNotation(int entry, const std::u16string& value) {
    switch (DisplayLists::FormOf(entry)) {
    case EntryForm::kIpv4: {
        std::u16string comma = DisplayLists::Ipv4ForSending(value);
        if (comma.find(u',') == std::u16string::npos) {
            return value;
        }
        for (char16_t& c : comma) {
            if (c == u',') {
                c = u'.';
            }
        }
        return comma;
    }
    case EntryForm::kIpv6:
        return DisplayLists::Ipv6ForDisplay(DisplayLists::Ipv6ForSending(value));
    default:
        return value;
    }
}

nlohmann::ordered_json ItemsAsJson(const SettingsRecord& record) {
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        // The keys and passwords are never printed: they show as not received.
        const SettingValue item = entry::IsSecret(e) ? SettingValue{} : record.Item(e);
        items.push_back({
            {"entry", e},
            {"key", std::string(SettingsRecord::EntryKey(e))},
            {"ticked", item.ticked},
            {"value", Utf16ToUtf8(UsualNotation(e, item.value))},
            {"second", Utf16ToUtf8(item.second)},
            {"error", item.error},
            {"choice", item.choice},
            {"metric", item.metric},
        });
    }
    return items;
}

} // namespace qm::cli
