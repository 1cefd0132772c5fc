#include "cli/SettingLines.h"

#include "cli/RecordJson.h"
#include "platform/Encoding.h"
#include "settings/DisplayLists.h"

namespace qm::cli {
namespace {

constexpr std::string_view kSerialNumberKey = "SERIAL NUMBER";

std::string StateText(SettingState state) {
    switch (state) {
    case SettingState::kReported:
        return "reported";
    case SettingState::kNotReported:
        return "not reported";
    case SettingState::kNotShown:
        return "not shown";
    case SettingState::kInvalid:
        return "invalid";
    }
    return {};
}

// What the value column shows for a setting without a value.
std::string Placeholder(SettingState state) {
    switch (state) {
    case SettingState::kNotReported:
        return "(not reported)";
    case SettingState::kNotShown:
        return "(not shown: wireless keys and passwords are never printed)";
    case SettingState::kInvalid:
        return "(a value this model does not take)";
    case SettingState::kReported:
        break;
    }
    return {};
}

} // namespace

SettingLine LineOf(const SettingsRecord& record, const SettingsOptions& options, int entry,
                   const std::string& key) {
    SettingLine line;
    line.key = key;
    if (entry::IsSecret(entry)) {
        line.state = SettingState::kNotShown;
        return line;
    }
    const SettingValue& received = record.Item(entry);
    const bool serialNumber = key == kSerialNumberKey;
    if (!received.ticked || (serialNumber && received.value.empty())) {
        line.state = SettingState::kNotReported;
        return line;
    }
    if (received.error) {
        line.state = SettingState::kInvalid;
        return line;
    }
    // The texts the pages show: list entries by their text, lengths with their unit.
    SettingsRecord shown = record;
    DisplayLists::MakeSendReady(shown, options);
    const SettingValue& item = shown.Item(entry);
    if (entry == entry::kUsbSerialNumber) {
        line.value = Utf16ToUtf8(serialNumber ? item.value : item.second);
        return line;
    }
    line.value = Utf16ToUtf8(UsualNotation(entry, item.value));
    if (DisplayLists::FormOf(entry) == EntryForm::kLength) {
        line.unit = Utf16ToUtf8(item.second);
    }
    return line;
}

void AddSettingLines(AlignedTable& table, const std::vector<SettingLine>& lines) {
    for (const SettingLine& line : lines) {
        if (line.state == SettingState::kReported) {
            table.Row(line.key, line.value, line.unit);
        } else {
            table.Row(line.key, Placeholder(line.state), {},
                      line.state == SettingState::kInvalid ? ValueMark::kFault : ValueMark::kDim);
        }
    }
}

std::string NearestKeysHint(const std::vector<std::string>& nearest) {
    std::string text;
    for (const std::string& key : nearest) {
        text += (text.empty() ? "; did you mean " : ", ") + key;
    }
    return text.empty() ? text : text + "?";
}

nlohmann::ordered_json SettingLinesJson(const std::vector<SettingLine>& lines) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const SettingLine& line : lines) {
        nlohmann::ordered_json item = {{"key", line.key}, {"state", StateText(line.state)}};
        if (line.state == SettingState::kReported) {
            item["value"] = line.value;
            item["unit"] = line.unit;
        }
        list.push_back(std::move(item));
    }
    return list;
}

} // namespace qm::cli
