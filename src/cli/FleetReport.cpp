#include "cli/FleetReport.h"
#include "cli/JsonText.h"
#include "platform/ReadableText.h"

#include <algorithm>
#include <cstdio>

namespace qm::cli {
namespace {

// Target names are padded to line the columns up only up to this length: one very long name
// must not pad every line of a large fleet's report.
constexpr size_t kMaxPaddedTarget = 40;

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
        out << JsonText(FleetReportJson(results)) << "\n";
        return;
    }
    size_t width = 0;
    for (const TargetResult& r : results) {
        width = std::max(width, std::min(r.target.size(), kMaxPaddedTarget));
    }
    size_t succeeded = 0;
    size_t notStarted = 0;
    size_t stillRunning = 0;
    for (const TargetResult& r : results) {
        succeeded += r.ok ? 1 : 0;
        notStarted += r.code == kCodeNotStarted ? 1 : 0;
        stillRunning += r.code == kCodeStillRunning ? 1 : 0;
        const std::string target = EscapeControls(r.target);
        out << target << std::string(width - std::min(width, target.size()) + 2, ' ')
            << (r.ok ? "ok    " : "FAILED") << "  " << Seconds(r.seconds) << "  "
            << EscapeControls(r.message) << "\n";
    }
    out << succeeded << " of " << results.size() << " targets succeeded";
    if (succeeded != results.size()) {
        out << ", " << results.size() - succeeded << " failed";
        if (notStarted > 0) {
            out << " (" << notStarted << " not started: interrupted)";
        }
        if (stillRunning > 0) {
            out << " (" << stillRunning << " still running when the command was ended)";
        }
    }
    out << " in " << Seconds(wallSeconds) << "\n";
}

} // namespace qm::cli
