#pragma once

#include "connection/IcmpEcho.h"
#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qm {

// The most addresses one sweep asks: its echoes take one sequence number each.
constexpr size_t kMaxSweepAddresses = 32768;

// Sends an ICMP echo request to every address (IPv4, network byte order) from one socket, in
// quick succession, then waits until `timeoutMs` after the last request (or until every address
// answered) for the replies, which it tells apart by identifier, sequence number and source.
// One result per address: kReply or kNoReply; every one is kUnavailable when the system allows
// no ICMP socket or there are more than kMaxSweepAddresses (the caller then asks each address).
std::vector<EchoResult> SendIcmpSweep(Clock& clock, const std::vector<uint32_t>& addresses,
                                      uint32_t timeoutMs);

// The places in `dotted` (IPv4 dotted quads) worth asking after one sweep over them: the
// addresses that answered, or every one when the sweep could not tell (no ICMP socket allowed,
// too many addresses, a text that is no dotted quad: the connect then decides).
std::vector<size_t> ReachableByEcho(Clock& clock, const std::vector<std::string>& dotted,
                                    uint32_t timeoutMs);

} // namespace qm
