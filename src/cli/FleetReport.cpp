#include "cli/FleetReport.h"

#include <algorithm>
#include <cstdio>

namespace qm::cli {
namespace {

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

} // namespace

nlohmann::ordered_json FleetReportJson(const std::vector<TargetResult>& results) {
    nlohmann::ordered_json array = nlohmann::ordered_json::array();
    for (const TargetResult& r : results) {
        array.push_back(
            {{"target", r.target},
             {"ok", r.ok},
             {"code", r.code},
             {"message", r.message},
             {"seconds", static_cast<double>(static_cast<long>(r.seconds * 1000)) / 1000.0}});
    }
    return array;
}

void PrintFleetReport(std::ostream& out, const std::vector<TargetResult>& results, bool json,
                      double wallSeconds) {
    if (json) {
        out << FleetReportJson(results).dump(2) << "\n";
        return;
    }
    size_t width = 0;
    for (const TargetResult& r : results) {
        width = std::max(width, r.target.size());
    }
    size_t succeeded = 0;
    size_t notStarted = 0;
    for (const TargetResult& r : results) {
        succeeded += r.ok ? 1 : 0;
        notStarted += r.code == kCodeNotStarted ? 1 : 0;
        out << r.target << std::string(width - r.target.size() + 2, ' ')
            << (r.ok ? "ok    " : "FAILED") << "  " << Seconds(r.seconds) << "  " << r.message
            << "\n";
    }
    out << succeeded << " of " << results.size() << " targets succeeded";
    if (succeeded != results.size()) {
        out << ", " << results.size() - succeeded << " failed";
        if (notStarted > 0) {
            out << " (" << notStarted << " not started: interrupted)";
        }
    }
    out << " in " << Seconds(wallSeconds) << "\n";
}

} // namespace qm::cli
