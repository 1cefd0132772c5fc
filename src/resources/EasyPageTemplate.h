#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Easy page (template 102): six rows standing for six Standard rows.
//   row 0 media type (tick box only), 1 paper length (text + unit list, no tick box),
//   2 print method, 3 post print (lists), 4 start offset, 5 stop offset (text + unit list).
inline constexpr int kEasyTemplateId = 102;
inline constexpr int kIdEasyGroup = kGroupBase;       // "Media Handling"
inline constexpr int kIdEasyPaperLengthLabel = 1010;  // "Paper Length"
inline constexpr int kIdEasyRadioGaps = 1020;         // "Labels with gaps"
inline constexpr int kIdEasyRadioMarks = 1021;        // "Black marks on back"
inline constexpr int kIdEasyRadioContinuous = 1022;   // "Continuous"
inline constexpr int kIdEasyPictureGaps = 1030;       // bitmap 103
inline constexpr int kIdEasyPictureMarks = 1031;      // bitmap 104
inline constexpr int kIdEasyPictureContinuous = 1032; // bitmap 106
inline constexpr int kEasyMediaRow = 0;
inline constexpr int kEasyPaperLengthRow = 1;
inline constexpr int kEasyPrintMethodRow = 2;
inline constexpr int kEasyPostPrintRow = 3;
inline constexpr int kEasyStartOffsetRow = 4;
inline constexpr int kEasyStopOffsetRow = 5;

// clang-format off
inline constexpr ui::ControlTemplate kEasyPageRows[] = {
    {kIdEasyGroup, ui::ControlKind::GroupBox, u"Media Handling", {7, 4, 335, 238}},
    {TickId(kEasyMediaRow), ui::ControlKind::CheckBox, u"Media Type", {15, 18, 120, 10}, ui::kStyleGroup},
    {kIdEasyRadioGaps, ui::ControlKind::Radio, u"Labels with gaps", {27, 42, 110, 10}, ui::kStyleGroup},
    {kIdEasyRadioMarks, ui::ControlKind::Radio, u"Black marks on back", {27, 76, 110, 10}},
    {kIdEasyRadioContinuous, ui::ControlKind::Radio, u"Continuous", {27, 110, 110, 10}},
    {kIdEasyPictureGaps, ui::ControlKind::Picture, u"", {150, 32, 64, 30}, ui::kStyleNone, 0, 103},
    {kIdEasyPictureMarks, ui::ControlKind::Picture, u"", {150, 66, 64, 30}, ui::kStyleNone, 0, 104},
    {kIdEasyPictureContinuous, ui::ControlKind::Picture, u"", {150, 100, 64, 30}, ui::kStyleNone, 0, 106},
    {kIdEasyPaperLengthLabel, ui::ControlKind::Static, u"Paper Length", {40, 142, 80, 8}},
    {FieldId(kEasyPaperLengthRow), ui::ControlKind::Edit, u"", {150, 140, 50, 12}, ui::kStyleGroup, 6},
    {UnitId(kEasyPaperLengthRow), ui::ControlKind::DropDownList, u"", {206, 140, 44, 40}, ui::kStyleGroup},
    {TickId(kEasyPrintMethodRow), ui::ControlKind::CheckBox, u"Print Method", {15, 164, 120, 10}, ui::kStyleGroup},
    {ListId(kEasyPrintMethodRow), ui::ControlKind::DropDownList, u"", {150, 162, 100, 60}, ui::kStyleGroup},
    {TickId(kEasyPostPrintRow), ui::ControlKind::CheckBox, u"Post Print", {15, 182, 120, 10}, ui::kStyleGroup},
    {ListId(kEasyPostPrintRow), ui::ControlKind::DropDownList, u"", {150, 180, 100, 80}, ui::kStyleGroup},
    {TickId(kEasyStartOffsetRow), ui::ControlKind::CheckBox, u"Start Offset", {15, 200, 120, 10}, ui::kStyleGroup},
    {FieldId(kEasyStartOffsetRow), ui::ControlKind::Edit, u"", {150, 198, 50, 12}, ui::kStyleGroup, 5},
    {UnitId(kEasyStartOffsetRow), ui::ControlKind::DropDownList, u"", {206, 198, 44, 40}, ui::kStyleGroup},
    {TickId(kEasyStopOffsetRow), ui::ControlKind::CheckBox, u"Stop Offset", {15, 218, 120, 10}, ui::kStyleGroup},
    {FieldId(kEasyStopOffsetRow), ui::ControlKind::Edit, u"", {150, 216, 50, 12}, ui::kStyleGroup, 5},
    {UnitId(kEasyStopOffsetRow), ui::ControlKind::DropDownList, u"", {206, 216, 44, 40}, ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kEasyPageTemplate{
    kEasyTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild, kEasyPageRows};

} // namespace qm::res
