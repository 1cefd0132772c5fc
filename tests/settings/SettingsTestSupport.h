#pragma once

#include "platform/Encoding.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace qm::test {

// A reply as the printer sends it: two lead-in lines, then the lines, then "END".
inline std::u16string Reply(std::initializer_list<std::string_view> lines) {
    std::string text = "~!!\r\n\x02\x1b~A\r\n";
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    text += "END\r\n";
    return U16(text);
}

// Parses a reply (fromOutside = 1) for a model into a fresh record.
inline SettingsRecord Parse(std::initializer_list<std::string_view> lines, int model = 0,
                            const SettingsOptions& options = {}) {
    SettingsRecord record;
    record.modelIndex = model;
    record.text = Reply(lines);
    SettingsParser parser(options);
    parser.ParseSettings(record, 1);
    return record;
}

inline std::string Value(const SettingsRecord& record, int entryIndex) {
    return Utf16ToUtf8(record.Item(entryIndex).value);
}

} // namespace qm::test
