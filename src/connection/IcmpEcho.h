#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace qm {

enum class EchoResult {
    kReply,       // an echo reply came back in time
    kNoReply,     // the request could not be sent or nothing came back in time
    kUnavailable, // the system allows neither an ICMP datagram socket nor a raw socket
};

// Sends one ICMP echo request (empty payload, TTL 255, type of service 0) to the IPv4 address
// `address` (network byte order) and waits up to `timeoutMs` on `clock` for its reply. Uses an
// unprivileged ICMP datagram socket (net.ipv4.ping_group_range), else a raw socket.
EchoResult SendIcmpEcho(Clock& clock, uint32_t address, uint32_t timeoutMs);

} // namespace qm
