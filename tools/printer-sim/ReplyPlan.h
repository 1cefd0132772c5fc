#pragma once

#include "SimOptions.h"

#include <cstddef>
#include <string>

namespace qm::sim {

// How one reply goes out under the fault options: withheld, or after a delay as the bytes
// (stray bytes first, cut where the connection is to drop) in pieces with a gap between them.
// The blocking session and the fleet's event-driven session both send by it.
struct ReplyPlan {
    bool withhold = false; // --silent: nothing is sent
    int delayMs = 0;       // wait before the first byte
    std::string bytes;     // what is sent, already cut at the drop point
    size_t pieceBytes = 0; // bytes per write (the whole reply without --trickle)
    int gapMs = 0;         // wait between pieces
    bool drop = false;     // close the connection once `bytes` are out

    // `sentBefore`: reply bytes already sent on this connection (for --drop-after).
    static ReplyPlan For(const std::string& reply, const SimOptions& options, long sentBefore);
};

} // namespace qm::sim
