#include "fleet/EventHook.h"

#include "platform/Encoding.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace qm::fleet {
namespace {

std::string EnvValue(const std::string& text) {
    std::string value = Utf16ToUtf8(AnsiToWide(text));
    std::replace(value.begin(), value.end(), '\0', ' ');
    return value;
}

} // namespace

EventHook::EventHook(std::string command, std::function<void(const std::string&)> failed)
    : command_(std::move(command)), failed_(std::move(failed)) {
    thread_ = std::thread([this] {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        sigaddset(&set, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        Work();
    });
}

EventHook::~EventHook() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void EventHook::Post(const FleetEvent& event) {
    std::lock_guard lock(mutex_);
    if (queue_.size() >= kMaxQueued) {
        ++dropped_;
        return;
    }
    queue_.push_back(event);
    wake_.notify_all();
}

std::vector<std::string> EventHook::Environment(const FleetEvent& event) {
    return {
        "QUILLMARK_EVENT=" + EnvValue(event.kind),
        "QUILLMARK_STATE=" + EnvValue(event.state),
        "QUILLMARK_PRINTER=" + EnvValue(event.printer),
        "QUILLMARK_SERIAL=" + EnvValue(event.serial),
        "QUILLMARK_GROUP=" + EnvValue(event.group),
        "QUILLMARK_DETAIL=" + EnvValue(event.detail),
        "QUILLMARK_TIME=" + EnvValue(event.at),
    };
}

void EventHook::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return ending_ || !queue_.empty() || dropped_ > 0; });
        if (dropped_ > 0) {
            const size_t dropped = dropped_;
            dropped_ = 0;
            lock.unlock();
            failed_(std::to_string(dropped) + " events were not given to the hook: " +
                    std::to_string(kMaxQueued) + " were waiting");
            lock.lock();
            continue;
        }
        if (queue_.empty()) {
            return; // ending, and nothing left
        }
        const FleetEvent event = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        Run(event);
        lock.lock();
    }
}

void EventHook::Run(const FleetEvent& event) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "QUILLMARK_", std::strlen("QUILLMARK_")) != 0) {
            entries.emplace_back(*entry);
        }
    }
    for (std::string& entry : Environment(event)) {
        entries.push_back(std::move(entry));
    }
    std::vector<char*> envp;
    for (std::string& entry : entries) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    std::string shell = "/bin/sh";
    std::string dashC = "-c";
    std::vector<char*> argv = {shell.data(), dashC.data(), command_.data(), nullptr};

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none); // the hook gets every signal again
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int error =
        ::posix_spawn(&pid, shell.c_str(), nullptr, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        failed_("the event hook could not start: " + std::string(std::strerror(error)));
        return;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        failed_("the event hook ended with " +
                (WIFEXITED(status) ? "status " + std::to_string(WEXITSTATUS(status))
                                   : "signal " + std::to_string(WTERMSIG(status))) +
                " for " + event.kind + " " + event.state + " of " + event.printer);
    }
}

} // namespace qm::fleet
