// The reply parser on the writer's own text (the check before Send and Export): items made from
// the fuzzer's bytes as a page could hold them are written and checked; what the check lets go
// out is accepted again when the same text comes back from outside (an imported file).

#include "FuzzSupport.h"

#include "settings/Frame.h"

using namespace qm;

namespace {

constexpr size_t kMaxValueLength = 40;

// A value as an edit field can hold it: printable ASCII, no line breaks or tabs.
std::u16string PageText(std::string_view bytes) {
    std::u16string text;
    for (char c : bytes) {
        text.push_back(static_cast<char16_t>(0x20 + static_cast<unsigned char>(c) % 0x5F));
    }
    return text;
}

// Entries written under the same key as another entry (the two VERTICAL IMAGE SHIFT forms, the
// fixed and adjustable sensor pairs, the calibration levels shown on two pages): a page ticks
// only the one its model shows, and the import fills only that one.
bool SharesItsKey(int e) {
    const std::string_view key = SettingsRecord::EntryKey(e);
    for (int other = 0; other < SettingsRecord::kWritableEntryCount; ++other) {
        if (other != e && SettingsRecord::EntryKey(other) == key) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const fuzz::Setting setting = fuzz::TakeSetting(in);
    const int forPrinter = in.Byte() & 1;
    SettingsRecord record;
    record.modelIndex = setting.model;
    while (!in.Empty()) {
        const int e = in.Byte() % SettingsRecord::kWritableEntryCount;
        SettingValue& item = record.Item(e);
        const uint8_t shape = in.Byte();
        item.ticked = 1;
        item.choice = in.Byte() % 32;
        item.metric = shape & 1;
        item.second = (shape & 6) == 2 ? u"MM" : (shape & 6) == 4 ? u"INCH" : u"";
        item.value = PageText(in.Take(in.Byte() % kMaxValueLength));
    }
    SettingsParser parser(setting.options);
    ConfigurationWriter(setting.options).WriteConfiguration(record, forPrinter);
    const std::u16string text = record.text;
    parser.ParseSettings(record, 0);

    const Frame frame = FrameForSending(text);
    if (frame.result != FrameResult::kOk) {
        return 0;
    }
    SettingsRecord back;
    back.modelIndex = setting.model;
    back.text = AnsiToWide(frame.bytes);
    parser.ParseSettings(back, 1);
    const int written = setting.options.advancedUnlocked ? SettingsRecord::kWritableEntryCount
                                                         : SettingsRecord::kStandardEntryCount;
    for (int e = 0; e < written; ++e) {
        if (SharesItsKey(e)) {
            continue;
        }
        if (record.Item(e).ticked && !record.Item(e).error &&
            (!back.Item(e).ticked || back.Item(e).error)) {
            fuzz::Broken("a value the send check lets go out is refused when it comes back",
                         fuzz::Describe(record, e) + "\nback: " + fuzz::Describe(back, e) +
                             "\ntext:\n" + Utf16ToUtf8(text));
        }
    }
    return 0;
}
