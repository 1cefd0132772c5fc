#pragma once

#include "pages/PageRow.h"
#include "text/TextTable.h"
#include "ui/DialogTemplate.h"

#include <span>

namespace qm {

// The row of the Advanced page whose texts are the entry `text` (rows follow the text entries).
constexpr int AdvancedRow(TextId text) {
    return static_cast<int>(text) - static_cast<int>(TextId::kAdvThroughSensorPosition);
}

// The Advanced page's item table, one line per row, and the dialog template laid out from it
// (template 2000): the "Factory Mode" group with its 65 rows.
class AdvancedPageTable {
public:
    static std::span<const PageRow> Rows();
    static std::span<const PageItemData> Items();
    static const ui::DialogTemplate& Template();

    static constexpr int kTemplateId = 2000;
    static constexpr int kGroupId = 1000;
};

} // namespace qm
