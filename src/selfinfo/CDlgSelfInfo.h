#pragma once

#include "selfinfo/SelfInfoReport.h"
#include "text/TextTable.h"
#include "text/UiLanguage.h"
#include "ui/Dialog.h"

#include <ctime>
#include <functional>
#include <string>

namespace qm {

// The Self Information dialog (resource 105): the printer's machine information and its current
// menu settings, rearranged for reading, three confirmation boxes, and Save, which writes both
// texts as one comma-separated report into a folder named after the date and closes the
// dialog with OK. It does not talk to the printer: the main window hands it the two texts it
// has just received (the machine-information reply and the STANDARD menu reply).
class CDlgSelfInfo : public ui::Dialog {
public:
    using LocalTime = std::function<std::tm()>;

    CDlgSelfInfo(std::u16string machineInfoText, std::u16string menuSettingsText,
                 UiLanguage language = UiLanguage::kEnglish);

    // The folder the date folder is made in; empty (the default) is the current folder.
    void SetSaveFolder(std::string folder) { saveFolder_ = std::move(folder); }
    // The local time Save takes (the system's by default).
    void SetLocalTime(LocalTime localTime) { localTime_ = std::move(localTime); }

    const std::u16string& MachineText() const { return machineText_; }
    const std::u16string& MenuText() const { return menuText_; }
    // What the last Save did (kSaved with an empty path before any Save).
    const ReportResult& LastSave() const { return lastSave_; }

    // The confirmation boxes that must all be ticked before Save.
    static constexpr int kCheckCount = 3;

protected:
    bool OnInitDialog() override;
    bool OnNotify(ui::Notification& n) override;

private:
    void OnCheck(int id);
    void OnSave();
    bool AllChecked() const;
    void Report(LongTextId text, LongTextId caption);

    std::u16string machineInfoText_;
    std::u16string menuSettingsText_;
    UiLanguage language_;
    std::u16string machineText_;
    std::u16string menuText_;
    std::string saveFolder_;
    LocalTime localTime_;
    ReportResult lastSave_;
};

} // namespace qm
