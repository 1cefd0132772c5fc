#pragma once

#include "pages/EasyBlock.h"
#include "pages/SettingsPage.h"

namespace qm {

// The Easy page (template 102): media type with three pictures, paper length for continuous
// media, print method, post-print action, start and stop offsets: six rows that stand for six
// Standard rows. The page holds no settings of its own (its rows have no record item).
class CDlgTabEasy : public SettingsPage {
public:
    explicit CDlgTabEasy(SettingsRecord& record);

    // The media type radio: 0 labels with gaps, 1 black marks on back, 2 continuous.
    int MediaIndex() const { return mediaIndex_; }
    // Selects a media type as the radio buttons do (paper length editable only for 2).
    void SelectMedia(int index);

    // For each included group of the block: tick its box and set its controls.
    void EasyFromBlock(const EasyBlock& block);
    // For each ticked box: its group included, its control values copied into the block.
    void EasyToBlock(EasyBlock& block) const;

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    void FillValueList(PageItem& item) override;
    void AdjustModelLists(int modelIndex) override;
    void BeforeRestoreDefaults() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void SetCaptions();
    int mediaIndex_ = 0;
};

} // namespace qm
