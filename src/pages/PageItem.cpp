#include "pages/PageItem.h"

namespace qm {

PageItem PageItem::FromSpec(const PageItemSpec& spec, SettingsRecord& record) {
    PageItem item;
    item.spec = &spec;
    if (spec.entry >= 0 && spec.entry < SettingsRecord::kEntryCount) {
        item.state = &record.Item(spec.entry);
    }
    item.defaultUnit = spec.defaultUnit;
    item.spinMin = spec.spinMin;
    item.spinMax = spec.spinMax;
    for (int m = 0; m < kModelCount; ++m) {
        const size_t i = static_cast<size_t>(m);
        item.defaultIndex[i] = spec.defaultIndexByModel != nullptr ? (*spec.defaultIndexByModel)[i]
                                                                   : spec.defaultIndex;
        item.defaultText[i] =
            spec.defaultTextByModel != nullptr ? (*spec.defaultTextByModel)[i] : spec.defaultText;
        item.availableFor[i] = (spec.available >> m) & 1u ? 1 : 0;
    }
    item.japaneseOnly = spec.japaneseOnly;
    item.notInJapanese = spec.notInJapanese;
    return item;
}

std::u16string_view PageItem::UnitResetText(int unit) const {
    if (unit == 1) {
        return spec != nullptr && !spec->mmReset.empty() ? spec->mmReset : u"0.0";
    }
    return spec != nullptr && !spec->inchReset.empty() ? spec->inchReset : u"0.00";
}

} // namespace qm
