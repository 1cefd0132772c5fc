#include "app/CComSettingsDlg.h"
#include "resources/ComSettingsTemplate.h"
#include "support/ScriptedHostGTest.h"
#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace res;

struct Shown {
    std::u16string baud, dataBits, stopBits, parity, flow, title;
};

// Opens the dialog for settings, records what it shows, then presses OK or Cancel.
Shown OpenDialog(SerialSettings& settings, UiLanguage language, int button,
                 const std::function<void(ui::Dialog&)>& act = nullptr) {
    ui::ScriptedHost host;
    ui::InstallGTestFailures(host);
    Shown shown;
    host.AnswerModal([&](ui::Dialog& d) {
        shown = {d.GetItemText(kIdComBaud),     d.GetItemText(kIdComDataBits),
                 d.GetItemText(kIdComStopBits), d.GetItemText(kIdComParity),
                 d.GetItemText(kIdComFlow),     d.Title()};
        if (act) {
            act(d);
        }
        d.UserClick(button);
        return kIdCancel;
    });
    CComSettingsDlg dialog(settings, language);
    const int result = dialog.DoModal(host);
    EXPECT_EQ(result, button == kIdComOk ? kIdOk : kIdCancel);
    return shown;
}

TEST(ComSettingsDlg, OpeningSelectsFromTheSettings) {
    SerialSettings settings;
    settings.baudRate = 4800;
    settings.dataBits = 8;
    settings.stopBits = 1; // one and a half
    settings.parity = 3;   // Mark
    settings.flow = u"X";
    Shown shown = OpenDialog(settings, UiLanguage::kEnglish, kIdComOk);
    EXPECT_EQ(shown.title, u"COM Settings");
    EXPECT_EQ(shown.baud, u"115200");
    EXPECT_EQ(shown.dataBits, u"8");
    EXPECT_EQ(shown.stopBits, u"2");
    EXPECT_EQ(shown.parity, u"None");
    EXPECT_EQ(shown.flow, u"Xon/Xoff");
    // OK without a change stores what was shown.
    EXPECT_EQ(settings.baudRate, 115200u);
    EXPECT_EQ(settings.stopBits, 2);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.flow, u"X");
}

TEST(ComSettingsDlg, OkStoresTheChoicesCancelNothing) {
    SerialSettings settings;
    OpenDialog(settings, UiLanguage::kEnglish, kIdComOk, [](ui::Dialog& d) {
        d.UserSelect(kIdComBaud, 1);
        d.UserSelect(kIdComDataBits, 0);
        d.UserSelect(kIdComStopBits, 1);
        d.UserSelect(kIdComParity, 2);
        d.UserSelect(kIdComFlow, 2);
    });
    EXPECT_EQ(settings.baudRate, 19200u);
    EXPECT_EQ(settings.dataBits, 7);
    EXPECT_EQ(settings.stopBits, 2);
    EXPECT_EQ(settings.parity, 2);
    EXPECT_EQ(settings.flow, u"N");

    const SerialSettings before = settings;
    OpenDialog(settings, UiLanguage::kEnglish, kIdComCancel, [](ui::Dialog& d) {
        d.UserSelect(kIdComBaud, 4);
        d.UserSelect(kIdComParity, 1);
    });
    EXPECT_EQ(settings, before);
}

TEST(ComSettingsDlg, TranslatedListsKeepTheirMeaning) {
    SerialSettings settings;
    settings.parity = 1;
    settings.flow = u"H";
    Shown shown = OpenDialog(settings, UiLanguage::kKorean, kIdComOk);
    EXPECT_EQ(shown.title, u"COM 설정");
    EXPECT_EQ(shown.parity, u"홀수");
    EXPECT_EQ(shown.flow, u"하드웨어");
    EXPECT_EQ(settings.parity, 1);
    EXPECT_EQ(settings.flow, u"H");

    // In Japanese "None" of both lists reads the same; parity None stays 0, flow becomes "N".
    OpenDialog(settings, UiLanguage::kJapanese, kIdComOk, [](ui::Dialog& d) {
        d.UserSelect(kIdComParity, 0);
        d.UserSelect(kIdComFlow, 2);
        EXPECT_EQ(d.GetItemText(kIdComParity), d.GetItemText(kIdComFlow));
    });
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.flow, u"N");
}

} // namespace
} // namespace qm
