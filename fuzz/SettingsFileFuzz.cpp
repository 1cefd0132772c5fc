// Settings-file import and the send-ready step: a file is either refused whole or gives a text
// that holds its "END" or "EXIT" line and no NUL; what the import accepts the send path accepts;
// and a file exported from the imported settings is always importable again.

#include "FuzzSupport.h"

#include "settings/Frame.h"
#include "settings/ReplyStart.h"
#include "settings/SettingsFile.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const fuzz::Setting setting = fuzz::TakeSetting(in);
    const std::string_view bytes = in.Rest();
    const ImportedText imported = SettingsFile::ImportBytes(bytes);
    if (imported.result != FileResult::kOk) {
        fuzz::Check(imported.text.empty(), "a refused file gives no text");
        return 0;
    }
    const std::string text = WideToAnsi(imported.text);
    fuzz::Check(text.find('\0') == std::string::npos, "an imported text holds no NUL");
    fuzz::Check(text.find("\r\nEND\r") != std::string::npos ||
                    text.find("\r\nEXIT\r") != std::string::npos,
                "an imported text holds its END or EXIT line");
    // CR LF goes in front of a marker B or C text after the buffer check.
    fuzz::Check(text.size() <= kMaxFrameBytes + (imported.lineOffset == 1 ? 2 : 0),
                "an imported text fits the send buffer");
    fuzz::Check(ClassifyLeadIn(text) == LeadInStart::kMarkerA ||
                    (imported.lineOffset == 1 && text.starts_with("\r\n")),
                "two lines precede the settings");

    SettingsParser parser(setting.options);
    SettingsRecord record;
    record.modelIndex = setting.model;
    record.text = imported.text;
    parser.ParseSettings(record, 1);
    fuzz::CheckSendAcceptsWhatWasReceived(record, setting.options, parser);

    // Export of what was imported: always a file the import takes.
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
    if (frame.result == FrameResult::kOk) {
        const ImportedText again = SettingsFile::ImportBytes(frame.bytes);
        fuzz::Check(again.result == FileResult::kOk, "an exported file imports",
                    "result " + std::to_string(static_cast<int>(again.result)) + "\n" +
                        frame.bytes);
    }
    return 0;
}
