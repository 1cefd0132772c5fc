#pragma once

#include "discovery/NetworkPortSource.h"

#include <string>
#include <vector>

namespace qm {

// The port data of the CUPS queues: every queue's device URI is one port named by the URI.
// A URI of a network backend (socket, lpd, ipp, ipps, http, https) with a host is a port of the
// standard TCP/IP monitor whose entry holds the host (as the IP address when it is an IPv4 or
// IPv6 literal, else as the host name) and the port written in the URI; socket URIs without a
// port use the socket backend's 9100. Every other URI is a local port. CUPS has no counterpart
// of the maker's monitor or of "SEH TCP/IP Port", so no port ever has their entries.
class CupsPortSource : public NetworkPortSource {
public:
    explicit CupsPortSource(std::vector<std::string> deviceUris);

    std::vector<PortEntry> Ports() override;
    bool StandardEntry(std::u16string_view portName, StandardTcpEntry& entry) override;
    bool MakerProperty(std::u16string_view portName,
                       std::optional<std::vector<uint8_t>>& property) override;

private:
    std::vector<std::string> deviceUris_;
};

} // namespace qm
