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

constexpr PageItemSpec kEasyItems[] = {
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
    list.ResetContent();
    std::vector<std::u16string> texts = TextTable::ChoiceList(item.spec->text, Language());
    if (item.spec->text == TextId::kEasyPostPrint) {
        const bool rewind = ModelIndex() >= 15 && ModelIndex() <= 19;
        if (!rewind && texts.size() > kRewindIndex) {
            texts.resize(kRewindIndex);
        }
    }
    for (const std::u16string& text : texts) {
        list.AddString(text);
    }
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

void CDlgTabEasy::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetCaptions();
    // The lists are refilled in the new language, so their selections are reset.
    for (PageItem& item : Items()) {
        if (item.valueList != 0) {
            FillValueList(item);
        }
    }
    AdjustModelLists(ModelIndex());
}

} // namespace qm
