#include "FleetServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::sim {

namespace {

using Clock = FleetSession::Clock;

constexpr int kListenBacklog = 8;
// Descriptors besides two per printer (listener and connection): logs, state files, epoll.
constexpr rlim_t kSpareDescriptors = 64;
// With --port 0: attempts at a port that every address of the range can bind.
constexpr int kPortAttempts = 20;
constexpr int kMaxEventsPerWake = 256;
// Longest sleep of the loop when no timer is due.
constexpr int kIdleWakeMs = 1000;
constexpr uint64_t kSignalToken = ~uint64_t{0};

uint64_t ListenToken(uint32_t index) {
    return uint64_t{index} << 1;
}
uint64_t SessionToken(uint32_t index) {
    return (uint64_t{index} << 1) | 1;
}

std::string Errno() {
    return std::strerror(errno);
}

} // namespace

FleetServer::FleetServer(const SimOptions& options, EventLog& log, EventLog& printLog)
    : options_(options), log_(log), printLog_(printLog) {}

FleetServer::~FleetServer() {
    for (auto& member : members_) {
        member->session.reset();
    }
    CloseListeners();
    if (signalFd_ >= 0) {
        ::close(signalFd_);
    }
    if (epoll_ >= 0) {
        ::close(epoll_);
    }
}

std::string FleetServer::DottedQuad(uint32_t address) {
    in_addr in{};
    in.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &in, text, sizeof text);
    return text;
}

std::string FleetServer::FleetSerial(const std::string& prefix, int model, uint32_t index) {
    char text[32];
    if (prefix.empty()) {
        std::snprintf(text, sizeof text, "QM%02d%05u", model, index);
        return text;
    }
    std::snprintf(text, sizeof text, "%05u", index);
    return prefix + text;
}

bool FleetServer::Open(std::string& error) {
    if (!options_.stateDir.empty() && ::mkdir(options_.stateDir.c_str(), 0700) != 0 &&
        errno != EEXIST) {
        error = "cannot create state folder '" + options_.stateDir + "': " + Errno();
        return false;
    }
    struct stat st {};
    if (!options_.stateDir.empty() &&
        (::stat(options_.stateDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) {
        error = "state folder '" + options_.stateDir + "' is not a folder";
        return false;
    }
    for (uint32_t i = 0; i < options_.fleetCount; ++i) {
        auto member = std::make_unique<Member>();
        member->address = options_.fleetFirst + i;
        member->name = DottedQuad(member->address);
        member->options = options_;
        member->options.serial = FleetSerial(options_.serial, options_.model, i);
        if (!options_.stateDir.empty()) {
            member->options.statePath = options_.stateDir + "/" + member->name + ".state";
        }
        member->printer = std::make_unique<Printer>(member->options, log_, printLog_);
        if (!member->printer->LoadState(error)) {
            return false;
        }
        members_.push_back(std::move(member));
    }
    if (!RaiseDescriptorLimit(error) || !BindAll(error)) {
        return false;
    }
    epoll_ = ::epoll_create1(EPOLL_CLOEXEC);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    signalFd_ = ::signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
    if (epoll_ < 0 || signalFd_ < 0) {
        error = "cannot set up the event loop: " + Errno();
        return false;
    }
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = kSignalToken;
    ::epoll_ctl(epoll_, EPOLL_CTL_ADD, signalFd_, &event);
    for (auto& member : members_) {
        SetListening(*member, true);
    }
    return true;
}

bool FleetServer::RaiseDescriptorLimit(std::string& error) const {
    const rlim_t needed = 2 * rlim_t{options_.fleetCount} + kSpareDescriptors;
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        error = "cannot read the descriptor limit: " + Errno();
        return false;
    }
    if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < needed) {
        rlimit raised = limit;
        raised.rlim_cur = needed;
        if (raised.rlim_max != RLIM_INFINITY && raised.rlim_max < needed) {
            raised.rlim_max = needed; // allowed to a privileged process only
        }
        if (::setrlimit(RLIMIT_NOFILE, &raised) != 0) {
            error = std::to_string(options_.fleetCount) + " printers need " +
                    std::to_string(needed) + " descriptors; the limit is " +
                    std::to_string(limit.rlim_max) + " (" + Errno() + ")";
            return false;
        }
    }
    return true;
}

bool FleetServer::BindAll(std::string& error) {
    const int attempts = options_.fleetPort == 0 ? kPortAttempts : 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        int port = options_.fleetPort;
        bool inUse = false;
        for (auto& member : members_) {
            int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            if (fd < 0) {
                error = "cannot create a socket: " + Errno();
                CloseListeners();
                return false;
            }
            member->listenFd = fd;
            int one = 1;
            ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(member->address);
            address.sin_port = htons(static_cast<uint16_t>(port));
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                ::listen(fd, kListenBacklog) != 0) {
                inUse = errno == EADDRINUSE && port != options_.fleetPort;
                error = "cannot listen on " + member->name + ":" + std::to_string(port) + ": " +
                        Errno();
                break;
            }
            if (port == 0) {
                socklen_t length = sizeof address;
                ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
                port = ntohs(address.sin_port); // the others take the port the first one got
            }
        }
        if (error.empty()) {
            port_ = port;
            return true;
        }
        CloseListeners();
        if (!inUse) {
            return false;
        }
        error.clear();
    }
    error = "found no port free on every address of the range";
    return false;
}

