#include "discovery/CupsPortSource.h"

#include "discovery/CupsDeviceUri.h"
#include "platform/Encoding.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>

namespace qm {
namespace {

constexpr std::array<std::string_view, 6> kNetworkSchemes = {"socket", "lpd",  "ipp",
                                                             "ipps",   "http", "https"};
constexpr uint32_t kSocketDefaultPort = 9100;

bool IsNetworkPort(const CupsDeviceUri& uri) {
    return !uri.host.empty() && std::find(kNetworkSchemes.begin(), kNetworkSchemes.end(),
                                          uri.scheme) != kNetworkSchemes.end();
}

bool IsAddressLiteral(const std::string& host) {
    unsigned char buffer[16];
    return ::inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           ::inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

std::optional<uint32_t> PortNumber(const CupsDeviceUri& uri) {
    if (uri.port.empty()) {
        if (uri.scheme == "socket") {
            return kSocketDefaultPort;
        }
        return std::nullopt;
    }
    if (uri.port.size() > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char c : uri.port) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

} // namespace

CupsPortSource::CupsPortSource(std::vector<std::string> deviceUris)
    : deviceUris_(std::move(deviceUris)) {}

std::vector<PortEntry> CupsPortSource::Ports() {
    std::vector<PortEntry> ports;
    for (const std::string& text : deviceUris_) {
        CupsDeviceUri uri;
        const bool network = ParseCupsDeviceUri(text, uri) && IsNetworkPort(uri);
        ports.push_back(PortEntry{
            U16(text), std::u16string(network ? kStandardTcpMonitor : kLocalPortMonitor)});
    }
    return ports;
}

bool CupsPortSource::StandardEntry(std::u16string_view portName, StandardTcpEntry& entry) {
    const std::string name = Utf16ToUtf8(portName);
    const auto it = std::find(deviceUris_.begin(), deviceUris_.end(), name);
    CupsDeviceUri uri;
    if (it == deviceUris_.end() || !ParseCupsDeviceUri(*it, uri) || !IsNetworkPort(uri)) {
        return false;
    }
    entry = StandardTcpEntry{};
    if (IsAddressLiteral(uri.host)) {
        entry.ipAddress = U16(uri.host);
    } else {
        entry.hostName = U16(uri.host);
    }
    entry.portNumber = PortNumber(uri);
    return true;
}

bool CupsPortSource::MakerProperty(std::u16string_view /*portName*/,
                                   std::optional<std::vector<uint8_t>>& property) {
    property.reset();
    return false;
}

} // namespace qm
