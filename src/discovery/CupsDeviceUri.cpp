#include "discovery/CupsDeviceUri.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>

namespace qm {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string PercentDecode(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseCupsDeviceUri(std::string_view uri, CupsDeviceUri& parts) {
    parts = CupsDeviceUri{};
    const size_t colon = uri.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        return false;
    }
    for (size_t i = 0; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(uri[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
        parts.scheme += static_cast<char>(std::tolower(c));
    }
    std::string_view rest = uri.substr(colon + 1);
    const size_t query = rest.find('?');
    if (query != std::string_view::npos) {
        parts.options = std::string(rest.substr(query + 1));
        rest = rest.substr(0, query);
    }
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        std::string_view authority = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
        const size_t at = authority.rfind('@');
        if (at != std::string_view::npos) {
            authority.remove_prefix(at + 1);
        }
        if (!authority.empty() && authority.front() == '[') {
            const size_t close = authority.find(']');
            if (close == std::string_view::npos) {
                parts.host = PercentDecode(authority.substr(1));
                authority = {};
            } else {
                parts.host = PercentDecode(authority.substr(1, close - 1));
                authority.remove_prefix(close + 1);
            }
            if (!authority.empty() && authority.front() == ':') {
                parts.port = std::string(authority.substr(1));
            }
        } else {
            const size_t portColon = authority.rfind(':');
            parts.host = PercentDecode(authority.substr(0, portColon));
            if (portColon != std::string_view::npos) {
                parts.port = std::string(authority.substr(portColon + 1));
            }
        }
    }
    parts.path = PercentDecode(rest);
    return true;
}

std::optional<std::string> CupsUriOption(std::string_view options, std::string_view name) {
    size_t start = 0;
    while (start <= options.size()) {
        size_t end = options.find_first_of("+&", start);
        if (end == std::string_view::npos) {
            end = options.size();
        }
        const std::string_view item = options.substr(start, end - start);
        const size_t equals = item.find('=');
        if (EqualNoCase(item.substr(0, equals), name)) {
            return equals == std::string_view::npos ? std::string()
                                                    : PercentDecode(item.substr(equals + 1));
        }
        start = end + 1;
    }
    return std::nullopt;
}

SerialSettings SerialSettingsFromCupsOptions(std::string_view options) {
    SerialSettings settings;
    settings.baudRate = 9600;
    settings.dataBits = 8;
    settings.stopBits = 0;
    settings.parity = 0;
    settings.flow = u"N";
    size_t start = 0;
    while (start < options.size()) {
        size_t end = options.find_first_of("+&", start);
        if (end == std::string_view::npos) {
            end = options.size();
        }
        const std::string_view item = options.substr(start, end - start);
        start = end + 1;
        const size_t equals = item.find('=');
        const std::string_view name = item.substr(0, equals);
        const std::string value = equals == std::string_view::npos
                                      ? std::string()
                                      : PercentDecode(item.substr(equals + 1));
        if (EqualNoCase(name, "baud")) {
            settings.baudRate = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        } else if (EqualNoCase(name, "bits")) {
            const long bits = std::strtol(value.c_str(), nullptr, 10);
            if (bits == 7) {
                settings.dataBits = 7;
                settings.parity = 2;
            } else if (bits == 8) {
                settings.dataBits = 8;
                settings.parity = 0;
            }
        } else if (EqualNoCase(name, "parity")) {
            if (EqualNoCase(value, "even")) {
                settings.parity = 2;
            } else if (EqualNoCase(value, "odd")) {
                settings.parity = 1;
            } else if (EqualNoCase(value, "none")) {
                settings.parity = 0;
            } else if (EqualNoCase(value, "space")) {
                settings.parity = 4;
                settings.dataBits = 8;
            } else if (EqualNoCase(value, "mark")) {
                settings.parity = 3;
                settings.dataBits = 7;
                settings.stopBits = 2;
            }
        } else if (EqualNoCase(name, "stop")) {
            const long stop = std::strtol(value.c_str(), nullptr, 10);
            if (stop == 1) {
                settings.stopBits = 0;
            } else if (stop == 2) {
                settings.stopBits = 2;
            }
        } else if (EqualNoCase(name, "flow")) {
            if (EqualNoCase(value, "none")) {
                settings.flow = u"N";
            } else if (EqualNoCase(value, "soft")) {
                settings.flow = u"X";
            } else if (EqualNoCase(value, "hard") || EqualNoCase(value, "rtscts") ||
                       EqualNoCase(value, "dtrdsr")) {
                settings.flow = u"H";
            }
        }
    }
    return settings;
}

bool SameDevice(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) {
        return false;
    }
    if (first == second) {
        return true;
    }
    std::error_code ec1;
    std::error_code ec2;
    const auto a = std::filesystem::canonical(first, ec1);
    const auto b = std::filesystem::canonical(second, ec2);
    if (!ec1 && !ec2 && a == b) {
        return true;
    }
    struct stat sa {};
    struct stat sb {};
    return ::stat(first.c_str(), &sa) == 0 && ::stat(second.c_str(), &sb) == 0 &&
           S_ISCHR(sa.st_mode) && S_ISCHR(sb.st_mode) && sa.st_rdev == sb.st_rdev;
}

} // namespace qm
