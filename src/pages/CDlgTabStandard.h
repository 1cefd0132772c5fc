#pragma once

#include "pages/EasyBlock.h"
#include "pages/SettingsPage.h"
#include "pages/StandardPageTable.h"
#include "resources/PageTemplateIds.h"

namespace qm {

// The Standard page (template 1000): the printer's menu items in seven group boxes, scrolling
// 0..1660, the mouse wheel, focus on click. Its rows are StandardPageTable's; the page adds the
// lists and captions that follow the model, the reactions to Print Method and Media Sensor, and
// the RFID calibration results.
class CDlgTabStandard : public SettingsPage {
public:
    explicit CDlgTabStandard(SettingsRecord& record);

    // The emulation class of the selected Emulation Select entry: 0 when its text contains "D"
    // ("DM4", "DMI", "DPP"), else 1 when it contains "Z" ("ZPI2"), else 2 ("EPI2").
    int EmulationClass() const;

    // The rows the Easy page stands for, into a block: media (Media Sensor or Continuous Media
    // Length ticked), print method, Function Select, Vertical Position, Paper Position, and the
    // Config Set index.
    void StandardToBlock(EasyBlock& block) const;
    // Each included group ticks its rows and sets their controls; a continuous medium also
    // ticks Continuous Media Length with the block's paper length.
    void BlockToStandard(const EasyBlock& block);

    // Empties the three RFID calibration results, on the page and in the record (page
    // initialisation and the start of every Receive).
    void ClearRfidResults();

    // Captions, group boxes, result captions and every list in the new language; selections,
    // ticks and texts stay, availability follows the language rule.
    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    void AdjustModelLists(int modelIndex) override;
    void DefaultSpinRange(const PageItem& item, int modelIndex, int& lo, int& hi) const override;
    void BeforeFill() override;
    void AfterFill() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void SetPageCaptions();
    void SetStandbyCaption();
    // Print Speed for a print method (0 TT, 1 DT) on the models whose speeds follow it; the
    // selection becomes `select`, or stays when it is -1 and still in the list (else 0).
    void RebuildPrintSpeed(int method, int select);
    // Paper End Level and Sensor Level for a Media Sensor index on the current model.
    void SetMediaLevels(int sensor);
};

} // namespace qm
