#include "pages/CDlgTabStandard.h"

#include "settings/DisplayLists.h"
#include "settings/ModelTable.h"
#include "text/TextTable.h"

namespace qm {
namespace {

using namespace res;

constexpr int kConfigSetRow = StandardRow(TextId::kConfigSet);
constexpr int kPrintSpeedRow = StandardRow(TextId::kStdPrintSpeed);
constexpr int kPrintMethodRow = StandardRow(TextId::kStdPrintMethod);
constexpr int kContinuousLengthRow = StandardRow(TextId::kStdContinuousMediaLength);
constexpr int kVerticalPositionRow = StandardRow(TextId::kStdVerticalPosition);
constexpr int kMediaSensorRow = StandardRow(TextId::kStdMediaSensor);
constexpr int kSensorLevelRow = StandardRow(TextId::kStdSensorLevel);
constexpr int kPaperEndLevelRow = StandardRow(TextId::kStdPaperEndLevel);
constexpr int kBuzzerRow = StandardRow(TextId::kStdBuzzerSelect);
constexpr int kStandbyModeRow = StandardRow(TextId::kStdStandbyMode);
constexpr int kEmulationRow = StandardRow(TextId::kStdEmulationSelect);
constexpr int kFunctionSelectRow = StandardRow(TextId::kStdFunctionSelect);
constexpr int kPaperPositionRow = StandardRow(TextId::kStdPaperPosition);

constexpr int kPrintSpeedSelectedAfterMethod = 2; // "4 IPS"

// Paper End Level and Sensor Level after a Media Sensor choice, by sensor and model.
struct MediaLevels {
    int sensor; // 0 SEE THROUGH, 1 REFLECT, 2 NONE
    ModelSet models;
    std::u16string_view paperEnd;
    std::u16string_view sensorLevel;
};
// clang-format off
constexpr MediaLevels kMediaLevels[] = {
    {0, ModelRange(0, 1) | ModelRange(15, 23),  u"2.80", u"1.7"},
    {0, ModelRange(2, 14),                      u"2.80", u"1.5"},
    {0, ModelRange(24, 25),                     u"3.00", u"1.7"},
    {0, ModelRange(26, 37),                     u"3.00", u"1.5"},
    {1, kAllModels,                             u"1.50", u"1.5"},
    {2, ModelRange(0, 14) | ModelRange(20, 25), u"1.00", u"1.0"},
    {2, ModelRange(15, 19),                     u"1.20", u"1.5"},
    {2, ModelRange(26, 37),                     u"1.50", u"1.5"},
};
// clang-format on
constexpr MediaLevels kUnknownMediaLevels = {-1, 0, u"2.80", u"1.7"};

const MediaLevels& LevelsFor(int sensor, int model) {
    if (ModelTable::IsValid(model)) {
        for (const MediaLevels& levels : kMediaLevels) {
            if (levels.sensor == sensor && ((levels.models >> model) & 1u) != 0) {
                return levels;
            }
        }
    }
    return kUnknownMediaLevels;
}

PageBehaviour StandardBehaviour() {
    PageBehaviour behaviour;
    behaviour.scrollMax = 1660;
    behaviour.wheel = true;
    behaviour.focusOnClick = true;
    return behaviour;
}

} // namespace

CDlgTabStandard::CDlgTabStandard(SettingsRecord& record)
    : SettingsPage(StandardPageTable::Template(), record, StandardPageTable::Items(),
                   StandardBehaviour()) {}

void CDlgTabStandard::InitPage() {
    SettingsPage::InitPage();
    SetPageCaptions();
    ClearRfidResults();
}

void CDlgTabStandard::SetPageCaptions() {
    for (int g = 0; g < kStdGroupCount; ++g) {
        SetItemText(StandardPageTable::GroupId(g),
                    TextTable::Caption(TextId::kStdGroups, Language(), g));
    }
    for (int line = 0; line < StandardPageTable::kRfidResultLines; ++line) {
        SetItemText(StandardPageTable::RfidResultCaptionId(line),
                    TextTable::Caption(TextId::kStdRfidResults, Language(), line));
    }
    SetStandbyCaption();
}

void CDlgTabStandard::SetStandbyCaption() {
    const int caption = ModelTable::UsesLcdStandbyKey(ModelIndex()) ? 1 : 0;
    SetItemText(TickId(kStandbyModeRow),
                TextTable::Caption(TextId::kStdStandbyMode, Language(), caption));
}

void CDlgTabStandard::ClearRfidResults() {
    for (int line = 0; line < StandardPageTable::kRfidResultLines; ++line) {
        SetItemText(StandardPageTable::RfidResultId(line), u"");
        SettingValue& result = Record().Item(entry::kRfidCalibExecuted + line);
        result.value.clear();
        result.second.clear();
        result.choice = 0;
        result.metric = 0;
    }
}

void CDlgTabStandard::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetPageCaptions();
    const int speed = Item(ListId(kPrintSpeedRow)).CurSel();
    RefillLists();
    if (ModelTable::PrintSpeedFollowsPrintMethod(ModelIndex())) {
        RebuildPrintSpeed(Item(ListId(kPrintMethodRow)).CurSel(), speed);
    }
    ApplyAvailability();
}

