#include "cli/SettingLines.h"

#include "cli/RecordJson.h"
#include "platform/Encoding.h"
#include "platform/ReadableText.h"
#include "settings/DisplayLists.h"

#include <algorithm>

namespace qm::cli {
namespace {

constexpr std::string_view kSerialNumberKey = "SERIAL NUMBER";
constexpr size_t kColumnGap = 2;

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

// Columns on a terminal: one per character, not per byte.
size_t Columns(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Padded(const std::string& text, size_t width) {
    const size_t columns = Columns(text);
    return text + std::string(width > columns ? width - columns : 0, ' ');
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

void PrintSettingLines(std::ostream& out, const std::vector<SettingLine>& lines) {
    std::vector<std::string> values;
    size_t keyWidth = 0;
    size_t valueWidth = 0;
    bool anyUnit = false;
    for (const SettingLine& line : lines) {
        values.push_back(line.state == SettingState::kReported ? EscapeControls(line.value)
                                                               : Placeholder(line.state));
        keyWidth = std::max(keyWidth, Columns(line.key));
        if (!line.unit.empty()) {
            valueWidth = std::max(valueWidth, Columns(values.back()));
            anyUnit = true;
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const SettingLine& line = lines[i];
        std::string text = Padded(EscapeControls(line.key), keyWidth + kColumnGap);
        if (anyUnit && !line.unit.empty()) {
            text += Padded(values[i], valueWidth + 1) + EscapeControls(line.unit);
        } else {
            text += values[i];
        }
        out << text << "\n";
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
