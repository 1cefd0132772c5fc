#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::sim {

// One open byte stream to the program: a TCP connection or the pty.
class Channel {
public:
    virtual ~Channel() = default;
    // Waits up to `timeoutMs` for bytes: > 0 bytes read, 0 nothing yet, -1 peer gone.
    virtual long Read(char* buffer, size_t size, int timeoutMs) = 0;
    // Writes every byte; false when the peer is gone or stops taking bytes.
    virtual bool Write(const char* data, size_t length) = 0;
    // True when this side can end the connection (TCP); a pty stays open.
    virtual bool CanClose() const = 0;
    // "tcp" or "pty", the first word of each log line.
    virtual std::string_view Name() const = 0;
    // The line settings the program set, for the log ("" when there are none).
    virtual std::string LineSettings() const { return {}; }
};

} // namespace qm::sim
