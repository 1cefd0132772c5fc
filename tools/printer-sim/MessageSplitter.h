#pragma once

#include <string>

namespace qm::sim {

// One complete message from the program.
struct Message {
    enum class Kind {
        kCommand,     // lead-in, then lines up to "EXIT" or "END" (raw holds everything)
        kStatusFlags, // SOH "A"
        kHostStatus,  // "~HS\r\n"
        kErrorCode,   // "^ee\r\n"
        kPrintData,   // anything else: printed
    };
    Kind kind = Kind::kPrintData;
    std::string raw;      // the bytes as received
    bool complete = true; // false for a command cut short by silence or a closed connection
};

// Cuts the byte stream of one connection into messages. Status requests come without lead-in;
// commands and configurations start with the 17-byte lead-in and end with an "EXIT" or "END"
// line; a print command the printer knows (self test, sample: PrintCommands.h) is a message of
// its own; everything else is print data, which ends where a lead-in starts, at silence or when
// the connection closes.
class MessageSplitter {
public:
    void Append(const char* data, size_t length) { buffer_.append(data, length); }
    bool Empty() const { return buffer_.empty(); }
    // True while the bytes waiting start with the lead-in (a command still coming in).
    bool CommandPending() const;
    // Takes the next complete message. `flush` (silence or end of connection) completes what
    // would otherwise wait for more bytes. Returns false when nothing is ready.
    bool Next(bool flush, Message& message);

private:
    bool TakeCommand(bool flush, Message& message);
    void Take(size_t length, Message::Kind kind, Message& message);

    std::string buffer_;
    size_t printScanned_ = 0; // print data: the bytes already searched for a lead-in
};

} // namespace qm::sim
