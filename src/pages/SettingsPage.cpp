#include "pages/SettingsPage.h"

#include "pages/Ipv6Text.h"
#include "settings/DisplayLists.h"
#include "text/TextTable.h"

#include <cstdio>

namespace qm {

using ui::Control;

namespace {

// A stored IPv4 value ("a.b.c.d" after a receive, "a,b,c,d" once collected) as dotted text.
std::u16string DottedForm(std::u16string_view value) {
    std::u16string dotted(value);
    for (char16_t& c : dotted) {
        if (c == u',') {
            c = u'.';
        }
    }
    return dotted;
}

std::u16string CommaAddress(const std::array<uint8_t, 4>& address) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d", address[0], address[1], address[2],
                  address[3]);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

const std::u16string kEmpty;

} // namespace

SettingsPage::SettingsPage(const ui::DialogTemplate& dialogTemplate, SettingsRecord& record,
                           std::span<const PageItemData> rows, const PageBehaviour& behaviour)
    : ui::Dialog(dialogTemplate), record_(record), rows_(rows), behaviour_(behaviour),
      scroller_(behaviour.scrollMax) {}

SettingsOptions SettingsPage::Options() const {
    return SettingsOptions::For(modelIndex_, language_ == UiLanguage::kJapanese);
}

bool SettingsPage::OnInitDialog() {
    BindItems();
    InitPage();
    return true;
}

void SettingsPage::BindItems() {
    items_.clear();
    items_.reserve(rows_.size());
    fieldTexts_.clear();
    for (const PageItemData& data : rows_) {
        PageItem item = PageItem::FromData(data, record_);
        auto bind = [this](int id) { return id != 0 && Find(id) != nullptr ? id : 0; };
        item.tickBox = bind(data.tickBox);
        item.valueList = bind(data.valueList);
        item.unitList = bind(data.unitList);
        item.spin = bind(data.spin);
        item.textField = bind(data.textField);
        item.addressField = bind(data.addressField);
        items_.push_back(item);
    }
}

void SettingsPage::InitPage() {
    for (PageItem& item : items_) {
        if (item.textField != 0) {
            Control& field = Item(item.textField);
            field.SetLimitText(item.data->textLimit);
            if (item.HasFlag(kItemRefuseComma)) {
                field.SetRefusedChars(u",");
            }
        }
        if (item.spin != 0) {
            Control& spin = Item(item.spin);
            spin.SetRange(item.spinMin, item.spinMax);
            if (item.textField != 0) {
                spin.SetBuddy(item.textField);
            }
        }
        if (item.valueList != 0) {
            FillValueList(item);
        }
        if (item.unitList != 0) {
            FillUnitList(item);
        }
        if (item.tickBox != 0 && item.data->text != TextId::kCount) {
            std::u16string_view caption = TextTable::Caption(item.data->text, language_);
            if (!caption.empty()) {
                Item(item.tickBox).SetText(caption);
            }
        }
    }
    if (behaviour_.scrollMax > 0) {
        scroller_.SetRange(behaviour_.scrollMax);
        SetScrollInfo(ui::ScrollInfo{0, behaviour_.scrollMax, PageScroller::kPage, 0});
    }
}

void SettingsPage::FillValueList(PageItem& item) {
    Control& list = Item(item.valueList);
    const int selected = list.CurSel();
    const int before = list.Count();
    const std::u16string selectedText = selected >= 0 ? list.ItemText(selected) : u"";
    list.ResetContent();
    std::vector<std::u16string> texts;
    if (item.data->entry >= 0) {
        texts = DisplayLists::ForEntry(item.data->entry, modelIndex_, Options());
    }
    if (texts.empty()) {
        texts = TextTable::ChoiceList(item.data->text, language_);
    }
    for (const std::u16string& text : texts) {
        list.AddString(text);
    }
    list.SetCurSel(KeptSelection(item, selected, selectedText, before));
}

