#pragma once

#include "pages/AdvancedPageTable.h"
#include "pages/SettingsPage.h"
#include "resources/PageTemplateIds.h"

namespace qm {

// The Advanced page (template 2000): factory-level items in the "Factory Mode" group, scrolling
// 0..1000, the mouse wheel, focus on click. Its rows are AdvancedPageTable's. List texts are
// stored as shown (no mapping); the head-check resolution lists store their index, and their
// choice sets the dot count's range; Ribbon End Detection offers "QUICK" by model.
class CDlgTabAdvanced : public SettingsPage {
public:
    explicit CDlgTabAdvanced(SettingsRecord& record);

    // What showing the page does on the models with fixed head-check resolutions: models 20
    // and 21 select entry 0 ("203dpi") in the head-check start and stop lists, 22 and 23 entry
    // 1 ("300dpi"); other models leave the lists alone.
    void SelectHeadCheckResolution(int modelIndex);

    // Captions, group box and lists in the new language; selections, ticks and texts stay,
    // availability follows the language rule.
    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    void AdjustModelLists(int modelIndex) override;
    void DefaultSpinRange(const PageItem& item, int modelIndex, int& lo, int& hi) const override;
    void AfterFill() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void OnResolutionChanged(int row);
};

} // namespace qm
