#include "pages/CDlgTabStandard.h"

#include "resources/StandardPageTemplate.h"
#include "text/TextTable.h"

namespace qm {
namespace {

using namespace res;

// "DIRECT THERMAL" (DT, 1) on models 0-9, 26-28 and 32-34, "USE RIBBON" (TT, 0) elsewhere.
constexpr ModelInts kPrintMethodDefaults = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
// The model's own language: DM4 on native models, ZPI2 on Zebra variants, EPI2 on Eltron
// variants (list indices with and without "EPI2" at the top).
constexpr ModelInts kEmulationDefaults = {1, 0, 2, 1, 0, 1, 0, 2, 1, 0, 1, 0, 2, 1, 0, 1, 0, 2, 1,
                                          0, 1, 0, 1, 0, 1, 0, 2, 1, 0, 2, 1, 0, 2, 1, 0, 2, 1, 0};
// Print Darkness: "10"; "7" on the Eltron variants; "12" on models 15-18.
constexpr ModelTexts kDarknessDefaults = {
    u"10", u"10", u"10", u"10", u"7",  u"10", u"10", u"10", u"10", u"7",  u"10", u"10", u"10",
    u"10", u"7",  u"12", u"12", u"12", u"12", u"7",  u"10", u"10", u"10", u"10", u"10", u"10",
    u"10", u"10", u"7",  u"10", u"10", u"7",  u"10", u"10", u"7",  u"10", u"10", u"7"};

constexpr ModelSet kNetworkModels = ModelRange(2, 4) | ModelRange(24, 31);

constexpr PageItemData kStandardItems[] = {
    {.entry = entry::kGlobalConfig,
     .text = TextId::kConfigSet,
     .tickBox = TickId(kStdConfigSetRow),
     .valueList = ListId(kStdConfigSetRow)},
    {.entry = entry::kPrintSpeed,
     .text = TextId::kStdPrintSpeed,
     .tickBox = TickId(kStdPrintSpeedRow),
     .valueList = ListId(kStdPrintSpeedRow),
     .defaultIndex = 2},
    {.entry = entry::kPrintDarkness,
     .text = TextId::kStdPrintDarkness,
     .tickBox = TickId(kStdPrintDarknessRow),
     .spin = SpinId(kStdPrintDarknessRow),
     .textField = FieldId(kStdPrintDarknessRow),
     .textLimit = 2,
     .spinMin = 0,
     .spinMax = 30,
     .defaultTextByModel = &kDarknessDefaults},
    {.entry = entry::kPrintMethod,
     .text = TextId::kStdPrintMethod,
     .tickBox = TickId(kStdPrintMethodRow),
     .valueList = ListId(kStdPrintMethodRow),
     .available = ModelRange(10, 25) | ModelRange(29, 31) | ModelRange(35, 37),
     .defaultIndexByModel = &kPrintMethodDefaults},
    {.entry = entry::kContinuousMediaLength,
     .text = TextId::kStdContinuousMediaLength,
     .tickBox = TickId(kStdContinuousLengthRow),
     .unitList = UnitId(kStdContinuousLengthRow),
     .textField = FieldId(kStdContinuousLengthRow),
     .textLimit = 6,
     .defaultText = u"4.00",
     .inchReset = u"4.00",
     .mmReset = u"101.6"},
    {.entry = entry::kVerticalPosition,
     .text = TextId::kStdVerticalPosition,
     .tickBox = TickId(kStdVerticalPositionRow),
     .unitList = UnitId(kStdVerticalPositionRow),
     .textField = FieldId(kStdVerticalPositionRow),
     .textLimit = 5,
     .defaultText = u"0.00"},
    {.entry = entry::kMediaSensor,
     .text = TextId::kStdMediaSensor,
     .tickBox = TickId(kStdMediaSensorRow),
     .valueList = ListId(kStdMediaSensorRow)},
    {.entry = entry::kEmulationSelect,
     .text = TextId::kStdEmulationSelect,
     .tickBox = TickId(kStdEmulationRow),
     .valueList = ListId(kStdEmulationRow),
     .defaultIndexByModel = &kEmulationDefaults},
    {.entry = entry::kFunctionSelect,
     .text = TextId::kStdFunctionSelect,
     .tickBox = TickId(kStdFunctionSelectRow),
     .valueList = ListId(kStdFunctionSelectRow),
     .defaultIndex = 1},
    {.entry = entry::kPaperPosition,
     .text = TextId::kStdPaperPosition,
     .tickBox = TickId(kStdPaperPositionRow),
     .unitList = UnitId(kStdPaperPositionRow),
     .textField = FieldId(kStdPaperPositionRow),
     .textLimit = 5,
     .defaultText = u"0.00"},
    {.entry = 52,
     .text = TextId::kStdIpv4Address,
     .tickBox = TickId(kStdIpv4AddressRow),
     .addressField = AddressId(kStdIpv4AddressRow),
     .available = kNetworkModels},
    {.entry = 63,
     .text = TextId::kStdIpv6Address,
     .tickBox = TickId(kStdIpv6AddressRow),
     .textField = FieldId(kStdIpv6AddressRow),
     .textLimit = 39,
     .available = kNetworkModels,
     .defaultText = u"0000:0000:0000:0000:0000:0000:0000:0000",
     .flags = kItemIpv6},
    {.entry = 98,
     .text = TextId::kStdBtPinCode,
     .tickBox = TickId(kStdBtPinRow),
     .textField = FieldId(kStdBtPinRow),
     .textLimit = 16,
     .available = ModelRange(0, 4) | ModelRange(24, 25) | ModelRange(32, 37),
     .defaultText = u"0000",
     .flags = kItemRefuseComma},
};

constexpr int kGroupIds[] = {kIdStdGroupGlobal,     kIdStdGroupPage, kIdStdGroupSystem,
                             kIdStdGroupAfterPrint, kIdStdGroupRfid, kIdStdGroupInterface,
                             kIdStdGroupOption};

PageBehaviour StandardBehaviour() {
    PageBehaviour behaviour;
    behaviour.scrollMax = 1660;
    behaviour.wheel = true;
    behaviour.focusOnClick = true;
    return behaviour;
}

} // namespace

CDlgTabStandard::CDlgTabStandard(SettingsRecord& record)
    : SettingsPage(kStandardPageTemplate, record, kStandardItems, StandardBehaviour()) {}

void CDlgTabStandard::InitPage() {
    SettingsPage::InitPage();
    SetGroupCaptions();
}

void CDlgTabStandard::SetGroupCaptions() {
    for (int i = 0; i < 7; ++i) {
        std::u16string_view caption = TextTable::Caption(TextId::kStdGroups, Language(), i);
        if (!caption.empty()) {
            SetItemText(kGroupIds[i], caption);
        }
    }
}

void CDlgTabStandard::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetGroupCaptions();
}

