#include "settings/ValueText.h"

#include <cstdio>
#include <cstdlib>

namespace qm {
namespace {

std::u16string Ascii(const char* text) {
    std::u16string out;
    for (; *text != '\0'; ++text) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(*text)));
    }
    return out;
}

} // namespace

std::u16string ValueText::Fixed(int32_t value, int decimals) {
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const int64_t magnitude = std::llabs(static_cast<int64_t>(value));
    char buffer[48];
    if (decimals == 0) {
        std::snprintf(buffer, sizeof buffer, "%s%lld", value < 0 ? "-" : "",
                      static_cast<long long>(magnitude));
    } else {
        std::snprintf(buffer, sizeof buffer, "%s%lld.%0*lld", value < 0 ? "-" : "",
                      static_cast<long long>(magnitude / scale), decimals,
                      static_cast<long long>(magnitude % scale));
    }
    return Ascii(buffer);
}

std::u16string ValueText::Ipv4(const std::array<uint8_t, 16>& o) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", o[0], o[1], o[2], o[3]);
    return Ascii(buffer);
}

std::u16string ValueText::Ipv6(const std::array<uint8_t, 16>& o) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer,
                  "%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x:%02x%02x", o[0],
                  o[1], o[2], o[3], o[4], o[5], o[6], o[7], o[8], o[9], o[10], o[11], o[12], o[13],
                  o[14], o[15]);
    return Ascii(buffer);
}

} // namespace qm
