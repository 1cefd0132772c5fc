#pragma once

#include "pages/EasyBlock.h"
#include "pages/SettingsPage.h"

namespace qm {

// The Standard page (template 1000): the printer's menu items in seven group boxes, scrolling
// 0..1660, the mouse wheel, focus on click. The rows shown so far are a representative part of
// the item table (list, text with spin, text with unit list, IPv4 address, IPv6 text, text that
// refuses commas); their controls sit at the ids of their item-table rows.
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

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    void AdjustModelLists(int modelIndex) override;
    void DefaultSpinRange(const PageItem& item, int modelIndex, int& lo, int& hi) const override;

private:
    void SetGroupCaptions();
};

} // namespace qm
