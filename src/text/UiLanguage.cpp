#include "text/UiLanguage.h"

namespace qm {

std::u16string_view LanguageName(UiLanguage language) {
    switch (UiLanguageFromIndex(LanguageIndex(language))) {
    case UiLanguage::kJapanese:
        return u"日本語";
    case UiLanguage::kChinese:
        return u"简体中文";
    case UiLanguage::kKorean:
        return u"한국어";
    case UiLanguage::kEnglish:
        break;
    }
    return u"English";
}

} // namespace qm
