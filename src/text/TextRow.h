#pragma once

#include "text/UiLanguage.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qm {

// One fixed-width row of a text table: one UTF-16 cell per language, in the order English,
// Japanese, Simplified Chinese, Korean. Each text is NUL-terminated inside its cell and the rest
// of the cell is zero, so the text for language L starts at row start + L x cell size.
//   short row: 256 bytes, cells of 64 bytes (at most 31 characters)
//   long row: 4096 bytes, cells of 1024 bytes (at most 511 characters)
template <std::size_t CellChars> struct FixedTextRow {
    static constexpr std::size_t kCellChars = CellChars;
    static constexpr std::size_t kMaxTextChars = CellChars - 1;

    std::array<std::array<char16_t, CellChars>, kUiLanguageCount> cells{};

    // The cell of a language up to its first NUL. An index outside 0..3 gives English.
    constexpr std::u16string_view Text(UiLanguage language) const {
        const auto& cell = cells[static_cast<std::size_t>(
            LanguageIndex(UiLanguageFromIndex(LanguageIndex(language))))];
        std::size_t length = 0;
        while (length < CellChars && cell[length] != u'\0') {
            ++length;
        }
        return {cell.data(), length};
    }

    // The whole cell of a language, embedded NULs included (used by the file-dialog filters).
    constexpr std::u16string_view Cell(UiLanguage language) const {
        const auto& cell = cells[static_cast<std::size_t>(
            LanguageIndex(UiLanguageFromIndex(LanguageIndex(language))))];
        return {cell.data(), CellChars};
    }
};

using ShortRow = FixedTextRow<32>; // 4 x 64 bytes
using LongRow = FixedTextRow<512>; // 4 x 1024 bytes

static_assert(sizeof(ShortRow) == 256);
static_assert(sizeof(LongRow) == 4096);

namespace text_detail {

// Copies a literal (its terminating NUL included) into a cell. A text longer than the cell
// allows is rejected while compiling: throwing in a constant evaluation is an error.
template <std::size_t CellChars, std::size_t N>
consteval void FillCell(std::array<char16_t, CellChars>& cell, const char16_t (&text)[N]) {
    if (N > CellChars) {
        throw "text does not fit its cell";
    }
    for (std::size_t i = 0; i < N; ++i) {
        cell[i] = text[i];
    }
}

template <std::size_t CellChars, std::size_t A, std::size_t B, std::size_t C, std::size_t D>
consteval FixedTextRow<CellChars> MakeRow(const char16_t (&en)[A], const char16_t (&ja)[B],
                                          const char16_t (&zh)[C], const char16_t (&ko)[D]) {
    FixedTextRow<CellChars> row{};
    FillCell(row.cells[0], en);
    FillCell(row.cells[1], ja);
    FillCell(row.cells[2], zh);
    FillCell(row.cells[3], ko);
    return row;
}

} // namespace text_detail

// A short row from its four texts: English, Japanese, Simplified Chinese, Korean.
template <std::size_t A, std::size_t B, std::size_t C, std::size_t D>
consteval ShortRow Short(const char16_t (&en)[A], const char16_t (&ja)[B], const char16_t (&zh)[C],
                         const char16_t (&ko)[D]) {
    return text_detail::MakeRow<ShortRow::kCellChars>(en, ja, zh, ko);
}

// A short row whose text is the same in every language: values as the printer spells them
// ("CONFIG SET 1", "6 IPS", "INCH"), numbers and codes.
template <std::size_t N> consteval ShortRow Same(const char16_t (&text)[N]) {
    return text_detail::MakeRow<ShortRow::kCellChars>(text, text, text, text);
}

// A long row from its four texts.
template <std::size_t A, std::size_t B, std::size_t C, std::size_t D>
consteval LongRow Long(const char16_t (&en)[A], const char16_t (&ja)[B], const char16_t (&zh)[C],
                       const char16_t (&ko)[D]) {
    return text_detail::MakeRow<LongRow::kCellChars>(en, ja, zh, ko);
}

// A long row whose text is the same in every language (fixed English texts).
template <std::size_t N> consteval LongRow LongSame(const char16_t (&text)[N]) {
    return text_detail::MakeRow<LongRow::kCellChars>(text, text, text, text);
}

} // namespace qm
