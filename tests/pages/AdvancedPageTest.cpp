// The Advanced page: its table against the settings record and the texts, the head-check rows'
// resolutions and ranges, Ribbon End Detection by model, what collecting stores, and the
// language change.

#include "TestPage.h"

#include "pages/CDlgTabAdvanced.h"
#include "resources/EasyPageTemplate.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace res;

constexpr int kStart = AdvancedRow(TextId::kAdvHeadCheckStartPosition);
constexpr int kStop = AdvancedRow(TextId::kAdvHeadCheckStopPosition);
constexpr int kWidth = AdvancedRow(TextId::kAdvHeadCheckPatternWid);

class AdvancedPageTest : public ::testing::Test {
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
    std::u16string Text(int row) { return C(FieldId(row)).Text(); }
    int Max(int row) { return C(SpinId(row)).RangeMax(); }

    ui::ScriptedHost host;
    ui::Dialog window{kEasyPageTemplate};
    SettingsRecord record;
    testing::FakeOwner owner;
    CDlgTabAdvanced page{record};
};

TEST_F(AdvancedPageTest, RowsAreTheAdvancedEntriesInOrderWithTheirTexts) {
    page.ApplyModel(12); // Ribbon End Detection with "QUICK"
    for (int r = 0; r < kAdvancedRowCount; ++r) {
        const PageItem& item = page.Items()[static_cast<size_t>(r)];
        SCOPED_TRACE(r);
        EXPECT_EQ(item.data->entry, SettingsRecord::kStandardEntryCount + r);
        EXPECT_EQ(C(item.tickBox).Text(),
                  TextTable::Caption(AdvancedRowText(r), UiLanguage::kEnglish));
        if (item.valueList != 0) {
            std::vector<std::u16string> shown;
            for (int i = 0; i < C(item.valueList).Count(); ++i) {
                shown.push_back(C(item.valueList).ItemText(i));
            }
            EXPECT_EQ(shown, TextTable::ChoiceList(AdvancedRowText(r), UiLanguage::kEnglish));
        }
    }
    EXPECT_EQ(page.VScroll().max, 1000);
}

TEST_F(AdvancedPageTest, HeadCheckResolutionsSetTextAndRange) {
    // Other models: 848 at 203 dpi, 1264 at 300 dpi.
    page.UserSelect(ListId(kStart), 1);
    EXPECT_EQ(Text(kStart), u"1");
    EXPECT_EQ(Max(kStart), 1264);
    page.UserSelect(ListId(kStop), 1);
    EXPECT_EQ(Text(kStop), u"1264");
    EXPECT_EQ(Max(kStop), 1264);
    page.UserSelect(ListId(kStop), 0);
    EXPECT_EQ(Text(kStop), u"848");
    EXPECT_EQ(Max(kStop), 848);

    // Models 32 to 37: 832 and 1240.
    page.ApplyModel(33);
    EXPECT_EQ(Text(kStop), u"832");
    EXPECT_EQ(Max(kStop), 832);
    EXPECT_EQ(Max(kStart), 832);
    page.UserSelect(ListId(kStop), 1);
    EXPECT_EQ(Text(kStop), u"1240");
    EXPECT_EQ(Max(kStop), 1240);
    page.UserSelect(ListId(kWidth), 1);
    EXPECT_EQ(Text(kWidth), u"1240");
    EXPECT_EQ(Max(kWidth), 1240);
    page.UserSelect(ListId(kWidth), 0);
    EXPECT_EQ(Max(kWidth), 832);

    // Fixed resolutions on 20 to 23: the lists cannot be changed.
    page.ApplyModel(22);
    EXPECT_EQ(C(ListId(kStop)).Text(), u"300dpi");
    EXPECT_FALSE(C(ListId(kStop)).IsEnabled());
    EXPECT_TRUE(C(FieldId(kStop)).IsEnabled());
    EXPECT_EQ(Max(kStop), 1984);
    EXPECT_EQ(Text(kStop), u"1984");
    page.UserSpin(SpinId(kStop), 1);
    EXPECT_EQ(Text(kStop), u"1984");
    page.ApplyModel(21);
    EXPECT_EQ(C(ListId(kStart)).Text(), u"203dpi");
    EXPECT_EQ(Max(kStart), 1344);
    EXPECT_EQ(Text(kStop), u"1344");

    // A fill shows the fixed resolution whatever the record says.
    page.ApplyModel(23);
    SettingValue& stop = record.Item(entry::kHeadCheckStopPos);
    stop = {1, u"1500", u"", 0, 0, 0};
    EXPECT_TRUE(page.FillFromSettings());
    EXPECT_EQ(C(ListId(kStop)).Text(), u"300dpi");
    EXPECT_EQ(Text(kStop), u"1500");
    // Back on a free model the lists can be chosen again.
    page.ApplyModel(5);
    EXPECT_TRUE(C(ListId(kStop)).IsEnabled());
    EXPECT_EQ(C(ListId(kStop)).Text(), u"203dpi");
}