int SettingsPage::KeptSelection(const PageItem& item, int selected,
                                const std::u16string& selectedText, int countBefore) {
    if (selected < 0) {
        return selected; // nothing was selected: nothing to keep
    }
    const Control& list = Item(item.valueList);
    // The same entry where the list still has it: by its text, or by its place when the list
    // is the same list in another language.
    if (const int at = list.FindStringExact(-1, selectedText); at >= 0) {
        return at;
    }
    if (list.Count() == countBefore) {
        return selected;
    }
    // Otherwise the model's default, so a ticked row never loses its value.
    const int fallback = item.defaultIndex[static_cast<size_t>(modelIndex_)];
    return fallback >= 0 && fallback < list.Count() ? fallback : 0;
}

void SettingsPage::FillUnitList(PageItem& item) {
    Control& units = Item(item.unitList);
    const int selected = units.CurSel();
    units.ResetContent();
    std::vector<std::u16string> texts =
        TextTable::List(item.data->text, TextPart::kUnit, language_);
    if (texts.size() != 2) {
        texts = DisplayLists::UnitList();
    }
    for (const std::u16string& text : texts) {
        units.AddString(text);
    }
    units.SetCurSel(selected);
}

void SettingsPage::RefreshTexts(UiLanguage language) {
    language_ = language;
    for (PageItem& item : items_) {
        if (item.tickBox != 0 && item.data->text != TextId::kCount) {
            std::u16string_view caption = TextTable::Caption(item.data->text, language_);
            if (!caption.empty()) {
                Item(item.tickBox).SetText(caption);
            }
        }
    }
    Invalidate();
}

PageItem* SettingsPage::ItemByControl(int id) {
    if (id == 0) {
        return nullptr;
    }
    for (PageItem& item : items_) {
        if (item.tickBox == id || item.valueList == id || item.unitList == id || item.spin == id ||
            item.textField == id || item.addressField == id) {
            return &item;
        }
    }
    return nullptr;
}

int SettingsPage::RowOf(const PageItem* item) const {
    if (item == nullptr || items_.empty() || item < &items_.front() || item > &items_.back()) {
        return -1;
    }
    return static_cast<int>(item - &items_.front());
}

const std::u16string& SettingsPage::FieldText(int editId) const {
    auto it = fieldTexts_.find(editId);
    return it == fieldTexts_.end() ? kEmpty : it->second;
}

bool SettingsPage::IsRowEnabled(const PageItem& item) const {
    const Control* tick = item.tickBox != 0 ? Find(item.tickBox) : nullptr;
    return tick != nullptr && tick->IsEnabled();
}

// ---- framework operations ------------------------------------------------------------------

void SettingsPage::TickAll() {
    for (PageItem& item : items_) {
        if (item.tickBox != 0) {
            Item(item.tickBox).SetCheck(1);
        }
    }
}

void SettingsPage::UntickAll() {
    for (PageItem& item : items_) {
        if (item.tickBox != 0) {
            Item(item.tickBox).SetCheck(0);
        }
    }
}

int SettingsPage::CountTickedRfid() const {
    int count = 0;
    for (const PageItem& item : items_) {
        if (item.HasFlag(kItemRfid) && item.tickBox != 0 && IsButtonChecked(item.tickBox) == 1) {
            ++count;
        }
    }
    return count;
}

bool SettingsPage::FillFromSettings() {
    BeforeFill();
    bool result = true;
    for (PageItem& item : items_) {
        if (item.state == nullptr || item.state->ticked != 1) {
            continue;
        }
        const SettingValue& state = *item.state;
        if (item.tickBox != 0) {
            Item(item.tickBox).SetCheck(1);
        }
        if (item.valueList != 0) {
            Control& list = Item(item.valueList);
            if (item.HasFlag(kItemChoiceToMetric)) {
                list.SetCurSel(state.metric);
            } else {
                list.SetCurSel(state.choice);
            }
        }
        if (item.unitList != 0) {
            Item(item.unitList).SetCurSel(state.metric);
        }
        if (item.textField != 0) {
            Item(item.textField)
                .SetText(item.HasFlag(kItemIpv6) ? Ipv6ToDisplay(state.value) : state.value);
        }
        if (item.addressField != 0) {
            Item(item.addressField).SetAddressText(DottedForm(state.value));
        }
        if (state.error == 1) {
            if (item.textField != 0) {
                Item(item.textField).SetText(u"");
            }
            result = false;
        }
    }
    AfterFill();
    Invalidate();
    return result;
}

