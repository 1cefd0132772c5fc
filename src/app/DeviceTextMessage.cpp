#include "app/DeviceTextMessage.h"

#include <vector>

namespace qm {
namespace {

std::vector<std::u16string_view> SplitAll(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> fields;
    size_t start = 0;
    while (true) {
        size_t at = text.find(separator, start);
        if (at == std::u16string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

} // namespace

std::optional<std::u16string> DeviceTextFromMessage(std::u16string_view posted) {
    std::vector<std::u16string_view> fields = SplitAll(posted, u'#');
    if (fields.size() != 5 || SplitAll(fields[1], u'&').size() != 2) {
        return std::nullopt;
    }
    return std::u16string(fields[4].substr(0, kDeviceTextLimit));
}

} // namespace qm
