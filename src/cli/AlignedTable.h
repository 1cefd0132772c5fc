#pragma once

// The readable output's one table form: headed sections of "caption  value unit" lines whose
// values start in one column, measured in terminal cells (a Japanese, Chinese or Korean
// character takes two). Every cell is escaped when printed, so a printer's or a file's text
// can never move the cursor or retitle the terminal, whatever it holds.

#include "cli/TerminalStyle.h"

#include <ostream>
#include <string>
#include <vector>

namespace qm::cli {

// How a row's value is shown.
enum class ValueMark {
    kPlain,
    kFault, // an invalid value or a failure: red on a terminal
    kGood,  // a success: green on a terminal
    kDim,   // a value that is not shown or not reported
};

class AlignedTable {
public:
    // Starts a section: a heading line; the rows after it are indented under it.
    void Heading(std::string text);
    // One line. A caption's trailing " : " (as the page texts end) is left out.
    void Row(std::string caption, std::string value, std::string unit = {},
             ValueMark mark = ValueMark::kPlain);
    // The lines of `other` after these (already escaped).
    void Append(const AlignedTable& other);
    bool Empty() const { return lines_.empty(); }

    void Print(std::ostream& out, const Colour& colour) const;

private:
    struct Line {
        bool heading = false;
        std::string caption;
        std::string value;
        std::string unit;
        ValueMark mark = ValueMark::kPlain;
    };
    std::vector<Line> lines_;
};

// The number of terminal cells a UTF-8 text takes: two for a wide (East Asian) character,
// none for a combining mark, one for anything else.
size_t DisplayWidth(const std::string& text);

} // namespace qm::cli
