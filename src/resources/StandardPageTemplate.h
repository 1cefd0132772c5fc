#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Standard page (template 1000): seven group boxes and the rows shown so far, each row's
// controls at the ids of its item-table row (PageTemplateIds.h). Scrolls 0..1660.
inline constexpr int kStandardTemplateId = 1000;
inline constexpr int kIdStdGroupGlobal = kGroupBase;
inline constexpr int kIdStdGroupPage = kGroupBase + 1;
inline constexpr int kIdStdGroupSystem = kGroupBase + 2;
inline constexpr int kIdStdGroupAfterPrint = kGroupBase + 3;
inline constexpr int kIdStdGroupRfid = kGroupBase + 4;
inline constexpr int kIdStdGroupInterface = kGroupBase + 5;
inline constexpr int kIdStdGroupOption = kGroupBase + 6;

inline constexpr int kStdConfigSetRow = 0;
inline constexpr int kStdPrintSpeedRow = 1;
inline constexpr int kStdPrintDarknessRow = 2;
inline constexpr int kStdPrintMethodRow = 4;
inline constexpr int kStdContinuousLengthRow = 6;
inline constexpr int kStdVerticalPositionRow = 7;
inline constexpr int kStdMediaSensorRow = 13;
inline constexpr int kStdEmulationRow = 33;
inline constexpr int kStdFunctionSelectRow = 38;
inline constexpr int kStdPaperPositionRow = 45;
inline constexpr int kStdIpv4AddressRow = 52;
inline constexpr int kStdIpv6AddressRow = 63;
inline constexpr int kStdBtPinRow = 98;

// clang-format off
inline constexpr ui::ControlTemplate kStandardPageRows[] = {
    {kIdStdGroupGlobal, ui::ControlKind::GroupBox, u"Global Config", {7, 4, 335, 30}},
    {TickId(kStdConfigSetRow), ui::ControlKind::CheckBox, u"Config Set", {15, 17, 140, 10}, ui::kStyleGroup},
    {ListId(kStdConfigSetRow), ui::ControlKind::DropDownList, u"", {160, 15, 100, 60}, ui::kStyleGroup},

    {kIdStdGroupPage, ui::ControlKind::GroupBox, u"Page Setup", {7, 40, 335, 128}},
    {TickId(kStdPrintSpeedRow), ui::ControlKind::CheckBox, u"Print Speed", {15, 53, 140, 10}, ui::kStyleGroup},
    {ListId(kStdPrintSpeedRow), ui::ControlKind::DropDownList, u"", {160, 51, 100, 90}, ui::kStyleGroup},
    {TickId(kStdPrintDarknessRow), ui::ControlKind::CheckBox, u"Print Darkness", {15, 71, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdPrintDarknessRow), ui::ControlKind::Edit, u"", {160, 69, 40, 12}, ui::kStyleGroup, 2},
    {SpinId(kStdPrintDarknessRow), ui::ControlKind::UpDown, u"", {200, 69, 10, 12}, ui::kStyleNone, 0, FieldId(kStdPrintDarknessRow)},
    {TickId(kStdPrintMethodRow), ui::ControlKind::CheckBox, u"Print Method", {15, 89, 140, 10}, ui::kStyleGroup},
    {ListId(kStdPrintMethodRow), ui::ControlKind::DropDownList, u"", {160, 87, 100, 40}, ui::kStyleGroup},
    {TickId(kStdContinuousLengthRow), ui::ControlKind::CheckBox, u"Continuous Media Length", {15, 107, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdContinuousLengthRow), ui::ControlKind::Edit, u"", {160, 105, 50, 12}, ui::kStyleGroup, 6},
    {UnitId(kStdContinuousLengthRow), ui::ControlKind::DropDownList, u"", {215, 105, 45, 40}, ui::kStyleGroup},
    {TickId(kStdMediaSensorRow), ui::ControlKind::CheckBox, u"Media Sensor", {15, 125, 140, 10}, ui::kStyleGroup},
    {ListId(kStdMediaSensorRow), ui::ControlKind::DropDownList, u"", {160, 123, 100, 50}, ui::kStyleGroup},
    {TickId(kStdVerticalPositionRow), ui::ControlKind::CheckBox, u"Vertical Position", {15, 143, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdVerticalPositionRow), ui::ControlKind::Edit, u"", {160, 141, 50, 12}, ui::kStyleGroup, 5},
    {UnitId(kStdVerticalPositionRow), ui::ControlKind::DropDownList, u"", {215, 141, 45, 40}, ui::kStyleGroup},

    {kIdStdGroupSystem, ui::ControlKind::GroupBox, u"System Setup", {7, 174, 335, 40}},
    {TickId(kStdEmulationRow), ui::ControlKind::CheckBox, u"Emulation Select", {15, 189, 140, 10}, ui::kStyleGroup},
    {ListId(kStdEmulationRow), ui::ControlKind::DropDownList, u"", {160, 187, 100, 60}, ui::kStyleGroup},

    {kIdStdGroupAfterPrint, ui::ControlKind::GroupBox, u"After Print Setup", {7, 220, 335, 50}},
    {TickId(kStdFunctionSelectRow), ui::ControlKind::CheckBox, u"Function Select", {15, 235, 140, 10}, ui::kStyleGroup},
    {ListId(kStdFunctionSelectRow), ui::ControlKind::DropDownList, u"", {160, 233, 100, 70}, ui::kStyleGroup},
    {TickId(kStdPaperPositionRow), ui::ControlKind::CheckBox, u"Paper Position", {15, 253, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdPaperPositionRow), ui::ControlKind::Edit, u"", {160, 251, 50, 12}, ui::kStyleGroup, 5},
    {UnitId(kStdPaperPositionRow), ui::ControlKind::DropDownList, u"", {215, 251, 45, 40}, ui::kStyleGroup},

    {kIdStdGroupRfid, ui::ControlKind::GroupBox, u"RFID", {7, 276, 335, 30}},

    {kIdStdGroupInterface, ui::ControlKind::GroupBox, u"Interface Menu", {7, 312, 335, 60}},
    {TickId(kStdIpv4AddressRow), ui::ControlKind::CheckBox, u"IPv4 Address", {15, 327, 140, 10}, ui::kStyleGroup},
    {AddressId(kStdIpv4AddressRow), ui::ControlKind::IpAddress, u"", {160, 325, 100, 13}, ui::kStyleGroup},
    {TickId(kStdIpv6AddressRow), ui::ControlKind::CheckBox, u"IPv6 Address", {15, 346, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdIpv6AddressRow), ui::ControlKind::Edit, u"", {160, 344, 170, 12}, ui::kStyleGroup, 39},

    {kIdStdGroupOption, ui::ControlKind::GroupBox, u"Option Interface Menu", {7, 378, 335, 40}},
    {TickId(kStdBtPinRow), ui::ControlKind::CheckBox, u"BT PIN Code", {15, 393, 140, 10}, ui::kStyleGroup},
    {FieldId(kStdBtPinRow), ui::ControlKind::Edit, u"", {160, 391, 100, 12}, ui::kStyleGroup, 16},
};
// clang-format on

inline constexpr ui::DialogTemplate kStandardPageTemplate{
    kStandardTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild | ui::kDialogVScroll,
    kStandardPageRows};

} // namespace qm::res
