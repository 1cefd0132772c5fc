#include "pages/PageItem.h"

namespace qm {

PageItem PageItem::FromData(const PageItemData& data, SettingsRecord& record) {
    PageItem item;
    item.data = &data;
    if (data.entry >= 0 && data.entry < SettingsRecord::kEntryCount) {
        item.state = &record.Item(data.entry);
    }
    item.defaultUnit = data.defaultUnit;
    item.spinMin = data.spinMin;
    item.spinMax = data.spinMax;
    for (int m = 0; m < kModelCount; ++m) {
        const size_t i = static_cast<size_t>(m);
        item.defaultIndex[i] = data.defaultIndexByModel != nullptr ? (*data.defaultIndexByModel)[i]
                                                                   : data.defaultIndex;
        item.defaultText[i] =
            data.defaultTextByModel != nullptr ? (*data.defaultTextByModel)[i] : data.defaultText;
        item.availableFor[i] = (data.available >> m) & 1u ? 1 : 0;
    }
    item.japaneseOnly = data.japaneseOnly;
    item.notInJapanese = data.notInJapanese;
    return item;
}

std::u16string_view PageItem::UnitResetText(int unit) const {
    if (unit == 1) {
        return data != nullptr && !data->mmReset.empty() ? data->mmReset : u"0.0";
    }
    return data != nullptr && !data->inchReset.empty() ? data->inchReset : u"0.00";
}

} // namespace qm
