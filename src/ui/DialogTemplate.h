#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace qm::ui {

// The kinds of control a dialog template can hold.
enum class ControlKind : uint8_t {
    Static,       // text label (caption = its text)
    GroupBox,     // frame with a caption
    PushButton,   // button; kStyleDefault makes it the default (Enter) button
    CheckBox,     // automatic check box: a click toggles it, then notifies Clicked
    Radio,        // automatic radio button: a click checks it and clears the others of its group
    DropDownList, // drop-down list (no free text); kStyleSorted keeps AddString sorted
    Edit,         // edit field: kStyleDigitsOnly, kStyleReadOnly, kStyleMultiLine, limit
    UpDown,       // spin arrows attached to an edit ("buddy"), range and position
    IpAddress,    // four-byte IPv4 address field
    Picture,      // picture drawn from an SVG resource (the template's picture number)
    Tab,          // tab control (items and the selected tab; pages are separate child dialogs)
};

// Control style bits (combine with |).
inline constexpr uint32_t kStyleNone = 0;
inline constexpr uint32_t kStyleGroup = 1u << 0;       // starts a group (radio groups, tab order)
inline constexpr uint32_t kStyleDefault = 1u << 1;     // default push button (Enter presses it)
inline constexpr uint32_t kStyleSorted = 1u << 2;      // drop-down list sorts its entries
inline constexpr uint32_t kStyleDigitsOnly = 1u << 3;  // edit accepts only the digits 0-9
inline constexpr uint32_t kStyleReadOnly = 1u << 4;    // edit cannot be changed by the user
inline constexpr uint32_t kStyleMultiLine = 1u << 5;   // edit holds several lines
inline constexpr uint32_t kStyleHidden = 1u << 6;      // created hidden
inline constexpr uint32_t kStyleDisabled = 1u << 7;    // created disabled
inline constexpr uint32_t kStyleCentre = 1u << 8;      // static text centred
inline constexpr uint32_t kStyleRight = 1u << 9;       // static text right-aligned
inline constexpr uint32_t kStyleVScrollBar = 1u << 10; // multi-line edit with a scroll bar
inline constexpr uint32_t kStyleBorder = 1u << 11;     // static / picture with a sunken frame

// A rectangle: x, y, width, height. In a template the unit is the dialog unit; in the live model
// (ui::Control::Rect, ui::Dialog::WindowRect) it is the pixel at 96 dpi.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    constexpr int Right() const { return x + width; }
    constexpr int Bottom() const { return y + height; }
    constexpr bool operator==(const Rect&) const = default;
};

// Dialog units to pixels. The window layouts were drawn for a dialog font whose base units are
// 7 x 14 pixels at 96 dpi: x * 7 / 4 and y * 14 / 8. With these, the main window's fixed pixel
// numbers fit its template: a 307-unit client is 537 pixels high, so the pages' bottom edge at
// 515 keeps the 22-pixel margin of the resize rule, and the tab control (right edge 614 after
// a resize) ends left of the interface group at 359 units (628 pixels). (With 6 x 13 base units
// the pages, 600 pixels wide from x 10, would cover the interface group.) Origin and size are
// converted separately, as the system did.
constexpr int DialogUnitsToPixelsX(int x) {
    return x * 7 / 4;
}
constexpr int DialogUnitsToPixelsY(int y) {
    return y * 14 / 8;
}
constexpr Rect DialogUnitsToPixels(Rect r) {
    return Rect{DialogUnitsToPixelsX(r.x), DialogUnitsToPixelsY(r.y), DialogUnitsToPixelsX(r.width),
                DialogUnitsToPixelsY(r.height)};
}

// One control row of a dialog template. Rows are constant data:
//   inline constexpr ui::ControlTemplate kComRows[] = {
//       {151, ControlKind::GroupBox, u"COM Settings:", {7, 7, 149, 110}},
//       {157, ControlKind::DropDownList, u"", {70, 20, 70, 80}, kStyleGroup},
//       {133, ControlKind::Edit, u"", {420, 200, 44, 13}, kStyleDigitsOnly, 5},
//       {103, ControlKind::Picture, u"", {10, 10, 60, 40}, kStyleNone, 0, 103},
//   };
struct ControlTemplate {
    int id = 0; // numeric control id (unique in its dialog; 0 = no id)
    ControlKind kind = ControlKind::Static;
    std::u16string_view caption{}; // text / caption (English); list entries are added in code
    Rect rect{};                   // dialog units
    uint32_t style = kStyleNone;   // kStyle... bits
    int limit = 0;                 // edit: most characters the user may type (0 = no limit)
    int picture = 0;               // picture: SVG resource number; up-down: buddy edit id
                                   // (0 = the control just before it in the template)
};

// Dialog style bits.
inline constexpr uint32_t kDialogChild = 1u << 0;     // a child dialog (a page inside a window)
inline constexpr uint32_t kDialogVScroll = 1u << 1;   // has its own vertical scroll bar
inline constexpr uint32_t kDialogResizable = 1u << 2; // the user can resize the window
inline constexpr uint32_t kDialogMinimize = 1u << 3;  // has a minimise box

// A dialog template: resource number, title, size in dialog units, style and its control rows.
//   inline constexpr ui::DialogTemplate kComSettingsTemplate{
//       150, u"COM Settings", 163, 147, ui::kStyleNone, kComRows};
struct DialogTemplate {
    int id = 0;                    // resource number (102, 1000, 150, ...)
    std::u16string_view caption{}; // window title
    int width = 0;                 // dialog units
    int height = 0;                // dialog units
    uint32_t style = 0;            // kDialog... bits
    std::span<const ControlTemplate> controls{};
};

} // namespace qm::ui
