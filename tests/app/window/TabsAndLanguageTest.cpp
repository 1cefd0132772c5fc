#include "WindowTestSupport.h"

#include "platform/IniFile.h"

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

TEST_F(WindowTest, AdvancedWarningDeclinedThenAccepted) {
    COstrellDlg& w = Start();
    w.UserSelectTab(kIdTab, 3); // Information
    ASSERT_EQ(w.VisiblePage(), 3);

    host.AnswerMessageBox(kIdNo);
    w.UserSelectTab(kIdTab, 2);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text,
              u"Advanced menu contains mechanically sensitive items. Use at your own risk.");
    EXPECT_EQ(host.Messages()[0].style, kMbYesNo | kMbIconWarning);
    EXPECT_EQ(w.VisiblePage(), 3);
    EXPECT_TRUE(w.Page(3).IsVisible());
    EXPECT_FALSE(w.Page(2).IsVisible());
    EXPECT_EQ(C(kIdTab).CurSel(), 3);
    EXPECT_FALSE(w.AdvancedUnlocked());

    host.AnswerMessageBox(kIdYes);
    w.UserSelectTab(kIdTab, 2);
    EXPECT_EQ(w.VisiblePage(), 2);
    EXPECT_TRUE(w.Page(2).IsVisible());
    EXPECT_TRUE(w.AdvancedUnlocked());
    EXPECT_TRUE(w.Options().advancedUnlocked);

    // Never asked again in this run.
    w.UserSelectTab(kIdTab, 0);
    w.UserSelectTab(kIdTab, 2);
    EXPECT_EQ(w.VisiblePage(), 2);
    EXPECT_EQ(host.Messages().size(), 2u);
}

TEST_F(WindowTest, PageShowTable) {
    WriteIni("APP_MODE=QRVT\r\n");
    COstrellDlg& w = Start();
    host.AnswerMessageBox(kIdYes); // the Advanced warning
    struct Expected {
        int tab;
        const char16_t* send;
        bool importReceive;
        bool exportEnabled;
        bool selfInfo;
    };
    const Expected table[] = {
        {0, u"Send Configuration", true, true, false},
        {1, u"Send Configuration", true, true, true},
        {2, u"Send Configuration", true, true, false},
        {3, u"Send Configuration", true, true, false},
        {4, u"Start Sensor Adjustment", false, true, false},
        {5, u"Send File", false, false, false},
        {1, u"Send Configuration", true, true, true},
    };
    for (const Expected& e : table) {
        w.UserSelectTab(kIdTab, e.tab);
        SCOPED_TRACE(e.tab);
        EXPECT_EQ(w.VisiblePage(), e.tab);
        for (int i = 0; i < COstrellDlg::kPageCount; ++i) {
            EXPECT_EQ(w.Page(i).IsVisible(), i == e.tab);
        }
        EXPECT_EQ(C(kIdSend).Text(), e.send);
        EXPECT_EQ(C(kIdImport).IsEnabled(), e.importReceive);
        EXPECT_EQ(C(kIdReceive).IsEnabled(), e.importReceive);
        EXPECT_EQ(C(kIdScope).IsEnabled(), e.importReceive);
        EXPECT_EQ(C(kIdExport).IsEnabled(), e.exportEnabled);
        EXPECT_EQ(C(kIdSelfInfo).IsEnabled(), e.selfInfo);
    }
}

TEST_F(WindowTest, AdvancedPageOnFixedResolutionModels) {
    COstrellDlg& w = Start();
    w.UserSelect(kIdModel, 22);
    host.AnswerMessageBox(kIdYes);
    w.UserSelectTab(kIdTab, 2);
    EXPECT_EQ(w.Advanced().GetItemText(res::ListId(36)), u"300dpi");
    EXPECT_EQ(w.Advanced().GetItemText(res::ListId(37)), u"300dpi");
    w.UserSelectTab(kIdTab, 1);
    w.UserSelect(kIdModel, 20);
    w.UserSelectTab(kIdTab, 2);
    EXPECT_EQ(w.Advanced().GetItemText(res::ListId(36)), u"203dpi");
}

