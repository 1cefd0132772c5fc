#pragma once

#include "ui/DialogTemplate.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::ui {

class Dialog;

// A control's own font: the dialog's font with another height and weight.
struct FontSpec {
    int height = 0; // pixels of one line of text; 0 = the dialog's font
    int weight = 0;
    constexpr bool operator==(const FontSpec&) const = default;
};

// What changed in a control; the renderer follows each change through the DialogObserver.
enum class ControlChange : uint8_t {
    Text,      // caption or edit text (or the IP address text)
    Items,     // list or tab entries added, removed or renamed
    Selection, // selected list entry or tab
    Check,     // check state of a check box or radio button
    Enabled,   // enabled / disabled
    Visible,   // shown / hidden
    Rect,      // position or size
    Range,     // up-down range or position
    Picture,   // picture resource number
    Tooltip,   // tooltip text
    Attributes // text limit, read-only, refused characters
};

// One control of a dialog, found by its numeric id. It holds all of its own state; every change
// made through a setter is reported to the owning dialog's observer. Setters never send
// notifications to the dialog, with one exception that mirrors the classic edit control:
// SetText on an edit whose text really changes sends the EditChange notification.
// Positions are pixels (96 dpi) in the client coordinates of the owning dialog.
class Control {
public:
    Control(Dialog& owner, const ControlTemplate& row);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Id() const { return id_; }
    ControlKind Kind() const { return kind_; }
    uint32_t Style() const { return style_; }
    bool HasStyle(uint32_t bits) const { return (style_ & bits) == bits; }
    Dialog& Owner() const { return owner_; }
    // The template rectangle in dialog units (as written in the template).
    const Rect& TemplateRect() const { return templateRect_; }

    // --- window state (every kind) ---
    // Caption or text. For a drop-down list: the selected entry's text (empty when none);
    // for an IP address: "a.b.c.d". SetText on a drop-down list selects the equal entry
    // (none when there is no such entry); on an IP address it reads the dotted text.
    std::u16string Text() const;
    void SetText(std::u16string_view text);
    bool IsEnabled() const { return enabled_; }
    void Enable(bool enable);
    bool IsVisible() const { return visible_; }
    void Show(bool show);
    // Pixels in the owner's client coordinates.
    const Rect& GetRect() const { return rect_; }
    void SetRect(const Rect& rect);
    void Move(int dx, int dy);
    // (0, 0, width, height).
    Rect ClientRect() const { return Rect{0, 0, rect_.width, rect_.height}; }
    const std::u16string& Tooltip() const { return tooltip_; }
    void SetTooltip(std::u16string_view text);
    // Asks for this control to be drawn again (colours are asked anew).
    void Invalidate();

    // --- check box, radio button ---
    int Check() const { return check_; } // 0 unchecked, 1 checked
    void SetCheck(int check);

    // --- drop-down list and tab control entries ---
    int Count() const { return static_cast<int>(items_.size()); }
    // Text of entry index; empty text when index is out of range.
    const std::u16string& ItemText(int index) const;
    // Appends (or, with kStyleSorted, inserts in case-insensitive order); returns the index.
    int AddString(std::u16string_view text);
    // Inserts at index (-1 or Count() appends), never sorted; returns the index or -1.
    int InsertString(int index, std::u16string_view text);
    // Removes one entry; returns the remaining count, or -1 when index is out of range.
    int DeleteString(int index);
    void ResetContent();
    // Renames one entry (tab captions, translated lists); false when out of range.
    bool SetItemText(int index, std::u16string_view text);
    // First entry after start (-1 = from the top, wrapping round) equal to text ignoring case;
    // -1 when none.
    int FindStringExact(int start, std::u16string_view text) const;
    // Same, for the first entry that begins with prefix (ignoring case).
    int FindString(int start, std::u16string_view prefix) const;
    // Selected entry, -1 for none.
    int CurSel() const { return curSel_; }
    // Selects index; an index out of range clears the selection and returns -1.
    int SetCurSel(int index);
    // A number kept with each entry (0 unless set).
    intptr_t ItemData(int index) const;
    bool SetItemData(int index, intptr_t data);

    // --- edit ---
    // Most characters the user may type; 0 = no limit. Text set by SetText is not cut.
    int Limit() const { return limit_; }
    void SetLimitText(int limit);
    bool IsReadOnly() const { return HasStyle(kStyleReadOnly); }
    void SetReadOnly(bool readOnly);
    bool IsDigitsOnly() const { return HasStyle(kStyleDigitsOnly); }
    // Characters the user cannot type into this edit (e.g. u",").
    const std::u16string& RefusedChars() const { return refused_; }
    void SetRefusedChars(std::u16string_view chars);
    // What the edit keeps of a text the user types: refused and (digits only) non-digit
    // characters are dropped, then the text is cut to the limit.
    std::u16string FilterUserText(std::u16string_view typed) const;
    // Multi-line edit: the distance between tab stops in dialog-template units (0 = the
    // default of the renderer).
    int TabStops() const { return tabStops_; }
    void SetTabStops(int dialogUnits);
    // A font of the control's own instead of the dialog's: height in pixels and weight
    // (0-1000, 400 normal); a height of 0 keeps the dialog's font.
    const FontSpec& Font() const { return font_; }
    void SetFont(const FontSpec& font);

    // --- up-down ---
    int RangeMin() const { return rangeMin_; }
    int RangeMax() const { return rangeMax_; }
    void SetRange(int lo, int hi);
    int Pos() const { return pos_; }
    void SetPos(int pos); // clamped to the range
    // Id of the edit the arrows drive (0 = none).
    int Buddy() const { return buddy_; }
    void SetBuddy(int id) { buddy_ = id; }

    // --- IP address ---
    const std::array<uint8_t, 4>& Address() const { return address_; }
    bool IsBlank() const { return blank_; }
    void SetAddress(uint8_t a, uint8_t b, uint8_t c, uint8_t d);
    // Reads "a.b.c.d" (each field 0..255, missing or empty fields count as 0, larger values
    // are cut to 255); false and no change when the text has no digits at all or more than
    // four fields.
    bool SetAddressText(std::u16string_view text);
    void ClearAddress(); // blank, shows 0.0.0.0

    // --- picture ---
    int Picture() const { return picture_; }
    void SetPicture(int resource);

private:
    void Changed(ControlChange what);

    Dialog& owner_;
    int id_;
    ControlKind kind_;
    uint32_t style_;
    Rect templateRect_;
    Rect rect_;
    std::u16string text_;
    std::u16string tooltip_;
    bool enabled_;
    bool visible_;
    int check_ = 0;
    std::vector<std::u16string> items_;
    std::vector<intptr_t> itemData_;
    int curSel_ = -1;
    int limit_;
    std::u16string refused_;
    int tabStops_ = 0;
    FontSpec font_;
    int rangeMin_ = 0;
    int rangeMax_ = 100;
    int pos_ = 0;
    int buddy_ = 0;
    std::array<uint8_t, 4> address_{};
    bool blank_ = true;
    int picture_;
};

} // namespace qm::ui
