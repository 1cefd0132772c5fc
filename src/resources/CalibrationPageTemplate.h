#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Sensor Adjustment page (template 114): Config Set, the media type with its pictures, the
// four illustrated steps and the Start button. Scrolls 0..1180.
inline constexpr int kCalibrationTemplateId = 114;
inline constexpr int kIdCalGroupGlobal = kGroupBase;
inline constexpr int kIdCalGroupMedia = kGroupBase + 1;
inline constexpr int kIdCalConfigSetTick = TickId(0);
inline constexpr int kIdCalConfigSet = ListId(0);
inline constexpr int kIdCalPrompt = 1010;
inline constexpr int kIdCalRadioGaps = 1020;
inline constexpr int kIdCalRadioMarks = 1021;
inline constexpr int kIdCalRadioRfid = 1022;
inline constexpr int kIdCalPictureGaps = 1030;  // bitmap 257
inline constexpr int kIdCalPictureMarks = 1031; // bitmap 256
inline constexpr int kIdCalPictureRfid = 1032;
inline constexpr int kIdCalStepText = 1040;    // ... 1043
inline constexpr int kIdCalStepPicture = 1050; // ... 1053
inline constexpr int kIdCalStart = 1060;

// clang-format off
inline constexpr ui::ControlTemplate kCalibrationPageRows[] = {
    {kIdCalGroupGlobal, ui::ControlKind::GroupBox, u"Global Config", {7, 4, 335, 30}},
    {kIdCalConfigSetTick, ui::ControlKind::CheckBox, u"Config Set", {15, 17, 140, 10}, ui::kStyleGroup},
    {kIdCalConfigSet, ui::ControlKind::DropDownList, u"", {160, 15, 100, 60}, ui::kStyleGroup},

    {kIdCalGroupMedia, ui::ControlKind::GroupBox, u"Media Calibration", {7, 40, 335, 110}},
    {kIdCalPrompt, ui::ControlKind::Static, u"Please select the type of media being used:", {15, 52, 300, 8}},
    {kIdCalRadioGaps, ui::ControlKind::Radio, u"Labels with gaps", {27, 80, 110, 10}, ui::kStyleGroup},
    {kIdCalRadioMarks, ui::ControlKind::Radio, u"Black marks on back", {27, 124, 110, 10}},
    {kIdCalRadioRfid, ui::ControlKind::Radio, u"RFID Calibration", {240, 80, 90, 10}, ui::kStyleHidden | ui::kStyleDisabled},
    {kIdCalPictureGaps, ui::ControlKind::Picture, u"", {150, 64, 64, 40}, ui::kStyleNone, 0, 257},
    {kIdCalPictureMarks, ui::ControlKind::Picture, u"", {150, 106, 64, 40}, ui::kStyleNone, 0, 256},
    {kIdCalPictureRfid, ui::ControlKind::Picture, u"", {300, 64, 64, 40}, ui::kStyleHidden | ui::kStyleDisabled},
    {kIdCalStepText, ui::ControlKind::Static, u"", {15, 160, 320, 26}},
    {kIdCalStepPicture, ui::ControlKind::Picture, u"", {15, 188, 120, 60}},
    {kIdCalStepText + 1, ui::ControlKind::Static, u"", {15, 268, 320, 26}},
    {kIdCalStepPicture + 1, ui::ControlKind::Picture, u"", {15, 296, 120, 60}},
    {kIdCalStepText + 2, ui::ControlKind::Static, u"", {15, 376, 320, 26}},
    {kIdCalStepPicture + 2, ui::ControlKind::Picture, u"", {15, 404, 120, 60}},
    {kIdCalStepText + 3, ui::ControlKind::Static, u"", {15, 484, 320, 26}},
    {kIdCalStepPicture + 3, ui::ControlKind::Picture, u"", {15, 512, 120, 60}},
    {kIdCalStart, ui::ControlKind::PushButton, u"Start Sensor Adjustment", {130, 592, 120, 16}, ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kCalibrationPageTemplate{
    kCalibrationTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild | ui::kDialogVScroll,
    kCalibrationPageRows};

} // namespace qm::res
