#include "TestPage.h"

#include "pages/CDlgTabInformation.h"
#include "resources/InformationPageTemplate.h"
#include "support/ScriptedHostGTest.h"
#include "text/TextTable.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace res;

class InformationPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallGTestFailures(host);
        window.SetHost(&host);
        window.Create(nullptr);
        info.SetOwner(&owner);
        ASSERT_TRUE(info.Create(&window));
    }
    std::u16string Flag(int i) const { return info.GetItemText(kIdInfoPaperError + i); }
    std::optional<ui::Colour> Colour(int id) { return info.RequestColours(id).textColour; }

    ui::ScriptedHost host;
    ui::Dialog window{kInformationPageTemplate};
    SettingsRecord record;
    testing::FakeOwner owner;
    CDlgTabInformation info{record};
};

TEST_F(InformationPageTest, FlagRepliesShowYesInRedAndTheRestInBlue) {
    EXPECT_EQ(info.ShowStatus(0, "NNNYNNNNN", UiLanguage::kEnglish), 1);
    const char16_t* expected[] = {u"No", u"No", u"Yes", u"No", u"No"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Flag(i), expected[i]) << i;
        EXPECT_EQ(Colour(kIdInfoPaperError + i), i == 2 ? ui::kRed : ui::kBlue) << i;
    }
    // A host status reply fills the same five texts; one without its strings empties them.
    info.ShowStatus(1,
                    "\x02"
                    "030,1,0,0813,000,0,0,0,000,0,0,0\x03\r\n\x02"
                    "000,0,0,1,0,0,0,0,00000000,1,000\x03\r\n",
                    UiLanguage::kJapanese);
    EXPECT_EQ(Flag(0), u"Yes");
    EXPECT_EQ(Flag(1), u"Yes");
    EXPECT_EQ(Flag(2), u"No");
    EXPECT_EQ(Colour(kIdInfoPaperError + 1), ui::kRed);
    info.ShowStatus(1, "no status here", UiLanguage::kEnglish);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Flag(i), u"") << i;
        EXPECT_EQ(Colour(kIdInfoPaperError + i), ui::kBlue) << i;
    }
}

// The error-code form greys the five flag texts and their captions, not the group box caption;
// the flag forms grey the error message.
TEST_F(InformationPageTest, StatusGroupSelectionGreysOnlyTheOtherFormsFields) {
    for (int family : {2, 0, 1}) {
        SCOPED_TRACE(family);
        info.SelectStatusGroup(family);
        const bool epl = family == 2;
        EXPECT_TRUE(info.Item(kIdInfoGroupDmxZpl).IsEnabled());
        EXPECT_TRUE(info.Item(kIdInfoGroupEpl).IsEnabled());
        EXPECT_EQ(info.Item(kIdInfoErrorMessage).IsEnabled(), epl);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(info.Item(kIdInfoPaperErrorCaption + i).IsEnabled(), !epl);
            EXPECT_EQ(info.Item(kIdInfoPaperError + i).IsEnabled(), !epl);
        }
    }
}

TEST_F(InformationPageTest, ErrorCodeMessagesByLanguageAndColour) {
    info.SelectStatusGroup(2);
    info.ShowStatus(2, "11\r\n", UiLanguage::kEnglish);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorCode), u"11");
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"Head up");
    EXPECT_EQ(Colour(kIdInfoErrorCode), ui::kRed);
    EXPECT_EQ(Colour(kIdInfoErrorMessage), ui::kRed);

    info.ShowStatus(2, "11\r\n", UiLanguage::kJapanese);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"ヘッドアップ");
    // Only English and Japanese messages exist.
    info.ShowStatus(2, "07\r\n", UiLanguage::kKorean);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"Paper end / Ribbon end");
    info.ShowStatus(2, "12\r\n", UiLanguage::kChinese);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"Pause / Waiting for peeling");

    info.ShowStatus(2, "00\r\n", UiLanguage::kEnglish);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"No error");
    EXPECT_EQ(Colour(kIdInfoErrorCode), ui::kBlue);
    EXPECT_EQ(Colour(kIdInfoErrorMessage), ui::kBlue);

    // A code the table does not know still shows a message, in red.
    info.ShowStatus(2, "42\r\n", UiLanguage::kJapanese);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorCode), u"42");
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"その他のエラー");
    EXPECT_EQ(Colour(kIdInfoErrorMessage), ui::kRed);
    info.ShowStatus(2, "17\r\n", UiLanguage::kJapanese);
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"プリンタ使用中");
}

TEST_F(InformationPageTest, CountersAreShownKeptAndCleared) {
    const std::u16string counters = u"Serial Number : GX4-123456\r\n"
                                    u"Print Counter Length 1234.5 m\r\n"
                                    u"Service Counter Length 567.8 m\r\n"
                                    u"Cut Counter 89\r\n";
    EXPECT_EQ(info.ShowCounters(counters), 1);
    EXPECT_EQ(info.GetItemText(kIdInfoSerial), u"GX4-123456");
    EXPECT_EQ(info.GetItemText(kIdInfoSerial + 1), u"1234.5 m");
    EXPECT_EQ(info.GetItemText(kIdInfoSerial + 2), u"567.8 m");
    EXPECT_EQ(info.GetItemText(kIdInfoSerial + 3), u"89");
    EXPECT_EQ(record.information[3], u"89");

    // A reply without any of the four answers changes nothing and reports it.
    EXPECT_EQ(info.ShowCounters(u"END\r\n"), 0);
    EXPECT_EQ(info.GetItemText(kIdInfoSerial), u"GX4-123456");

    // ShowInformation shows what the record holds.
    record.information[0] = u"X1";
    info.ShowInformation();
    EXPECT_EQ(info.GetItemText(kIdInfoSerial), u"X1");

    info.ShowStatus(2, "07\r\n", UiLanguage::kEnglish);
    info.ShowStatus(0, "NYYYYYY", UiLanguage::kEnglish);
    info.UserClick(kIdInfoStatusOnly);
    info.ClearInformation();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(info.GetItemText(kIdInfoSerial + i), u"") << i;
        EXPECT_EQ(record.information[static_cast<size_t>(i)], u"") << i;
    }
    EXPECT_EQ(Flag(0), u"");
    EXPECT_EQ(info.GetItemText(kIdInfoErrorCode), u"");
    EXPECT_EQ(info.GetItemText(kIdInfoErrorMessage), u"");
    EXPECT_TRUE(info.ReceiveStatusOnly());
    info.ClearInformationForReceive();
    EXPECT_FALSE(info.ReceiveStatusOnly());
}

} // namespace
} // namespace qm
