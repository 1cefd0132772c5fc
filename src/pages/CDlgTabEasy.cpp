#include "pages/CDlgTabEasy.h"

#include "resources/EasyPageTemplate.h"
#include "text/TextTable.h"

namespace qm {

using ui::Control;
namespace {

using namespace res;

// Print Method: "DIRECT THERMAL" on models 0-9, 26-28 and 32-34, "USE RIBBON" on the others.
constexpr ModelInts kEasyPrintMethodDefaults = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};

constexpr PageItemData kEasyItems[] = {
    {.text = TextId::kEasyMediaType, .tickBox = TickId(kEasyMediaRow)},
    {.text = TextId::kEasyPaperLength,
     .unitList = UnitId(kEasyPaperLengthRow),
     .textField = FieldId(kEasyPaperLengthRow),
     .textLimit = 6,
     .defaultText = u"4.00",
     .inchReset = u"4.00",
     .mmReset = u"101.6"},
    {.text = TextId::kEasyPrintMethod,
     .tickBox = TickId(kEasyPrintMethodRow),
     .valueList = ListId(kEasyPrintMethodRow),
     .available = ModelRange(10, 25) | ModelRange(29, 31) | ModelRange(35, 37),
     .defaultIndexByModel = &kEasyPrintMethodDefaults},
    {.text = TextId::kEasyPostPrint,
     .tickBox = TickId(kEasyPostPrintRow),
     .valueList = ListId(kEasyPostPrintRow),
     .defaultIndex = 1},
    {.text = TextId::kEasyStartOffset,
     .tickBox = TickId(kEasyStartOffsetRow),
     .unitList = UnitId(kEasyStartOffsetRow),
     .textField = FieldId(kEasyStartOffsetRow),
     .textLimit = 5,
     .defaultText = u"0.00"},
    {.text = TextId::kEasyStopOffset,
     .tickBox = TickId(kEasyStopOffsetRow),
     .unitList = UnitId(kEasyStopOffsetRow),
     .textField = FieldId(kEasyStopOffsetRow),
     .textLimit = 5,
     .defaultText = u"0.00"},
};

constexpr int kMediaRadios[] = {kIdEasyRadioGaps, kIdEasyRadioMarks, kIdEasyRadioContinuous};
constexpr int kRewindIndex = 4; // "REWIND", the fifth Post Print entry, only on models 15-19

} // namespace

CDlgTabEasy::CDlgTabEasy(SettingsRecord& record)
    : SettingsPage(kEasyPageTemplate, record, kEasyItems, PageBehaviour{}) {}

void CDlgTabEasy::InitPage() {
    SettingsPage::InitPage();
    SetCaptions();
    SelectMedia(0);
}

void CDlgTabEasy::SetCaptions() {
    SetItemText(kIdEasyGroup, TextTable::Caption(TextId::kEasyMediaHandling, Language()));
    SetItemText(kIdEasyPaperLengthLabel, TextTable::Caption(TextId::kEasyPaperLength, Language()));
    for (int i = 0; i < 3; ++i) {
        SetItemText(kMediaRadios[i], TextTable::Choice(TextId::kEasyMediaType, i, Language()));
    }
}

void CDlgTabEasy::FillValueList(PageItem& item) {
    Control& list = Item(item.valueList);
    const int selected = list.CurSel();
    const int before = list.Count();
    const std::u16string selectedText = selected >= 0 ? list.ItemText(selected) : u"";
    list.ResetContent();
    std::vector<std::u16string> texts = TextTable::ChoiceList(item.data->text, Language());
    if (item.data->text == TextId::kEasyPostPrint) {
        const bool rewind = ModelIndex() >= 15 && ModelIndex() <= 19;
        if (!rewind && texts.size() > kRewindIndex) {
            texts.resize(kRewindIndex);
        }
    }
    for (const std::u16string& text : texts) {
        list.AddString(text);
    }
    list.SetCurSel(KeptSelection(item, selected, selectedText, before));
}

void CDlgTabEasy::AdjustModelLists(int modelIndex) {
    Control& list = Item(ListId(kEasyPostPrintRow));
    const std::u16string rewind(
        TextTable::Choice(TextId::kEasyPostPrint, kRewindIndex, Language()));
    const int at = list.FindStringExact(-1, rewind);
    if (modelIndex >= 15 && modelIndex <= 19) {
        if (at < 0) {
            list.AddString(rewind);
        }
    } else if (at >= 0) {
        list.DeleteString(at);
    }
}

