#pragma once

#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>

namespace qm {

enum class EchoResult {
    kReply,       // an echo reply came back in time
    kNoReply,     // the request could not be sent or nothing came back in time
    kUnavailable, // the system allows neither an ICMP datagram socket nor a raw socket
};

// Sends one ICMP echo request (empty payload, TTL 255, type of service 0) to the IPv4 address
// `address` (network byte order) and waits up to `timeoutMs` on `clock` for its reply. Uses an
// unprivileged ICMP datagram socket (net.ipv4.ping_group_range), else a raw socket. The socket
// is connected to its target and a raw one takes echo replies only, so the kernel hands it
// nothing but its target's replies: many echoes at once, each with its own socket, do not
// crowd out each other's replies.
EchoResult SendIcmpEcho(Clock& clock, uint32_t address, uint32_t timeoutMs);

namespace icmp {

// The pieces the single echo and the sweep share.
constexpr size_t kRequestBytes = 8;

// An ICMP socket: the datagram kind when allowed, else a raw one taking echo replies only;
// TTL 255, type of service 0. -1 when the system allows neither.
int OpenEchoSocket(bool& raw);
// OpenEchoSocket connected to `address` (network byte order): the kernel then hands it only
// that address's packets. -1 when no socket is allowed or the connect fails (`raw` tells which
// kind was tried; `unavailable` is set when no socket was allowed).
int OpenTargetSocket(uint32_t address, bool& raw, bool& unavailable);
// An echo request with an empty payload and its checksum.
void BuildRequest(uint16_t identifier, uint16_t sequence, uint8_t (&request)[kRequestBytes]);
// A received packet as an echo reply: false for anything else. A raw socket's packet starts
// with the IP header. `identifier` is meaningful on a raw socket only (a datagram socket's
// kernel rewrites it and filters replies by it itself).
bool ParseReply(const uint8_t* packet, size_t length, bool raw, uint16_t& identifier,
                uint16_t& sequence);
// Reserves `count` consecutive sequence numbers (modulo 65536) for this process's echoes and
// returns the first, so that concurrent echoes and sweeps never share one.
uint16_t ReserveSequences(uint16_t count);
// This process's identifier on raw sockets.
uint16_t ProcessIdentifier();

} // namespace icmp
} // namespace qm
