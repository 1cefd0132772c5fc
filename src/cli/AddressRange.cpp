#include "cli/AddressRange.h"

#include "connection/NetAddress.h"
#include "platform/Encoding.h"

#include <cstdio>

namespace qm::cli {
namespace {

std::string DottedQuad(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", value >> 24, (value >> 16) & 0xFF,
                  (value >> 8) & 0xFF, value & 0xFF);
    return text;
}

} // namespace

bool ParseAddressRange(const std::string& text, std::vector<std::string>& addresses,
                       std::string& error) {
    addresses.clear();
    size_t dash = text.find('-');
    if (dash == std::string::npos || text.find('-', dash + 1) != std::string::npos) {
        error = "--range needs FIRST-LAST, two IPv4 addresses such as 192.168.0.1-192.168.0.254";
        return false;
    }
    const std::string first = text.substr(0, dash);
    const std::string last = text.substr(dash + 1);
    for (const std::string& address : {first, last}) {
        if (!IsDottedQuad(std::string_view(address))) {
            error = "--range: \"" + address + "\" is not an IPv4 address (a.b.c.d, each 0-255)";
            return false;
        }
    }
    const uint32_t from = DottedQuadToValue(Utf8ToUtf16(first));
    const uint32_t to = DottedQuadToValue(Utf8ToUtf16(last));
    if (from > to) {
        error = "--range: " + first + " comes after " + last;
        return false;
    }
    if (to - from >= kMaxRangeAddresses) {
        error = "--range holds " + std::to_string(uint64_t{to} - from + 1) +
                " addresses; at most " + std::to_string(kMaxRangeAddresses) +
                " are scanned at once";
        return false;
    }
    for (uint32_t value = from;; ++value) {
        addresses.push_back(DottedQuad(value));
        if (value == to) {
            break;
        }
    }
    return true;
}

} // namespace qm::cli
