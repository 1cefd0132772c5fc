#include "pages/Ipv6Text.h"

#include "platform/TextFields.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace qm {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Reads a group of one to four hexadecimal digits.
std::optional<unsigned> ReadGroup(std::u16string_view group) {
    if (group.empty() || group.size() > 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (char16_t c : group) {
        int digit = HexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return value;
}

// Eight groups parsed from the colon form, or nothing when the text is not in that form.
std::optional<std::array<unsigned, 8>> ReadGroups(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) {
        text.remove_suffix(1);
    }
    std::vector<std::u16string_view> fields = SplitFields(text, u":");
    if (fields.size() != 8) {
        return std::nullopt;
    }
    std::array<unsigned, 8> groups{};
    for (size_t i = 0; i < 8; ++i) {
        std::optional<unsigned> value = ReadGroup(fields[i]);
        if (!value) {
            return std::nullopt;
        }
        groups[i] = *value;
    }
    return groups;
}

// Decimal value of the leading digits of a field (an optional sign, then digits), as atoi does.
int LeadingNumber(std::u16string_view field) {
    size_t i = 0;
    while (i < field.size() && (field[i] == u' ' || field[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == u'-' || field[i] == u'+')) {
        negative = field[i] == u'-';
        ++i;
    }
    long value = 0;
    while (i < field.size() && field[i] >= u'0' && field[i] <= u'9') {
        value = value * 10 + (field[i] - u'0');
        if (value > 1000000) {
            value = 1000000;
        }
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

std::u16string FormatGroups(const std::array<unsigned, 8>& groups) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04x:%04x:%04x:%04x:%04x:%04x:%04x:%04x", groups[0],
                  groups[1], groups[2], groups[3], groups[4], groups[5], groups[6], groups[7]);
    return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

} // namespace

std::u16string Ipv6ToDisplay(std::u16string_view stored) {
    if (stored.find(u':') != std::u16string_view::npos) {
        if (std::optional<std::array<unsigned, 8>> groups = ReadGroups(stored)) {
            return FormatGroups(*groups);
        }
        return std::u16string(stored);
    }
    std::vector<std::u16string_view> fields = SplitFields(stored, u",");
    std::array<unsigned, 16> bytes{};
    for (size_t i = 0; i < 16 && i < fields.size(); ++i) {
        bytes[i] = static_cast<unsigned>(LeadingNumber(fields[i])) & 0xFFu;
    }
    std::array<unsigned, 8> groups{};
    for (size_t i = 0; i < 8; ++i) {
        groups[i] = bytes[2 * i] << 8 | bytes[2 * i + 1];
    }
    return FormatGroups(groups);
}

std::u16string Ipv6FromDisplay(std::u16string_view display) {
    std::optional<std::array<unsigned, 8>> groups = ReadGroups(display);
    if (!groups) {
        return std::u16string(display);
    }
    std::string out;
    for (size_t i = 0; i < 8; ++i) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%s%u,%u", i == 0 ? "" : ",", (*groups)[i] >> 8,
                      (*groups)[i] & 0xFFu);
        out += buffer;
    }
    return std::u16string(out.begin(), out.end());
}

} // namespace qm
