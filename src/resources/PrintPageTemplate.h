#pragma once

#include "resources/PageTemplateIds.h"
#include "ui/DialogTemplate.h"

namespace qm::res {

// The Print Test page (template 3025): self test, sample print or a print file.
inline constexpr int kPrintTemplateId = 3025;
inline constexpr int kIdPrintSelfTest = 1020;
inline constexpr int kIdPrintSample = 1021;
inline constexpr int kIdPrintSendFile = 1022;
inline constexpr int kIdPrintPictureSelfTest = 1030; // bitmap 272
inline constexpr int kIdPrintPictureSample = 1031;   // bitmap 273
inline constexpr int kIdPrintPath = 1040;
inline constexpr int kIdPrintBrowse = 1041;
inline constexpr int kIdPrintExecute = 1042;

// clang-format off
inline constexpr ui::ControlTemplate kPrintPageRows[] = {
    {kIdPrintSelfTest, ui::ControlKind::Radio, u"Self Test", {15, 26, 110, 10}, ui::kStyleGroup},
    {kIdPrintPictureSelfTest, ui::ControlKind::Picture, u"", {150, 10, 64, 40}, ui::kStyleNone, 0, 272},
    {kIdPrintSample, ui::ControlKind::Radio, u"Print Sample", {15, 76, 110, 10}},
    {kIdPrintPictureSample, ui::ControlKind::Picture, u"", {150, 60, 64, 40}, ui::kStyleNone, 0, 273},
    {kIdPrintSendFile, ui::ControlKind::Radio, u"Send File", {15, 116, 110, 10}},
    {kIdPrintPath, ui::ControlKind::Edit, u"", {27, 132, 260, 12}, ui::kStyleGroup, 259},
    {kIdPrintBrowse, ui::ControlKind::PushButton, u"Browse...", {292, 131, 50, 14}, ui::kStyleGroup},
    {kIdPrintExecute, ui::ControlKind::PushButton, u"Execute", {150, 160, 60, 16}, ui::kStyleGroup},
};
// clang-format on

inline constexpr ui::DialogTemplate kPrintPageTemplate{
    kPrintTemplateId, u"", kPageWidth, kPageHeight, ui::kDialogChild, kPrintPageRows};

} // namespace qm::res
