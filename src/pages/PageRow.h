#pragma once

#include "pages/PageItem.h"

#include <span>
#include <string_view>
#include <vector>

namespace qm {

// The controls beside a row's tick box.
enum class RowControls : uint8_t {
    kList,         // value list
    kText,         // text field
    kTextSpin,     // text field with spin arrows
    kTextUnits,    // text field with a unit list (INCH at 0, MM at 1)
    kAddress,      // IPv4 address field
    kListText,     // list beside a text field (USB Serial Number: OFF/ON and the number)
    kListTextSpin, // resolution list, dot count and spin arrows (head-check rows)
};

// The interface-language restriction of a row (applies on the models of the language rule).
enum class RowLanguage : uint8_t { kAny, kJapaneseOnly, kNotInJapanese };

// What Restore Defaults puts into a row: a list selection and a text, each either one for
// every model or one per model.
struct RowDefaults {
    int index = 0;
    const ModelInts* indexByModel = nullptr;
    std::u16string_view text{};
    const ModelTexts* textByModel = nullptr;
};

constexpr RowDefaults Pick(int index) {
    return RowDefaults{index, nullptr, {}, nullptr};
}
constexpr RowDefaults PickBy(const ModelInts& byModel) {
    return RowDefaults{0, &byModel, {}, nullptr};
}
constexpr RowDefaults Text(std::u16string_view text) {
    return RowDefaults{0, nullptr, text, nullptr};
}
constexpr RowDefaults TextBy(const ModelTexts& byModel) {
    return RowDefaults{0, nullptr, {}, &byModel};
}

struct SpinRange {
    int min = 0;
    int max = 0;
};

// One row of a page's item table as it is written down: group box, the row's text entry (its
// caption, list and unit texts), the key of the setting it shows, its controls, the fixed unit
// label beside the field, text limit, spin range, the models that have it, its language
// restriction, its defaults, the texts a unit change puts into the field, and row flags.
struct PageRow {
    int group = 0;
    TextId text = TextId::kCount;
    std::string_view key{};
    RowControls controls = RowControls::kList;
    std::u16string_view unit{};
    int limit = 0;
    SpinRange spin{};
    ModelSet models = kAllModels;
    RowLanguage language = RowLanguage::kAny;
    RowDefaults defaults{};
    std::u16string_view inchReset{};
    std::u16string_view mmReset{};
    uint32_t flags = 0;
};

// The item data of a page's rows: the control ids of row r (TickId(r), ListId(r), ...), the
// entry of each key in the settings record within [firstEntry, endEntry) (a key the record
// holds twice goes to the first entry not taken by an earlier row), and the row's other
// columns. A key that names no free entry gives entry -1 (the row then shows no setting).
std::vector<PageItemData> BuildPageItems(std::span<const PageRow> rows, int firstEntry,
                                         int endEntry);

} // namespace qm
