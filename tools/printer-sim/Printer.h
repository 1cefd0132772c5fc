#pragma once

#include "EventLog.h"
#include "MessageSplitter.h"
#include "PrinterState.h"
#include "ReplyBuilder.h"
#include "SimOptions.h"

#include <mutex>
#include <string>
#include <string_view>

namespace qm::sim {

// The simulated printer: acts on complete messages from any transport and returns the reply
// bytes. Thread-safe: the TCP and pty transports share one printer.
class Printer {
public:
    Printer(const SimOptions& options, EventLog& log, EventLog& printLog);

    // Reads the --state file when it exists. False (with a one-line error) when it exists but
    // cannot be read; lines it cannot apply are reported on stderr and skipped.
    bool LoadState(std::string& error);
    // Writes the --state file (atomically); false with a one-line error.
    bool SaveState(std::string& error);

    // Acts on one message and returns the reply (empty when the printer does not answer).
    std::string Handle(const Message& message, std::string_view transport);

    // The machine serial number.
    const std::string& Serial() const { return serial_; }
    // The serial line the printer's RS-232C settings describe, in the form the pty reports
    // ("baud=9600 8N1"); empty on models without a serial port.
    std::string SerialLine();
    // Seconds a TCP connection may stay idle (the printer's TIMEOUT; 60 without one, 0 never).
    int IdleTimeoutSeconds();

    // A change made from outside while it runs (the --control socket), one line:
    //   flag NAME on|off   NAME: paper-out, ribbon-out, head-up, paused, busy, label-waiting,
    //                      silent (no reply to anything)
    //   set KEY VALUE      a setting changed as a configuration line "KEY\t:\tVALUE" would
    // Returns "ok" or "error: ..." (one line).
    std::string Control(std::string_view command);

private:
    std::string HandleCommand(const Message& message, std::string_view transport);
    // Every print passes here: it is recorded in the print log and the event log and counted
    // (PrintCounters).
    void Print(const std::string& data, std::string_view transport);
    void SaveStateLocked(std::string_view transport);

    const SimOptions& options_;
    SimOptions live_; // the flags as they are now (--control changes them); under mutex_
    EventLog& log_;
    EventLog& printLog_;
    ReplyBuilder builder_;
    std::mutex mutex_;
    PrinterState state_;
    PrintCounters counters_;
    std::string serial_;
};

} // namespace qm::sim
