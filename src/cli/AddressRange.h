#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::cli {

// The IPv4 addresses of "FIRST-LAST" (both dotted quads, FIRST not above LAST), in order.
// The largest range a scan takes.
inline constexpr uint32_t kMaxRangeAddresses = 1024;

// False with a message when the text is not two dotted quads joined by '-', when FIRST lies
// above LAST, or when the range holds more than kMaxRangeAddresses addresses.
bool ParseAddressRange(const std::string& text, std::vector<std::string>& addresses,
                       std::string& error);

} // namespace qm::cli
