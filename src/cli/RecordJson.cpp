#include "cli/RecordJson.h"

#include "platform/Encoding.h"

#include <string>

namespace qm::cli {

nlohmann::ordered_json ItemsAsJson(const SettingsRecord& record) {
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        // The keys and passwords are never printed: they show as not received.
        const SettingValue item = entry::IsSecret(e) ? SettingValue{} : record.Item(e);
        items.push_back({
            {"entry", e},
            {"key", std::string(SettingsRecord::EntryKey(e))},
            {"ticked", item.ticked},
            {"value", Utf16ToUtf8(item.value)},
            {"second", Utf16ToUtf8(item.second)},
            {"error", item.error},
            {"choice", item.choice},
            {"metric", item.metric},
        });
    }
    return items;
}

} // namespace qm::cli
