#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

// The user's default language id in the usual 16-bit form (primary language in the low ten
// bits, sub-language above): Japanese 0x0411, Simplified Chinese 0x0804, Traditional Chinese
// 0x0404, Korean 0x0412, English (United States) 0x0409. Taken from the first non-empty of
// LC_ALL, LC_MESSAGES and LANG; "C", "POSIX", unset and unknown languages give 0x0409.
uint16_t UserDefaultLanguageId();

// The same rule for one locale name such as "ja_JP.UTF-8", "zh_TW", "ko" or "C".
uint16_t LanguageIdFromLocaleName(std::string_view locale);

} // namespace qm