void CDlgTabEasy::BeforeRestoreDefaults() {
    SelectMedia(0);
}

void CDlgTabEasy::SelectMedia(int index) {
    if (index < 0 || index > 2) {
        return;
    }
    mediaIndex_ = index;
    CheckRadioButton(kIdEasyRadioGaps, kIdEasyRadioContinuous, kMediaRadios[index]);
    const bool continuous = index == 2;
    EnableItem(FieldId(kEasyPaperLengthRow), continuous);
    EnableItem(UnitId(kEasyPaperLengthRow), continuous);
}

bool CDlgTabEasy::OnPageNotify(ui::Notification& n) {
    if (n.event == ui::Event::Clicked) {
        for (int i = 0; i < 3; ++i) {
            if (n.id == kMediaRadios[i]) {
                SelectMedia(i);
                return true;
            }
        }
    }
    return false;
}

void CDlgTabEasy::EasyFromBlock(const EasyBlock& block) {
    auto setText = [this](int row, const std::u16string& text, int unit) {
        Item(UnitId(row)).SetCurSel(unit);
        Item(FieldId(row)).SetText(text);
    };
    if (block.mediaIncluded == 1) {
        CheckButton(TickId(kEasyMediaRow), 1);
        SelectMedia(block.mediaIndex);
        setText(kEasyPaperLengthRow, block.paperLengthText, block.paperLengthUnit);
    }
    if (block.printMethodIncluded == 1) {
        CheckButton(TickId(kEasyPrintMethodRow), 1);
        Item(ListId(kEasyPrintMethodRow)).SetCurSel(block.printMethodIndex);
    }
    if (block.postPrintIncluded == 1) {
        CheckButton(TickId(kEasyPostPrintRow), 1);
        Item(ListId(kEasyPostPrintRow)).SetCurSel(block.postPrintIndex);
    }
    if (block.startOffsetIncluded == 1) {
        CheckButton(TickId(kEasyStartOffsetRow), 1);
        setText(kEasyStartOffsetRow, block.startOffsetText, block.startOffsetUnit);
    }
    if (block.stopOffsetIncluded == 1) {
        CheckButton(TickId(kEasyStopOffsetRow), 1);
        setText(kEasyStopOffsetRow, block.stopOffsetText, block.stopOffsetUnit);
    }
    Invalidate();
}

void CDlgTabEasy::EasyToBlock(EasyBlock& block) const {
    auto ticked = [this](int row) { return IsButtonChecked(TickId(row)) == 1; };
    auto unit = [this](int row) { return Item(UnitId(row)).CurSel(); };
    if (ticked(kEasyMediaRow)) {
        block.mediaIncluded = 1;
        block.mediaIndex = mediaIndex_;
        block.paperLengthText = GetItemText(FieldId(kEasyPaperLengthRow));
        block.paperLengthUnit = unit(kEasyPaperLengthRow);
    }
    if (ticked(kEasyPrintMethodRow)) {
        block.printMethodIncluded = 1;
        block.printMethodIndex = Item(ListId(kEasyPrintMethodRow)).CurSel();
    }
    if (ticked(kEasyPostPrintRow)) {
        block.postPrintIncluded = 1;
        block.postPrintIndex = Item(ListId(kEasyPostPrintRow)).CurSel();
    }
    if (ticked(kEasyStartOffsetRow)) {
        block.startOffsetIncluded = 1;
        block.startOffsetText = GetItemText(FieldId(kEasyStartOffsetRow));
        block.startOffsetUnit = unit(kEasyStartOffsetRow);
    }
    if (ticked(kEasyStopOffsetRow)) {
        block.stopOffsetIncluded = 1;
        block.stopOffsetText = GetItemText(FieldId(kEasyStopOffsetRow));
        block.stopOffsetUnit = unit(kEasyStopOffsetRow);
    }
}

void CDlgTabEasy::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetCaptions();
    // The lists are refilled in the new language; each keeps its entry (FillValueList).
    for (PageItem& item : Items()) {
        if (item.valueList != 0) {
            FillValueList(item);
        }
    }
    AdjustModelLists(ModelIndex());
}

} // namespace qm
