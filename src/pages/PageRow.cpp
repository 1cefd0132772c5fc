#include "pages/PageRow.h"

#include "resources/PageTemplateIds.h"
#include "settings/SettingsRecord.h"

namespace qm {

using namespace res;

namespace {

int FreeEntry(std::string_view key, int firstEntry, int endEntry, const std::vector<bool>& taken) {
    for (int e = firstEntry; e < endEntry; ++e) {
        if (!taken[static_cast<size_t>(e)] && SettingsRecord::EntryKey(e) == key) {
            return e;
        }
    }
    return -1;
}

bool HasList(RowControls c) {
    return c == RowControls::kList || c == RowControls::kListText ||
           c == RowControls::kListTextSpin;
}
bool HasText(RowControls c) {
    return c != RowControls::kList && c != RowControls::kAddress;
}
bool HasSpin(RowControls c) {
    return c == RowControls::kTextSpin || c == RowControls::kListTextSpin;
}

} // namespace

std::vector<PageItemData> BuildPageItems(std::span<const PageRow> rows, int firstEntry,
                                         int endEntry) {
    std::vector<bool> taken(SettingsRecord::kEntryCount, false);
    std::vector<PageItemData> items;
    items.reserve(rows.size());
    int r = 0;
    for (const PageRow& row : rows) {
        PageItemData data;
        data.entry = FreeEntry(row.key, firstEntry, endEntry, taken);
        if (data.entry >= 0) {
            taken[static_cast<size_t>(data.entry)] = true;
        }
        data.text = row.text;
        data.tickBox = TickId(r);
        data.valueList = HasList(row.controls) ? ListId(r) : 0;
        data.unitList = row.controls == RowControls::kTextUnits ? UnitId(r) : 0;
        data.spin = HasSpin(row.controls) ? SpinId(r) : 0;
        data.textField = HasText(row.controls) ? FieldId(r) : 0;
        data.addressField = row.controls == RowControls::kAddress ? AddressId(r) : 0;
        data.textLimit = row.limit;
        data.spinMin = row.spin.min;
        data.spinMax = row.spin.max;
        data.available = row.models;
        data.defaultIndex = row.defaults.index;
        data.defaultIndexByModel = row.defaults.indexByModel;
        data.defaultText = row.defaults.text;
        data.defaultTextByModel = row.defaults.textByModel;
        data.japaneseOnly = row.language == RowLanguage::kJapaneseOnly ? 1 : 0;
        data.notInJapanese = row.language == RowLanguage::kNotInJapanese ? 1 : 0;
        data.inchReset = row.inchReset;
        data.mmReset = row.mmReset;
        data.flags = row.flags;
        items.push_back(data);
        ++r;
    }
    return items;
}

} // namespace qm
