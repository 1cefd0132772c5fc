#pragma once

#include "fleet/FleetStore.h"
#include "fleet/MonitoredPrinter.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace qm::fleet {

// The state the monitor last reported for each printer and kind of event, and the events
// that take a printer from there to what it shows now. Each change gives one event; a state
// that was already reported (also by an earlier run of the monitor, whose last reports the
// store keeps) gives none. Kinds and states:
//   reachability  up / no answer / down
//   paper_error, ribbon_error, paused   on / off (only while the printer answers)
//   error_code    the code, "0" for none
//   drift         on / off (detail: how many settings)
//   moved         the serial number that turned up here from another address
//   duplicate     on / off (detail: the other addresses)
// A kind never reported counts as "off" ("0" for the error code), so a printer first seen
// healthy gives only its reachability.
// Not thread safe: the monitor calls it under its own lock.
class EventTracker {
public:
    using Key = std::pair<std::string, std::string>; // printer address, kind
    using States = std::map<Key, std::string>;

    explicit EventTracker(States reported = {}) : reported_(std::move(reported)) {}

    std::vector<FleetEvent> Update(const MonitoredPrinter& printer);

private:
    void Compare(const MonitoredPrinter& printer, const std::string& kind, const std::string& state,
                 const std::string& detail, const std::string& unreported,
                 std::vector<FleetEvent>& events);

    States reported_;
};

} // namespace qm::fleet
