#include "Session.h"

#include "MessageSplitter.h"
#include "ReplyPlan.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace qm::sim {

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

} // namespace

Session::Session(Channel& channel, Printer& printer, const SimOptions& options, EventLog& log,
                 const std::atomic<bool>& stop)
    : channel_(channel), printer_(printer), options_(options), log_(log), stop_(stop) {}

bool Session::Pause(int ms) {
    auto start = Clock::now();
    while (!stop_) {
        long left = ms - ElapsedMs(start);
        if (left <= 0) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(left < 20 ? left : 20));
    }
    return false;
}

void Session::Run() {
    MessageSplitter splitter;
    auto lastData = Clock::now();
    auto lastActivity = lastData; // data in either direction, for the idle time-out
    char buffer[4096];
    while (!stop_) {
        long n = channel_.Read(buffer, sizeof buffer, 20);
        bool closed = n < 0;
        if (n > 0) {
            lastData = Clock::now();
            lastActivity = lastData;
            std::string settings = channel_.LineSettings();
            if (settings != lineSettings_) {
                lineSettings_ = settings;
                log_.Write(channel_.Name(), "LINE", settings);
            }
            if (LineMatches(settings)) {
                splitter.Append(buffer, static_cast<size_t>(n));
            } else {
                log_.Write(channel_.Name(), "GARBLED",
                           "line " + settings + " but printer " + printer_.SerialLine() + ": " +
                               EventLog::Quote(std::string_view(buffer, static_cast<size_t>(n))));
            }
        } else if (n == 0 && channel_.CanClose() && splitter.Empty()) {
            int timeout = printer_.IdleTimeoutSeconds();
            if (timeout > 0 && ElapsedMs(lastActivity) >= timeout * 1000L) {
                log_.Write(channel_.Name(), "TIMEOUT",
                           "idle for " + std::to_string(timeout) + " s; closing");
                return;
            }
        }
        int idleMs = splitter.CommandPending() ? kCommandIdleMs : kIdleMs;
        bool flush = closed || (!splitter.Empty() && ElapsedMs(lastData) >= idleMs);
        Message message;
        while (splitter.Next(flush, message)) {
            std::string reply = printer_.Handle(message, channel_.Name());
            if (!reply.empty() && !SendReply(reply)) {
                return;
            }
            lastActivity = Clock::now();
        }
        if (closed) {
            return;
        }
    }
}

bool Session::LineMatches(const std::string& settings) {
    if (!options_.strictLine || settings.empty()) {
        return true;
    }
    std::string expected = printer_.SerialLine();
    return expected.empty() || settings.rfind(expected + " ", 0) == 0;
}

bool Session::SendReply(const std::string& reply) {
    const ReplyPlan plan = ReplyPlan::For(reply, options_, sent_);
    if (plan.withhold) {
        log_.Write(channel_.Name(), "SILENT", std::to_string(reply.size()) + " bytes withheld");
        return true;
    }
    if (plan.delayMs > 0 && !Pause(plan.delayMs)) {
        return false;
    }
    const size_t length = plan.bytes.size();
    size_t done = 0;
    bool ok = true;
    while (done < length) {
        if (done > 0 && plan.gapMs > 0 && !Pause(plan.gapMs)) {
            ok = false;
            break;
        }
        size_t chunk = std::min(plan.pieceBytes, length - done);
        if (!channel_.Write(plan.bytes.data() + done, chunk)) {
            ok = false;
            break;
        }
        done += chunk;
    }
    sent_ += static_cast<long>(done);
    log_.Write(channel_.Name(), "SEND",
               std::to_string(done) + " " +
                   EventLog::Quote(std::string_view(plan.bytes).substr(0, done)));
    if (!ok) {
        log_.Write(channel_.Name(), "ABORT", "reply not completed");
        return false;
    }
    if (plan.drop) {
        log_.Write(channel_.Name(), "DROP", "after " + std::to_string(sent_) + " reply bytes");
        return false;
    }
    return true;
}

} // namespace qm::sim
