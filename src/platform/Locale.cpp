#include "platform/Locale.h"

#include "platform/Environment.h"

#include <string>

namespace qm {
namespace {

constexpr uint16_t kEnglishUs = 0x0409;

struct LanguageRow {
    const char* code;
    uint16_t id;
};

// Primary language codes and their usual default sub-language ids.
constexpr LanguageRow kLanguages[] = {
    {"en", 0x0409}, {"ja", 0x0411}, {"ko", 0x0412}, {"zh", 0x0804}, {"de", 0x0407},
    {"fr", 0x040C}, {"es", 0x0C0A}, {"it", 0x0410}, {"pt", 0x0416}, {"ru", 0x0419},
    {"nl", 0x0413}, {"pl", 0x0415}, {"sv", 0x041D}, {"th", 0x041E}, {"vi", 0x042A},
};

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

uint16_t LanguageIdFromLocaleName(std::string_view locale) {
    // "ll[_CC][.codeset][@modifier]"
    const size_t cut = locale.find_first_of("_.@-");
    std::string language(locale.substr(0, cut));
    for (char& c : language) {
        c = Lower(c);
    }
    std::string region;
    if (cut != std::string_view::npos && (locale[cut] == '_' || locale[cut] == '-')) {
        std::string_view rest = locale.substr(cut + 1);
        region = std::string(rest.substr(0, rest.find_first_of(".@")));
        for (char& c : region) {
            c = Lower(c);
        }
    }
    if (language == "zh") {
        // Traditional Chinese regions keep the same primary language.
        if (region == "tw" || region == "hk" || region == "mo") {
            return 0x0404;
        }
        return 0x0804;
    }
    for (const LanguageRow& row : kLanguages) {
        if (language == row.code) {
            return row.id;
        }
    }
    return kEnglishUs;
}

uint16_t UserDefaultLanguageId() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = GetEnv(name);
        if (!value.empty()) {
            return LanguageIdFromLocaleName(value);
        }
    }
    return kEnglishUs;
}

} // namespace qm
