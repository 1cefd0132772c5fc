#pragma once

#include "pages/EasyBlock.h"
#include "pages/SettingsPage.h"

namespace qm {

// The Sensor Adjustment page (template 114): Config Set, the media type ("Labels with gaps" or
// "Black marks on back") and four illustrated steps chosen by the model's picture set and the
// media type; its Start button presses the main window's Send button. Scrolls 0..1180.
class CDlgTabCalibration : public SettingsPage {
public:
    explicit CDlgTabCalibration(SettingsRecord& record);

    // Picture set of a model: 1 for models 15-19, 2 for 26-37, 3 for 2-4, 0 for the others.
    static int PictureSet(int modelIndex);
    // The bitmap and step-text number (1..9) of step 0..3 for a picture set and media type.
    static int StepPicture(int pictureSet, int media, int step);
    static int StepText(int pictureSet, int media, int step);

    // On a model change and at set-up: Config Set unticked with "CONFIG SET 1", media type
    // "Labels with gaps", the steps for the model shown and laid out.
    void Reset(int modelIndex);
    void OnModelChange(int modelIndex) override { Reset(modelIndex); }

    // Takes the Config Set and media groups of a block (a continuous medium counts as gaps).
    void CalibrationFromBlock(const EasyBlock& block);

    int MediaType() const { return mediaType_; }
    // Chooses a media type as its radio button does; the one already chosen changes nothing.
    void SelectMediaType(int media);
    // The Config Set item box (ticked by "Check/Uncheck All Items").
    void SetItemBox(bool ticked);
    bool ItemBox() const;
    int ConfigSetIndex() const;
    // How often the steps were loaded (texts and pictures).
    int StepLoads() const { return stepLoads_; }

    void RefreshTexts(UiLanguage language) override;

protected:
    void InitPage() override;
    bool OnPageNotify(ui::Notification& n) override;

private:
    void SetCaptions();
    void LoadSteps();
    void LayoutSteps();

    int mediaType_ = 0;
    int stepLoads_ = 0;
};

} // namespace qm
