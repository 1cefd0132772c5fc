#include "app/DriverPortDescription.h"

namespace qm {

std::u16string_view FieldBefore(std::u16string_view text, std::u16string_view separator) {
    size_t at = text.find(separator);
    return at == std::u16string_view::npos ? text : text.substr(0, at);
}

DriverPortParts SplitDriverPortDescription(int kind, std::u16string_view description) {
    static constexpr std::u16string_view kComma = u", ";
    static constexpr std::u16string_view kMakerCom = u"KORVANE COM";
    DriverPortParts parts;
    if (kind == kPortCom) {
        size_t at = description.find(kComma);
        std::u16string_view port = FieldBefore(description, kComma);
        parts.hasAddress = true;
        parts.address = std::u16string(port);
        if (description.substr(0, kMakerCom.size()) != kMakerCom) {
            parts.address += u':';
        }
        if (at != std::u16string_view::npos) {
            parts.hasSerialText = true;
            parts.serialText = std::u16string(description.substr(at + kComma.size()));
        }
        return parts;
    }
    if (kind == kPortNet) {
        size_t at = description.find(kComma);
        if (at != std::u16string_view::npos &&
            description.find(kComma, at + kComma.size()) == std::u16string_view::npos) {
            parts.hasAddress = true;
            parts.address = std::u16string(description.substr(0, at));
            parts.hasNumber = true;
            parts.number = std::u16string(description.substr(at + kComma.size()));
        }
        return parts;
    }
    parts.hasAddress = true;
    parts.address = std::u16string(description);
    return parts;
}

} // namespace qm