TEST_F(WindowTest, LanguageRoundTripKeepsTheScope) {
    COstrellDlg& w = Start();
    w.UserSelect(kIdScope, 1); // STANDARD
    w.UserSelectTab(kIdTab, 4);
    w.UserSelect(kIdModel, 5);

    w.UserSelect(kIdLanguage, 3); // Korean
    EXPECT_EQ(app->Region(), 3);
    EXPECT_EQ(C(kIdExit).Text(), u"나가기");
    EXPECT_EQ(C(kIdTab).ItemText(1), u"기본");
    EXPECT_EQ(C(kIdSend).Text(), u"센서 조정을 시작하십시오");
    EXPECT_EQ(C(kIdScope).CurSel(), 1);
    EXPECT_EQ(C(kIdScope).Text(), u"기본");
    EXPECT_EQ(C(kIdModel).CurSel(), 5);
    EXPECT_EQ(w.Standard().Language(), UiLanguage::kKorean);
    EXPECT_EQ(w.Easy().Language(), UiLanguage::kKorean);

    w.UserSelect(kIdLanguage, 0);
    EXPECT_EQ(app->Region(), 0);
    const std::pair<int, const char16_t*> captions[] = {
        {kIdCheckAll, u"Check/Uncheck All Items"},
        {kIdModelLabel, u"Printer Model:"},
        {kIdRadioDriver, u"Driver Name"},
        {kIdDetail, u"Detail..."},
        {kIdRadioNet, u"IP Address"},
        {kIdPortNumberLabel, u"Port Number:"},
        {kIdSend, u"Start Sensor Adjustment"},
        {kIdImport, u"Import..."},
        {kIdExport, u"Export..."},
        {kIdReceive, u"Receive"},
        {kIdRestoreDefaults, u"Restore Defaults"},
        {kIdExit, u"Exit"},
        {kIdRadioCom, u"COM / VCOM:"},
    };
    for (const auto& [id, text] : captions) {
        EXPECT_EQ(C(id).Text(), text) << id;
    }
    const char16_t* tabs[] = {u"Easy",        u"Standard",          u"Advanced",
                              u"Information", u"Sensor Adjustment", u"Print Test"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(C(kIdTab).ItemText(i), tabs[i]);
    }
    EXPECT_EQ(C(kIdScope).Text(), u"STANDARD");
    EXPECT_EQ(C(kIdScope).Count(), 5);
    EXPECT_EQ(C(kIdModel).CurSel(), 5);
}

TEST_F(WindowTest, LanguageChangeReappliesTheLanguageRule) {
    COstrellDlg& w = Start();
    w.UserSelect(kIdLanguage, 1); // Japanese
    // The Easy page follows the language (its lists are refilled in Japanese).
    EXPECT_EQ(w.Easy().Language(), UiLanguage::kJapanese);
    EXPECT_EQ(w.Options().japaneseInterface, true);
    w.UserSelect(kIdLanguage, 0);
    EXPECT_EQ(w.Options().japaneseInterface, false);
}

TEST_F(WindowTest, EscapeIsSwallowedEnterSends) {
    testing::CountingWindow& w = Start();
    w.UserEscape();
    EXPECT_FALSE(w.IsEnded());
    w.UserEnter();
    EXPECT_EQ(w.sends, 1);
    // Enter on a setting page presses Send Configuration; on the Print Test page Print.
    w.Standard().UserEnter();
    EXPECT_EQ(w.sends, 2);
    w.Print().UserEnter();
    EXPECT_EQ(w.prints, 1);
    w.Print().UserClick(1042); // Execute
    EXPECT_EQ(w.prints, 2);
    // Esc on a page is swallowed too; the Information page hands it to the window, which
    // swallows it: the page stays in its tab and the window stays open.
    w.Standard().Show(true);
    w.Standard().UserEscape();
    EXPECT_TRUE(w.Standard().IsVisible());
    w.UserSelectTab(kIdTab, 3);
    w.Information().UserEscape();
    EXPECT_TRUE(w.Information().IsVisible());
    EXPECT_FALSE(w.Information().IsEnded());
    EXPECT_FALSE(w.IsEnded());
    w.UserClick(kIdReceive);
    EXPECT_EQ(w.receives, 1);
}

TEST_F(WindowTest, ResizePlacesTheTabAndThePages) {
    COstrellDlg& w = Start();
    w.UserResize(700, 480);
    EXPECT_EQ(C(kIdTab).GetRect(), (ui::Rect{7, 35, 607, 435}));
    for (int i = 0; i < COstrellDlg::kPageCount; ++i) {
        EXPECT_EQ(w.Page(i).WindowRect(), (ui::Rect{10, 60, 600, 398}));
    }
}

