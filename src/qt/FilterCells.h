#pragma once

#include <QStringList>

#include <string_view>

namespace qm::qt {

// Turns a filter cell (description and pattern strings alternating, each NUL-terminated, the
// list ending with an empty string) into Qt name filters "Description (patterns)". A pattern
// list "*.a;*.b" becomes "*.a *.b"; a description that already ends with its patterns in
// parentheses is kept as it is. An odd last description without a pattern is dropped.
QStringList NameFiltersFromCell(std::u16string_view cell);

} // namespace qm::qt
