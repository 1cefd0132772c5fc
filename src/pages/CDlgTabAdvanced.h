#pragma once

#include "pages/SettingsPage.h"

namespace qm {

// The Advanced page (template 2000): factory-level items in the "Factory Mode" group, scrolling
// 0..1000, the mouse wheel, focus on click. List texts are stored as shown (no mapping); the
// head-check resolution lists store their index. The rows shown so far are a representative
// part of the item table.
class CDlgTabAdvanced : public SettingsPage {
public:
    explicit CDlgTabAdvanced(SettingsRecord& record);

    // What showing the page does on the models with fixed head-check resolutions: models 20
    // and 21 select entry 0 ("203dpi") in the head-check start and stop lists, 22 and 23 entry
    // 1 ("300dpi"); other models leave the lists alone.
    void SelectHeadCheckResolution(int modelIndex);

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
};

} // namespace qm
