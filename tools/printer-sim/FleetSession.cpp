#include "FleetSession.h"

#include "Session.h"

#include <algorithm>
#include <cerrno>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qm::sim {

namespace {

using Ms = std::chrono::milliseconds;

// Reads taken in one readiness call before the loop serves the other printers.
constexpr int kReadsPerWake = 16;
constexpr size_t kReadBytes = 4096;

} // namespace

FleetSession::FleetSession(int fd, Printer& printer, const SimOptions& options, EventLog& log,
                           std::string name, Clock::time_point now)
    : fd_(fd), printer_(printer), options_(options), log_(log), name_(std::move(name)),
      lastData_(now), lastActivity_(now), lastProgress_(now) {
    UpdateDeadline();
}

FleetSession::~FleetSession() {
    ::close(fd_);
}

uint32_t FleetSession::Events() const {
    switch (phase_) {
    case Phase::kReading:
        return peerClosed_ ? 0u : static_cast<uint32_t>(EPOLLIN);
    case Phase::kWriting:
        return static_cast<uint32_t>(EPOLLOUT);
    default:
        return 0;
    }
}

bool FleetSession::OnReadable(Clock::time_point now) {
    if (phase_ != Phase::kReading || peerClosed_) {
        return phase_ != Phase::kDone;
    }
    char buffer[kReadBytes];
    for (int i = 0; i < kReadsPerWake; ++i) {
        ssize_t n = ::recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            splitter_.Append(buffer, static_cast<size_t>(n));
            lastData_ = now;
            lastActivity_ = now;
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            break;
        }
        peerClosed_ = true; // closed or failed: what came is taken as it is
        break;
    }
    Process(now);
    return phase_ != Phase::kDone;
}

bool FleetSession::OnWritable(Clock::time_point now) {
    if (phase_ == Phase::kWriting) {
        Write(now);
        Process(now);
    }
    return phase_ != Phase::kDone;
}

bool FleetSession::OnTimer(Clock::time_point now) {
    switch (phase_) {
    case Phase::kDelay:
        phase_ = Phase::kWriting;
        pieceEnd_ = std::min(plan_.pieceBytes, plan_.bytes.size());
        lastProgress_ = now;
        Write(now);
        break;
    case Phase::kGap:
        phase_ = Phase::kWriting;
        pieceEnd_ = std::min(done_ + plan_.pieceBytes, plan_.bytes.size());
        lastProgress_ = now;
        Write(now);
        break;
    case Phase::kWriting:
        if (now - lastProgress_ >= Ms(Session::kTcpWriteStallMs)) {
            FinishReply(false, now);
        }
        break;
    case Phase::kReading:
        if (splitter_.Empty()) {
            const int timeout = printer_.IdleTimeoutSeconds();
            if (timeout > 0 && now - lastActivity_ >= std::chrono::seconds(timeout)) {
                log_.Write(name_, "TIMEOUT", "idle for " + std::to_string(timeout) + " s; closing");
                phase_ = Phase::kDone;
                return false;
            }
        }
        break;
    case Phase::kDone:
        return false;
    }
    Process(now); // a finished reply or silence lets the next messages through
    return phase_ != Phase::kDone;
}

void FleetSession::Process(Clock::time_point now) {
    while (phase_ == Phase::kReading) {
        const int idleMs = splitter_.CommandPending() ? Session::kCommandIdleMs : Session::kIdleMs;
        const bool flush = peerClosed_ || (!splitter_.Empty() && now - lastData_ >= Ms(idleMs));
        Message message;
        if (!splitter_.Next(flush, message)) {
            break;
        }
        std::string reply = printer_.Handle(message, name_);
        lastActivity_ = now;
        if (!reply.empty()) {
            StartReply(reply, now);
        }
    }
    if (phase_ == Phase::kReading && peerClosed_ && splitter_.Empty()) {
        phase_ = Phase::kDone; // the peer went and everything it sent was answered
    }
    UpdateDeadline();
}

void FleetSession::StartReply(const std::string& reply, Clock::time_point now) {
    plan_ = ReplyPlan::For(reply, options_, sent_);
    if (plan_.withhold) {
        log_.Write(name_, "SILENT", std::to_string(reply.size()) + " bytes withheld");
        return;
    }
    done_ = 0;
    lastProgress_ = now;
    if (plan_.delayMs > 0) {
        phase_ = Phase::kDelay;
        deadline_ = now + Ms(plan_.delayMs);
        return;
    }
    phase_ = Phase::kWriting;
    pieceEnd_ = std::min(plan_.pieceBytes, plan_.bytes.size());
    Write(now);
}

void FleetSession::Write(Clock::time_point now) {
    while (true) {
        while (done_ < pieceEnd_) {
            ssize_t n = ::send(fd_, plan_.bytes.data() + done_, pieceEnd_ - done_,
                               MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                done_ += static_cast<size_t>(n);
                lastProgress_ = now;
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
                UpdateDeadline();
                return; // the loop calls again when the socket takes more
            }
            FinishReply(false, now);
            return;
        }
        if (done_ >= plan_.bytes.size()) {
            FinishReply(true, now);
            return;
        }
        if (plan_.gapMs > 0) {
            phase_ = Phase::kGap;
            deadline_ = now + Ms(plan_.gapMs);
            return;
        }
        pieceEnd_ = std::min(done_ + plan_.pieceBytes, plan_.bytes.size());
    }
}

void FleetSession::FinishReply(bool completed, Clock::time_point now) {
    sent_ += static_cast<long>(done_);
    log_.Write(name_, "SEND",
               std::to_string(done_) + " " +
                   EventLog::Quote(std::string_view(plan_.bytes).substr(0, done_)));
    if (!completed) {
        log_.Write(name_, "ABORT", "reply not completed");
        phase_ = Phase::kDone;
        return;
    }
    if (plan_.drop) {
        log_.Write(name_, "DROP", "after " + std::to_string(sent_) + " reply bytes");
        phase_ = Phase::kDone;
        return;
    }
    phase_ = Phase::kReading; // the caller goes on with the messages waiting
    lastActivity_ = now;
}

void FleetSession::UpdateDeadline() {
    switch (phase_) {
    case Phase::kReading:
        if (!splitter_.Empty()) {
            const int idleMs =
                splitter_.CommandPending() ? Session::kCommandIdleMs : Session::kIdleMs;
            deadline_ = lastData_ + Ms(idleMs);
        } else {
            const int timeout = printer_.IdleTimeoutSeconds();
            deadline_ = timeout > 0 ? lastActivity_ + std::chrono::seconds(timeout)
                                    : Clock::time_point::max();
        }
        break;
    case Phase::kWriting:
        deadline_ = lastProgress_ + Ms(Session::kTcpWriteStallMs);
        break;
    case Phase::kDelay:
    case Phase::kGap:
        break; // set when the wait began
    case Phase::kDone:
        deadline_ = Clock::time_point::max();
        break;
    }
}

} // namespace qm::sim
