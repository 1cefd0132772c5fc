#include "fleet/EventTracker.h"

namespace qm::fleet {
namespace {

constexpr char kOn[] = "on";
constexpr char kOff[] = "off";

const char* OnOff(bool on) {
    return on ? kOn : kOff;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

} // namespace

void EventTracker::Compare(const MonitoredPrinter& printer, const std::string& kind,
                           const std::string& state, const std::string& detail,
                           const std::string& unreported, std::vector<FleetEvent>& events) {
    const Key key{printer.address, kind};
    auto found = reported_.find(key);
    const std::string& before = found == reported_.end() ? unreported : found->second;
    if (found != reported_.end() ? before == state : state == unreported) {
        return;
    }
    FleetEvent event;
    event.at = FleetStore::Now();
    event.printer = printer.address;
    event.serial = printer.serial;
    event.group = printer.group;
    event.kind = kind;
    event.state = state;
    event.detail = detail;
    events.push_back(std::move(event));
    reported_[key] = state;
}

std::vector<FleetEvent> EventTracker::Update(const MonitoredPrinter& printer) {
    std::vector<FleetEvent> events;
    const PrinterReading& reading = printer.reading;
    if (reading.reach == Reachability::kUnknown) {
        return events;
    }
    // Reachability has no quiet default: the first poll of a printer is always reported.
    Compare(printer, "reachability", ReachabilityName(reading.reach), reading.detail, "", events);
    if (reading.reach == Reachability::kUp) {
        const std::pair<const char*, std::optional<bool>> flags[] = {
            {"paper_error", reading.paperError},
            {"ribbon_error", reading.ribbonError},
            {"paused", reading.paused},
        };
        for (const auto& [kind, flag] : flags) {
            if (flag) {
                Compare(printer, kind, OnOff(*flag), "", kOff, events);
            }
        }
        Compare(printer, "error_code", std::to_string(reading.errorCode), reading.errorText, "0",
                events);
    }
    if (printer.driftedSettings) {
        Compare(printer, "drift", OnOff(*printer.driftedSettings > 0),
                std::to_string(*printer.driftedSettings) + " settings not as the baseline", kOff,
                events);
    }
    if (!printer.movedFrom.empty()) {
        Compare(printer, "moved", printer.serial, "was at " + printer.movedFrom, "", events);
    }
    Compare(printer, "duplicate", OnOff(!printer.duplicates.empty()), Joined(printer.duplicates),
            kOff, events);
    return events;
}

} // namespace qm::fleet
