#pragma once

#include "pages/PageRow.h"
#include "ui/DialogTemplate.h"

#include <string_view>
#include <vector>

namespace qm {

// Sizes of a page's row grid, in dialog units.
struct LayoutMetrics {
    int left = 4;          // group boxes' left edge
    int top = 4;           // first group box's top edge
    int width = 322;       // group box width
    int columns = 2;       // rows side by side in a group
    int captionWidth = 86; // tick box (the caption)
    int pitch = 13;        // from one row line to the next
    int wideFrom = 28;     // a text row with at least this limit takes a whole line
};

// Lays a page's rows out in its group boxes and writes the dialog template's control rows:
// per row its tick box and the controls its PageRow names (ids of row r: TickId(r), ...), the
// fixed unit label beside the field; group boxes around their rows; read-only text lines.
// Rows fill the columns of a line from left to right; a wide text row takes a line of its own.
class PageLayout {
public:
    explicit PageLayout(const LayoutMetrics& metrics) : m_(metrics), y_(metrics.top) {}

    void BeginGroup(int id, std::u16string_view caption);
    void AddRow(int index, const PageRow& row);
    // A caption and a read-only value beside it, on a line of their own.
    void AddTextLine(int captionId, std::u16string_view caption, int valueId);
    void EndGroup();

    const std::vector<ui::ControlTemplate>& Controls() const { return controls_; }
    // The lowest edge of everything laid out so far.
    int Bottom() const { return y_; }

private:
    void NextLine();
    int ColumnWidth() const;

    LayoutMetrics m_;
    std::vector<ui::ControlTemplate> controls_;
    size_t groupIndex_ = 0;
    int groupTop_ = 0;
    int y_ = 0;
    int column_ = 0; // next free column on the current line
};

} // namespace qm
