#include "pages/CDlgTabCalibration.h"

#include "resources/CalibrationPageTemplate.h"
#include "text/TextTable.h"

#include <algorithm>

namespace qm {

using ui::Control;

namespace {

using namespace res;

struct Step {
    int picture;
    int text;
};

// [picture set][media type][step]
constexpr Step kSteps[4][2][4] = {
    {{{255, 1}, {266, 5}, {259, 7}, {261, 9}}, {{255, 3}, {267, 6}, {258, 8}, {260, 9}}},
    {{{262, 2}, {266, 5}, {264, 7}, {265, 9}}, {{262, 4}, {267, 6}, {263, 8}, {265, 9}}},
    {{{250, 1}, {266, 5}, {252, 7}, {254, 9}}, {{250, 3}, {267, 6}, {251, 8}, {253, 9}}},
    {{{274, 1}, {266, 5}, {277, 7}, {278, 9}}, {{280, 3}, {267, 6}, {275, 8}, {276, 9}}},
};

constexpr int kStepSpacing = 20; // space between a picture and the next step, and the button
// One line of a step text in pixels: the dialog font's line, the CJK faces' taller one included.
constexpr int kStepLinePixels = 18;

// The template's height of a step text (pixels): the least a step text takes.
int StepTextTemplateHeight() {
    for (const ui::ControlTemplate& row : res::kCalibrationPageRows) {
        if (row.id == res::kIdCalStepText) {
            return ui::DialogUnitsToPixelsY(row.rect.height);
        }
    }
    return 0;
}

PageBehaviour CalibrationBehaviour() {
    PageBehaviour behaviour;
    behaviour.scrollMax = 1180;
    behaviour.wheel = true;
    behaviour.focusOnClick = true;
    return behaviour;
}

} // namespace

CDlgTabCalibration::CDlgTabCalibration(SettingsRecord& record)
    : SettingsPage(kCalibrationPageTemplate, record, {}, CalibrationBehaviour()) {}

int CDlgTabCalibration::PictureSet(int modelIndex) {
    if (modelIndex >= 15 && modelIndex <= 19) {
        return 1;
    }
    if (modelIndex >= 26 && modelIndex <= 37) {
        return 2;
    }
    if (modelIndex >= 2 && modelIndex <= 4) {
        return 3;
    }
    return 0;
}

int CDlgTabCalibration::StepPicture(int pictureSet, int media, int step) {
    if (pictureSet < 0 || pictureSet > 3 || media < 0 || media > 1 || step < 0 || step > 3) {
        return 0;
    }
    return kSteps[pictureSet][media][step].picture;
}

int CDlgTabCalibration::StepText(int pictureSet, int media, int step) {
    if (pictureSet < 0 || pictureSet > 3 || media < 0 || media > 1 || step < 0 || step > 3) {
        return 0;
    }
    return kSteps[pictureSet][media][step].text;
}

void CDlgTabCalibration::InitPage() {
    SettingsPage::InitPage();
    Control& configSet = Item(kIdCalConfigSet);
    configSet.ResetContent();
    for (const std::u16string& text : TextTable::ChoiceList(TextId::kConfigSet, Language())) {
        configSet.AddString(text);
    }
    ShowItem(kIdCalRadioRfid, false);
    EnableItem(kIdCalRadioRfid, false);
    ShowItem(kIdCalPictureRfid, false);
    EnableItem(kIdCalPictureRfid, false);
    SetCaptions();
    Reset(ModelIndex());
}

void CDlgTabCalibration::SetCaptions() {
    const UiLanguage language = Language();
    SetItemText(kIdCalGroupGlobal, TextTable::Caption(TextId::kCalGlobalConfig, language));
    SetItemText(kIdCalConfigSetTick, TextTable::Caption(TextId::kConfigSet, language));
    SetItemText(kIdCalGroupMedia, TextTable::Caption(TextId::kCalMediaCalibration, language));
    SetItemText(kIdCalRadioGaps, TextTable::Choice(TextId::kCalMediaType, 0, language));
    SetItemText(kIdCalRadioMarks, TextTable::Choice(TextId::kCalMediaType, 1, language));
    SetItemText(kIdCalRadioRfid, u"");
    SetItemText(kIdCalStart, TextTable::Caption(TextId::kCalStart, language));
    SetItemText(kIdCalPrompt, TextTable::Long(LongTextId::kCalSelectMedia, language));
}

void CDlgTabCalibration::RefreshTexts(UiLanguage language) {
    SettingsPage::RefreshTexts(language);
    SetCaptions();
    Control& configSet = Item(kIdCalConfigSet);
    const int selected = configSet.CurSel();
    configSet.ResetContent();
    for (const std::u16string& text : TextTable::ChoiceList(TextId::kConfigSet, language)) {
        configSet.AddString(text);
    }
    configSet.SetCurSel(selected);
    LoadSteps();
}

void CDlgTabCalibration::Reset(int modelIndex) {
    SetModelIndex(ModelTable::IsValid(modelIndex) ? modelIndex : 0);
    CheckButton(kIdCalConfigSetTick, 0);
    Item(kIdCalConfigSet).SetCurSel(0);
    mediaType_ = 0;
    CheckRadioButton(kIdCalRadioGaps, kIdCalRadioMarks, kIdCalRadioGaps);
    LoadSteps();
}

void CDlgTabCalibration::SelectMediaType(int media) {
    if (media < 0 || media > 1 || media == mediaType_) {
        return;
    }
    mediaType_ = media;
    CheckRadioButton(kIdCalRadioGaps, kIdCalRadioMarks,
                     media == 0 ? kIdCalRadioGaps : kIdCalRadioMarks);
    LoadSteps();
}

void CDlgTabCalibration::LoadSteps() {
    const int set = PictureSet(ModelIndex());
    static constexpr LongTextId kStepTexts[] = {
        LongTextId::kCalStep1, LongTextId::kCalStep2, LongTextId::kCalStep3,
        LongTextId::kCalStep4, LongTextId::kCalStep5, LongTextId::kCalStep6,
        LongTextId::kCalStep7, LongTextId::kCalStep8, LongTextId::kCalStep9};
    for (int step = 0; step < 4; ++step) {
        const int number = StepText(set, mediaType_, step);
        SetItemText(kIdCalStepText + step,
                    TextTable::Long(kStepTexts[static_cast<size_t>(number - 1)], Language()));
        Item(kIdCalStepPicture + step).SetPicture(StepPicture(set, mediaType_, step));
    }
    ++stepLoads_;
    LayoutSteps();
}

void CDlgTabCalibration::LayoutSteps() {
    // One column from the first step text: text, its picture directly below, 20 units of space,
    // the next text; the Start button centred 20 units below the last picture. A step text is
    // as high as its lines need (the longer translations have five), at least the template's.
    const ui::Rect first = Item(kIdCalStepText).GetRect();
    int y = first.y;
    int right = first.x;
    for (int step = 0; step < 4; ++step) {
        Control& text = Item(kIdCalStepText + step);
        ui::Rect r = text.GetRect();
        const std::u16string shown = text.Text();
        const int lines = 1 + static_cast<int>(std::count(shown.begin(), shown.end(), u'\n'));
        r.height = std::max(StepTextTemplateHeight(), lines * kStepLinePixels);
        text.SetRect(ui::Rect{first.x, y, r.width, r.height});
        y += r.height;
        Control& picture = Item(kIdCalStepPicture + step);
        ui::Rect p = picture.GetRect();
        picture.SetRect(ui::Rect{first.x, y, p.width, p.height});
        y += p.height + kStepSpacing;
        right = std::max(right, first.x + std::max(r.width, p.width));
    }
    Control& start = Item(kIdCalStart);
    const ui::Rect b = start.GetRect();
    start.SetRect(ui::Rect{first.x + (right - first.x - b.width) / 2, y, b.width, b.height});
}

void CDlgTabCalibration::CalibrationFromBlock(const EasyBlock& block) {
    if (block.configSetIncluded == 1) {
        CheckButton(kIdCalConfigSetTick, 1);
        Item(kIdCalConfigSet).SetCurSel(block.configSetIndex);
    }
    if (block.mediaIncluded == 1) {
        SelectMediaType(block.mediaIndex > 1 ? 0 : block.mediaIndex);
    }
}

void CDlgTabCalibration::SetItemBox(bool ticked) {
    CheckButton(kIdCalConfigSetTick, ticked ? 1 : 0);
}

bool CDlgTabCalibration::ItemBox() const {
    return IsButtonChecked(kIdCalConfigSetTick) == 1;
}

int CDlgTabCalibration::ConfigSetIndex() const {
    const Control* list = Find(kIdCalConfigSet);
    return list != nullptr ? list->CurSel() : -1;
}

bool CDlgTabCalibration::OnPageNotify(ui::Notification& n) {
    if (n.event != ui::Event::Clicked) {
        return false;
    }
    if (n.id == kIdCalRadioGaps || n.id == kIdCalRadioMarks) {
        // The radio is already checked by the click; the page state follows it.
        const int media = n.id == kIdCalRadioGaps ? 0 : 1;
        if (media != mediaType_) {
            SelectMediaType(media);
        }
        return true;
    }
    if (n.id == kIdCalStart) {
        if (Owner() != nullptr) {
            Owner()->PressSendConfiguration();
        }
        return true;
    }
    return false;
}

} // namespace qm
