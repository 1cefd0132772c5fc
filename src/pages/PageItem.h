#pragma once

#include "settings/ModelTable.h"
#include "settings/SettingsRecord.h"
#include "text/TextTable.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace qm {

// A set of model indices 0..37, one bit per model.
using ModelSet = uint64_t;

constexpr ModelSet ModelRange(int first, int last) {
    ModelSet set = 0;
    for (int m = first; m <= last; ++m) {
        set |= ModelSet{1} << m;
    }
    return set;
}
constexpr ModelSet Models(std::initializer_list<int> models) {
    ModelSet set = 0;
    for (int m : models) {
        set |= ModelSet{1} << m;
    }
    return set;
}
inline constexpr ModelSet kAllModels = ModelRange(0, kModelCount - 1);

using ModelInts = std::array<int, kModelCount>;
using ModelTexts = std::array<std::u16string_view, kModelCount>;

// Row flags.
inline constexpr uint32_t kItemIpv6 = 1u << 0;           // text field shows an IPv6 address
inline constexpr uint32_t kItemChoiceToMetric = 1u << 1; // list index goes into `metric`
inline constexpr uint32_t kItemChoiceToSecond = 1u << 2; // list text goes into `second`
inline constexpr uint32_t kItemRefuseComma = 1u << 3;    // a typed comma is discarded
inline constexpr uint32_t kItemShownText = 1u << 4;      // list text stored without mapping
inline constexpr uint32_t kItemRfid = 1u << 5;           // counted by CountTickedRfid
inline constexpr uint32_t kItemWideList = 1u << 6;       // list entries need a line of its own

// One row of a page's item table as constant data: the controls (ids; 0 = no such control),
// the setting it shows (entry of the settings record, -1 for none), its text-directory entry,
// text limit, spin range, unit reset texts and the per-model columns. A per-model column is
// either one value for every model or, when the ...ByModel pointer is set, a 38-entry array.
struct PageItemData {
    int entry = -1;
    TextId text = TextId::kCount;
    int tickBox = 0;
    int valueList = 0;
    int unitList = 0;
    int spin = 0;
    int textField = 0;
    int addressField = 0;
    int textLimit = 0;
    int spinMin = 0;
    int spinMax = 0;
    int defaultUnit = 0; // unit list index Restore Defaults selects (0 INCH, 1 MM)
    ModelSet available = kAllModels;
    int defaultIndex = 0;
    const ModelInts* defaultIndexByModel = nullptr;
    std::u16string_view defaultText{};
    const ModelTexts* defaultTextByModel = nullptr;
    int japaneseOnly = 0;
    int notInJapanese = 0;
    std::u16string_view inchReset{}; // text after choosing INCH (empty: "0.00")
    std::u16string_view mmReset{};   // text after choosing MM (empty: "0.0")
    uint32_t flags = 0;
};

// One row of a page's item table as the page works with it: the control fields bound when the
// page's controls are created (0 = missing control; every operation skips missing fields), the
// reference to the item's SettingValue in the settings record, and the per-model columns
// indexed by the model index.
struct PageItem {
    const PageItemData* data = nullptr;
    int valueList = 0;
    int unitList = 0;
    int spin = 0;
    int textField = 0;
    int addressField = 0;
    SettingValue* state = nullptr;
    int defaultUnit = 0;
    int spinMin = 0;
    int spinMax = 0;
    int tickBox = 0;
    std::array<int, kModelCount> defaultIndex{};
    std::array<std::u16string_view, kModelCount> defaultText{};
    std::array<int, kModelCount> availableFor{};
    int japaneseOnly = 0;
    int notInJapanese = 0;

    // The per-model columns and limits of a row of constant data (control fields stay 0 until
    // bound).
    static PageItem FromData(const PageItemData& data, SettingsRecord& record);

    bool HasFlag(uint32_t flag) const { return data != nullptr && (data->flags & flag) != 0; }
    // The text the row's text field gets when its unit list selects unit (0 INCH, 1 MM).
    std::u16string_view UnitResetText(int unit) const;
};

} // namespace qm
