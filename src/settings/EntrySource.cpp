#include "settings/EntrySource.h"

#include "settings/SettingCatalogue.h"
#include "settings/SettingsRecord.h"

#include <array>

namespace qm {
namespace {

using Table = EntrySource::Table;

EntrySource ByKey(std::string_view key) {
    if (const int r = SettingCatalogue::FindEnumeratedRow(key); r >= 0) {
        return {Table::kEnumerated, r};
    }
    if (const int r = SettingCatalogue::FindValueRow(key); r >= 0) {
        return {Table::kValue, r};
    }
    if (const int r = SettingCatalogue::FindRfidCalibrationRow(key); r >= 0) {
        return {Table::kRfidCalibration, r};
    }
    return {};
}

std::array<EntrySource, SettingsRecord::kEntryCount> BuildTable(bool fixReflectKeys) {
    std::array<EntrySource, SettingsRecord::kEntryCount> table{};
    for (int e = 0; e < SettingsRecord::kEntryCount; ++e) {
        table[static_cast<size_t>(e)] = ByKey(SettingsRecord::EntryKey(e));
    }
    if (fixReflectKeys) {
        table[entry::kFixReflectSensorPosition] = ByKey("FIX REFLECT SENSOR POSITION");
        table[entry::kFixReflectSensor] = ByKey("FIX REFLECT SENSOR");
    }
    return table;
}

} // namespace

EntrySource EntrySource::Of(int entryIndex, bool fixReflectKeys) {
    static const auto plain = BuildTable(false);
    static const auto fix = BuildTable(true);
    if (entryIndex < 0 || entryIndex >= SettingsRecord::kEntryCount) {
        return {};
    }
    return (fixReflectKeys ? fix : plain)[static_cast<size_t>(entryIndex)];
}

} // namespace qm