std::u16string SettingsPage::CollectedChoice(const PageItem& item, int index,
                                             const std::u16string& shown) const {
    if (!behaviour_.mapChoices || item.HasFlag(kItemShownText) || item.data->entry < 0) {
        return shown;
    }
    std::u16string printer =
        DisplayLists::ChoiceText(item.data->entry, index, modelIndex_, Options());
    return printer.empty() ? shown : printer;
}

bool SettingsPage::CollectTicked() {
    int count = 0;
    for (PageItem& item : items_) {
        if (item.state == nullptr || !IsRowEnabled(item) || Item(item.tickBox).Check() != 1) {
            continue;
        }
        SettingValue& state = *item.state;
        state.ticked = 1;
        if (item.valueList != 0) {
            const Control& list = Item(item.valueList);
            const int index = list.CurSel();
            const std::u16string shown = list.ItemText(index);
            if (item.HasFlag(kItemChoiceToMetric)) {
                state.metric = index;
            } else if (item.HasFlag(kItemChoiceToSecond)) {
                state.second = shown;
                state.choice = index;
            } else {
                state.choice = index;
                state.value = CollectedChoice(item, index, shown);
            }
        }
        if (item.unitList != 0) {
            const Control& units = Item(item.unitList);
            const int index = units.CurSel();
            const std::vector<std::u16string> printerUnits = DisplayLists::UnitList();
            state.second = index >= 0 && index < static_cast<int>(printerUnits.size())
                               ? printerUnits[static_cast<size_t>(index)]
                               : units.ItemText(index);
            state.metric = index;
        }
        if (item.textField != 0) {
            const std::u16string text = Item(item.textField).Text();
            state.value = item.HasFlag(kItemIpv6) ? Ipv6FromDisplay(text) : text;
        }
        if (item.addressField != 0) {
            state.value = CommaAddress(Item(item.addressField).Address());
        }
        ++count;
    }
    Invalidate();
    return count > 0;
}

bool SettingsPage::ValidateTicked() {
    bool result = true;
    for (const PageItem& item : items_) {
        if (item.state != nullptr && IsRowEnabled(item) && item.state->ticked == 1 &&
            item.state->error == 1) {
            result = false;
        }
    }
    AfterFill();
    Invalidate();
    return result;
}

void SettingsPage::ShowIncluded() {
    for (PageItem& item : items_) {
        if (item.state == nullptr || item.state->ticked != 1) {
            continue;
        }
        if (item.tickBox != 0) {
            Item(item.tickBox).SetCheck(1);
        }
        if (item.textField != 0) {
            if (item.HasFlag(kItemIpv6)) {
                item.state->value = Ipv6ToDisplay(item.state->value);
            }
            Item(item.textField).SetText(item.state->value);
        }
    }
    Invalidate();
}

void SettingsPage::DefaultSpinRange(const PageItem& item, int /*modelIndex*/, int& lo,
                                    int& hi) const {
    lo = item.spinMin;
    hi = item.spinMax;
}

void SettingsPage::RestoreDefaults() {
    BeforeRestoreDefaults();
    const size_t m = static_cast<size_t>(modelIndex_);
    for (PageItem& item : items_) {
        if (item.tickBox != 0) {
            Item(item.tickBox).SetCheck(0);
        }
        if (item.valueList != 0) {
            Item(item.valueList).SetCurSel(item.defaultIndex[m]);
        }
        if (item.unitList != 0) {
            Item(item.unitList).SetCurSel(item.defaultUnit);
        }
        if (item.spin != 0) {
            int lo = 0;
            int hi = 0;
            DefaultSpinRange(item, modelIndex_, lo, hi);
            Item(item.spin).SetRange(lo, hi);
        }
        if (item.textField != 0) {
            Item(item.textField).SetText(item.defaultText[m]);
        }
        if (item.addressField != 0) {
            Item(item.addressField).SetAddress(0, 0, 0, 0);
        }
    }
    Invalidate();
}

