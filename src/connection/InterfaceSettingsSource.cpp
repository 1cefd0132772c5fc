#include "connection/InterfaceSettingsSource.h"

#include <array>

namespace qm {
namespace {

constexpr std::array<std::u16string_view, 6> kPortTypeTexts = {u"",    u"PRT", u"COM",
                                                               u"LPT", u"USB", u"NET"};

} // namespace

std::u16string_view PortTypeText(int32_t type) {
    if (type < kPortPrt || type > kPortNet) {
        return {};
    }
    return kPortTypeTexts[static_cast<size_t>(type)];
}

int32_t PortTypeFromText(std::u16string_view text) {
    for (int32_t type = kPortPrt; type <= kPortNet; ++type) {
        if (text == kPortTypeTexts[static_cast<size_t>(type)]) {
            return type;
        }
    }
    return kPortNone;
}

} // namespace qm
