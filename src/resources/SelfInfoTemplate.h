#pragma once

#include "ui/DialogTemplate.h"

namespace qm::res {

// The Self Information dialog (resource 105, 397 x 231 dialog units): the machine information
// and the current menu settings side by side, three confirmation boxes and Save.
inline constexpr int kSelfInfoTemplateId = 105;
inline constexpr int kIdSelfInfoSave = 1; // the default button: the dialog's OK
inline constexpr int kIdSelfInfoCheck1 = 1114;
inline constexpr int kIdSelfInfoCheck2 = 1115;
inline constexpr int kIdSelfInfoCheck3 = 1116;
inline constexpr int kIdSelfInfoMachineText = 1117;
inline constexpr int kIdSelfInfoMenuText = 1118;
inline constexpr int kIdSelfInfoMachineLabel = 1120;
inline constexpr int kIdSelfInfoMenuLabel = 1121;

inline constexpr uint32_t kSelfInfoTextStyle =
    ui::kStyleMultiLine | ui::kStyleReadOnly | ui::kStyleVScrollBar;

// clang-format off
inline constexpr ui::ControlTemplate kSelfInfoRows[] = {
    {kIdSelfInfoMachineLabel, ui::ControlKind::Static, u"< Machine Information >", {7, 7, 180, 8}},
    {kIdSelfInfoMachineText, ui::ControlKind::Edit, u"", {7, 18, 185, 178}, kSelfInfoTextStyle},
    {kIdSelfInfoMenuLabel, ui::ControlKind::Static, u"< Current Menu Settings >", {200, 7, 190, 8}},
    {kIdSelfInfoMenuText, ui::ControlKind::Edit, u"", {200, 18, 190, 178}, kSelfInfoTextStyle},
    {kIdSelfInfoCheck1, ui::ControlKind::CheckBox, u"Check1", {7, 207, 60, 12}, ui::kStyleGroup},
    {kIdSelfInfoCheck2, ui::ControlKind::CheckBox, u"Check2", {75, 207, 60, 12}},
    {kIdSelfInfoCheck3, ui::ControlKind::CheckBox, u"Check3", {143, 207, 60, 12}},
    {kIdSelfInfoSave, ui::ControlKind::PushButton, u"Save", {333, 205, 57, 14}, ui::kStyleDefault | ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kSelfInfoTemplate{
    kSelfInfoTemplateId, u"Self Information", 397, 231, 0, kSelfInfoRows};

} // namespace qm::res
