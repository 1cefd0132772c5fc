#pragma once

// The built-in text data, one file per window or page. Only TextTable and the tests read it.

#include "text/TextRow.h"
#include "text/TextTable.h"

#include <span>
#include <string>
#include <vector>

namespace qm::text_data {

// One short row of the directory: the entry and group it belongs to, and its four texts. The
// rows of one group lie next to each other; TextTable joins the groups of every file into one
// block and builds the directory (row count, first row) from it.
struct DirectoryRow {
    TextId id;
    TextPart part;
    ShortRow row;
};

// One long row other than the messages, tagged with its id (the rows lie in id order).
struct LongEntry {
    LongTextId id;
    LongRow row;
};

// Short rows, in the order the windows use them.
extern const std::span<const DirectoryRow> kMainWindowRows;
extern const std::span<const DirectoryRow> kComSettingsRows;
extern const std::span<const DirectoryRow> kStandardPageRows;
extern const std::span<const DirectoryRow> kEasyPageRows;
extern const std::span<const DirectoryRow> kAdvancedPageRows;
extern const std::span<const DirectoryRow> kInformationPageRows;
extern const std::span<const DirectoryRow> kCalibrationPageRows;
extern const std::span<const DirectoryRow> kPrintPageRows;
extern const std::span<const DirectoryRow> kSelfInfoRows;

// Long rows.
extern const std::span<const LongRow> kMessageRows; // the 17 messages, by index
extern const std::span<const LongEntry> kLongEntries;

// Every short-row file in block order.
inline constexpr const std::span<const DirectoryRow>* kShortRowFiles[] = {
    &kMainWindowRows,      &kComSettingsRows,  &kStandardPageRows,
    &kEasyPageRows,        &kAdvancedPageRows, &kInformationPageRows,
    &kCalibrationPageRows, &kPrintPageRows,    &kSelfInfoRows,
};

// Checks the data as TextTable reads it: the rows of every group lie next to each other, every
// entry has at least one row, and the long rows lie in id order. Returns one line per fault.
std::vector<std::string> CheckTextData();

// Values the printer spells, shared by many lists.
inline constexpr ShortRow kOff = Same(u"OFF");
inline constexpr ShortRow kOn = Same(u"ON");
inline constexpr ShortRow kInch = Same(u"INCH");
inline constexpr ShortRow kMm = Same(u"MM");
inline constexpr ShortRow kDots = Same(u"DOTS");
inline constexpr ShortRow kVolt = Same(u"V");
inline constexpr ShortRow kSec = Same(u"SEC");
inline constexpr ShortRow kPercent = Same(u"%");

} // namespace qm::text_data
