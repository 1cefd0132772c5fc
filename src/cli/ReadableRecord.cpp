#include "cli/ReadableRecord.h"

#include "cli/RecordJson.h"
#include "pages/AdvancedPageTable.h"
#include "pages/StandardPageTable.h"
#include "platform/Encoding.h"
#include "settings/ModelTable.h"
#include "text/TextTable.h"

#include <span>

namespace qm::cli {
namespace {

constexpr std::string_view kNotReported = "-";
constexpr std::string_view kNotShown = "(not shown)";
constexpr std::string_view kInvalid = "(invalid)";

// The RFID calibration record the printer reports beside its settings, shown in the RFID group
// as the page shows it below the group's rows.
constexpr int kRfidResults[] = {entry::kRfidCalibExecuted, entry::kRfidCalibPositionOffset,
                                entry::kRfidCalibPower};

bool Available(const PageItemData& item, int model) {
    return model >= 0 && model < kModelCount && (item.available >> model & 1U) != 0;
}

void AddRow(AlignedTable& table, const SettingsRecord& record, const PageRow& row,
            const PageItemData& item, const RecordView& view) {
    const SettingValue& value = record.Item(item.entry);
    const bool reported = value.ticked != 0;
    if (!reported && !view.all) {
        return;
    }
    std::string caption = Utf16ToUtf8(TextTable::Caption(row.text, view.language));
    if (!reported) {
        table.Row(std::move(caption), std::string(kNotReported), {}, ValueMark::kDim);
        return;
    }
    if (entry::IsSecret(item.entry)) {
        table.Row(std::move(caption), std::string(kNotShown), {}, ValueMark::kDim);
        return;
    }
    std::string shown = Utf16ToUtf8(UsualNotation(item.entry, value.value));
    std::string unit;
    if (item.entry == entry::kUsbSerialNumber) {
        // The ON/OFF choice, then the serial number it turns on.
        shown = Utf16ToUtf8(value.second) + (shown.empty() ? "" : " " + shown);
    } else if (!value.second.empty()) {
        unit = Utf16ToUtf8(value.second);
    } else if (!record.Entry(item.entry).extra.empty()) {
        unit = Utf16ToUtf8(record.Entry(item.entry).extra);
    } else {
        unit = Utf16ToUtf8(row.unit);
    }
    if (value.error != 0) {
        // The parser keeps no value it refuses.
        table.Row(std::move(caption),
                  shown.empty() ? std::string(kInvalid) : shown + " " + std::string(kInvalid), unit,
                  ValueMark::kFault);
        return;
    }
    table.Row(std::move(caption), std::move(shown), std::move(unit));
}

void AddGroup(AlignedTable& table, const SettingsRecord& record, std::span<const PageRow> rows,
              std::span<const PageItemData> items, int group, const RecordView& view) {
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].group == group && items[r].entry >= 0 &&
            Available(items[r], record.modelIndex)) {
            AddRow(table, record, rows[r], items[r], view);
        }
    }
}

} // namespace

void AddModelRow(AlignedTable& table, int model, UiLanguage language, bool assumed) {
    table.Row(Utf16ToUtf8(TextTable::Caption(TextId::kMainPrinterModel, language)),
              Utf16ToUtf8(ModelTable::DisplayName(model)) + " (model " + std::to_string(model) +
                  ")" + (assumed ? " - assumed; give --model for another" : ""));
}

void AddRecordSections(AlignedTable& table, const SettingsRecord& record, const RecordView& view) {
    const std::span<const PageRow> standardRows = StandardPageTable::Rows();
    const std::span<const PageItemData> standardItems = StandardPageTable::Items();
    for (int group = 0; group < kStdGroupCount; ++group) {
        AlignedTable section;
        AddGroup(section, record, standardRows, standardItems, group, view);
        if (group == kStdRfid) {
            for (size_t line = 0; line < std::size(kRfidResults); ++line) {
                const SettingValue& value = record.Item(kRfidResults[line]);
                if (!value.value.empty()) {
                    section.Row(
                        Utf16ToUtf8(TextTable::Caption(TextId::kStdRfidResults, view.language,
                                                       static_cast<int>(line))),
                        Utf16ToUtf8(value.value));
                }
            }
        }
        if (!section.Empty()) {
            table.Heading(
                Utf16ToUtf8(TextTable::Caption(TextId::kStdGroups, view.language, group)));
            table.Append(section);
        }
    }
    AlignedTable advanced;
    const std::span<const PageRow> advancedRows = AdvancedPageTable::Rows();
    const std::span<const PageItemData> advancedItems = AdvancedPageTable::Items();
    for (size_t r = 0; r < advancedRows.size(); ++r) {
        if (advancedItems[r].entry >= 0 && Available(advancedItems[r], record.modelIndex)) {
            AddRow(advanced, record, advancedRows[r], advancedItems[r], view);
        }
    }
    if (!advanced.Empty()) {
        table.Heading(Utf16ToUtf8(TextTable::Caption(TextId::kAdvFactoryMode, view.language)));
        table.Append(advanced);
    }
}

} // namespace qm::cli
