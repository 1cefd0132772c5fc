#pragma once

#include "pages/SettingsPage.h"

namespace qm {

// The Information page (template 3000): serial number and counters, the printer status in one
// of two forms and the "Receive Printer Status only" box. It has no items; Esc is not
// swallowed by this page but handed on to the main window.
class CDlgTabInformation : public SettingsPage {
public:
    explicit CDlgTabInformation(SettingsRecord& record);

    // Command language family 2 enables the "EPL Printer Status" group and disables the five
    // DMX/ZPL status texts and captions; any other family enables the DMX/ZPL group and
    // disables the EPL message text.
    void SelectStatusGroup(int family);
    int StatusFamily() const { return family_; }
    bool ReceiveStatusOnly() const;

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;

private:
    void SetCaptions();
    int family_ = 0;
};

} // namespace qm
