#pragma once

#include "EventLog.h"
#include "FleetSession.h"
#include "Printer.h"
#include "SimOptions.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm::sim {

// A fleet of simulated printers in one process: one printer on each IPv4 address of a range,
// all on one TCP port, served by one event loop (epoll) with a state machine per connection
// (FleetSession) instead of a thread per printer. Each printer has its own options copy, state
// (DIR/ADDRESS.state) and serial number (the prefix and the address's place in the range);
// the fault options apply to every printer. Like a printer, each serves one connection at a
// time: its listening socket leaves the loop while a connection is open, so the next
// connection waits in the listen queue.
class FleetServer {
public:
    FleetServer(const SimOptions& options, EventLog& log, EventLog& printLog);
    ~FleetServer();
    FleetServer(const FleetServer&) = delete;
    FleetServer& operator=(const FleetServer&) = delete;

    // Creates the printers (loading their state), raises the descriptor limit and binds every
    // address. False with a one-line error.
    bool Open(std::string& error);
    // The port every printer listens on.
    int Port() const { return port_; }
    size_t Size() const { return members_.size(); }
    // Serves until SIGINT or SIGTERM (blocked by the caller) arrives; returns that signal.
    int Run();
    // The printer on `dottedQuad`, or null. The members do not change after Open, and a
    // Printer is thread-safe, so the control socket's thread may use it.
    Printer* PrinterAt(const std::string& dottedQuad) const;
    // Writes every printer's state file; false with the first error.
    bool SaveAll(std::string& error);

    // The serial number of the printer at `index` of the range, from a prefix ("" takes the
    // model's) : the prefix and five digits.
    static std::string FleetSerial(const std::string& prefix, int model, uint32_t index);
    // "a.b.c.d" of an address in host byte order.
    static std::string DottedQuad(uint32_t address);

private:
    struct Member {
        uint32_t address = 0; // host byte order
        std::string name;     // the dotted quad, the first word of its log lines
        SimOptions options;   // this printer's copy: its serial and state file
        std::unique_ptr<Printer> printer;
        int listenFd = -1;
        bool listening = false; // the listening socket is in the loop
        std::unique_ptr<FleetSession> session;
        uint32_t sessionEvents = 0; // what the session's socket is registered for (0: not)
        size_t activeSlot = 0;      // its place in active_ while it has a session
    };

    bool RaiseDescriptorLimit(std::string& error) const;
    bool BindAll(std::string& error);
    void CloseListeners();
    void SetListening(Member& member, bool on);
    void Accept(uint32_t index);
    // Brings the loop's registration in step with the session, or ends a finished one.
    void Sync(uint32_t index, bool alive);
    int TimeoutMs(FleetSession::Clock::time_point now) const;

    const SimOptions& options_;
    EventLog& log_;
    EventLog& printLog_;
    std::vector<std::unique_ptr<Member>> members_;
    std::vector<uint32_t> active_; // members with an open connection
    int epoll_ = -1;
    int signalFd_ = -1;
    int port_ = 0;
};

} // namespace qm::sim
