#include "pages/CDlgTabAdvanced.h"

#include "resources/AdvancedPageTemplate.h"
#include "text/TextTable.h"

namespace qm {
namespace {

using namespace res;

constexpr int kAdvancedFirstEntry = 114; // Advanced row r writes entry 114 + r

// Machine Horizontal Pos: "8"; "0" on models 20-23.
constexpr ModelTexts kHorizontalDefaults = {
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8",
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"0", u"0", u"0", u"0", u"8", u"8",
    u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8", u"8"};
// Head Check Stop Position: "848"; "1344" on models 20-21, "1984" on 22-23, "832" on 32-37.
constexpr ModelTexts kHeadStopDefaults = {
    u"848",  u"848",  u"848",  u"848",  u"848", u"848", u"848", u"848", u"848", u"848",
    u"848",  u"848",  u"848",  u"848",  u"848", u"848", u"848", u"848", u"848", u"848",
    u"1344", u"1344", u"1984", u"1984", u"848", u"848", u"848", u"848", u"848", u"848",
    u"848",  u"848",  u"832",  u"832",  u"832", u"832", u"832", u"832"};

constexpr ModelSet kHeadCheckModels = ModelRange(0, 25) | ModelRange(32, 37);

constexpr PageItemData kAdvancedItems[] = {
    {.entry = kAdvancedFirstEntry + kAdvThroughSensorRow,
     .text = TextId::kAdvThroughSensorPosition,
     .tickBox = TickId(kAdvThroughSensorRow),
     .spin = SpinId(kAdvThroughSensorRow),
     .textField = FieldId(kAdvThroughSensorRow),
     .textLimit = 4,
     .spinMin = -256,
     .spinMax = 2,
     .available = ModelRange(0, 14) | ModelRange(20, 37),
     .defaultText = u"0"},
    {.entry = kAdvancedFirstEntry + kAdvMachineHorizontalRow,
     .text = TextId::kAdvMachineHorizontalPos,
     .tickBox = TickId(kAdvMachineHorizontalRow),
     .spin = SpinId(kAdvMachineHorizontalRow),
     .textField = FieldId(kAdvMachineHorizontalRow),
     .textLimit = 3,
     .spinMin = -16,
     .spinMax = 32,
     .defaultTextByModel = &kHorizontalDefaults},
    {.entry = kAdvancedFirstEntry + kAdvAutoCalRow,
     .text = TextId::kAdvAutoCalMode,
     .tickBox = TickId(kAdvAutoCalRow),
     .valueList = ListId(kAdvAutoCalRow)},
    {.entry = kAdvancedFirstEntry + kAdvHeadCheckStartRow,
     .text = TextId::kAdvHeadCheckStartPosition,
     .tickBox = TickId(kAdvHeadCheckStartRow),
     .valueList = ListId(kAdvHeadCheckStartRow),
     .spin = SpinId(kAdvHeadCheckStartRow),
     .textField = FieldId(kAdvHeadCheckStartRow),
     .textLimit = 4,
     .spinMin = 1,
     .spinMax = 848,
     .available = kHeadCheckModels,
     .defaultText = u"1",
     .flags = kItemChoiceToMetric},
    {.entry = kAdvancedFirstEntry + kAdvHeadCheckStopRow,
     .text = TextId::kAdvHeadCheckStopPosition,
     .tickBox = TickId(kAdvHeadCheckStopRow),
     .valueList = ListId(kAdvHeadCheckStopRow),
     .spin = SpinId(kAdvHeadCheckStopRow),
     .textField = FieldId(kAdvHeadCheckStopRow),
     .textLimit = 4,
     .spinMin = 1,
     .spinMax = 848,
     .available = kHeadCheckModels,
     .defaultTextByModel = &kHeadStopDefaults,
     .flags = kItemChoiceToMetric},
    {.entry = kAdvancedFirstEntry + kAdvRfidAntennaRow,
     .text = TextId::kAdvRfidAntennaPosition,
     .tickBox = TickId(kAdvRfidAntennaRow),
     .unitList = UnitId(kAdvRfidAntennaRow),
     .textField = FieldId(kAdvRfidAntennaRow),
     .textLimit = 5,
     .available = Models({32, 35}),
     .defaultText = u"0.73",
     .inchReset = u"0.73",
     .mmReset = u"18.5",
     .flags = kItemRfid},
};

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
    : SettingsPage(kAdvancedPageTemplate, record, kAdvancedItems, AdvancedBehaviour()) {}

void CDlgTabAdvanced::InitPage() {
    SettingsPage::InitPage();
    SetItemText(kIdAdvGroup, TextTable::Caption(TextId::kAdvFactoryMode, Language()));
}

void CDlgTabAdvanced::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetItemText(kIdAdvGroup, TextTable::Caption(TextId::kAdvFactoryMode, Language()));
}

void CDlgTabAdvanced::SelectHeadCheckResolution(int modelIndex) {
    int index = -1;
    if (modelIndex == 20 || modelIndex == 21) {
        index = 0;
    } else if (modelIndex == 22 || modelIndex == 23) {
        index = 1;
    }
    if (index < 0) {
        return;
    }
    Item(ListId(kAdvHeadCheckStartRow)).SetCurSel(index);
    Item(ListId(kAdvHeadCheckStopRow)).SetCurSel(index);
}

} // namespace qm
