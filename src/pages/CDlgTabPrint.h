#pragma once

#include "pages/SettingsPage.h"

#include <string>

namespace qm {

// The Print Test page (template 3025): the print kind (0 self test, 1 sample print, 2 send a
// print file), the chosen file path, Browse and Execute. Execute and Enter press the main
// window's hidden Print button; the main window carries out the print.
class CDlgTabPrint : public SettingsPage {
public:
    explicit CDlgTabPrint(SettingsRecord& record);

    int PrintKind() const { return printKind_; }
    // Print kind 0, "Self Test" selected, the other two cleared.
    void ResetPrintKind();
    // The chosen print file (also shown in the path field).
    const std::u16string& FilePath() const { return filePath_; }
    void SetFilePath(std::u16string_view path);
    // The folder last used for print files ("" until one was chosen); ends with "/".
    const std::u16string& PrintFolder() const { return printFolder_; }
    void SetPrintFolder(std::u16string_view folder) { printFolder_.assign(folder); }
    // The program's own folder, used by Browse while no print folder is remembered.
    void SetProgramFolder(std::u16string_view folder) { programFolder_.assign(folder); }
    // Browse: the open-file dialog; a chosen file becomes the path and its folder the print
    // folder; cancel changes nothing. Needs the host of the page.
    bool Browse();

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    void OnEnterKey() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void SetCaptions();

    int printKind_ = 0;
    std::u16string filePath_;
    std::u16string printFolder_;
    std::u16string programFolder_;
};

} // namespace qm
