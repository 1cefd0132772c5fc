#include "fleet/Baseline.h"

#include "operations/SendOperation.h"
#include "settings/ConfigurationWriter.h"
#include "settings/DisplayLists.h"
#include "settings/Frame.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsParser.h"

#include <cstring>

namespace qm::fleet {
namespace {

std::string FileProblem(FileResult result, int error) {
    switch (result) {
    case FileResult::kCannotOpen:
        return std::string("cannot open the baseline: ") + std::strerror(error);
    case FileResult::kReadError:
        return std::string("cannot read the baseline: ") + std::strerror(error);
    case FileResult::kNoLeadIn:
        return "the baseline does not begin with a lead-in line; not a settings file";
    case FileResult::kNoEnd:
        return "the baseline does not end with the \"END\" line; the file is cut short";
    case FileResult::kNulByte:
        return "the baseline holds a NUL byte; not a settings file";
    case FileResult::kTooLarge:
        return "the baseline is too large for the 4096-byte send buffer";
    default:
        return "the baseline cannot be read";
    }
}

} // namespace

Baseline Baseline::Load(const std::string& path, int model) {
    std::string bytes;
    int error = 0;
    const FileResult read = SettingsFile::ReadBytes(path, bytes, &error);
    if (read != FileResult::kOk) {
        Baseline baseline;
        baseline.model = model;
        baseline.problem = FileProblem(read, error);
        return baseline;
    }
    return FromBytes(bytes, model);
}

Baseline Baseline::FromBytes(std::string_view bytes, int model) {
    Baseline baseline;
    baseline.model = model;
    baseline.options = SettingsOptions::For(model, false, true);
    SettingsParser parser(baseline.options);
    SettingsRecord record;
    record.modelIndex = model;
    ImportedText imported = SettingsFile::ImportBytes(bytes);
    if (imported.result != FileResult::kOk) {
        baseline.problem = FileProblem(imported.result, imported.error);
        return baseline;
    }
    record.text = std::move(imported.text);
    parser.ParseSettings(record, 1);
    std::string refused;
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        if (record.Item(e).ticked && record.Item(e).error) {
            refused += refused.empty() ? "" : ", ";
            refused += SettingsRecord::EntryKey(e);
        }
    }
    if (!refused.empty()) {
        baseline.problem = "the baseline holds values this model refuses: " + refused;
        return baseline;
    }
    baseline.items = record;
    // The printer's form of the items, parsed back as Send Configuration does.
    DisplayLists::MakeSendReady(record, baseline.options);
    ConfigurationWriter writer(baseline.options);
    SendOperation send(record, writer, parser);
    BuiltConfiguration built = send.Build(ConfigurationUse::kPrinter);
    if (built.code == kCodeNothingTicked) {
        baseline.problem = "the baseline holds no setting";
        return baseline;
    }
    if (built.code != kOperationOk) {
        baseline.problem = "the baseline's configuration holds values this model refuses";
        return baseline;
    }
    if (FrameForSending(built.text).result != FrameResult::kOk) {
        baseline.problem = "the baseline's configuration does not fit the 4096-byte send buffer";
        return baseline;
    }
    baseline.configuration = std::move(built.text);
    baseline.sendReady = std::move(record);
    return baseline;
}

std::string Baseline::SnapshotBytes(const SettingsRecord& printer) {
    SettingsRecord record = printer;
    const SettingsOptions options = SettingsOptions::For(record.modelIndex, false, true);
    DisplayLists::MakeSendReady(record, options);
    record.text.clear();
    ConfigurationWriter(options).WriteConfiguration(record, 0);
    const Frame frame = FrameForSending(SettingsFile::WithoutSecrets(record.text));
    return frame.result == FrameResult::kOk ? frame.bytes : std::string();
}

} // namespace qm::fleet
