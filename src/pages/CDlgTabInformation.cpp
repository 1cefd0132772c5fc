#include "pages/CDlgTabInformation.h"

#include "platform/Encoding.h"
#include "resources/InformationPageTemplate.h"
#include "settings/SettingsParser.h"
#include "text/TextTable.h"

#include <array>

namespace qm {
namespace {

using namespace res;

struct CaptionRow {
    int id;
    TextId text;
};

constexpr CaptionRow kCaptions[] = {
    {kIdInfoGroupInformation, TextId::kInfoPrinterInformation},
    {kIdInfoSerialCaption, TextId::kInfoSerialNumber},
    {kIdInfoSerialCaption + 1, TextId::kInfoPrintCounter},
    {kIdInfoSerialCaption + 2, TextId::kInfoServiceCounter},
    {kIdInfoSerialCaption + 3, TextId::kInfoCutCounter},
    {kIdInfoGroupDmxZpl, TextId::kInfoDmxZplStatus},
    {kIdInfoPaperErrorCaption, TextId::kInfoPaperError},
    {kIdInfoPaperErrorCaption + 1, TextId::kInfoRibbonError},
    {kIdInfoPaperErrorCaption + 2, TextId::kInfoPrinting},
    {kIdInfoPaperErrorCaption + 3, TextId::kInfoPause},
    {kIdInfoPaperErrorCaption + 4, TextId::kInfoWaitingForPeeling},
    {kIdInfoGroupEpl, TextId::kInfoEplStatus},
    {kIdInfoErrorCodeCaption, TextId::kInfoErrorCode},
    {kIdInfoStatusOnly, TextId::kInfoReceiveStatusOnly},
};

constexpr int kFlagCount = 5;
constexpr int kInformationCount = static_cast<int>(SettingsRecord::kInformationCount);

PageBehaviour InformationBehaviour() {
    PageBehaviour behaviour;
    behaviour.escapeToOwner = true;
    return behaviour;
}

std::u16string_view FlagText(StatusFlag flag, UiLanguage language) {
    if (flag == StatusFlag::kUnknown) {
        return {};
    }
    return TextTable::Choice(TextId::kInfoFlagValues, static_cast<int>(flag), language);
}

bool IsFlagText(int id) {
    return id >= kIdInfoPaperError && id < kIdInfoPaperError + kFlagCount;
}

} // namespace

CDlgTabInformation::CDlgTabInformation(SettingsRecord& record)
    : SettingsPage(kInformationPageTemplate, record, {}, InformationBehaviour()) {}

void CDlgTabInformation::InitPage() {
    SettingsPage::InitPage();
    SetCaptions();
    SelectStatusGroup(family_);
}

void CDlgTabInformation::SetCaptions() {
    for (const CaptionRow& row : kCaptions) {
        std::u16string_view caption = TextTable::Caption(row.text, Language());
        if (!caption.empty()) {
            SetItemText(row.id, caption);
        }
    }
}

void CDlgTabInformation::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetCaptions();
}

void CDlgTabInformation::SelectStatusGroup(int family) {
    family_ = family;
    const bool epl = family == static_cast<int>(StatusForm::kErrorCode);
    if (epl) {
        EnableItem(kIdInfoGroupEpl, true);
        EnableItem(kIdInfoErrorCodeCaption, true);
        EnableItem(kIdInfoErrorCode, true);
    }
    EnableItem(kIdInfoErrorMessage, epl);
    // Only the flag texts and their captions grey out: the group box keeps its caption.
    EnableItem(kIdInfoGroupDmxZpl, true);
    for (int i = 0; i < kFlagCount; ++i) {
        EnableItem(kIdInfoPaperErrorCaption + i, !epl);
        EnableItem(kIdInfoPaperError + i, !epl);
    }
}

bool CDlgTabInformation::ReceiveStatusOnly() const {
    return IsButtonChecked(kIdInfoStatusOnly) == 1;
}

void CDlgTabInformation::ShowInformation() {
    for (int i = 0; i < kInformationCount; ++i) {
        SetItemText(kIdInfoSerial + i, Record().information[static_cast<size_t>(i)]);
    }
    Invalidate();
}

void CDlgTabInformation::ClearInformation() {
    for (std::u16string& value : Record().information) {
        value.clear();
    }
    for (int i = 0; i < kInformationCount; ++i) {
        SetItemText(kIdInfoSerial + i, u"");
    }
    for (int i = 0; i < kFlagCount; ++i) {
        SetItemText(kIdInfoPaperError + i, u"");
    }
    SetItemText(kIdInfoErrorCode, u"");
    SetItemText(kIdInfoErrorMessage, u"");
    Invalidate();
}

void CDlgTabInformation::ClearInformationForReceive() {
    ClearInformation();
    CheckButton(kIdInfoStatusOnly, 0);
}

int CDlgTabInformation::ShowCounters(std::u16string_view reply) {
    const MachineInfo info = ParseMachineInfo(reply);
    bool any = false;
    for (const std::u16string& value : info.values) {
        any = any || !value.empty();
    }
    if (!any) {
        return 0;
    }
    for (size_t i = 0; i < info.values.size(); ++i) {
        Record().information[i] = info.values[i];
    }
    ShowInformation();
    return 1;
}

int CDlgTabInformation::ShowStatus(int form, std::string_view reply, UiLanguage language) {
    ShowStatusTexts(StatusDecoder::Decode(form, reply), language);
    return 1;
}

void CDlgTabInformation::ShowStatusTexts(const PrinterStatus& status, UiLanguage language) {
    const std::array<StatusFlag, kFlagCount> flags = {status.paperError, status.ribbonError,
                                                      status.printing, status.pause,
                                                      status.waitingForPeeling};
    for (int i = 0; i < kFlagCount; ++i) {
        SetItemText(kIdInfoPaperError + i, FlagText(flags[static_cast<size_t>(i)], language));
    }
    SetItemText(kIdInfoErrorCode, AnsiToWide(status.errorCode));
    // The message rows hold English for the Chinese and Korean interfaces.
    SetItemText(kIdInfoErrorMessage,
                status.message == StatusMessage::kNone
                    ? std::u16string_view()
                    : TextTable::Choice(TextId::kInfoStatusMessages,
                                        static_cast<int>(status.message), language));
    Invalidate();
}

bool CDlgTabInformation::OnPageNotify(ui::Notification& n) {
    if (n.event != ui::Event::ColourRequest) {
        return false;
    }
    if (IsFlagText(n.id)) {
        const bool yes = GetItemText(n.id).find(u"Yes") != std::u16string::npos;
        n.textColour = yes ? ui::kRed : ui::kBlue;
        return true;
    }
    if (n.id == kIdInfoErrorCode || n.id == kIdInfoErrorMessage) {
        const bool clear = GetItemText(kIdInfoErrorCode).find(u"00") != std::u16string::npos;
        n.textColour = clear ? ui::kBlue : ui::kRed;
        return true;
    }
    return false;
}

} // namespace qm
