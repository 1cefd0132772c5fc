#pragma once

// A page of a few rows of every control kind, to prove the page framework on its own.

#include "pages/SettingsPage.h"
#include "resources/PageTemplateIds.h"

namespace qm::testing {

using namespace res;

// Rows: 0 list (Print Speed), 1 text + spin (Print Darkness), 2 text + unit list (Continuous
// Media Length), 3 IPv4 address, 4 IPv6 text, 5 Japanese-only list (Top Form Sensor, model 0),
// 6 not-in-Japanese list (Web Monitor, models 0-25), 7 text refusing commas with per-model
// defaults (BT PIN Code), 8 list with per-model default index (Media Sensor), 9 text + unit list
// with the plain reset texts (Vertical Position), 10 a list without a tick box. Rows 3 and 7 stand
// in for RFID rows (CountTickedRfid).
enum TestRow {
    kSpeed,
    kDarkness,
    kLength,
    kIpv4,
    kIpv6,
    kTopForm,
    kWeb,
    kPin,
    kSensor,
    kVertical,
    kNoTick,
    kRowCount
};

inline constexpr ui::ControlTemplate kTestRows[] = {
    {TickId(kSpeed), ui::ControlKind::CheckBox, u"Print Speed", {5, 5, 100, 10}},
    {ListId(kSpeed), ui::ControlKind::DropDownList, u"", {110, 5, 80, 60}},
    {TickId(kDarkness), ui::ControlKind::CheckBox, u"Print Darkness", {5, 20, 100, 10}},
    {FieldId(kDarkness), ui::ControlKind::Edit, u"", {110, 20, 40, 12}},
    {SpinId(kDarkness), ui::ControlKind::UpDown, u"", {150, 20, 10, 12}},
    {TickId(kLength), ui::ControlKind::CheckBox, u"Continuous Media Length", {5, 35, 100, 10}},
    {FieldId(kLength), ui::ControlKind::Edit, u"", {110, 35, 40, 12}},
    {UnitId(kLength), ui::ControlKind::DropDownList, u"", {155, 35, 40, 40}},
    {TickId(kIpv4), ui::ControlKind::CheckBox, u"IPv4 Address", {5, 50, 100, 10}},
    {AddressId(kIpv4), ui::ControlKind::IpAddress, u"", {110, 50, 90, 13}},
    {TickId(kIpv6), ui::ControlKind::CheckBox, u"IPv6 Address", {5, 65, 100, 10}},
    {FieldId(kIpv6), ui::ControlKind::Edit, u"", {110, 65, 170, 12}},
    {TickId(kTopForm), ui::ControlKind::CheckBox, u"Top Form Sensor", {5, 80, 100, 10}},
    {ListId(kTopForm), ui::ControlKind::DropDownList, u"", {110, 80, 80, 40}},
    {TickId(kWeb), ui::ControlKind::CheckBox, u"Web Monitor", {5, 95, 100, 10}},
    {ListId(kWeb), ui::ControlKind::DropDownList, u"", {110, 95, 80, 40}},
    {TickId(kPin), ui::ControlKind::CheckBox, u"BT PIN Code", {5, 110, 100, 10}},
    {FieldId(kPin), ui::ControlKind::Edit, u"", {110, 110, 80, 12}},
    {TickId(kSensor), ui::ControlKind::CheckBox, u"Media Sensor", {5, 125, 100, 10}},
    {ListId(kSensor), ui::ControlKind::DropDownList, u"", {110, 125, 80, 50}},
    {TickId(kVertical), ui::ControlKind::CheckBox, u"Vertical Position", {5, 140, 100, 10}},
    {FieldId(kVertical), ui::ControlKind::Edit, u"", {110, 140, 40, 12}},
    {UnitId(kVertical), ui::ControlKind::DropDownList, u"", {155, 140, 40, 40}},
    {ListId(kNoTick), ui::ControlKind::DropDownList, u"", {110, 155, 80, 40}},
};

inline constexpr ui::DialogTemplate kTestPageTemplate{9000,     u"", 400, 280, ui::kDialogChild,
                                                      kTestRows};

inline constexpr ModelTexts kPinDefaults = {
    u"1111", u"1111", u"2222", u"2222", u"2222", u"0000", u"0000", u"0000", u"0000", u"0000",
    u"0000", u"0000", u"0000", u"0000", u"0000", u"0000", u"0000", u"0000", u"0000", u"0000",
    u"0000", u"0000", u"0000", u"0000", u"3333", u"3333", u"0000", u"0000", u"0000", u"0000",
    u"0000", u"0000", u"4444", u"4444", u"4444", u"4444", u"4444", u"4444"};
inline constexpr ModelInts kSensorDefaults = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};