void SettingsPage::ApplyAvailability() {
    const size_t m = static_cast<size_t>(modelIndex_);
    const bool japanese = language_ == UiLanguage::kJapanese;
    const bool languageRule = ModelTable::FollowsLanguageRule(modelIndex_);
    for (PageItem& item : items_) {
        bool enable = item.availableFor[m] == 1;
        if (languageRule &&
            ((item.japaneseOnly == 1 && !japanese) || (item.notInJapanese == 1 && japanese))) {
            enable = false;
        }
        for (int id : {item.tickBox, item.valueList, item.unitList, item.spin, item.textField,
                       item.addressField}) {
            if (id != 0) {
                Item(id).Enable(enable);
            }
        }
    }
}

void SettingsPage::ApplyModel(int modelIndex) {
    modelIndex_ = ModelTable::IsValid(modelIndex) ? modelIndex : 0;
    ApplyAvailability();
    AdjustModelLists(modelIndex_);
    RestoreDefaults();
}

void SettingsPage::RefillLists() {
    for (PageItem& item : items_) {
        if (item.valueList != 0) {
            FillValueList(item);
        }
        if (item.unitList != 0) {
            FillUnitList(item);
        }
    }
}

// ---- keys, mouse, scrolling, colours --------------------------------------------------------

void SettingsPage::OnEnterKey() {
    if (owner_ != nullptr) {
        owner_->PressSendConfiguration();
    }
}

void SettingsPage::OnUnitChanged(PageItem& item) {
    if (item.textField == 0) {
        return;
    }
    Item(item.textField).SetText(item.UnitResetText(Item(item.unitList).CurSel()));
}

void SettingsPage::ScrollBy(int delta) {
    if (delta == 0) {
        return;
    }
    SetScrollPos(scroller_.Position());
    ScrollWindow(0, delta);
}

bool SettingsPage::OnNotify(ui::Notification& n) {
    switch (n.event) {
    case ui::Event::EditChange:
        if (const Control* c = Find(n.id); c != nullptr && c->Kind() == ui::ControlKind::Edit) {
            fieldTexts_[n.id] = c->Text();
        }
        OnPageNotify(n);
        return true;
    case ui::Event::SelChange:
        if (PageItem* item = ItemByControl(n.id); item != nullptr && item->unitList == n.id) {
            OnUnitChanged(*item);
        }
        OnPageNotify(n);
        return true;
    case ui::Event::ColourRequest:
        if (PageItem* item = ItemByControl(n.id); item != nullptr && item->tickBox == n.id &&
                                                  item->state != nullptr &&
                                                  item->state->error == 1) {
            n.textColour = ui::kRed;
        }
        OnPageNotify(n);
        return true;
    case ui::Event::VScroll:
        if (behaviour_.scrollMax > 0) {
            ScrollBy(scroller_.Scroll(n.code, n.value));
        }
        return true;
    case ui::Event::MouseWheel:
        if (behaviour_.wheel) {
            const int delta = scroller_.Wheel(n.code);
            if (delta != 0) {
                ScrollBy(delta);
                Invalidate();
            }
        }
        return true;
    case ui::Event::MouseActivate:
        if (behaviour_.focusOnClick) {
            keyboardFocus_ = true;
        }
        return OnPageNotify(n) || behaviour_.focusOnClick;
    case ui::Event::Cancel:
        if (behaviour_.escapeToOwner && !OnPageNotify(n) && Parent() != nullptr) {
            // The main window decides what Esc does (it swallows it as well).
            ui::Notification cancel;
            cancel.event = ui::Event::Cancel;
            Parent()->Dispatch(cancel);
        }
        return true; // a page never closes on Esc: that would leave its tab empty
    case ui::Event::Ok:
        OnEnterKey();
        return true;
    default:
        return OnPageNotify(n);
    }
}

} // namespace qm
