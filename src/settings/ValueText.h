#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qm {

// Display texts of converted values, exact for every stored number (no floating point).
class ValueText {
public:
    // value / 10^decimals with that many decimals: (15, 1) "1.5", (-5, 2) "-0.05", (7, 0) "7".
    static std::u16string Fixed(int32_t value, int decimals);
    // "%d.%d.%d.%d"
    static std::u16string Ipv4(const std::array<uint8_t, 16>& octets);
    // Eight groups of four lower-case hex digits joined by ":", no compression.
    static std::u16string Ipv6(const std::array<uint8_t, 16>& octets);
};

} // namespace qm
