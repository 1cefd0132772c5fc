#pragma once

#include "EventLog.h"
#include "MessageSplitter.h"
#include "Printer.h"
#include "ReplyPlan.h"
#include "SimOptions.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace qm::sim {

// One connection of a fleet printer, driven by the fleet's event loop instead of a thread of
// its own. It behaves as the blocking Session does (messages cut at silence, the printer's idle
// time-out, replies sent by ReplyPlan with their delay, pieces, gaps and drop) but never
// waits: the loop calls it when the socket is ready or its deadline has come, and asks it
// which readiness and which deadline it waits for next.
class FleetSession {
public:
    using Clock = std::chrono::steady_clock;

    // Takes ownership of the connected, non-blocking socket `fd`; `name` starts its log lines.
    FleetSession(int fd, Printer& printer, const SimOptions& options, EventLog& log,
                 std::string name, Clock::time_point now);
    ~FleetSession();
    FleetSession(const FleetSession&) = delete;
    FleetSession& operator=(const FleetSession&) = delete;

    int Fd() const { return fd_; }
    // The socket readiness it waits for (EPOLLIN, EPOLLOUT or 0 while a timer runs).
    uint32_t Events() const;
    // When OnTimer is next due (Clock::time_point::max() when it waits only for the socket).
    Clock::time_point Deadline() const { return deadline_; }
    // Each returns false once the connection is over (the caller then destroys the session).
    bool OnReadable(Clock::time_point now);
    bool OnWritable(Clock::time_point now);
    bool OnTimer(Clock::time_point now);

private:
    enum class Phase { kReading, kDelay, kWriting, kGap, kDone };

    // Hands the printer every message that is ready and starts the first reply.
    void Process(Clock::time_point now);
    void StartReply(const std::string& reply, Clock::time_point now);
    // Writes what the socket takes of the current piece; moves on to the gap or the end.
    void Write(Clock::time_point now);
    void FinishReply(bool completed, Clock::time_point now);
    void UpdateDeadline();

    int fd_;
    Printer& printer_;
    const SimOptions& options_;
    EventLog& log_;
    std::string name_;
    MessageSplitter splitter_;
    Phase phase_ = Phase::kReading;
    bool peerClosed_ = false;
    Clock::time_point lastData_;
    Clock::time_point lastActivity_;
    Clock::time_point lastProgress_; // the last write that moved bytes, for the stall limit
    Clock::time_point deadline_ = Clock::time_point::max();
    ReplyPlan plan_;
    size_t done_ = 0;     // bytes of plan_ sent
    size_t pieceEnd_ = 0; // end of the piece being written
    long sent_ = 0;       // reply bytes sent on this connection
};

} // namespace qm::sim
