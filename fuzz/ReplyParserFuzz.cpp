// The menu-settings reply parser on text from outside (a printer's reply or a settings file's
// body): nothing outside its buffers is touched, and what it accepts the send path accepts.

#include "FuzzSupport.h"

#include "settings/Frame.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const fuzz::Setting setting = fuzz::TakeSetting(in);
    SettingsParser parser(setting.options);
    SettingsRecord record;
    record.modelIndex = setting.model;
    record.text = AnsiToWide(in.Rest());
    parser.ParseSettings(record, 1);

    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        const SettingValue& item = record.Item(e);
        fuzz::Check(item.ticked == 0 || item.ticked == 1, "ticks are 0 or 1");
        fuzz::Check(item.error == 0 || item.error == 1, "error marks are 0 or 1");
        fuzz::Check(item.error == 0 || item.ticked == 1, "only a received item is marked");
    }
    fuzz::CheckSendAcceptsWhatWasReceived(record, setting.options, parser);

    // What the record shows survives an export and an import: the file written from the
    // accepted items reads back to the same values.
    SettingsRecord exported = record;
    for (SettingValue& item : exported.items) {
        if (item.error) {
            item.ticked = 0;
        }
    }
    DisplayLists::MakeSendReady(exported, setting.options);
    exported.text.clear();
    ConfigurationWriter(setting.options).WriteConfiguration(exported, 0);
    const Frame frame = FrameForSending(exported.text);
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
        const SettingValue& was = record.Item(e);
        if (!was.ticked || was.error) {
            continue;
        }
        const SettingValue& now = back.Item(e);
        // The metric flag matters where a unit is written with the value.
        const std::u16string& unit = exported.Item(e).second;
        const bool withUnit = unit == u"MM" || unit == u"INCH";
        // The serial number of USB SERIAL NUMBER is written only with the choice ON.
        const bool valueWritten = e != entry::kUsbSerialNumber ||
                                  exported.Item(e).second.find(u"ON") != std::u16string::npos;
        if (!now.ticked || now.error || (valueWritten && now.value != was.value) ||
            now.choice != was.choice || (withUnit && now.metric != was.metric)) {
            fuzz::Broken("an exported value does not import back as it was",
                         fuzz::Describe(record, e) + "\nback: " + fuzz::Describe(back, e) +
                             "\nfile:\n" + frame.bytes);
        }
    }
    return 0;
}