void CDlgTabStandard::AdjustModelLists(int /*modelIndex*/) {
    // Print Speed, Buzzer Select, Function Select, the Standby caption, then Emulation Select.
    for (int row : {kPrintSpeedRow, kBuzzerRow, kFunctionSelectRow}) {
        FillValueList(Items()[static_cast<size_t>(row)]);
    }
    SetStandbyCaption();
    FillValueList(Items()[static_cast<size_t>(kEmulationRow)]);
}

void CDlgTabStandard::DefaultSpinRange(const PageItem& item, int modelIndex, int& lo,
                                       int& hi) const {
    SettingsPage::DefaultSpinRange(item, modelIndex, lo, hi);
    if (item.data->entry == entry::kPrintDarkness && ModelTable::IsEltronVariant(modelIndex)) {
        lo = 0;
        hi = 15;
    }
}

void CDlgTabStandard::RebuildPrintSpeed(int method, int select) {
    ui::Control& list = Item(ListId(kPrintSpeedRow));
    const int previous = list.CurSel();
    list.ResetContent();
    for (const std::u16string& text :
         DisplayLists::ForEntry(entry::kPrintSpeed, ModelIndex(), Options(), method)) {
        list.AddString(text);
    }
    if (select < 0) {
        select = previous >= 0 && previous < list.Count() ? previous : 0;
    }
    list.SetCurSel(select);
}

void CDlgTabStandard::BeforeFill() {
    if (!ModelTable::PrintSpeedFollowsPrintMethod(ModelIndex())) {
        return;
    }
    const SettingValue& method = Record().Item(entry::kPrintMethod);
    const int index = method.ticked == 1 && method.error == 0
                          ? method.choice
                          : Item(ListId(kPrintMethodRow)).CurSel();
    RebuildPrintSpeed(index, -1);
}

void CDlgTabStandard::AfterFill() {
    for (int line = 0; line < StandardPageTable::kRfidResultLines; ++line) {
        SetItemText(StandardPageTable::RfidResultId(line),
                    Record().Item(entry::kRfidCalibExecuted + line).value);
    }
}

void CDlgTabStandard::SetMediaLevels(int sensor) {
    const MediaLevels& levels = LevelsFor(sensor, ModelIndex());
    SetItemText(FieldId(kPaperEndLevelRow), levels.paperEnd);
    SetItemText(FieldId(kSensorLevelRow), levels.sensorLevel);
}

