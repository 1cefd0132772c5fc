#pragma once

#include "connection/SerialSettings.h"
#include "text/UiLanguage.h"
#include "ui/Dialog.h"

namespace qm {

// The COM Settings dialog (resource 150): baud rate, data bits, stop bits, parity and flow
// control of a serial printer, in the current interface language. OK stores the chosen values
// into the settings it was given; Cancel (or Esc, or the close box) stores nothing.
class CComSettingsDlg : public ui::Dialog {
public:
    CComSettingsDlg(SerialSettings& settings, UiLanguage language);

protected:
    bool OnInitDialog() override;
    bool OnNotify(ui::Notification& n) override;

private:
    void OnOK();
    // Refills one list with rows in the current language, keeping its selection.
    void Translate(int listId, int labelId, int textId);

    SerialSettings& settings_;
    UiLanguage language_;
};

} // namespace qm
