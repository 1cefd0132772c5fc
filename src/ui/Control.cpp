#include "ui/Control.h"

#include "ui/Dialog.h"

#include <algorithm>

namespace qm::ui {

namespace {

char16_t FoldCase(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Case-insensitive comparison of two texts (ASCII letters folded), as list boxes sort.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t x = FoldCase(a[i]);
        const char16_t y = FoldCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

const std::u16string kEmpty;

} // namespace

Control::Control(Dialog& owner, const ControlTemplate& row)
    : owner_(owner), id_(row.id), kind_(row.kind), style_(row.style), templateRect_(row.rect),
      rect_(DialogUnitsToPixels(row.rect)), text_(row.caption),
      enabled_((row.style & kStyleDisabled) == 0), visible_((row.style & kStyleHidden) == 0),
      limit_(row.limit), picture_(row.kind == ControlKind::Picture ? row.picture : 0) {
    if (kind_ == ControlKind::UpDown) {
        buddy_ = row.picture;
    }
    if (kind_ == ControlKind::DropDownList || kind_ == ControlKind::Tab) {
        text_.clear();
    }
    if (kind_ == ControlKind::IpAddress) {
        text_.clear();
    }
}

void Control::Changed(ControlChange what) {
    owner_.ControlChanged(*this, what);
}

std::u16string Control::Text() const {
    switch (kind_) {
    case ControlKind::DropDownList:
    case ControlKind::Tab:
        return curSel_ >= 0 ? items_[static_cast<size_t>(curSel_)] : std::u16string();
    case ControlKind::IpAddress: {
        std::u16string out;
        for (size_t i = 0; i < 4; ++i) {
            if (i > 0) {
                out += u'.';
            }
            const std::string digits = std::to_string(address_[i]);
            out.append(digits.begin(), digits.end());
        }
        return out;
    }
    default:
        return text_;
    }
}

void Control::SetText(std::u16string_view text) {
    if (kind_ == ControlKind::IpAddress) {
        SetAddressText(text);
        return;
    }
    if (kind_ == ControlKind::DropDownList || kind_ == ControlKind::Tab) {
        // A drop-down list shows only its entries: setting a text selects the equal entry.
        SetCurSel(FindStringExact(-1, text));
        return;
    }
    if (text_ == text) {
        return;
    }
    text_.assign(text);
    Changed(ControlChange::Text);
    if (kind_ == ControlKind::Edit) {
        Notification n;
        n.event = Event::EditChange;
        n.id = id_;
        owner_.Dispatch(n);
    }
}

void Control::Enable(bool enable) {
    if (enabled_ != enable) {
        enabled_ = enable;
        Changed(ControlChange::Enabled);
    }
}

void Control::Show(bool show) {
    if (visible_ != show) {
        visible_ = show;
        Changed(ControlChange::Visible);
    }
}

void Control::SetRect(const Rect& rect) {
    if (!(rect_ == rect)) {
        rect_ = rect;
        Changed(ControlChange::Rect);
    }
}

void Control::Move(int dx, int dy) {
    SetRect(Rect{rect_.x + dx, rect_.y + dy, rect_.width, rect_.height});
}

void Control::SetTooltip(std::u16string_view text) {
    if (tooltip_ != text) {
        tooltip_.assign(text);
        Changed(ControlChange::Tooltip);
    }
}

void Control::Invalidate() {
    owner_.ControlRepaint(*this);
}

void Control::SetCheck(int check) {
    check = check != 0 ? 1 : 0;
    if (check_ != check) {
        check_ = check;
        Changed(ControlChange::Check);
    }
}

const std::u16string& Control::ItemText(int index) const {
    if (index < 0 || index >= Count()) {
        return kEmpty;
    }
    return items_[static_cast<size_t>(index)];
}

int Control::AddString(std::u16string_view text) {
    if (!HasStyle(kStyleSorted)) {
        return InsertString(-1, text);
    }
    int index = 0;
    while (index < Count() && CompareNoCase(items_[static_cast<size_t>(index)], text) <= 0) {
        ++index;
    }
    return InsertString(index, text);
}

int Control::InsertString(int index, std::u16string_view text) {
    if (index < 0) {
        index = Count();
    }
    if (index > Count()) {
        return -1;
    }
    items_.insert(items_.begin() + index, std::u16string(text));
    itemData_.insert(itemData_.begin() + index, 0);
    if (curSel_ >= index) {
        ++curSel_;
    }
    Changed(ControlChange::Items);
    return index;
}

int Control::DeleteString(int index) {
    if (index < 0 || index >= Count()) {
        return -1;
    }
    items_.erase(items_.begin() + index);
    itemData_.erase(itemData_.begin() + index);
    bool selectionChanged = false;
    if (curSel_ == index) {
        curSel_ = -1;
        selectionChanged = true;
    } else if (curSel_ > index) {
        --curSel_;
    }
    Changed(ControlChange::Items);
    if (selectionChanged) {
        Changed(ControlChange::Selection);
    }
    return Count();
}

void Control::ResetContent() {
    if (items_.empty() && curSel_ == -1) {
        return;
    }
    items_.clear();
    itemData_.clear();
    curSel_ = -1;
    Changed(ControlChange::Items);
    Changed(ControlChange::Selection);
}

bool Control::SetItemText(int index, std::u16string_view text) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    if (items_[static_cast<size_t>(index)] != text) {
        items_[static_cast<size_t>(index)].assign(text);
        Changed(ControlChange::Items);
    }
    return true;
}

int Control::FindStringExact(int start, std::u16string_view text) const {
    const int n = Count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((start < 0 ? -1 : start) + k) % n;
        if (CompareNoCase(items_[static_cast<size_t>(i)], text) == 0) {
            return i;
        }
    }
    return -1;
}

