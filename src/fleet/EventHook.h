#pragma once

#include "fleet/FleetStore.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::fleet {

// Runs a command once per event ("/bin/sh -c CMD"), with the event in its environment:
// QUILLMARK_EVENT (the kind), QUILLMARK_STATE, QUILLMARK_PRINTER (the address),
// QUILLMARK_SERIAL, QUILLMARK_GROUP, QUILLMARK_DETAIL, QUILLMARK_TIME. The commands run one
// after the other, in the order of the events, on a thread of their own, so a slow hook never
// holds up the polls; at most kMaxQueued events wait, later ones are left out and counted.
// Values from printers are passed as valid UTF-8 without NUL bytes; a hook quotes them
// ("$QUILLMARK_SERIAL") like any other untrusted text.
class EventHook {
public:
    static constexpr size_t kMaxQueued = 10000;

    // `failed` is told (from the hook's thread) when a command could not start or did not
    // end with status 0, or when events were left out.
    EventHook(std::string command, std::function<void(const std::string&)> failed);
    ~EventHook(); // runs what is queued, then ends
    EventHook(const EventHook&) = delete;
    EventHook& operator=(const EventHook&) = delete;

    void Post(const FleetEvent& event);

    // The environment entries ("NAME=VALUE") the command gets for `event`.
    static std::vector<std::string> Environment(const FleetEvent& event);

private:
    void Work();
    void Run(const FleetEvent& event);

    std::string command_;
    std::function<void(const std::string&)> failed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<FleetEvent> queue_;
    size_t dropped_ = 0;
    bool ending_ = false;
    std::thread thread_;
};

} // namespace qm::fleet
