#pragma once

#include "Channel.h"
#include "EventLog.h"
#include "Printer.h"
#include "SimOptions.h"

#include <atomic>
#include <string>

namespace qm::sim {

// Serves one connection: cuts the incoming bytes into messages, lets the printer act on them
// and sends the replies with the faults the options ask for (delay, stray bytes, trickle,
// silence, dropping the connection).
class Session {
public:
    // Silence after which print data, or a command that never reaches its EXIT or END line,
    // is taken as it is.
    static constexpr int kIdleMs = 250;
    static constexpr int kCommandIdleMs = 2000;
    // A TCP peer that takes no reply bytes for this long is given up.
    static constexpr int kTcpWriteStallMs = 5000;

    Session(Channel& channel, Printer& printer, const SimOptions& options, EventLog& log,
            const std::atomic<bool>& stop);
    // Runs until the peer closes, the connection is dropped, or `stop` is set.
    void Run();

private:
    // Sends one reply; false when the connection is to end.
    bool SendReply(const std::string& reply);
    // False when --strict-line is on and the port's line differs from the printer's.
    bool LineMatches(const std::string& settings);
    // Sleeps, waking early when `stop` is set; false when stopped.
    bool Pause(int ms);

    Channel& channel_;
    Printer& printer_;
    const SimOptions& options_;
    EventLog& log_;
    const std::atomic<bool>& stop_;
    long sent_ = 0; // reply bytes sent on this connection
    std::string lineSettings_;
};

} // namespace qm::sim
