// The Standard page: its table against the settings record and the text tables, the layout,
// the lists and captions that follow the model, and its reactions.

#include "TestPage.h"

#include "pages/CDlgTabStandard.h"
#include "resources/EasyPageTemplate.h"
#include "settings/DisplayLists.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

#include <set>

namespace qm {
namespace {

using namespace res;

constexpr int Row(TextId text) {
    return StandardRow(text);
}

class StandardPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallGTestFailures(host);
        window.SetHost(&host);
        window.Create(nullptr);
        page.SetOwner(&owner);
        ASSERT_TRUE(page.Create(&window));
        page.ApplyModel(0);
    }
    ui::Control& C(int id) { return page.Item(id); }
    std::vector<std::u16string> Entries(int id) {
        std::vector<std::u16string> texts;
        for (int i = 0; i < C(id).Count(); ++i) {
            texts.push_back(C(id).ItemText(i));
        }
        return texts;
    }
    bool Enabled(TextId row) { return C(TickId(Row(row))).IsEnabled(); }

    ui::ScriptedHost host;
    ui::Dialog window{kEasyPageTemplate};
    SettingsRecord record;
    testing::FakeOwner owner;
    CDlgTabStandard page{record};
};

TEST_F(StandardPageTest, EveryRowShowsItsOwnSettingWithTheDescribedTexts) {
    std::set<int> entries;
    for (int r = 0; r < kStandardRowCount; ++r) {
        const PageItem& item = page.Items()[static_cast<size_t>(r)];
        const PageRow& row = StandardPageTable::Rows()[static_cast<size_t>(r)];
        SCOPED_TRACE(std::string(row.key));
        ASSERT_GE(item.data->entry, 0);
        EXPECT_EQ(SettingsRecord::EntryKey(item.data->entry), row.key);
        EXPECT_TRUE(entries.insert(item.data->entry).second) << "entry shown twice";
        EXPECT_EQ(C(item.tickBox).Text(),
                  TextTable::Caption(StandardRowText(r), UiLanguage::kEnglish));
        if (item.textField != 0) {
            EXPECT_EQ(C(item.textField).Limit(), row.limit);
        }
        // Fixed unit labels and unit lists are the row's unit texts.
        const auto units = TextTable::List(row.text, TextPart::kUnit, UiLanguage::kEnglish);
        if (!row.unit.empty()) {
            ASSERT_EQ(units.size(), 1u);
            EXPECT_EQ(C(UnitLabelId(r)).Text(), units[0]);
        }
        if (item.unitList != 0) {
            EXPECT_EQ(Entries(item.unitList), (std::vector<std::u16string>{u"INCH", u"MM"}));
        }
    }
    // The Vertical Image Shift pair: exactly one of the two rows on every model.
    for (int m = 0; m < kModelCount; ++m) {
        page.ApplyModel(m);
        EXPECT_NE(Enabled(TextId::kStdVerticalImageShift),
                  Enabled(TextId::kStdVerticalImageShiftDots))
            << m;
    }
}

TEST_F(StandardPageTest, ListsHoldTheDescribedEntriesInOrder) {
    // On a model that offers the longest form of each model-dependent list.
    for (int model : {2, 16}) {
        page.ApplyModel(model);
        for (int r = 0; r < kStandardRowCount; ++r) {
            const PageItem& item = page.Items()[static_cast<size_t>(r)];
            const TextId text = StandardRowText(r);
            if (item.valueList == 0 || text == TextId::kStdEmulationSelect ||
                (text == TextId::kStdFunctionSelect && model != 16) ||
                (text == TextId::kStdPrintSpeed && model != 16)) {
                continue;
            }
            SCOPED_TRACE(std::string(StandardPageTable::Rows()[static_cast<size_t>(r)].key));
            EXPECT_EQ(Entries(item.valueList), TextTable::ChoiceList(text, UiLanguage::kEnglish));
        }
    }
    EXPECT_EQ(C(ListId(Row(TextId::kStdSymbolSet))).Count(), 88);
    EXPECT_EQ(C(ListId(Row(TextId::kStdSymbolSet))).ItemText(55), u"u1");
    EXPECT_EQ(C(ListId(Row(TextId::kStdSymbolSet))).ItemText(87), u"ZZ");
}

