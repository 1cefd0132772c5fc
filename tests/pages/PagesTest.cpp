#include "TestPage.h"

#include "pages/CDlgTabCalibration.h"
#include "pages/CDlgTabEasy.h"
#include "pages/CDlgTabInformation.h"
#include "pages/CDlgTabPrint.h"
#include "resources/CalibrationPageTemplate.h"
#include "resources/EasyPageTemplate.h"
#include "resources/InformationPageTemplate.h"
#include "resources/PrintPageTemplate.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace res;

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::InstallGTestFailures(host);
        window.SetHost(&host);
        window.Create(nullptr);
    }
    template <typename Page> Page& Make(Page& page) {
        page.SetOwner(&owner);
        EXPECT_TRUE(page.Create(&window));
        return page;
    }

    ui::ScriptedHost host;
    ui::Dialog window{kEasyPageTemplate};
    SettingsRecord record;
    testing::FakeOwner owner;
};

TEST_F(PagesTest, EasyPageMediaModelAndLanguage) {
    CDlgTabEasy easy(record);
    Make(easy);
    easy.ApplyModel(16);
    EXPECT_EQ(easy.Item(ListId(kEasyPostPrintRow)).Count(), 5); // "REWIND" on 15-19
    EXPECT_EQ(easy.GetItemText(ListId(kEasyPostPrintRow)), u"TEAR");
    EXPECT_EQ(easy.GetItemText(ListId(kEasyPrintMethodRow)), u"USE RIBBON");
    EXPECT_TRUE(easy.Item(TickId(kEasyPrintMethodRow)).IsEnabled());
    easy.ApplyModel(2);
    EXPECT_EQ(easy.Item(ListId(kEasyPostPrintRow)).Count(), 4);
    EXPECT_EQ(easy.GetItemText(ListId(kEasyPrintMethodRow)), u"DIRECT THERMAL");
    EXPECT_FALSE(easy.Item(TickId(kEasyPrintMethodRow)).IsEnabled());

    // Paper length only with "Continuous"; Restore Defaults goes back to gaps.
    EXPECT_FALSE(easy.Item(FieldId(kEasyPaperLengthRow)).IsEnabled());
    easy.UserClick(kIdEasyRadioContinuous);
    EXPECT_EQ(easy.MediaIndex(), 2);
    EXPECT_TRUE(easy.Item(FieldId(kEasyPaperLengthRow)).IsEnabled());
    easy.UserSelect(UnitId(kEasyPaperLengthRow), 1);
    EXPECT_EQ(easy.GetItemText(FieldId(kEasyPaperLengthRow)), u"101.6");
    easy.RestoreDefaults();
    EXPECT_EQ(easy.MediaIndex(), 0);
    EXPECT_EQ(easy.IsButtonChecked(kIdEasyRadioGaps), 1);
    EXPECT_EQ(easy.GetItemText(FieldId(kEasyPaperLengthRow)), u"4.00");
    EXPECT_FALSE(easy.Item(UnitId(kEasyPaperLengthRow)).IsEnabled());

    // A language change refills the lists in the new language; each keeps its entry, so a
    // ticked row never loses its value.
    easy.RefreshTexts(UiLanguage::kJapanese);
    EXPECT_EQ(easy.GetItemText(kIdEasyGroup),
              TextTable::Caption(TextId::kEasyMediaHandling, UiLanguage::kJapanese));
    EXPECT_EQ(easy.Item(ListId(kEasyPrintMethodRow)).ItemText(0),
              TextTable::Choice(TextId::kEasyPrintMethod, 0, UiLanguage::kJapanese));
    EXPECT_EQ(easy.GetItemText(ListId(kEasyPrintMethodRow)),
              TextTable::Choice(TextId::kEasyPrintMethod, 1, UiLanguage::kJapanese));
    EXPECT_EQ(easy.GetItemText(ListId(kEasyPostPrintRow)),
              TextTable::Choice(TextId::kEasyPostPrint, 1, UiLanguage::kJapanese));
}

