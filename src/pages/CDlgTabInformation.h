#pragma once

#include "pages/SettingsPage.h"
#include "settings/StatusDecoder.h"

#include <string_view>

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

    // The four information texts from the record's information strings.
    void ShowInformation();
    // Empties the four information texts, the record's four information strings and the seven
    // status texts.
    void ClearInformation();
    // ClearInformation, and "Receive Printer Status only" unticked (the start of a Receive).
    void ClearInformationForReceive();
    // Reads a counters reply into the record's information strings and shows them. 0 when the
    // reply holds none of the four answers (nothing is changed then), else 1.
    int ShowCounters(std::u16string_view reply);
    // Decodes a status reply of form 0, 1 or 2 and shows it; the error-code message is
    // Japanese when language is Japanese, else English. Returns 1 (a result that shows no
    // message).
    int ShowStatus(int form, std::string_view reply, UiLanguage language);

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void SetCaptions();
    void ShowStatusTexts(const PrinterStatus& status, UiLanguage language);
    int family_ = 0;
};

} // namespace qm
