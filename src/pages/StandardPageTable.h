#pragma once

#include "pages/PageRow.h"
#include "text/TextTable.h"
#include "ui/DialogTemplate.h"

#include <span>

namespace qm {

// The group boxes of the Standard page, top to bottom.
enum StandardGroup : int {
    kStdGlobalConfig,
    kStdPageSetup,
    kStdSystemSetup,
    kStdAfterPrintSetup,
    kStdRfid,
    kStdInterfaceMenu,
    kStdOptionInterfaceMenu,
    kStdGroupCount
};

// The row of the Standard page whose texts are the entry `text` (rows follow the text entries).
constexpr int StandardRow(TextId text) {
    return static_cast<int>(text) - static_cast<int>(TextId::kConfigSet);
}

// The Standard page's item table, one line per row, and the dialog template laid out from it
// (template 1000): the seven group boxes with their rows, and the RFID group's three result
// lines.
class StandardPageTable {
public:
    static std::span<const PageRow> Rows();
    static std::span<const PageItemData> Items();
    static const ui::DialogTemplate& Template();

    static constexpr int kTemplateId = 1000;
    // Group box ids and the RFID result lines (caption, value).
    static constexpr int GroupId(int group) { return 1000 + group; }
    static constexpr int RfidResultCaptionId(int line) { return 2500 + line; }
    static constexpr int RfidResultId(int line) { return 2510 + line; }
    static constexpr int kRfidResultLines = 3;
};

} // namespace qm
