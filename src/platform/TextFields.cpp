#include "platform/TextFields.h"

namespace qm {

std::vector<std::u16string_view> SplitFields(std::u16string_view text,
                                             std::u16string_view separator) {
    std::vector<std::u16string_view> fields;
    if (separator.empty()) {
        fields.push_back(text);
        return fields;
    }
    size_t start = 0;
    while (true) {
        const size_t at = text.find(separator, start);
        if (at == std::u16string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

bool IsDecimalDigits(std::u16string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

} // namespace qm
