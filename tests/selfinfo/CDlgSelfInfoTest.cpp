#include "SelfInfoTestSupport.h"

#include "platform/Encoding.h"
#include "resources/SelfInfoTemplate.h"
#include "selfinfo/CDlgSelfInfo.h"
#include "selfinfo/SelfInfoReport.h"
#include "selfinfo/SelfInfoText.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
using namespace res;
using test::kMachineInfo;
using test::kMenuSettings;

constexpr ui::Colour kTickedGreen{0, 255, 0};

class SelfInfoDialog : public ::testing::Test {
protected:
    void SetUp() override { ui::InstallGTestFailures(host); }

    // Opens the dialog modally and lets `script` act as the operator.
    int Run(CDlgSelfInfo& dlg, std::function<void(ui::Dialog&)> script) {
        dlg.SetSaveFolder(scratch.Path());
        dlg.SetLocalTime(test::SomeTime);
        host.AnswerModal([script](ui::Dialog& d) {
            script(d);
            return kIdCancel;
        });
        return dlg.DoModal(host);
    }
    static void TickAll(ui::Dialog& d) {
        d.UserClick(kIdSelfInfoCheck1);
        d.UserClick(kIdSelfInfoCheck2);
        d.UserClick(kIdSelfInfoCheck3);
    }
    fs::path Report() const {
        return fs::path(scratch.Path()) / "20261209" / "Vexa Gorse_GX4-123456_20261209_030405_.csv";
    }

    ui::ScriptedHost host;
    test::ScratchFolder scratch;
};

TEST_F(SelfInfoDialog, OpensWithBothTextsAndSaveDisabled) {
    CDlgSelfInfo dlg(kMachineInfo, kMenuSettings);
    Run(dlg, [&](ui::Dialog& d) {
        EXPECT_EQ(d.Title(), u"Self Information");
        EXPECT_EQ(d.GetItemText(kIdSelfInfoMachineLabel), u"< Machine Information >");
        const std::u16string menu = SelfInfoText::BuildMenuText(kMenuSettings);
        EXPECT_EQ(d.GetItemText(kIdSelfInfoMenuText), menu);
        EXPECT_EQ(d.GetItemText(kIdSelfInfoMachineText),
                  SelfInfoText::BuildMachineText(kMachineInfo, menu));
        EXPECT_EQ(d.Item(kIdSelfInfoMachineText).TabStops(), 32);
        EXPECT_EQ(d.Item(kIdSelfInfoMenuText).TabStops(), 4);
        EXPECT_EQ(d.Item(kIdSelfInfoMenuText).Font(), (ui::FontSpec{28, 16}));
        EXPECT_FALSE(d.Item(kIdSelfInfoSave).IsEnabled());
        EXPECT_EQ(d.RequestColours(kIdSelfInfoMenuText).textColour, ui::kBlue);
    });
    EXPECT_EQ(dlg.Result(), kIdCancel);
}

TEST_F(SelfInfoDialog, SaveNeedsAllThreeTicks) {
    CDlgSelfInfo dlg(kMachineInfo, kMenuSettings);
    Run(dlg, [&](ui::Dialog& d) {
        d.UserClick(kIdSelfInfoCheck1);
        EXPECT_EQ(d.GetItemText(kIdSelfInfoCheck1), u"Check1:OK");
        ui::Notification c = d.RequestColours(kIdSelfInfoCheck1);
        EXPECT_EQ(c.textColour, kTickedGreen);
        EXPECT_EQ(c.backColour, ui::kBlack);
        d.UserClick(kIdSelfInfoCheck2);
        EXPECT_FALSE(d.Item(kIdSelfInfoSave).IsEnabled());
        // Enter while Save is disabled saves nothing and keeps the dialog.
        d.UserEnter();
        EXPECT_FALSE(d.IsEnded());
        d.UserClick(kIdSelfInfoCheck3);
        EXPECT_TRUE(d.Item(kIdSelfInfoSave).IsEnabled());
        d.UserClick(kIdSelfInfoCheck2);
        EXPECT_EQ(d.GetItemText(kIdSelfInfoCheck2), u"Check2:");
        EXPECT_EQ(d.RequestColours(kIdSelfInfoCheck2).textColour, ui::kRed);
        EXPECT_FALSE(d.Item(kIdSelfInfoSave).IsEnabled());
    });
    EXPECT_FALSE(fs::exists(fs::path(scratch.Path()) / "20261209"));
    EXPECT_TRUE(host.Messages().empty());
}

TEST_F(SelfInfoDialog, SaveWritesTheReportSaysSoAndCloses) {
    CDlgSelfInfo dlg(kMachineInfo, kMenuSettings);
    host.AnswerMessageBox(kIdOk);
    const int result = Run(dlg, [&](ui::Dialog& d) {
        TickAll(d);
        d.UserClick(kIdSelfInfoSave);
    });
    EXPECT_EQ(result, kIdOk);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, u"\"" + U16(Report().string()) + u"\" was saved.");
    EXPECT_EQ(host.Messages()[0].caption, u"Save");
    const std::string saved = test::ReadWhole(Report());
    EXPECT_EQ(saved, SelfInfoReport::Content(dlg.MachineText(), dlg.MenuText()));
    EXPECT_NE(saved.find("Print Counter,1.234.5 m\r\n"), std::string::npos);
    EXPECT_EQ(saved.find('\t'), saved.find("\tV")); // only the unit's TAB is left
}

TEST_F(SelfInfoDialog, DataAndFolderErrorsKeepTheDialogOpen) {
    CDlgSelfInfo noModel(u"Serial Number\t:\tS\r\nEND\r\n", kMenuSettings);
    host.AnswerMessageBox(kIdOk);
    Run(noModel, [&](ui::Dialog& d) {
        TickAll(d);
        d.UserClick(kIdSelfInfoSave);
        EXPECT_FALSE(d.IsEnded());
    });
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, u"Error: No \"Model Number\".");
    EXPECT_EQ(host.Messages()[0].caption, u"Data Error");

    host.ClearRecords();
    CDlgSelfInfo noSerial(u"Model Number\t:\tM\r\nEND\r\n", kMenuSettings);
    host.AnswerMessageBox(kIdOk);
    Run(noSerial, [&](ui::Dialog& d) {
        TickAll(d);
        d.UserClick(kIdSelfInfoSave);
        EXPECT_FALSE(d.IsEnded());
    });
    EXPECT_EQ(host.Messages().at(0).text, u"Error: No \"Serial Number\".");

    host.ClearRecords();
    CDlgSelfInfo noFolder(kMachineInfo, kMenuSettings);
    host.AnswerMessageBox(kIdOk);
    host.AnswerModal([&](ui::Dialog& d) {
        TickAll(d);
        d.UserClick(kIdSelfInfoSave);
        EXPECT_FALSE(d.IsEnded());
        return kIdCancel;
    });
    noFolder.SetSaveFolder(scratch.Path() + "/not-there");
    noFolder.DoModal(host);
    EXPECT_EQ(host.Messages().at(0).text, u"Error: Could not create a folder.");
    EXPECT_EQ(host.Messages().at(0).caption, u"Folder Error");
}

} // namespace
} // namespace qm
