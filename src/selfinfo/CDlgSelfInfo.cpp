#include "selfinfo/CDlgSelfInfo.h"

#include "platform/Encoding.h"
#include "resources/SelfInfoTemplate.h"
#include "selfinfo/SelfInfoText.h"
#include "text/MessageBoxHost.h"
#include "ui/Host.h"

#include <array>

namespace qm {
namespace {

using namespace res;

// The three confirmation boxes and their captions when ticked and when not.
struct CheckRow {
    int id;
    std::u16string_view ticked;
    std::u16string_view unticked;
};

constexpr std::array<CheckRow, CDlgSelfInfo::kCheckCount> kChecks = {{
    {kIdSelfInfoCheck1, u"Check1:OK", u"Check1:"},
    {kIdSelfInfoCheck2, u"Check2:OK", u"Check2:"},
    {kIdSelfInfoCheck3, u"Check3:OK", u"Check3:"},
}};

constexpr int kMachineTabStops = 32; // dialog-template units
constexpr int kMenuTabStops = 4;
constexpr ui::FontSpec kMenuFont{28, 16};
constexpr ui::Colour kTickedGreen{0, 255, 0};

std::tm SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// Where the report's failures and success are said: text, caption.
struct OutcomeRow {
    ReportOutcome outcome;
    LongTextId text;
    LongTextId caption;
};

constexpr OutcomeRow kOutcomes[] = {
    {ReportOutcome::kFolderError, LongTextId::kSelfInfoFolderError,
     LongTextId::kSelfInfoFolderCaption},
    {ReportOutcome::kNoModel, LongTextId::kSelfInfoNoModel, LongTextId::kSelfInfoDataCaption},
    {ReportOutcome::kNoSerial, LongTextId::kSelfInfoNoSerial, LongTextId::kSelfInfoDataCaption},
    {ReportOutcome::kOpenError, LongTextId::kSelfInfoOpenError, LongTextId::kSelfInfoFileCaption},
    {ReportOutcome::kWriteError, LongTextId::kSelfInfoWriteError, LongTextId::kSelfInfoFileCaption},
};

} // namespace

CDlgSelfInfo::CDlgSelfInfo(std::u16string machineInfoText, std::u16string menuSettingsText,
                           UiLanguage language)
    : ui::Dialog(kSelfInfoTemplate), machineInfoText_(std::move(machineInfoText)),
      menuSettingsText_(std::move(menuSettingsText)), language_(language),
      localTime_(SystemLocalTime) {}

bool CDlgSelfInfo::OnInitDialog() {
    SetTitle(TextTable::Caption(TextId::kSelfInfoTitle, language_));
    SetItemText(kIdSelfInfoSave, TextTable::Caption(TextId::kSelfInfoSave, language_));
    SetItemText(kIdSelfInfoMachineLabel,
                TextTable::Caption(TextId::kSelfInfoMachineInformation, language_));
    SetItemText(kIdSelfInfoMenuLabel,
                TextTable::Caption(TextId::kSelfInfoCurrentMenuSettings, language_));

    menuText_ = SelfInfoText::BuildMenuText(menuSettingsText_);
    machineText_ = SelfInfoText::BuildMachineText(machineInfoText_, menuText_);

    Item(kIdSelfInfoMachineText).SetTabStops(kMachineTabStops);
    ui::Control& menu = Item(kIdSelfInfoMenuText);
    menu.SetTabStops(kMenuTabStops);
    menu.SetFont(kMenuFont);

    SetItemText(kIdSelfInfoMachineText, machineText_);
    SetItemText(kIdSelfInfoMenuText, menuText_);
    EnableItem(kIdSelfInfoSave, false);
    return true;
}

bool CDlgSelfInfo::AllChecked() const {
    for (const CheckRow& row : kChecks) {
        if (IsButtonChecked(row.id) != 1) {
            return false;
        }
    }
    return true;
}

void CDlgSelfInfo::OnCheck(int id) {
    for (const CheckRow& row : kChecks) {
        if (row.id == id) {
            SetItemText(id, IsButtonChecked(id) == 1 ? row.ticked : row.unticked);
        }
    }
    EnableItem(kIdSelfInfoSave, AllChecked());
    Invalidate();
}

void CDlgSelfInfo::Report(LongTextId text, LongTextId caption) {
    if (ui::Host* host = GetHost()) {
        host->MessageBox(TextTable::Long(text, language_), TextTable::Long(caption, language_),
                         kMbIconError);
    }
}

void CDlgSelfInfo::OnSave() {
    if (!AllChecked()) {
        return; // Enter with Save disabled: nothing is saved until all three are ticked
    }
    lastSave_ = SelfInfoReport::Save(saveFolder_, machineText_, menuText_, localTime_());
    for (const OutcomeRow& row : kOutcomes) {
        if (row.outcome == lastSave_.outcome) {
            Report(row.text, row.caption); // the dialog stays open
            return;
        }
    }
    if (ui::Host* host = GetHost()) {
        const std::u16string message =
            u"\"" + AnsiToWide(lastSave_.path) + u"\"" +
            std::u16string(TextTable::Long(LongTextId::kSelfInfoSaved, language_));
        host->MessageBox(message, TextTable::Long(LongTextId::kSelfInfoSaveCaption, language_),
                         kMbIconInformation);
    }
    EndDialog(kIdOk);
}

bool CDlgSelfInfo::OnNotify(ui::Notification& n) {
    switch (n.event) {
    case ui::Event::Clicked:
        if (n.id == kIdSelfInfoSave) {
            OnSave();
            return true;
        }
        if (n.id == kIdSelfInfoCheck1 || n.id == kIdSelfInfoCheck2 || n.id == kIdSelfInfoCheck3) {
            OnCheck(n.id);
            return true;
        }
        return false;
    case ui::Event::Ok:
        OnSave();
        return true;
    case ui::Event::ColourRequest:
        if (n.id == kIdSelfInfoMenuText) {
            n.textColour = ui::kBlue;
            return true;
        }
        for (const CheckRow& row : kChecks) {
            if (row.id == n.id) {
                n.backColour = ui::kBlack;
                n.textColour = IsButtonChecked(n.id) == 1 ? kTickedGreen : ui::kRed;
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

} // namespace qm
