#include "pages/PageLayout.h"

#include "resources/PageTemplateIds.h"

namespace qm {

using namespace res;
using ui::ControlKind;
using ui::ControlTemplate;

namespace {

constexpr int kGroupHead = 10; // group caption to the first row
constexpr int kGroupFoot = 3;  // last row to the group's lower edge
constexpr int kGroupGap = 3;   // between group boxes
constexpr int kInset = 6;      // group edge to the rows
constexpr int kGap = 2;        // between controls of a row
constexpr int kFieldHeight = 12;
constexpr int kListHeight = 100; // with the dropped list
constexpr int kSpinWidth = 8;
constexpr int kNumberWidth = 26; // text field of a number with a unit label or spin beside it
constexpr int kLengthWidth = 24; // text field of a length with its unit list
constexpr int kResolutionWidth = 50;

} // namespace

int PageLayout::ColumnWidth() const {
    return (m_.width - 2 * kInset) / m_.columns;
}

void PageLayout::BeginGroup(int id, std::u16string_view caption) {
    groupIndex_ = controls_.size();
    groupTop_ = y_;
    controls_.push_back(
        ControlTemplate{id, ControlKind::GroupBox, caption, {m_.left, y_, m_.width, 0}});
    y_ += kGroupHead;
    column_ = 0;
}

void PageLayout::NextLine() {
    if (column_ != 0) {
        y_ += m_.pitch;
        column_ = 0;
    }
}

void PageLayout::AddRow(int index, const PageRow& row) {
    // Long texts and the rows with a list beside their field take a line of their own.
    const bool wide =
        (row.controls == RowControls::kText && row.unit.empty() && row.limit >= m_.wideFrom) ||
        row.controls == RowControls::kListText || row.controls == RowControls::kListTextSpin ||
        (row.flags & kItemWideList) != 0;
    if (wide) {
        NextLine();
    }
    const int x = m_.left + kInset + column_ * ColumnWidth();
    const int cx = x + m_.captionWidth + kGap;
    const int width = wide ? m_.width - 2 * kInset - m_.captionWidth - kGap
                           : ColumnWidth() - m_.captionWidth - kGap * 2;
    const int y = y_;
    auto add = [this](ControlTemplate c) { controls_.push_back(c); };
    add({TickId(index),
         ControlKind::CheckBox,
         u"",
         {x, y + 1, m_.captionWidth, 10},
         ui::kStyleGroup});

    int fieldWidth = width;
    int fieldX = cx;
    switch (row.controls) {
    case RowControls::kList:
        add({ListId(index),
             ControlKind::DropDownList,
             u"",
             {cx, y, width, kListHeight},
             ui::kStyleGroup});
        break;
    case RowControls::kAddress:
        add({AddressId(index),
             ControlKind::IpAddress,
             u"",
             {cx, y, width, kFieldHeight},
             ui::kStyleGroup});
        break;
    case RowControls::kListText:
    case RowControls::kListTextSpin:
        add({ListId(index),
             ControlKind::DropDownList,
             u"",
             {cx, y, kResolutionWidth, 40},
             ui::kStyleGroup});
        fieldX = cx + kResolutionWidth + kGap;
        fieldWidth = width - kResolutionWidth - kGap;
        break;
    default:
        break;
    }
    if (row.controls == RowControls::kText || row.controls == RowControls::kTextSpin ||
        row.controls == RowControls::kTextUnits || row.controls == RowControls::kListText ||
        row.controls == RowControls::kListTextSpin) {
        const bool spin =
            row.controls == RowControls::kTextSpin || row.controls == RowControls::kListTextSpin;
        const bool beside = spin || !row.unit.empty() || row.controls == RowControls::kTextUnits;
        int editWidth = beside ? kNumberWidth : fieldWidth;
        if (row.controls == RowControls::kTextUnits) {
            editWidth = kLengthWidth;
        }
        if (row.controls == RowControls::kListText) {
            editWidth = fieldWidth;
        }
        add({FieldId(index),
             ControlKind::Edit,
             u"",
             {fieldX, y, editWidth, kFieldHeight},
             ui::kStyleGroup,
             row.limit});
        int next = fieldX + editWidth;
        if (spin) {
            add({SpinId(index),
                 ControlKind::UpDown,
                 u"",
                 {next, y, kSpinWidth, kFieldHeight},
                 ui::kStyleNone,
                 0,
                 FieldId(index)});
            next += kSpinWidth;
        }
        const int rest = cx + width - next - kGap;
        if (row.controls == RowControls::kTextUnits) {
            add({UnitId(index),
                 ControlKind::DropDownList,
                 u"",
                 {next + kGap, y, rest, 40},
                 ui::kStyleGroup});
        } else if (!row.unit.empty()) {
            add({UnitLabelId(index),
                 ControlKind::Static,
                 row.unit,
                 {next + kGap + 1, y + 2, rest - 1, 8}});
        }
    }

    if (wide) {
        y_ += m_.pitch;
        return;
    }
    if (++column_ == m_.columns) {
        NextLine();
    }
}

void PageLayout::AddTextLine(int captionId, std::u16string_view caption, int valueId) {
    NextLine();
    const int x = m_.left + kInset;
    const int captionWidth = m_.captionWidth + ColumnWidth() / 2;
    controls_.push_back(
        ControlTemplate{captionId, ControlKind::Static, caption, {x, y_ + 2, captionWidth, 8}});
    controls_.push_back(ControlTemplate{
        valueId,
        ControlKind::Static,
        u"",
        {x + captionWidth + kGap, y_ + 2, m_.width - 2 * kInset - captionWidth - kGap, 8}});
    y_ += m_.pitch;
}

void PageLayout::EndGroup() {
    NextLine();
    y_ += kGroupFoot;
    controls_[groupIndex_].rect.height = y_ - groupTop_;
    y_ += kGroupGap;
}

} // namespace qm