void FleetServer::CloseListeners() {
    for (auto& member : members_) {
        if (member->listenFd >= 0) {
            ::close(member->listenFd);
            member->listenFd = -1;
            member->listening = false;
        }
    }
}

void FleetServer::SetListening(Member& member, bool on) {
    if (member.listening == on) {
        return;
    }
    const uint32_t index = static_cast<uint32_t>(member.address - options_.fleetFirst);
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.u64 = ListenToken(index);
    ::epoll_ctl(epoll_, on ? EPOLL_CTL_ADD : EPOLL_CTL_DEL, member.listenFd, &event);
    member.listening = on;
}

void FleetServer::Accept(uint32_t index) {
    Member& member = *members_[index];
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    int fd = ::accept4(member.listenFd, reinterpret_cast<sockaddr*>(&peer), &length,
                       SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) {
        return; // gone before it was taken, or out of descriptors: the next wake tries again
    }
    log_.Write(member.name, "CONNECT",
               DottedQuad(ntohl(peer.sin_addr.s_addr)) + ":" +
                   std::to_string(ntohs(peer.sin_port)));
    SetListening(member, false);
    member.session = std::make_unique<FleetSession>(fd, *member.printer, member.options, log_,
                                                    member.name, Clock::now());
    member.sessionEvents = 0;
    member.activeSlot = active_.size();
    active_.push_back(index);
    Sync(index, true);
}

void FleetServer::Sync(uint32_t index, bool alive) {
    Member& member = *members_[index];
    FleetSession& session = *member.session;
    const uint32_t wanted = alive ? session.Events() : 0;
    if (wanted != member.sessionEvents) {
        // A socket waiting only for a timer leaves the loop: a closed peer would otherwise
        // report itself on every wake until the timer runs out.
        epoll_event event{};
        event.events = wanted;
        event.data.u64 = SessionToken(index);
        const int op = member.sessionEvents == 0 ? EPOLL_CTL_ADD
                       : wanted == 0             ? EPOLL_CTL_DEL
                                                 : EPOLL_CTL_MOD;
        ::epoll_ctl(epoll_, op, session.Fd(), &event);
        member.sessionEvents = wanted;
    }
    if (alive) {
        return;
    }
    member.session.reset();
    log_.Write(member.name, "CLOSE", "");
    const uint32_t moved = active_.back();
    active_[member.activeSlot] = moved;
    members_[moved]->activeSlot = member.activeSlot;
    active_.pop_back();
    SetListening(member, true);
}

int FleetServer::TimeoutMs(Clock::time_point now) const {
    auto earliest = now + std::chrono::milliseconds(kIdleWakeMs);
    for (uint32_t index : active_) {
        earliest = std::min(earliest, members_[index]->session->Deadline());
    }
    if (earliest <= now) {
        return 0;
    }
    // Rounded up, so that the loop does not wake a moment before the deadline and spin.
    auto wait = std::chrono::ceil<std::chrono::milliseconds>(earliest - now);
    return static_cast<int>(wait.count());
}

int FleetServer::Run() {
    epoll_event events[kMaxEventsPerWake];
    while (true) {
        const int count = ::epoll_wait(epoll_, events, kMaxEventsPerWake, TimeoutMs(Clock::now()));
        if (count < 0 && errno != EINTR) {
            std::fprintf(stderr, "quillmark-printer-sim: event loop failed: %s\n", Errno().c_str());
            return SIGTERM;
        }
        const Clock::time_point now = Clock::now();
        for (int i = 0; i < count; ++i) {
            const uint64_t token = events[i].data.u64;
            if (token == kSignalToken) {
                signalfd_siginfo info{};
                if (::read(signalFd_, &info, sizeof info) == sizeof info) {
                    return static_cast<int>(info.ssi_signo);
                }
                continue;
            }
            const uint32_t index = static_cast<uint32_t>(token >> 1);
            Member& member = *members_[index];
            if ((token & 1) == 0) {
                if (member.listening && !member.session) {
                    Accept(index);
                }
                continue;
            }
            if (!member.session) {
                continue; // ended earlier in this wake
            }
            bool alive = true;
            if (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR)) {
                alive = member.session->OnReadable(now);
            }
            if (alive && (events[i].events & EPOLLOUT)) {
                alive = member.session->OnWritable(now);
            }
            Sync(index, alive);
        }
        // Timers: a copy, since ending a session reorders active_.
        const std::vector<uint32_t> due = active_;
        for (uint32_t index : due) {
            Member& member = *members_[index];
            if (member.session && member.session->Deadline() <= now) {
                Sync(index, member.session->OnTimer(now));
            }
        }
    }
}

bool FleetServer::SaveAll(std::string& error) {
    bool ok = true;
    for (auto& member : members_) {
        std::string one;
        if (!member->printer->SaveState(one) && ok) {
            error = one;
            ok = false;
        }
    }
    return ok;
}

Printer* FleetServer::PrinterAt(const std::string& dottedQuad) const {
    for (const std::unique_ptr<Member>& member : members_) {
        if (member->name == dottedQuad) {
            return member->printer.get();
        }
    }
    return nullptr;
}

} // namespace qm::sim