TEST_F(WindowTest, ExitAsksAndWritesOnlyOnYes) {
    WriteIni("PORT_TYPE=LPT\r\nPORT_NAME=LPT1:\r\n");
    COstrellDlg& w = Start();
    w.UserClick(kIdRadioCom);
    host.AnswerMessageBox(kIdNo, u"Exit program?");
    w.UserClick(kIdExit);
    EXPECT_FALSE(w.IsEnded());
    IniFile ini((folder / "Quillmark.ini").string());
    EXPECT_EQ(ini.ReadString(kIniSection, kKeyPortType, u""), u"LPT");

    host.AnswerMessageBox(kIdYes, u"Exit program?");
    w.UserClick(kIdExit);
    EXPECT_TRUE(w.IsEnded());
    EXPECT_EQ(w.Result(), 0);
    EXPECT_EQ(ini.ReadString(kIniSection, kKeyPortType, u""), u"COM");
    EXPECT_EQ(ini.ReadString(kIniSection, kKeyPortName, u""), u"COM1:");
}

TEST_F(WindowTest, CloseRequestSavesToo) {
    COstrellDlg& w = Start();
    host.AnswerMessageBox(kIdNo);
    w.UserClose();
    EXPECT_FALSE(w.IsEnded());
    host.AnswerMessageBox(kIdYes);
    w.UserClose();
    EXPECT_TRUE(w.IsEnded());
    EXPECT_TRUE(w.AdvancedUnlocked());
}

} // namespace
} // namespace qm

namespace qm {
namespace {

using namespace res;
using testing::WindowTest;

constexpr int kEasyContinuous = 1022;
constexpr int kEasyMarks = 1021;

TEST_F(WindowTest, EasyValuesTravelToTheStandardPage) {
    COstrellDlg& w = Start();
    CDlgTabEasy& easy = w.Easy();
    CDlgTabStandard& standard = w.Standard();
    w.UserSelectTab(kIdTab, 0);

    // Only Post Print ticked: Function Select ticked with the same entry, nothing else.
    easy.UserClick(TickId(3));
    easy.UserSelect(ListId(3), 2); // PEEL ON
    w.UserSelectTab(kIdTab, 1);
    EXPECT_EQ(standard.IsButtonChecked(TickId(38)), 1);
    EXPECT_EQ(standard.GetItemText(ListId(38)), u"PEEL ON");
    EXPECT_EQ(standard.IsButtonChecked(TickId(13)), 0);
    EXPECT_EQ(standard.IsButtonChecked(TickId(6)), 0);
    EXPECT_EQ(standard.IsButtonChecked(TickId(7)), 0);

    // Continuous media: Media Sensor NONE and the paper length in Continuous Media Length.
    w.UserSelectTab(kIdTab, 0);
    easy.UserClick(TickId(0));
    easy.UserClick(kEasyContinuous);
    ASSERT_TRUE(easy.Item(FieldId(1)).IsEnabled());
    easy.UserSelect(UnitId(1), 1);
    easy.UserEdit(FieldId(1), u"150.0");
    w.UserSelectTab(kIdTab, 1);
    EXPECT_EQ(standard.GetItemText(ListId(13)), u"NONE");
    EXPECT_EQ(standard.IsButtonChecked(TickId(6)), 1);
    EXPECT_EQ(standard.GetItemText(FieldId(6)), u"150.0");
    EXPECT_EQ(standard.GetItemText(UnitId(6)), u"MM");

    // Leaving the Standard page carries its values back to the Easy page.
    standard.UserSelect(ListId(13), 1); // REFLECT
    w.UserSelectTab(kIdTab, 0);
    EXPECT_EQ(easy.MediaIndex(), 1);
    EXPECT_EQ(easy.IsButtonChecked(kEasyMarks), 1);
    EXPECT_FALSE(easy.Item(FieldId(1)).IsEnabled());

    // Continuous on the Easy page shows as "Labels with gaps" on the Sensor Adjustment page.
    easy.UserClick(kEasyContinuous);
    w.UserSelectTab(kIdTab, 4);
    EXPECT_EQ(w.Calibration().MediaType(), 0);
}

TEST_F(WindowTest, BlackMarksDoNotCarryThePaperLength) {
    COstrellDlg& w = Start();
    w.UserSelectTab(kIdTab, 0);
    CDlgTabEasy& easy = w.Easy();
    easy.UserClick(TickId(0));
    easy.UserClick(kEasyMarks);
    EXPECT_FALSE(easy.UserEdit(FieldId(1), u"9.99")); // not editable
    w.UserSelectTab(kIdTab, 4);
    EXPECT_EQ(w.Calibration().MediaType(), 1);
    EXPECT_EQ(w.Standard().GetItemText(ListId(13)), u"REFLECT");
    EXPECT_EQ(w.Standard().IsButtonChecked(TickId(6)), 0);
}

} // namespace
} // namespace qm