TEST_F(StandardPageTest, EveryControlCanBeScrolledIntoViewAndNoneOverlap) {
    const ui::Rect area = page.ClientRect();
    const int reach = page.VScroll().max - PageScroller::kPage + 1 + area.height;
    std::vector<ui::Rect> rows;
    for (const auto& control : page.Controls()) {
        ui::Rect r = control->GetRect();
        if (control->Kind() == ui::ControlKind::DropDownList) {
            r.height = ui::DialogUnitsToPixelsY(12); // closed; the rest is the dropped list
        }
        EXPECT_LE(r.Bottom(), reach) << control->Id();
        EXPECT_LE(r.Right(), area.width) << control->Id();
        if (control->Kind() != ui::ControlKind::GroupBox) {
            rows.push_back(r);
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        for (size_t j = i + 1; j < rows.size(); ++j) {
            const ui::Rect& a = rows[i];
            const ui::Rect& b = rows[j];
            const bool apart =
                a.Right() <= b.x || b.Right() <= a.x || a.Bottom() <= b.y || b.Bottom() <= a.y;
            EXPECT_TRUE(apart) << i << " " << j;
        }
    }
}

TEST_F(StandardPageTest, ListsAndCaptionsFollowTheModel) {
    const int speed = ListId(Row(TextId::kStdPrintSpeed));
    struct Speeds {
        int model;
        UiLanguage language;
        int count;
    };
    const Speeds speeds[] = {{0, UiLanguage::kEnglish, 5},  {16, UiLanguage::kEnglish, 9},
                             {3, UiLanguage::kEnglish, 7},  {30, UiLanguage::kEnglish, 7},
                             {24, UiLanguage::kEnglish, 7}, {24, UiLanguage::kJapanese, 5},
                             {12, UiLanguage::kEnglish, 3}, {22, UiLanguage::kEnglish, 3}};
    for (const Speeds& s : speeds) {
        page.SetLanguage(s.language);
        page.ApplyModel(s.model);
        EXPECT_EQ(C(speed).Count(), s.count) << s.model;
        EXPECT_EQ(C(speed).Text(), u"4 IPS") << s.model;
    }
    page.SetLanguage(UiLanguage::kEnglish);

    const int emulation = ListId(Row(TextId::kStdEmulationSelect));
    page.ApplyModel(2);
    EXPECT_EQ(Entries(emulation),
              (std::vector<std::u16string>{u"EPI2", u"ZPI2", u"DM4", u"DMI", u"DPP"}));
    EXPECT_EQ(C(emulation).Text(), u"DM4");
    page.ApplyModel(4);
    EXPECT_EQ(C(emulation).Text(), u"EPI2");
    page.ApplyModel(0);
    EXPECT_EQ(Entries(emulation), (std::vector<std::u16string>{u"ZPI2", u"DM4", u"DMI", u"DPP"}));
    EXPECT_EQ(page.EmulationClass(), 0);

    const int function = ListId(Row(TextId::kStdFunctionSelect));
    page.ApplyModel(17);
    EXPECT_EQ(C(function).ItemText(4), u"REWIND");
    page.ApplyModel(20);
    EXPECT_EQ(C(function).Count(), 4);

    const int buzzer = ListId(Row(TextId::kStdBuzzerSelect));
    EXPECT_EQ(C(buzzer).Count(), 7);
    page.ApplyModel(26);
    EXPECT_EQ(C(buzzer).Count(), 5);

    const int standby = TickId(Row(TextId::kStdStandbyMode));
    page.ApplyModel(25);
    EXPECT_EQ(C(standby).Text(), u"LCD Standby");
    page.ApplyModel(4);
    EXPECT_EQ(C(standby).Text(), u"Standby Mode");

    const int darkness = SpinId(Row(TextId::kStdPrintDarkness));
    EXPECT_EQ(C(darkness).RangeMax(), 15);
    EXPECT_EQ(C(FieldId(Row(TextId::kStdPrintDarkness))).Text(), u"7");
    page.ApplyModel(15);
    EXPECT_EQ(C(darkness).RangeMax(), 30);
    EXPECT_EQ(C(FieldId(Row(TextId::kStdPrintDarkness))).Text(), u"12");
    EXPECT_EQ(C(FieldId(Row(TextId::kStdSensorLevel))).Text(), u"1.7");
    EXPECT_EQ(C(FieldId(Row(TextId::kStdHostName))).Text(), u"");
    page.ApplyModel(27);
    EXPECT_EQ(C(FieldId(Row(TextId::kStdPaperEndLevel))).Text(), u"3.00");
    EXPECT_EQ(C(FieldId(Row(TextId::kStdHostName))).Text(), u"Vexa Hawthorn Zebra Print Serve");

    // Top Form rows: model 0 with the Japanese interface only; Web Monitor the other way.
    page.ApplyModel(0);
    EXPECT_FALSE(Enabled(TextId::kStdTopFormSensor));
    EXPECT_FALSE(C(UnitId(Row(TextId::kStdTopFormLength))).IsEnabled());
    EXPECT_TRUE(Enabled(TextId::kStdWebMonitor));
    page.SetLanguage(UiLanguage::kJapanese);
    page.ApplyModel(0);
    EXPECT_TRUE(Enabled(TextId::kStdTopFormSensor));
    EXPECT_TRUE(C(FieldId(Row(TextId::kStdTopFormLength))).IsEnabled());
    EXPECT_FALSE(Enabled(TextId::kStdWebMonitor));
    EXPECT_FALSE(Enabled(TextId::kStdEapPassword));
}

TEST_F(StandardPageTest, ReactionsToTheOperator) {
    // A unit list puts the row's reset text, whatever was typed.
    const int maxLength = Row(TextId::kStdMaxMediaLength);
    page.UserEdit(FieldId(maxLength), u"12.34");
    page.UserSelect(UnitId(maxLength), 1);
    EXPECT_EQ(C(FieldId(maxLength)).Text(), u"254.0");
    page.UserSelect(UnitId(maxLength), 0);
    EXPECT_EQ(C(FieldId(maxLength)).Text(), u"10.00");
    const int ngWidth = Row(TextId::kStdRfidNgMarkWidth);
    page.ApplyModel(32);
    page.UserSelect(UnitId(ngWidth), 1);
    EXPECT_EQ(C(FieldId(ngWidth)).Text(), u"47.0");

    // Print Method on models 10 to 14 rebuilds Print Speed and selects "4 IPS".
    const int method = ListId(Row(TextId::kStdPrintMethod));
    const int speed = ListId(Row(TextId::kStdPrintSpeed));
    page.ApplyModel(12);
    page.UserSelect(method, 1); // DT
    EXPECT_EQ(C(speed).Count(), 5);
    EXPECT_EQ(C(speed).Text(), u"4 IPS");
    page.UserSelect(speed, 4);
    page.UserSelect(method, 0); // TT
    EXPECT_EQ(C(speed).Count(), 3);
    EXPECT_EQ(C(speed).Text(), u"4 IPS");
    page.ApplyModel(3); // other models: the list does not follow the method
    page.UserSelect(method, 0);
    EXPECT_EQ(C(speed).Count(), 7);

    // Media Sensor sets the two levels by model.
    const int sensor = ListId(Row(TextId::kStdMediaSensor));
    const int paperEnd = FieldId(Row(TextId::kStdPaperEndLevel));
    const int level = FieldId(Row(TextId::kStdSensorLevel));
    page.ApplyModel(16);
    page.UserSelect(sensor, 2);
    EXPECT_EQ(C(paperEnd).Text(), u"1.20");
    EXPECT_EQ(C(level).Text(), u"1.5");
    page.ApplyModel(24);
    page.UserSelect(sensor, 1);
    page.UserSelect(sensor, 0);
    EXPECT_EQ(C(paperEnd).Text(), u"3.00");
    EXPECT_EQ(C(level).Text(), u"1.7");
    page.UserSelect(sensor, 1);
    EXPECT_EQ(C(paperEnd).Text(), u"1.50");
    EXPECT_EQ(C(level).Text(), u"1.5");

    // A comma never gets into the Bluetooth texts; typed text is copied live.
    for (TextId row : {TextId::kStdBtPinCode, TextId::kStdBtDeviceName}) {
        const int field = FieldId(Row(row));
        page.UserEdit(field, u"12,34");
        EXPECT_EQ(C(field).Text(), u"1234");
        EXPECT_EQ(page.FieldText(field), u"1234");
    }
    const int ssid = FieldId(Row(TextId::kStdWlanSsid));
    page.UserEdit(ssid, u"LAB,7");
    EXPECT_EQ(page.FieldText(ssid), u"LAB,7");
}

TEST_F(StandardPageTest, FillRebuildsPrintSpeedAndShowsTheRfidResults) {
    page.ApplyModel(12);
    const int speed = ListId(Row(TextId::kStdPrintSpeed));
    SettingValue& method = record.Item(entry::kPrintMethod);
    SettingValue& printSpeed = record.Item(entry::kPrintSpeed);
    // TT with a refused "6 IPS": three speeds, "2 IPS".
    method = {1, u"", u"", 0, 0, 0};
    printSpeed = {1, u"", u"", 1, 0, 0};
    EXPECT_FALSE(page.FillFromSettings());
    EXPECT_EQ(C(speed).Count(), 3);
    EXPECT_EQ(C(speed).Text(), u"2 IPS");
    // DT with "6 IPS": five speeds, the received one shown.
    method = {1, u"", u"", 0, 1, 0};
    printSpeed = {1, u"", u"", 0, 4, 0};
    EXPECT_TRUE(page.FillFromSettings());
    EXPECT_EQ(C(speed).Count(), 5);
    EXPECT_EQ(C(speed).Text(), u"6 IPS");

    page.ApplyModel(32);
    record.Item(entry::kRfidCalibExecuted).value = u"YES";
    record.Item(entry::kRfidCalibPower).value = u"12";
    page.FillFromSettings();
    EXPECT_EQ(page.GetItemText(StandardPageTable::RfidResultId(0)), u"YES");
    EXPECT_EQ(page.GetItemText(StandardPageTable::RfidResultId(2)), u"12");
    page.ClearRfidResults();
    EXPECT_EQ(page.GetItemText(StandardPageTable::RfidResultId(0)), u"");
    EXPECT_TRUE(record.Item(entry::kRfidCalibPower).value.empty());

    page.TickAll();
    EXPECT_EQ(page.CountTickedRfid(), 8);
}

TEST_F(StandardPageTest, LanguageChangeKeepsTicksAndValues) {
    page.ApplyModel(24);
    const int speed = ListId(Row(TextId::kStdPrintSpeed));
    const int port = FieldId(Row(TextId::kStdPortNumber));
    page.UserClick(TickId(Row(TextId::kStdPortNumber)));
    page.UserEdit(port, u"9101");
    page.UserSelect(speed, 4);
    page.UserSelect(UnitId(Row(TextId::kStdVerticalPosition)), 1);

    page.RefreshTexts(UiLanguage::kJapanese);
    EXPECT_EQ(C(TickId(Row(TextId::kStdPrintSpeed))).Text(), u"印字速度");
    EXPECT_EQ(page.GetItemText(StandardPageTable::GroupId(kStdPageSetup)), u"ページ設定");
    EXPECT_EQ(C(TickId(Row(TextId::kStdStandbyMode))).Text(), u"LCD待機");
    EXPECT_EQ(C(speed).Count(), 5); // 6 IPS at most with the Japanese interface on model 24
    EXPECT_EQ(C(speed).Text(), u"6 IPS");
    EXPECT_EQ(C(port).Text(), u"9101");
    EXPECT_EQ(C(TickId(Row(TextId::kStdPortNumber))).Check(), 1);
    EXPECT_EQ(C(UnitId(Row(TextId::kStdVerticalPosition))).CurSel(), 1);

    page.RefreshTexts(UiLanguage::kEnglish);
    EXPECT_EQ(C(TickId(Row(TextId::kStdPrintSpeed))).Text(), u"Print Speed");
    EXPECT_EQ(C(speed).Text(), u"6 IPS");
    EXPECT_EQ(C(port).Text(), u"9101");
}

// A list that shrinks with the language keeps a valid selection: the same entry where it still
// has it, otherwise the model's default; a ticked row always has a value to send.
TEST_F(StandardPageTest, ShrunkListKeepsAValidSelection) {
    const int speed = ListId(Row(TextId::kStdPrintSpeed));
    for (int model : {24, 25}) {
        SCOPED_TRACE(model);
        page.ApplyModel(model);
        page.RefreshTexts(UiLanguage::kEnglish);
        const std::u16string modelDefault = C(speed).Text();
        page.UserClick(TickId(Row(TextId::kStdPrintSpeed)));
        page.UserSelect(speed, C(speed).FindStringExact(-1, u"8 IPS"));
        page.RefreshTexts(UiLanguage::kJapanese);
        ASSERT_EQ(C(speed).Count(), 5);
        EXPECT_EQ(C(speed).Text(), modelDefault);
        EXPECT_TRUE(page.CollectTicked());
        EXPECT_EQ(record.Item(entry::kPrintSpeed).value, modelDefault);

        page.RefreshTexts(UiLanguage::kEnglish);
        page.UserSelect(speed, C(speed).FindStringExact(-1, u"3 IPS"));
        page.RefreshTexts(UiLanguage::kJapanese);
        EXPECT_EQ(C(speed).Text(), u"3 IPS");
    }
    page.RefreshTexts(UiLanguage::kEnglish);
}

} // namespace
} // namespace qm
