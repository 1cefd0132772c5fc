#include "operations/SettingsFileOperation.h"

#include "platform/AtomicFile.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"

namespace qm {

SettingsFileOperation::SettingsFileOperation(SettingsRecord& record, SettingsParser& parser)
    : record_(record), parser_(parser) {}

FileOutcome SettingsFileOperation::Import(const std::string& path) {
    FileOutcome outcome;
    outcome.result = SettingsFile::Import(path, record_, parser_, &outcome.error);
    if (outcome.result != FileResult::kOk) {
        outcome.code = kCodeImportFailed;
    }
    return outcome;
}

std::u16string SettingsFileOperation::ExportText(SettingsRecord& record,
                                                 const SettingsOptions& options) {
    DisplayLists::MakeSendReady(record, options);
    SettingsRecord outgoing = record;
    for (SettingValue& item : outgoing.items) {
        if (item.error) {
            item.ticked = 0;
        }
    }
    ConfigurationWriter::ResetItems(
        outgoing, ResetMode::kWirelessKeys); // the keys and passwords stay unprinted
    outgoing.text.clear();
    ConfigurationWriter(options).WriteConfiguration(outgoing, 0);
    return std::move(outgoing.text);
}

FileOutcome SettingsFileOperation::Export(const std::string& path, std::u16string_view text) {
    FileOutcome outcome;
    const Frame frame = FrameForSending(text);
    if (frame.result != FrameResult::kOk) {
        outcome.code = kCodeExportFailed;
        outcome.result = FileResult::kTooLarge;
        return outcome;
    }
    outcome.result = SettingsFile::Write(path, frame.bytes, &outcome.error);
    if (outcome.result != FileResult::kOk) {
        outcome.code = kCodeExportFailed;
    }
    return outcome;
}

bool SettingsFileOperation::LoadRecent(const std::string& path) {
    return Import(path).code == kOperationOk;
}

bool SettingsFileOperation::SaveRecent(const std::string& path, std::u16string_view text,
                                       int* error) {
    if (error != nullptr) {
        *error = 0;
    }
    // The keys and passwords are never left on disk by the program's own record of a run.
    const Frame frame = FrameForSending(SettingsFile::WithoutSecrets(text));
    return frame.result == FrameResult::kOk && ReplaceFileAtomically(path, frame.bytes, error);
}

} // namespace qm
