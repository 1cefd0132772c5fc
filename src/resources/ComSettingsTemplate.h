#pragma once

#include "ui/DialogTemplate.h"

namespace qm::res {

// The COM Settings dialog (resource 150, 163 x 147 dialog units).
inline constexpr int kComSettingsTemplateId = 150;
inline constexpr int kIdComGroup = 151;
inline constexpr int kIdComBaudLabel = 152;
inline constexpr int kIdComDataBitsLabel = 153;
inline constexpr int kIdComStopBitsLabel = 154;
inline constexpr int kIdComParityLabel = 155;
inline constexpr int kIdComFlowLabel = 156;
inline constexpr int kIdComBaud = 157;
inline constexpr int kIdComDataBits = 158;
inline constexpr int kIdComStopBits = 159;
inline constexpr int kIdComParity = 160;
inline constexpr int kIdComFlow = 161;
inline constexpr int kIdComOk = 170;
inline constexpr int kIdComCancel = 171;

// clang-format off
inline constexpr ui::ControlTemplate kComSettingsRows[] = {
    {kIdComGroup, ui::ControlKind::GroupBox, u"COM Settings:", {7, 7, 149, 110}},
    {kIdComBaudLabel, ui::ControlKind::Static, u"Baud rate:", {17, 24, 55, 8}},
    {kIdComBaud, ui::ControlKind::DropDownList, u"", {76, 22, 70, 80}, ui::kStyleGroup},
    {kIdComDataBitsLabel, ui::ControlKind::Static, u"Data bits:", {17, 42, 55, 8}},
    {kIdComDataBits, ui::ControlKind::DropDownList, u"", {76, 40, 70, 50}, ui::kStyleGroup},
    {kIdComStopBitsLabel, ui::ControlKind::Static, u"Stop bits:", {17, 60, 55, 8}},
    {kIdComStopBits, ui::ControlKind::DropDownList, u"", {76, 58, 70, 50}, ui::kStyleGroup},
    {kIdComParityLabel, ui::ControlKind::Static, u"Parity:", {17, 78, 55, 8}},
    {kIdComParity, ui::ControlKind::DropDownList, u"", {76, 76, 70, 60}, ui::kStyleGroup},
    {kIdComFlowLabel, ui::ControlKind::Static, u"Flow control:", {17, 96, 55, 8}},
    {kIdComFlow, ui::ControlKind::DropDownList, u"", {76, 94, 70, 60}, ui::kStyleGroup},
    {kIdComOk, ui::ControlKind::PushButton, u"&OK", {27, 125, 50, 14}, ui::kStyleDefault | ui::kStyleGroup},
    {kIdComCancel, ui::ControlKind::PushButton, u"&Cancel", {86, 125, 50, 14}},
};
// clang-format on

inline constexpr ui::DialogTemplate kComSettingsTemplate{
    kComSettingsTemplateId, u"COM Settings", 163, 147, 0, kComSettingsRows};

} // namespace qm::res