inline constexpr PageItemData kTestItems[] = {
    {.entry = entry::kPrintSpeed,
     .text = TextId::kStdPrintSpeed,
     .tickBox = TickId(kSpeed),
     .valueList = ListId(kSpeed),
     .defaultIndex = 2},
    {.entry = entry::kPrintDarkness,
     .text = TextId::kStdPrintDarkness,
     .tickBox = TickId(kDarkness),
     .spin = SpinId(kDarkness),
     .textField = FieldId(kDarkness),
     .textLimit = 2,
     .spinMin = 0,
     .spinMax = 30,
     .defaultText = u"10"},
    {.entry = entry::kContinuousMediaLength,
     .text = TextId::kStdContinuousMediaLength,
     .tickBox = TickId(kLength),
     .unitList = UnitId(kLength),
     .textField = FieldId(kLength),
     .textLimit = 6,
     .defaultText = u"4.00",
     .inchReset = u"4.00",
     .mmReset = u"101.6"},
    {.entry = 52,
     .text = TextId::kStdIpv4Address,
     .tickBox = TickId(kIpv4),
     .addressField = AddressId(kIpv4),
     .available = ModelRange(2, 4) | ModelRange(24, 31),
     .flags = kItemRfid},
    {.entry = 63,
     .text = TextId::kStdIpv6Address,
     .tickBox = TickId(kIpv6),
     .textField = FieldId(kIpv6),
     .textLimit = 39,
     .defaultText = u"0000:0000:0000:0000:0000:0000:0000:0000",
     .flags = kItemIpv6},
    {.entry = 14,
     .text = TextId::kStdTopFormSensor,
     .tickBox = TickId(kTopForm),
     .valueList = ListId(kTopForm),
     .available = Models({0}),
     .japaneseOnly = 1},
    {.entry = 72,
     .text = TextId::kStdWebMonitor,
     .tickBox = TickId(kWeb),
     .valueList = ListId(kWeb),
     .available = ModelRange(0, 25),
     .notInJapanese = 1},
    {.entry = 98,
     .text = TextId::kStdBtPinCode,
     .tickBox = TickId(kPin),
     .textField = FieldId(kPin),
     .textLimit = 16,
     .defaultTextByModel = &kPinDefaults,
     .flags = kItemRefuseComma | kItemRfid},
    {.entry = entry::kMediaSensor,
     .text = TextId::kStdMediaSensor,
     .tickBox = TickId(kSensor),
     .valueList = ListId(kSensor),
     .defaultIndexByModel = &kSensorDefaults},
    {.entry = entry::kVerticalPosition,
     .text = TextId::kStdVerticalPosition,
     .tickBox = TickId(kVertical),
     .unitList = UnitId(kVertical),
     .textField = FieldId(kVertical),
     .textLimit = 5,
     .defaultUnit = 1,
     .defaultText = u"0.0"},
    {.entry = 40, .text = TextId::kStdCutterAction, .valueList = ListId(kNoTick)},
};

class TestPage : public SettingsPage {
public:
    TestPage(SettingsRecord& record, const PageBehaviour& behaviour = PageBehaviour{})
        : SettingsPage(kTestPageTemplate, record, kTestItems, behaviour) {}
    using SettingsPage::Record;

protected:
    // Like the Standard page: the catalogue's lists follow the model.
    void AdjustModelLists(int /*modelIndex*/) override {
        for (PageItem& item : Items()) {
            if (item.valueList != 0) {
                FillValueList(item);
            }
        }
    }
};

class FakeOwner : public PageOwner {
public:
    void PressSendConfiguration() override { ++sends; }
    void PressPrint() override { ++prints; }
    int sends = 0;
    int prints = 0;
};

} // namespace qm::testing
