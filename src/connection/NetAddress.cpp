#include "connection/NetAddress.h"

#include "platform/Encoding.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdio>

namespace qm {
namespace {

template <typename Char> bool DottedQuad(std::basic_string_view<Char> text) {
    int fields = 0;
    size_t start = 0;
    while (true) {
        size_t end = text.find(Char('.'), start);
        auto field = text.substr(start, end == std::basic_string_view<Char>::npos
                                            ? std::basic_string_view<Char>::npos
                                            : end - start);
        if (field.empty()) {
            return false;
        }
        unsigned value = 0;
        for (Char c : field) {
            if (c < Char('0') || c > Char('9')) {
                return false;
            }
            value = value * 10 + static_cast<unsigned>(c - Char('0'));
            if (value > 255) {
                return false;
            }
        }
        ++fields;
        if (end == std::basic_string_view<Char>::npos) {
            break;
        }
        start = end + 1;
    }
    return fields == 4;
}

} // namespace

bool IsDottedQuad(std::u16string_view text) {
    return DottedQuad(text);
}

bool IsDottedQuad(std::string_view text) {
    return DottedQuad(text);
}

uint32_t DottedQuadToValue(std::u16string_view text) {
    uint32_t result = 0;
    size_t start = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        uint32_t field = 0;
        size_t at = start;
        while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
            field = field * 10 + static_cast<uint32_t>(text[at] - u'0');
            field &= 0xFFFFFFu; // keeps a long field from overflowing; a quad never has one
            ++at;
        }
        result |= (field & 0xFFu) << shift;
        size_t dot = text.find(u'.', start);
        if (dot == std::u16string_view::npos) {
            break;
        }
        start = dot + 1;
    }
    return result;
}

bool AddressToDottedQuad(std::u16string_view address, std::string& dotted) {
    std::string narrow = WideToAnsi(address);
    if (narrow.empty() || narrow.find('\0') != std::string::npos) {
        return false;
    }
    if (IsDottedQuad(std::string_view(narrow))) {
        dotted = narrow;
        return true;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(narrow.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
        return false;
    }
    const auto* in = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&in->sin_addr.s_addr);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", bytes[0], bytes[1], bytes[2], bytes[3]);
    freeaddrinfo(found);
    dotted = text;
    return true;
}

int PortNumberFromText(std::u16string_view text) {
    long value = 0;
    size_t at = 0;
    while (at < text.size() && (text[at] == u' ' || text[at] == u'\t')) {
        ++at;
    }
    bool any = false;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        any = true;
        value = value * 10 + (text[at] - u'0');
        if (value > 65535) {
            return 0;
        }
    }
    return any ? static_cast<int>(value) : 0;
}

} // namespace qm