TEST_F(PagesTest, CalibrationStepsFollowModelAndMedia) {
    CDlgTabCalibration cal(record);
    Make(cal);
    cal.Reset(17);
    EXPECT_EQ(cal.Item(kIdCalStepPicture).Picture(), 262);
    EXPECT_EQ(cal.GetItemText(kIdCalStepText),
              TextTable::Long(LongTextId::kCalStep2, UiLanguage::kEnglish));
    const int loads = cal.StepLoads();
    cal.UserClick(kIdCalRadioMarks);
    EXPECT_EQ(cal.MediaType(), 1);
    EXPECT_EQ(cal.StepLoads(), loads + 1);
    const int expected[] = {262, 267, 263, 265};
    const LongTextId texts[] = {LongTextId::kCalStep4, LongTextId::kCalStep6, LongTextId::kCalStep8,
                                LongTextId::kCalStep9};
    for (int step = 0; step < 4; ++step) {
        EXPECT_EQ(cal.Item(kIdCalStepPicture + step).Picture(), expected[step]);
        EXPECT_EQ(cal.GetItemText(kIdCalStepText + step),
                  TextTable::Long(texts[step], UiLanguage::kEnglish));
    }
    // The chosen radio again: nothing is reloaded.
    cal.UserClick(kIdCalRadioMarks);
    EXPECT_EQ(cal.StepLoads(), loads + 1);

    // Steps in one column, each picture right under its text, 20 pixels to the next text.
    const ui::Rect text0 = cal.Item(kIdCalStepText).GetRect();
    const ui::Rect picture0 = cal.Item(kIdCalStepPicture).GetRect();
    const ui::Rect text1 = cal.Item(kIdCalStepText + 1).GetRect();
    EXPECT_EQ(picture0.y, text0.Bottom());
    EXPECT_EQ(text1.y, picture0.Bottom() + 20);
    EXPECT_EQ(cal.Item(kIdCalStart).GetRect().y,
              cal.Item(kIdCalStepPicture + 3).GetRect().Bottom() + 20);
    EXPECT_FALSE(cal.Item(kIdCalRadioRfid).IsVisible());

    // A model change resets the page; Start presses Send Configuration.
    cal.CheckButton(kIdCalConfigSetTick, 1);
    cal.OnModelChange(3);
    EXPECT_FALSE(cal.ItemBox());
    EXPECT_EQ(cal.MediaType(), 0);
    EXPECT_EQ(cal.Item(kIdCalStepPicture).Picture(), 274);
    cal.UserClick(kIdCalStart);
    EXPECT_EQ(owner.sends, 1);
    cal.UserEnter();
    EXPECT_EQ(owner.sends, 2);
    EXPECT_EQ(cal.VScroll().max, 1180);
}

TEST_F(PagesTest, PrintPageBrowseAndKinds) {
    CDlgTabPrint print(record);
    Make(print);
    print.SetProgramFolder(u"/opt/quillmark/");
    print.UserClick(kIdPrintSendFile);
    EXPECT_EQ(print.PrintKind(), 2);
    print.ResetPrintKind();
    EXPECT_EQ(print.PrintKind(), 0);
    EXPECT_EQ(print.IsButtonChecked(kIdPrintSelfTest), 1);
    EXPECT_EQ(print.IsButtonChecked(kIdPrintSendFile), 0);

    host.AnswerFileDialog(u"/home/op/labels/sample.prn");
    print.UserClick(kIdPrintBrowse);
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    const ui::FileDialogRequest& first = host.FileDialogs()[0].request;
    EXPECT_FALSE(first.save);
    EXPECT_EQ(first.initialFolder, u"/opt/quillmark/.");
    EXPECT_EQ(first.defaultExtension, u"prn");
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_EQ(first.filter,
              std::u16string(u"PRN Files (*.prn)\0*.prn\0All Files (*.*)\0*.*\0\0", 45));
    EXPECT_EQ(print.FilePath(), u"/home/op/labels/sample.prn");
    EXPECT_EQ(print.GetItemText(kIdPrintPath), u"/home/op/labels/sample.prn");

    // Cancelling keeps the path; the next dialog opens in the folder last used.
    host.AnswerFileDialog(std::nullopt);
    print.UserClick(kIdPrintBrowse);
    EXPECT_EQ(host.FileDialogs()[1].request.initialFolder, u"/home/op/labels/.");
    EXPECT_EQ(print.FilePath(), u"/home/op/labels/sample.prn");

    print.UserEnter();
    print.UserClick(kIdPrintExecute);
    EXPECT_EQ(owner.prints, 2);
    EXPECT_EQ(owner.sends, 0);
}

TEST_F(PagesTest, InformationStatusGroups) {
    CDlgTabInformation info(record);
    Make(info);
    info.SelectStatusGroup(2);
    EXPECT_TRUE(info.Item(kIdInfoErrorMessage).IsEnabled());
    EXPECT_TRUE(info.Item(kIdInfoErrorCode).IsEnabled());
    EXPECT_FALSE(info.Item(kIdInfoPaperError).IsEnabled());
    EXPECT_FALSE(info.Item(kIdInfoPaperErrorCaption + 4).IsEnabled());
    info.SelectStatusGroup(1);
    EXPECT_FALSE(info.Item(kIdInfoErrorMessage).IsEnabled());
    EXPECT_TRUE(info.Item(kIdInfoPaperError + 2).IsEnabled());
    info.RefreshTexts(UiLanguage::kKorean);
    EXPECT_EQ(info.GetItemText(kIdInfoStatusOnly),
              TextTable::Caption(TextId::kInfoReceiveStatusOnly, UiLanguage::kKorean));
    // Esc goes on to the window that holds the page; the page itself stays shown.
    info.Show(true);
    info.UserEscape();
    EXPECT_TRUE(info.IsVisible());
    EXPECT_FALSE(info.IsEnded());
}

} // namespace
} // namespace qm