TEST_F(AdvancedPageTest, RibbonEndDetectionFollowsTheModel) {
    const int ribbon = ListId(AdvancedRow(TextId::kAdvRibbonEndDetection));
    page.ApplyModel(12);
    EXPECT_EQ(C(ribbon).Count(), 3);
    EXPECT_EQ(C(ribbon).Text(), u"NORMAL");
    page.ApplyModel(16);
    EXPECT_EQ(C(ribbon).Count(), 2);
    EXPECT_EQ(C(ribbon).Text(), u"NORMAL");
    EXPECT_TRUE(C(ribbon).IsEnabled());
    page.ApplyModel(0);
    EXPECT_FALSE(C(ribbon).IsEnabled());
    // The models that do not show the item list it without "QUICK" all the same.
    for (int model : {26, 27, 28, 32, 33, 34}) {
        page.ApplyModel(12);
        page.ApplyModel(model);
        ASSERT_EQ(C(ribbon).Count(), 2) << model;
        EXPECT_EQ(C(ribbon).ItemText(0), u"NORMAL") << model;
        EXPECT_EQ(C(ribbon).Text(), u"NORMAL") << model;
    }
}

TEST_F(AdvancedPageTest, CollectStoresShownTextsIndicesAndUnits) {
    page.ApplyModel(32);
    page.TickAll();
    EXPECT_EQ(page.CountTickedRfid(), 2);
    page.UserSelect(ListId(AdvancedRow(TextId::kAdvDarknessRate)), 1);
    page.UserSelect(ListId(kStop), 1);
    page.UserSelect(ListId(AdvancedRow(TextId::kAdvUsbSerialNumber)), 1);
    page.UserEdit(FieldId(AdvancedRow(TextId::kAdvUsbSerialNumber)), u"QM123");
    page.UserSelect(UnitId(AdvancedRow(TextId::kAdvRfidAntennaPosition)), 1);
    EXPECT_EQ(Text(AdvancedRow(TextId::kAdvRfidAntennaPosition)), u"18.5");
    ASSERT_TRUE(page.CollectTicked());

    EXPECT_EQ(record.Item(entry::kDoubleHeatMenu - 1).value, u"LOW");
    const SettingValue& stop = record.Item(entry::kHeadCheckStopPos);
    EXPECT_EQ(stop.metric, 1);
    EXPECT_EQ(stop.value, u"1240");
    const SettingValue& serial = record.Item(entry::kUsbSerialNumber);
    EXPECT_EQ(serial.second, u"ON");
    EXPECT_EQ(serial.choice, 1);
    EXPECT_EQ(serial.value, u"QM123");
    const SettingValue& antenna = record.Item(177);
    EXPECT_EQ(antenna.value, u"18.5");
    EXPECT_EQ(antenna.second, u"MM");
    // A row the model does not have stays out.
    EXPECT_EQ(record.Item(SettingsRecord::kStandardEntryCount + 2).ticked, 0);

    // The serial number row shows the received choice.
    page.UntickAll();
    SettingValue& received = record.Item(entry::kUsbSerialNumber);
    received = {1, u"QM9", u"", 0, 0, 0};
    page.FillFromSettings();
    EXPECT_EQ(C(ListId(AdvancedRow(TextId::kAdvUsbSerialNumber))).Text(), u"OFF");
}

TEST_F(AdvancedPageTest, LanguageChangeResetsCaptionsAndKeepsValues) {
    page.UserClick(TickId(AdvancedRow(TextId::kAdvAutoCalMode)));
    page.UserSelect(ListId(AdvancedRow(TextId::kAdvAutoCalMode)), 1);
    page.UserEdit(FieldId(AdvancedRow(TextId::kAdvHeadCleanMessage)), u"1200");
    page.RefreshTexts(UiLanguage::kJapanese);
    EXPECT_EQ(page.GetItemText(AdvancedPageTable::kGroupId),
              TextTable::Caption(TextId::kAdvFactoryMode, UiLanguage::kJapanese));
    EXPECT_EQ(C(TickId(AdvancedRow(TextId::kAdvAutoCalMode))).Text(),
              TextTable::Caption(TextId::kAdvAutoCalMode, UiLanguage::kJapanese));
    EXPECT_EQ(C(TickId(AdvancedRow(TextId::kAdvAutoCalMode))).Check(), 1);
    EXPECT_EQ(C(ListId(AdvancedRow(TextId::kAdvAutoCalMode))).Text(), u"ON");
    EXPECT_EQ(Text(AdvancedRow(TextId::kAdvHeadCleanMessage)), u"1200");
    // The Japanese-only row on model 0.
    EXPECT_TRUE(C(TickId(AdvancedRow(TextId::kAdvFixReflectSensitivity))).IsEnabled());
    page.RefreshTexts(UiLanguage::kEnglish);
    EXPECT_FALSE(C(TickId(AdvancedRow(TextId::kAdvFixReflectSensitivity))).IsEnabled());
}

} // namespace
} // namespace qm
