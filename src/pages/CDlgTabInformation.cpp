#include "pages/CDlgTabInformation.h"

#include "resources/InformationPageTemplate.h"
#include "text/TextTable.h"

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

PageBehaviour InformationBehaviour() {
    PageBehaviour behaviour;
    behaviour.escapeToOwner = true;
    return behaviour;
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
    const bool epl = family == 2;
    if (epl) {
        EnableItem(kIdInfoGroupEpl, true);
        EnableItem(kIdInfoErrorCodeCaption, true);
        EnableItem(kIdInfoErrorCode, true);
    }
    EnableItem(kIdInfoErrorMessage, epl);
    EnableItem(kIdInfoGroupDmxZpl, !epl);
    for (int i = 0; i < 5; ++i) {
        EnableItem(kIdInfoPaperErrorCaption + i, !epl);
        EnableItem(kIdInfoPaperError + i, !epl);
    }
}

bool CDlgTabInformation::ReceiveStatusOnly() const {
    return IsButtonChecked(kIdInfoStatusOnly) == 1;
}

} // namespace qm
