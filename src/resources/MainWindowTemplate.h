#pragma once

#include "ui/DialogTemplate.h"

namespace qm::res {

// Control ids of the main window (dialog "Quillmark", 471 x 307 dialog units).
inline constexpr int kIdPrint = 179;          // hidden "Print" button (Print Test runs)
inline constexpr int kIdSelfInfo = 181;       // "Self Info", only in the hidden application mode
inline constexpr int kIdModelLabel = 110;     // "Printer Model:"
inline constexpr int kIdModel = 111;          // model display names, unsorted
inline constexpr int kIdLanguage = 1035;      // "English", "日本語", "简体中文", "한국어"
inline constexpr int kIdInterfaceGroup = 120; // "I/F:"
inline constexpr int kIdRadioDriver = 123;    // interface index 0
inline constexpr int kIdRadioCom = 124;       // 1
inline constexpr int kIdRadioLpt = 125;       // 2
inline constexpr int kIdRadioUsb = 126;       // 3
inline constexpr int kIdRadioNet = 127;       // 4
inline constexpr int kIdDriverList = 128;     // driver queue names, sorted
inline constexpr int kIdDriverPort = 121;     // port description of the selected queue
inline constexpr int kIdComList = 129;        // COM port names, sorted
inline constexpr int kIdDetail = 134;         // opens the COM Settings dialog
inline constexpr int kIdLptList = 130;        // LPT port names, sorted
inline constexpr int kIdUsbList = 131;        // USB port names, sorted
inline constexpr int kIdDeviceText = 1119;    // device text, at most 10 characters
inline constexpr int kIdIpAddress = 132;      // IPv4 address control
inline constexpr int kIdPortNumberLabel = 122;
inline constexpr int kIdPortNumber = 133; // digits only, at most 5 characters
inline constexpr int kIdSend = 172;       // default button: Send Configuration / Start Sensor
                                          // Adjustment / Send File
inline constexpr int kIdImport = 174;
inline constexpr int kIdExport = 175;
inline constexpr int kIdReceive = 177;
inline constexpr int kIdScope = 178; // receive scope
inline constexpr int kIdRestoreDefaults = 176;
inline constexpr int kIdExit = 173;
inline constexpr int kIdTab = 180;
inline constexpr int kIdCheckAll = 190; // "Check/Uncheck All Items"

inline constexpr int kMainWindowTemplateId = 100;

// Controls in template (tab) order; positions in dialog units as the window was laid out.
// clang-format off
inline constexpr ui::ControlTemplate kMainWindowRows[] = {
    {kIdSelfInfo, ui::ControlKind::PushButton, u"Self Info", {4, 1, 49, 14}, ui::kStyleHidden},
    {kIdPrint, ui::ControlKind::PushButton, u"Print", {57, 1, 30, 14}, ui::kStyleHidden},
    {kIdModelLabel, ui::ControlKind::Static, u"Printer Model:", {157, 7, 49, 8}},
    {kIdModel, ui::ControlKind::DropDownList, u"", {208, 6, 203, 205}, ui::kStyleGroup},
    {kIdLanguage, ui::ControlKind::DropDownList, u"", {418, 5, 46, 69}, ui::kStyleGroup},
    {kIdTab, ui::ControlKind::Tab, u"", {4, 21, 351, 301}, ui::kStyleGroup},
    {kIdCheckAll, ui::ControlKind::CheckBox, u"Check/Uncheck All Items", {280, 22, 94, 10}, ui::kStyleGroup},

    {kIdInterfaceGroup, ui::ControlKind::GroupBox, u"I/F:", {359, 32, 109, 189}},
    {kIdRadioDriver, ui::ControlKind::Radio, u"Driver Name:", {363, 46, 70, 10}, ui::kStyleGroup},
    {kIdDriverList, ui::ControlKind::DropDownList, u"", {369, 58, 95, 236}, ui::kStyleSorted | ui::kStyleGroup},
    {kIdDriverPort, ui::ControlKind::Static, u"USB001", {369, 71, 95, 8}},
    {kIdRadioCom, ui::ControlKind::Radio, u"COM / VCOM:", {363, 81, 70, 10}},
    {kIdComList, ui::ControlKind::DropDownList, u"", {369, 93, 60, 213}, ui::kStyleSorted | ui::kStyleGroup},
    {kIdDetail, ui::ControlKind::PushButton, u"&Detail...", {432, 92, 32, 14}},
    {kIdRadioLpt, ui::ControlKind::Radio, u"LPT:", {363, 111, 70, 10}},
    {kIdLptList, ui::ControlKind::DropDownList, u"", {369, 123, 95, 183}, ui::kStyleSorted | ui::kStyleGroup},
    {kIdRadioUsb, ui::ControlKind::Radio, u"USB:", {363, 141, 50, 10}},
    {kIdUsbList, ui::ControlKind::DropDownList, u"", {369, 153, 95, 153}, ui::kStyleSorted | ui::kStyleGroup},
    {kIdDeviceText, ui::ControlKind::Static, u"", {417, 166, 47, 10}, ui::kStyleRight},
    {kIdRadioNet, ui::ControlKind::Radio, u"IP Address:", {363, 171, 70, 10}},
    {kIdIpAddress, ui::ControlKind::IpAddress, u"", {369, 183, 95, 13}, ui::kStyleGroup},
    {kIdPortNumberLabel, ui::ControlKind::Static, u"Port Number:", {363, 202, 53, 8}},
    {kIdPortNumber, ui::ControlKind::Edit, u"", {420, 200, 44, 13}, ui::kStyleDigitsOnly | ui::kStyleGroup, 5},
    {kIdSend, ui::ControlKind::PushButton, u"&Send Configuration", {360, 227, 104, 18}, ui::kStyleDefault | ui::kStyleGroup},
    {kIdImport, ui::ControlKind::PushButton, u"&Import...", {359, 250, 50, 14}},
    {kIdExport, ui::ControlKind::PushButton, u"&Export...", {414, 250, 50, 14}},
    {kIdReceive, ui::ControlKind::PushButton, u"&Receive", {359, 268, 50, 14}},
    {kIdScope, ui::ControlKind::DropDownList, u"", {414, 269, 50, 71}},
    {kIdRestoreDefaults, ui::ControlKind::PushButton, u"&Restore Defaults", {359, 286, 70, 14}},
    {kIdExit, ui::ControlKind::PushButton, u"&Exit", {434, 286, 30, 14}},
};
// clang-format on

inline constexpr ui::DialogTemplate kMainWindowTemplate{
    kMainWindowTemplateId, u"Quillmark", 471, 307, ui::kDialogResizable | ui::kDialogMinimize,
    kMainWindowRows};

} // namespace qm::res