bool CDlgTabStandard::OnPageNotify(ui::Notification& n) {
    if (n.event != ui::Event::SelChange) {
        return false;
    }
    if (n.id == ListId(kPrintMethodRow) && ModelTable::PrintSpeedFollowsPrintMethod(ModelIndex())) {
        RebuildPrintSpeed(Item(n.id).CurSel(), kPrintSpeedSelectedAfterMethod);
        return true;
    }
    if (n.id == ListId(kMediaSensorRow)) {
        SetMediaLevels(Item(n.id).CurSel());
        return true;
    }
    return false;
}

void CDlgTabStandard::StandardToBlock(EasyBlock& block) const {
    auto ticked = [this](int row) { return IsButtonChecked(TickId(row)) == 1; };
    auto selection = [this](int id) { return Item(id).CurSel(); };
    block.configSetIncluded = ticked(kConfigSetRow) ? 1 : 0;
    block.configSetIndex = selection(ListId(kConfigSetRow));
    block.mediaIncluded = ticked(kMediaSensorRow) || ticked(kContinuousLengthRow) ? 1 : 0;
    block.mediaIndex = selection(ListId(kMediaSensorRow));
    block.paperLengthText = GetItemText(FieldId(kContinuousLengthRow));
    block.paperLengthUnit = selection(UnitId(kContinuousLengthRow));
    block.printMethodIncluded = ticked(kPrintMethodRow) ? 1 : 0;
    block.printMethodIndex = selection(ListId(kPrintMethodRow));
    block.postPrintIncluded = ticked(kFunctionSelectRow) ? 1 : 0;
    block.postPrintIndex = selection(ListId(kFunctionSelectRow));
    block.startOffsetIncluded = ticked(kVerticalPositionRow) ? 1 : 0;
    block.startOffsetText = GetItemText(FieldId(kVerticalPositionRow));
    block.startOffsetUnit = selection(UnitId(kVerticalPositionRow));
    block.stopOffsetIncluded = ticked(kPaperPositionRow) ? 1 : 0;
    block.stopOffsetText = GetItemText(FieldId(kPaperPositionRow));
    block.stopOffsetUnit = selection(UnitId(kPaperPositionRow));
}

void CDlgTabStandard::BlockToStandard(const EasyBlock& block) {
    auto tick = [this](int row) { CheckButton(TickId(row), 1); };
    auto setText = [this](int row, const std::u16string& text, int unit) {
        Item(UnitId(row)).SetCurSel(unit);
        Item(FieldId(row)).SetText(text);
    };
    if (block.configSetIncluded == 1) {
        tick(kConfigSetRow);
        Item(ListId(kConfigSetRow)).SetCurSel(block.configSetIndex);
    }
    if (block.mediaIncluded == 1) {
        tick(kMediaSensorRow);
        Item(ListId(kMediaSensorRow)).SetCurSel(block.mediaIndex);
        if (block.mediaIndex == 2) {
            tick(kContinuousLengthRow);
            setText(kContinuousLengthRow, block.paperLengthText, block.paperLengthUnit);
        }
    }
    if (block.printMethodIncluded == 1) {
        tick(kPrintMethodRow);
        Item(ListId(kPrintMethodRow)).SetCurSel(block.printMethodIndex);
    }
    if (block.postPrintIncluded == 1) {
        tick(kFunctionSelectRow);
        Item(ListId(kFunctionSelectRow)).SetCurSel(block.postPrintIndex);
    }
    if (block.startOffsetIncluded == 1) {
        tick(kVerticalPositionRow);
        setText(kVerticalPositionRow, block.startOffsetText, block.startOffsetUnit);
    }
    if (block.stopOffsetIncluded == 1) {
        tick(kPaperPositionRow);
        setText(kPaperPositionRow, block.stopOffsetText, block.stopOffsetUnit);
    }
    Invalidate();
}

int CDlgTabStandard::EmulationClass() const {
    const std::u16string text = GetItemText(ListId(kEmulationRow));
    if (text.find(u'D') != std::u16string::npos) {
        return 0;
    }
    if (text.find(u'Z') != std::u16string::npos) {
        return 1;
    }
    return 2;
}

} // namespace qm
