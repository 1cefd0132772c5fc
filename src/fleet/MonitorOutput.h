#pragma once

#include "fleet/FleetMonitor.h"
#include "fleet/MonitoredPrinter.h"

#include <string>
#include <vector>

namespace qm::fleet {

// What the monitor serves, made from a copy of its printers and stats. Text from printers and
// files is untrusted: label values are escaped as the exposition format asks, JSON holds valid
// UTF-8 (invalid bytes replaced), HTML is escaped.

// The Prometheus text exposition of every printer and of the monitor's own polls.
std::string MetricsText(const std::vector<MonitoredPrinter>& printers, const MonitorStats& stats);

// /api/printers: {"printers": [...]} with what the page shows, as numbers and states.
std::string PrintersJson(const std::vector<MonitoredPrinter>& printers);

// The status page: one row per printer, sorted by `sortKey` ("name", "group", "model",
// "serial", "state", "print", "service", "cuts", "drift", "seen"; anything else: name),
// descending when `descending`; it reloads itself every `refreshSeconds`.
std::string StatusPageHtml(const std::vector<MonitoredPrinter>& printers,
                           const std::string& sortKey, bool descending, int refreshSeconds,
                           double now);

// The state the page shows for a printer: "up", "error", "no answer", "down", "not polled".
std::string PrinterStateText(const MonitoredPrinter& printer);

} // namespace qm::fleet
