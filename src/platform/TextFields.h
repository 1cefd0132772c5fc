#pragma once

#include <string_view>
#include <vector>

namespace qm {

// Splits text at every occurrence of separator; n separators give n + 1 fields (empty ones
// included), so "a##b" at "#" gives "a", "", "b" and an empty text gives one empty field.
// An empty separator gives the whole text as one field.
std::vector<std::u16string_view> SplitFields(std::u16string_view text,
                                             std::u16string_view separator);

// True when text is not empty and every character is a decimal digit 0..9.
bool IsDecimalDigits(std::u16string_view text);

} // namespace qm
