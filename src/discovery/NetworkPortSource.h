#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Monitor names of the ports behind a print queue.
inline constexpr std::u16string_view kMakerTcpMonitor = u"KORVANE TCP/IP Port";
inline constexpr std::u16string_view kSehTcpMonitor = u"SEH TCP/IP Port";
inline constexpr std::u16string_view kStandardTcpMonitor = u"Standard TCP/IP Port";
inline constexpr std::u16string_view kLocalPortMonitor = u"Local Port";

// One port of the print system: its name and the monitor that drives it (none when the print
// system names no monitor).
struct PortEntry {
    std::u16string name;
    std::optional<std::u16string> monitor;
};

// What the standard TCP/IP monitor keeps for one of its ports.
struct StandardTcpEntry {
    std::u16string ipAddress;           // may be empty
    std::u16string hostName;            // used when ipAddress is empty
    std::optional<uint32_t> portNumber; // missing when the entry holds no port number
};

// The port data the network-port rules read. On Linux CupsPortSource provides it from the
// device URIs of the CUPS queues; tests provide their own.
class NetworkPortSource {
public:
    virtual ~NetworkPortSource() = default;
    // Every port, in the print system's order.
    virtual std::vector<PortEntry> Ports() = 0;
    // The standard monitor's entry of a port; false when the port has none.
    virtual bool StandardEntry(std::u16string_view portName, StandardTcpEntry& entry) = 0;
    // The maker monitor's "Property" value of a port: false when the port has no entry there;
    // `property` is empty (nullopt) when the entry exists but the value cannot be read.
    virtual bool MakerProperty(std::u16string_view portName,
                               std::optional<std::vector<uint8_t>>& property) = 0;
};

} // namespace qm
