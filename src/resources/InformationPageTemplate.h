#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Information page (template 3000): serial number and counters, the two printer-status
// forms and the "Receive Printer Status only" box.
inline constexpr int kInformationTemplateId = 3000;
inline constexpr int kIdInfoGroupInformation = kGroupBase;
inline constexpr int kIdInfoGroupDmxZpl = kGroupBase + 1;
inline constexpr int kIdInfoGroupEpl = kGroupBase + 2;
inline constexpr int kIdInfoSerialCaption = 1020;     // ... 1023 for the four information captions
inline constexpr int kIdInfoSerial = 1040;            // ... 1043 for the four information texts
inline constexpr int kIdInfoPaperErrorCaption = 1030; // ... 1034 for the five status captions
inline constexpr int kIdInfoPaperError = 1050;        // ... 1054 for the five status texts
inline constexpr int kIdInfoErrorCodeCaption = 1060;
inline constexpr int kIdInfoErrorCode = 1061;
inline constexpr int kIdInfoErrorMessage = 1062;
inline constexpr int kIdInfoStatusOnly = 1070;

// clang-format off
inline constexpr ui::ControlTemplate kInformationPageRows[] = {
    {kIdInfoGroupInformation, ui::ControlKind::GroupBox, u"Printer Information", {7, 4, 335, 72}},
    {kIdInfoSerialCaption, ui::ControlKind::Static, u"Serial Number : ", {15, 18, 100, 8}},
    {kIdInfoSerial, ui::ControlKind::Edit, u"", {120, 16, 150, 12}, ui::kStyleReadOnly},
    {kIdInfoSerialCaption + 1, ui::ControlKind::Static, u"Print Counter : ", {15, 32, 100, 8}},
    {kIdInfoSerial + 1, ui::ControlKind::Edit, u"", {120, 30, 150, 12}, ui::kStyleReadOnly},
    {kIdInfoSerialCaption + 2, ui::ControlKind::Static, u"Service Counter : ", {15, 46, 100, 8}},
    {kIdInfoSerial + 2, ui::ControlKind::Edit, u"", {120, 44, 150, 12}, ui::kStyleReadOnly},
    {kIdInfoSerialCaption + 3, ui::ControlKind::Static, u"Cut Counter : ", {15, 60, 100, 8}},
    {kIdInfoSerial + 3, ui::ControlKind::Edit, u"", {120, 58, 150, 12}, ui::kStyleReadOnly},

    {kIdInfoGroupDmxZpl, ui::ControlKind::GroupBox, u"DMX/ZPL Printer Status", {7, 82, 335, 86}},
    {kIdInfoPaperErrorCaption, ui::ControlKind::Static, u"Paper Error : ", {15, 96, 100, 8}},
    {kIdInfoPaperError, ui::ControlKind::Edit, u"", {120, 94, 60, 12}, ui::kStyleReadOnly},
    {kIdInfoPaperErrorCaption + 1, ui::ControlKind::Static, u"Ribbon Error : ", {15, 110, 100, 8}},
    {kIdInfoPaperError + 1, ui::ControlKind::Edit, u"", {120, 108, 60, 12}, ui::kStyleReadOnly},
    {kIdInfoPaperErrorCaption + 2, ui::ControlKind::Static, u"Printing : ", {15, 124, 100, 8}},
    {kIdInfoPaperError + 2, ui::ControlKind::Edit, u"", {120, 122, 60, 12}, ui::kStyleReadOnly},
    {kIdInfoPaperErrorCaption + 3, ui::ControlKind::Static, u"Pause : ", {15, 138, 100, 8}},
    {kIdInfoPaperError + 3, ui::ControlKind::Edit, u"", {120, 136, 60, 12}, ui::kStyleReadOnly},
    {kIdInfoPaperErrorCaption + 4, ui::ControlKind::Static, u"Waiting for peeling : ", {15, 152, 100, 8}},
    {kIdInfoPaperError + 4, ui::ControlKind::Edit, u"", {120, 150, 60, 12}, ui::kStyleReadOnly},

    {kIdInfoGroupEpl, ui::ControlKind::GroupBox, u"EPL Printer Status", {7, 174, 335, 34}},
    {kIdInfoErrorCodeCaption, ui::ControlKind::Static, u"Error code : ", {15, 189, 100, 8}},
    {kIdInfoErrorCode, ui::ControlKind::Edit, u"", {120, 187, 30, 12}, ui::kStyleReadOnly},
    {kIdInfoErrorMessage, ui::ControlKind::Edit, u"", {155, 187, 175, 12}, ui::kStyleReadOnly},
    {kIdInfoStatusOnly, ui::ControlKind::CheckBox, u"Receive Printer Status only", {15, 216, 200, 10}, ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kInformationPageTemplate{
    kInformationTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild, kInformationPageRows};

} // namespace qm::res
