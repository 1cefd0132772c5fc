#pragma once

#include "MenuTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::sim {

// Reads a decimal number with at most `decimals` significant decimals ("1.50" reads as 150 with
// two decimals and as 15 with one; "1.55" fails with one). Returns the value scaled by
// 10^decimals, or nothing when the text is not such a number.
std::optional<long> ParseFixed(std::string_view text, int decimals);
// Writes a scaled value with its decimals (150, 2 -> "1.50"; -5, 1 -> "-0.5").
std::string FormatFixed(long scaled, int decimals);

// Turns the value part of a configuration line (the tokens after "KEY\t:\t", split at TAB)
// into the form this printer stores, or nothing when the printer rejects it. Lengths are
// stored as "NUMBER\tUNIT" with the unit as sent (MM when none was given).
std::optional<std::string> NormaliseValue(const MenuKey& row,
                                          const std::vector<std::string>& tokens);

// The value part of a reply line for a stored value: lengths in the printer's unit
// (`inch`), voltages with "\tV", head check positions with "DOT\t".
std::string RenderValue(const MenuKey& row, std::string_view stored, bool inch);

// Length helpers: a stored length in tenths of a millimetre (rounded).
std::optional<long> StoredLengthTenthsMm(std::string_view stored);

// Splits at every occurrence of `separator`.
std::vector<std::string> Split(std::string_view text, char separator);

} // namespace qm::sim
