#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Advanced page (template 2000): the "Factory Mode" group and the rows shown so far, each
// row's controls at the ids of its item-table row. Scrolls 0..1000.
inline constexpr int kAdvancedTemplateId = 2000;
inline constexpr int kIdAdvGroup = kGroupBase;

inline constexpr int kAdvThroughSensorRow = 0;
inline constexpr int kAdvMachineHorizontalRow = 9;
inline constexpr int kAdvAutoCalRow = 10;
inline constexpr int kAdvHeadCheckStartRow = 36;
inline constexpr int kAdvHeadCheckStopRow = 37;
inline constexpr int kAdvRfidAntennaRow = 63;

// clang-format off
inline constexpr ui::ControlTemplate kAdvancedPageRows[] = {
    {kIdAdvGroup, ui::ControlKind::GroupBox, u"Factory Mode", {7, 4, 335, 130}},
    {TickId(kAdvThroughSensorRow), ui::ControlKind::CheckBox, u"Through Sensor Position", {15, 18, 140, 10}, ui::kStyleGroup},
    {FieldId(kAdvThroughSensorRow), ui::ControlKind::Edit, u"", {215, 16, 40, 12}, ui::kStyleGroup, 4},
    {SpinId(kAdvThroughSensorRow), ui::ControlKind::UpDown, u"", {255, 16, 10, 12}, ui::kStyleNone, 0, FieldId(kAdvThroughSensorRow)},
    {UnitLabelId(kAdvThroughSensorRow), ui::ControlKind::Static, u"DOTS", {270, 18, 30, 8}},
    {TickId(kAdvMachineHorizontalRow), ui::ControlKind::CheckBox, u"Machine Horizontal Pos", {15, 36, 140, 10}, ui::kStyleGroup},
    {FieldId(kAdvMachineHorizontalRow), ui::ControlKind::Edit, u"", {215, 34, 40, 12}, ui::kStyleGroup, 3},
    {SpinId(kAdvMachineHorizontalRow), ui::ControlKind::UpDown, u"", {255, 34, 10, 12}, ui::kStyleNone, 0, FieldId(kAdvMachineHorizontalRow)},
    {UnitLabelId(kAdvMachineHorizontalRow), ui::ControlKind::Static, u"DOTS", {270, 36, 30, 8}},
    {TickId(kAdvAutoCalRow), ui::ControlKind::CheckBox, u"AutoCal Mode", {15, 54, 140, 10}, ui::kStyleGroup},
    {ListId(kAdvAutoCalRow), ui::ControlKind::DropDownList, u"", {160, 52, 95, 40}, ui::kStyleGroup},
    {TickId(kAdvHeadCheckStartRow), ui::ControlKind::CheckBox, u"Head Check Start Position", {15, 72, 140, 10}, ui::kStyleGroup},
    {ListId(kAdvHeadCheckStartRow), ui::ControlKind::DropDownList, u"", {160, 70, 50, 40}, ui::kStyleGroup},
    {FieldId(kAdvHeadCheckStartRow), ui::ControlKind::Edit, u"", {215, 70, 40, 12}, ui::kStyleGroup, 4},
    {SpinId(kAdvHeadCheckStartRow), ui::ControlKind::UpDown, u"", {255, 70, 10, 12}, ui::kStyleNone, 0, FieldId(kAdvHeadCheckStartRow)},
    {TickId(kAdvHeadCheckStopRow), ui::ControlKind::CheckBox, u"Head Check Stop Position", {15, 90, 140, 10}, ui::kStyleGroup},
    {ListId(kAdvHeadCheckStopRow), ui::ControlKind::DropDownList, u"", {160, 88, 50, 40}, ui::kStyleGroup},
    {FieldId(kAdvHeadCheckStopRow), ui::ControlKind::Edit, u"", {215, 88, 40, 12}, ui::kStyleGroup, 4},
    {SpinId(kAdvHeadCheckStopRow), ui::ControlKind::UpDown, u"", {255, 88, 10, 12}, ui::kStyleNone, 0, FieldId(kAdvHeadCheckStopRow)},
    {TickId(kAdvRfidAntennaRow), ui::ControlKind::CheckBox, u"RFID Antenna Position", {15, 108, 140, 10}, ui::kStyleGroup},
    {FieldId(kAdvRfidAntennaRow), ui::ControlKind::Edit, u"", {215, 106, 40, 12}, ui::kStyleGroup, 5},
    {UnitId(kAdvRfidAntennaRow), ui::ControlKind::DropDownList, u"", {260, 106, 45, 40}, ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kAdvancedPageTemplate{
    kAdvancedTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild | ui::kDialogVScroll,
    kAdvancedPageRows};

} // namespace qm::res
