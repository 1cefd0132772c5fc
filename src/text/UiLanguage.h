#pragma once

#include <string_view>

namespace qm {

// The interface language. The numeric value is the language index used everywhere: the
// REGION value of the preferences, the entry of the main window's language combo box, and the
// cell of a text-table row (cells follow the order 0, 1, 2, 3).
enum class UiLanguage : int {
    kEnglish = 0,
    kJapanese = 1,
    kChinese = 2, // Simplified Chinese
    kKorean = 3,
};

inline constexpr int kUiLanguageCount = 4;

// The language index of a language (0..3).
constexpr int LanguageIndex(UiLanguage language) {
    return static_cast<int>(language);
}

// True for 0..3.
constexpr bool IsLanguageIndex(int index) {
    return index >= 0 && index < kUiLanguageCount;
}

// The language for an index 0..3; any other index gives English, so a bad region never makes
// a lookup read outside a row.
constexpr UiLanguage UiLanguageFromIndex(int index) {
    return IsLanguageIndex(index) ? static_cast<UiLanguage>(index) : UiLanguage::kEnglish;
}

// The language for the user's primary language id (the language id AND 0x3ff): 0x11 Japanese,
// 0x04 Chinese, 0x12 Korean, anything else English.
constexpr UiLanguage UiLanguageFromLanguageId(int primaryLanguageId) {
    switch (primaryLanguageId) {
    case 0x11:
        return UiLanguage::kJapanese;
    case 0x04:
        return UiLanguage::kChinese;
    case 0x12:
        return UiLanguage::kKorean;
    default:
        return UiLanguage::kEnglish;
    }
}

// The entry of the language combo box for a language, the same in every interface language:
// "English", "日本語", "简体中文", "한국어".
std::u16string_view LanguageName(UiLanguage language);

} // namespace qm
