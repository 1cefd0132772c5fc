#pragma once

// What the fuzz targets share: reading the fuzzer's bytes and stopping on a broken property.

#include "platform/Encoding.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/ModelTable.h"
#include "settings/SettingsOptions.h"
#include "settings/SettingsParser.h"
#include "settings/SettingsRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace qm::fuzz {

// A property that does not hold: say which and stop, so the fuzzer keeps the input.
[[noreturn]] inline void Broken(const char* property, const std::string& detail = {}) {
    std::fprintf(stderr, "property broken: %s\n%s\n", property, detail.c_str());
    std::abort();
}

inline void Check(bool holds, const char* property, const std::string& detail = {}) {
    if (!holds) {
        Broken(property, detail);
    }
}

// Takes bytes off the front of the fuzzer's input.
class Input {
public:
    Input(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // Up to n bytes.
    std::string_view Take(size_t n) {
        const std::string_view part = rest_.substr(0, n);
        rest_.remove_prefix(part.size());
        return part;
    }
    std::string_view Rest() const { return rest_; }
    bool Empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

// The first byte picks the model (0-37), the second the language and the advanced unlock.
struct Setting {
    int model = 0;
    SettingsOptions options;
};

inline Setting TakeSetting(Input& in) {
    Setting s;
    s.model = in.Byte() % kModelCount;
    const uint8_t flags = in.Byte();
    s.options = SettingsOptions::For(s.model, (flags & 1) != 0, (flags & 2) != 0);
    return s;
}

inline std::string Describe(const SettingsRecord& record, int e) {
    const SettingValue& v = record.Item(e);
    return "entry " + std::to_string(e) + " " + std::string(SettingsRecord::EntryKey(e)) +
           " value \"" + Utf16ToUtf8(v.value) + "\" second \"" + Utf16ToUtf8(v.second) +
           "\" choice " + std::to_string(v.choice) + " metric " + std::to_string(v.metric) +
           " ticked " + std::to_string(v.ticked) + " error " + std::to_string(v.error);
}

// The send path of a record the parser filled from outside, as the pages and quillmark-cli
// take it: items the parser rejected are left out, the rest made send-ready, written for the
// printer and parsed back. Returns the re-parsed record (error marks only).
inline SettingsRecord SendPath(const SettingsRecord& received, const SettingsOptions& options,
                               SettingsParser& parser) {
    SettingsRecord sent = received;
    for (SettingValue& item : sent.items) {
        if (item.error) {
            item.ticked = 0;
        }
    }
    DisplayLists::MakeSendReady(sent, options);
    sent.text.clear();
    ConfigurationWriter(options).WriteConfiguration(sent, 1);
    parser.ParseSettings(sent, 0);
    return sent;
}

// Every item accepted from outside (ticked, no error mark, written by the writer) is accepted
// again when the text sent from it is parsed back.
inline void CheckSendAcceptsWhatWasReceived(const SettingsRecord& received,
                                            const SettingsOptions& options,
                                            SettingsParser& parser) {
    const SettingsRecord sent = SendPath(received, options, parser);
    const int written = options.advancedUnlocked ? SettingsRecord::kWritableEntryCount
                                                 : SettingsRecord::kStandardEntryCount;
    for (int e = 0; e < written; ++e) {
        const SettingValue& item = received.Item(e);
        if (item.ticked && !item.error && sent.Item(e).error) {
            Broken("a value accepted on receive is refused when the sent text is re-parsed",
                   Describe(received, e) + "\nsent text:\n" + Utf16ToUtf8(sent.text));
        }
    }
}

} // namespace qm::fuzz
