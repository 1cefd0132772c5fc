#pragma once

#include "ui/Colour.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qm::ui {

// The notifications a dialog receives through its one dispatch (Dialog::OnNotify).
enum class Event : uint8_t {
    Clicked,       // id: button, check box or radio (check boxes/radios already toggled)
    SelChange,     // id: drop-down list whose selection the user changed (CurSel is new)
    EditChange,    // id: edit (or IP address) whose text changed
    TabChange,     // id: tab control whose selected tab the user changed (CurSel is new)
    Spin,          // id: up-down; code: arrow delta (+1 / -1); value: new position
    VScroll,       // the dialog's own scroll bar: code = kSb... request, value = track position
    MouseWheel,    // code: wheel delta (120 per notch, negative = towards the user)
    ColourRequest, // id: control about to be drawn; the handler may set textColour/backColour
    Ok,            // Enter with no default button (or IDOK); unhandled: EndDialog(kIdOk)
    Cancel,        // Esc; unhandled: EndDialog(kIdCancel)
    Close,         // the window's close request; unhandled: handled as Cancel
    Size,          // code: new client width, value: new client height (pixels)
    Posted,        // a message posted through Host::PostMessage: code = message, text
    MouseActivate, // the user clicked somewhere in this dialog
    FocusChange,   // id: control that received the keyboard focus
};

// Scroll-bar request codes (the classic values).
inline constexpr int kSbLineUp = 0;
inline constexpr int kSbLineDown = 1;
inline constexpr int kSbPageUp = 2;
inline constexpr int kSbPageDown = 3;
inline constexpr int kSbThumbPosition = 4;
inline constexpr int kSbThumbTrack = 5;
inline constexpr int kSbTop = 6;
inline constexpr int kSbBottom = 7;
inline constexpr int kSbEndScroll = 8;

// The wheel delta of one notch.
inline constexpr int kWheelDelta = 120;

// One notification. A handler reads event/id/code/value/text; for ColourRequest it may fill
// textColour and backColour (left empty = the default colours).
struct Notification {
    Event event = Event::Clicked;
    int id = 0;
    int code = 0;
    int value = 0;
    std::u16string text;
    std::optional<Colour> textColour;
    std::optional<Colour> backColour;
};

} // namespace qm::ui
