#include "pages/CDlgTabAdvanced.h"

#include "settings/DisplayLists.h"
#include "settings/ModelTable.h"
#include "text/TextTable.h"

#include <algorithm>
#include <string>

namespace qm {
namespace {

using namespace res;

constexpr int kHeadCheckStartRow = AdvancedRow(TextId::kAdvHeadCheckStartPosition);
constexpr int kHeadCheckStopRow = AdvancedRow(TextId::kAdvHeadCheckStopPosition);
constexpr int kPatternWidthRow = AdvancedRow(TextId::kAdvHeadCheckPatternWid);
constexpr int kRibbonEndRow = AdvancedRow(TextId::kAdvRibbonEndDetection);

constexpr int k203Dpi = 0;
constexpr int k300Dpi = 1;

bool FixedAt203(int model) {
    return model == 20 || model == 21;
}
bool FixedAt300(int model) {
    return model == 22 || model == 23;
}
bool DesktopHead(int model) {
    return model >= 32 && model <= 37;
}

// The highest head-check dot count at 203 and 300 dpi by model (0: the row's own range).
struct HeadCheckLimits {
    int at203;
    int at300;
};
HeadCheckLimits StartLimits(int model) {
    if (DesktopHead(model)) {
        return {832, 1240};
    }
    return {FixedAt203(model) ? 1344 : 0, FixedAt300(model) ? 1984 : 1264};
}
HeadCheckLimits StopLimits(int model) {
    if (FixedAt203(model) || FixedAt300(model)) {
        return {1344, 1984};
    }
    if (DesktopHead(model)) {
        return {832, 1240};
    }
    return {0, 1264};
}

std::u16string Number(int n) {
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

PageBehaviour AdvancedBehaviour() {
    PageBehaviour behaviour;
    behaviour.scrollMax = 1000;
    behaviour.wheel = true;
    behaviour.focusOnClick = true;
    behaviour.mapChoices = false;
    return behaviour;
}

} // namespace

CDlgTabAdvanced::CDlgTabAdvanced(SettingsRecord& record)
    : SettingsPage(AdvancedPageTable::Template(), record, AdvancedPageTable::Items(),
                   AdvancedBehaviour()) {}

void CDlgTabAdvanced::InitPage() {
    SettingsPage::InitPage();
    SetItemText(AdvancedPageTable::kGroupId,
                TextTable::Caption(TextId::kAdvFactoryMode, Language()));
}

void CDlgTabAdvanced::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetItemText(AdvancedPageTable::kGroupId,
                TextTable::Caption(TextId::kAdvFactoryMode, Language()));
    RefillLists();
    ApplyAvailability();
    AdjustModelLists(ModelIndex());
}

void CDlgTabAdvanced::AdjustModelLists(int modelIndex) {
    // Ribbon End Detection with or without "QUICK"; the same entry stays selected.
    ui::Control& ribbon = Item(ListId(kRibbonEndRow));
    const int before = ribbon.Count();
    int selected = ribbon.CurSel();
    const std::vector<std::u16string> texts =
        DisplayLists::ForEntry(entry::kRibbonEndDetection, modelIndex, Options());
    const int after = static_cast<int>(texts.size());
    if (after != before) {
        ribbon.ResetContent();
        for (const std::u16string& text : texts) {
            ribbon.AddString(text);
        }
        if (selected >= 0) {
            selected = after > before ? selected + 1 : std::max(selected - 1, 0);
        }
        ribbon.SetCurSel(selected);
    }
    // The fixed head-check resolutions cannot be chosen.
    const bool fixed = FixedAt203(modelIndex) || FixedAt300(modelIndex);
    if (fixed) {
        Item(ListId(kHeadCheckStartRow)).Enable(false);
        Item(ListId(kHeadCheckStopRow)).Enable(false);
    }
}

void CDlgTabAdvanced::DefaultSpinRange(const PageItem& item, int modelIndex, int& lo,
                                       int& hi) const {
    SettingsPage::DefaultSpinRange(item, modelIndex, lo, hi);
    const int row = RowOf(&item);
    if (row != kHeadCheckStartRow && row != kHeadCheckStopRow) {
        return;
    }
    if (FixedAt203(modelIndex)) {
        hi = 1344;
    } else if (FixedAt300(modelIndex)) {
        hi = 1984;
    } else if (DesktopHead(modelIndex)) {
        hi = 832;
    }
}

void CDlgTabAdvanced::SelectHeadCheckResolution(int modelIndex) {
    int index = -1;
    if (FixedAt203(modelIndex)) {
        index = k203Dpi;
    } else if (FixedAt300(modelIndex)) {
        index = k300Dpi;
    }
    if (index < 0) {
        return;
    }
    Item(ListId(kHeadCheckStartRow)).SetCurSel(index);
    Item(ListId(kHeadCheckStopRow)).SetCurSel(index);
}

void CDlgTabAdvanced::AfterFill() {
    SelectHeadCheckResolution(ModelIndex());
}

void CDlgTabAdvanced::OnResolutionChanged(int row) {
    const PageItem& item = Items()[static_cast<size_t>(row)];
    const int m = ModelIndex();
    const bool at300 = Item(item.valueList).CurSel() == k300Dpi;
    const HeadCheckLimits limits = row == kHeadCheckStartRow ? StartLimits(m) : StopLimits(m);
    const std::u16string defaultText(item.defaultText[static_cast<size_t>(m)]);
    ui::Control& field = Item(item.textField);
    ui::Control& spin = Item(item.spin);
    if (row == kPatternWidthRow) {
        if (at300) {
            field.SetText(u"1240");
            spin.SetRange(item.spinMin, 1240);
        } else {
            spin.SetRange(item.spinMin, item.spinMax);
        }
        return;
    }
    const int highest = at300 ? limits.at300 : limits.at203;
    if (row == kHeadCheckStopRow && at300) {
        field.SetText(Number(highest));
    } else {
        field.SetText(defaultText);
    }
    spin.SetRange(item.spinMin, highest != 0 ? highest : item.spinMax);
}

bool CDlgTabAdvanced::OnPageNotify(ui::Notification& n) {
    if (n.event != ui::Event::SelChange) {
        return false;
    }
    for (int row : {kHeadCheckStartRow, kHeadCheckStopRow, kPatternWidthRow}) {
        if (n.id == ListId(row)) {
            OnResolutionChanged(row);
            return true;
        }
    }
    return false;
}

} // namespace qm