void CDlgTabStandard::AdjustModelLists(int /*modelIndex*/) {
    // The catalogue's lists follow the model (print speeds, "EPI2", "REWIND", buzzer entries).
    for (PageItem& item : Items()) {
        if (item.valueList != 0) {
            FillValueList(item);
        }
    }
}

void CDlgTabStandard::DefaultSpinRange(const PageItem& item, int modelIndex, int& lo,
                                       int& hi) const {
    SettingsPage::DefaultSpinRange(item, modelIndex, lo, hi);
    if (item.data->entry == entry::kPrintDarkness && ModelTable::IsEltronVariant(modelIndex)) {
        lo = 0;
        hi = 15;
    }
}

void CDlgTabStandard::StandardToBlock(EasyBlock& block) const {
    auto ticked = [this](int row) { return IsButtonChecked(TickId(row)) == 1; };
    auto selection = [this](int id) { return Item(id).CurSel(); };
    block.configSetIncluded = ticked(kStdConfigSetRow) ? 1 : 0;
    block.configSetIndex = selection(ListId(kStdConfigSetRow));
    block.mediaIncluded = ticked(kStdMediaSensorRow) || ticked(kStdContinuousLengthRow) ? 1 : 0;
    block.mediaIndex = selection(ListId(kStdMediaSensorRow));
    block.paperLengthText = GetItemText(FieldId(kStdContinuousLengthRow));
    block.paperLengthUnit = selection(UnitId(kStdContinuousLengthRow));
    block.printMethodIncluded = ticked(kStdPrintMethodRow) ? 1 : 0;
    block.printMethodIndex = selection(ListId(kStdPrintMethodRow));
    block.postPrintIncluded = ticked(kStdFunctionSelectRow) ? 1 : 0;
    block.postPrintIndex = selection(ListId(kStdFunctionSelectRow));
    block.startOffsetIncluded = ticked(kStdVerticalPositionRow) ? 1 : 0;
    block.startOffsetText = GetItemText(FieldId(kStdVerticalPositionRow));
    block.startOffsetUnit = selection(UnitId(kStdVerticalPositionRow));
    block.stopOffsetIncluded = ticked(kStdPaperPositionRow) ? 1 : 0;
    block.stopOffsetText = GetItemText(FieldId(kStdPaperPositionRow));
    block.stopOffsetUnit = selection(UnitId(kStdPaperPositionRow));
}

void CDlgTabStandard::BlockToStandard(const EasyBlock& block) {
    auto tick = [this](int row) { CheckButton(TickId(row), 1); };
    auto setText = [this](int row, const std::u16string& text, int unit) {
        Item(UnitId(row)).SetCurSel(unit);
        Item(FieldId(row)).SetText(text);
    };
    if (block.configSetIncluded == 1) {
        tick(kStdConfigSetRow);
        Item(ListId(kStdConfigSetRow)).SetCurSel(block.configSetIndex);
    }
    if (block.mediaIncluded == 1) {
        tick(kStdMediaSensorRow);
        Item(ListId(kStdMediaSensorRow)).SetCurSel(block.mediaIndex);
        if (block.mediaIndex == 2) {
            tick(kStdContinuousLengthRow);
            setText(kStdContinuousLengthRow, block.paperLengthText, block.paperLengthUnit);
        }
    }
    if (block.printMethodIncluded == 1) {
        tick(kStdPrintMethodRow);
        Item(ListId(kStdPrintMethodRow)).SetCurSel(block.printMethodIndex);
    }
    if (block.postPrintIncluded == 1) {
        tick(kStdFunctionSelectRow);
        Item(ListId(kStdFunctionSelectRow)).SetCurSel(block.postPrintIndex);
    }
    if (block.startOffsetIncluded == 1) {
        tick(kStdVerticalPositionRow);
        setText(kStdVerticalPositionRow, block.startOffsetText, block.startOffsetUnit);
    }
    if (block.stopOffsetIncluded == 1) {
        tick(kStdPaperPositionRow);
        setText(kStdPaperPositionRow, block.stopOffsetText, block.stopOffsetUnit);
    }
    Invalidate();
}

int CDlgTabStandard::EmulationClass() const {
    const std::u16string text = GetItemText(ListId(kStdEmulationRow));
    if (text.find(u'D') != std::u16string::npos) {
        return 0;
    }
    if (text.find(u'Z') != std::u16string::npos) {
        return 1;
    }
    return 2;
}

} // namespace qm
