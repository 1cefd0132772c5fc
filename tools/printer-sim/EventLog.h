#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace qm::sim {

// A time-stamped, line-per-event log file shared by all transports. Without a path it writes
// nothing. Each line: "2026-12-08T21:57:33.123Z TRANSPORT EVENT DETAILS".
class EventLog {
public:
    EventLog() = default;
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // Opens (truncates) the file; false with errno set when it cannot be opened.
    bool Open(const std::string& path);
    void Write(std::string_view transport, std::string_view event, std::string_view details);

    // Bytes in double quotes with C escapes (\r, \n, \t, \\, \", \xHH for the rest).
    static std::string Quote(std::string_view bytes);
    // The current UTC time as "YYYY-MM-DDTHH:MM:SS.mmmZ".
    static std::string Timestamp();

private:
    std::mutex mutex_;
    FILE* file_ = nullptr;
};

} // namespace qm::sim