int Control::FindString(int start, std::u16string_view prefix) const {
    const int n = Count();
    for (int k = 1; k <= n; ++k) {
        const int i = ((start < 0 ? -1 : start) + k) % n;
        if (StartsWithNoCase(items_[static_cast<size_t>(i)], prefix)) {
            return i;
        }
    }
    return -1;
}

int Control::SetCurSel(int index) {
    if (index < 0 || index >= Count()) {
        index = -1;
    }
    if (curSel_ != index) {
        curSel_ = index;
        Changed(ControlChange::Selection);
    }
    return index;
}

intptr_t Control::ItemData(int index) const {
    if (index < 0 || index >= Count()) {
        return 0;
    }
    return itemData_[static_cast<size_t>(index)];
}

bool Control::SetItemData(int index, intptr_t data) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    itemData_[static_cast<size_t>(index)] = data;
    return true;
}

void Control::SetLimitText(int limit) {
    limit = std::max(limit, 0);
    if (limit_ != limit) {
        limit_ = limit;
        Changed(ControlChange::Attributes);
    }
}

void Control::SetReadOnly(bool readOnly) {
    const uint32_t style = readOnly ? (style_ | kStyleReadOnly) : (style_ & ~kStyleReadOnly);
    if (style != style_) {
        style_ = style;
        Changed(ControlChange::Attributes);
    }
}

void Control::SetRefusedChars(std::u16string_view chars) {
    if (refused_ != chars) {
        refused_.assign(chars);
        Changed(ControlChange::Attributes);
    }
}

void Control::SetTabStops(int dialogUnits) {
    dialogUnits = std::max(dialogUnits, 0);
    if (tabStops_ != dialogUnits) {
        tabStops_ = dialogUnits;
        Changed(ControlChange::Attributes);
    }
}

void Control::SetFont(const FontSpec& font) {
    if (!(font_ == font)) {
        font_ = font;
        Changed(ControlChange::Attributes);
    }
}

std::u16string Control::FilterUserText(std::u16string_view typed) const {
    std::u16string out;
    out.reserve(typed.size());
    for (const char16_t c : typed) {
        if (refused_.find(c) != std::u16string::npos) {
            continue;
        }
        if (IsDigitsOnly() && (c < u'0' || c > u'9')) {
            continue;
        }
        if (!HasStyle(kStyleMultiLine) && (c == u'\r' || c == u'\n')) {
            continue;
        }
        out += c;
    }
    if (limit_ > 0 && out.size() > static_cast<size_t>(limit_)) {
        out.resize(static_cast<size_t>(limit_));
    }
    return out;
}

void Control::SetRange(int lo, int hi) {
    if (rangeMin_ != lo || rangeMax_ != hi) {
        rangeMin_ = lo;
        rangeMax_ = hi;
        pos_ = std::clamp(pos_, std::min(lo, hi), std::max(lo, hi));
        Changed(ControlChange::Range);
    }
}

void Control::SetPos(int pos) {
    pos = std::clamp(pos, std::min(rangeMin_, rangeMax_), std::max(rangeMin_, rangeMax_));
    if (pos_ != pos) {
        pos_ = pos;
        Changed(ControlChange::Range);
    }
}

void Control::SetAddress(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const std::array<uint8_t, 4> address{a, b, c, d};
    if (address_ != address || blank_) {
        address_ = address;
        blank_ = false;
        Changed(ControlChange::Text);
    }
}

bool Control::SetAddressText(std::u16string_view text) {
    std::array<int, 4> fields{};
    size_t field = 0;
    bool anyDigit = false;
    for (const char16_t c : text) {
        if (c == u'.') {
            if (++field >= 4) {
                return false;
            }
        } else if (c >= u'0' && c <= u'9') {
            anyDigit = true;
            fields[field] = std::min(fields[field] * 10 + (c - u'0'), 255);
        } else if (c != u' ') {
            return false;
        }
    }
    if (!anyDigit) {
        return false;
    }
    SetAddress(static_cast<uint8_t>(fields[0]), static_cast<uint8_t>(fields[1]),
               static_cast<uint8_t>(fields[2]), static_cast<uint8_t>(fields[3]));
    return true;
}

void Control::ClearAddress() {
    if (!blank_ || address_ != std::array<uint8_t, 4>{}) {
        address_ = {};
        blank_ = true;
        Changed(ControlChange::Text);
    }
}

void Control::SetPicture(int resource) {
    if (picture_ != resource) {
        picture_ = resource;
        Changed(ControlChange::Picture);
    }
}

} // namespace qm::ui
