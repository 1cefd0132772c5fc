#include "cli/FleetRender.h"

#include "platform/Encoding.h"
#include "settings/ModelTable.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace qm::cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

std::string ModelName(const std::optional<int>& model) {
    return model && ModelTable::IsValid(*model) ? Utf16ToUtf8(ModelTable::DisplayName(*model))
                                                : "-";
}

std::string OrDash(const std::string& text) {
    return text.empty() ? "-" : Readable(text);
}

Json ChangesJson(const std::vector<fleet::SettingChange>& changes) {
    Json list = Json::array();
    for (const fleet::SettingChange& change : changes) {
        list.push_back({{"key", change.key}, {"before", change.before}, {"after", change.after}});
    }
    return list;
}

Json ResultJson(const fleet::PrinterResult& result) {
    Json row = {{"address", result.address},
                {"group", result.group},
                {"model", result.model ? Json(*result.model) : Json(nullptr)},
                {"modelName", result.model ? Json(ModelName(result.model)) : Json(nullptr)},
                {"serial", result.serial},
                {"result", fleet::OutcomeName(result.outcome)},
                {"detail", result.detail},
                {"changes", ChangesJson(result.changes)}};
    if (!result.startedAt.empty()) {
        row["started"] = result.startedAt;
        row["ended"] = result.endedAt;
    }
    return row;
}

Json RunJson(const fleet::RunInfo& run) {
    Json counts = Json::object();
    for (const auto& [outcome, count] : run.counts) {
        counts[outcome] = count;
    }
    return {{"run", run.id},
            {"command", run.command},
            {"fleet", run.fleetName},
            {"fleetFile", run.fleetFile},
            {"group", run.group},
            {"options", run.options},
            {"user", run.user},
            {"started", run.startedAt},
            {"ended", run.endedAt.empty() ? Json(nullptr) : Json(run.endedAt)},
            {"status", fleet::RunStatusName(run.status)},
            {"undoes", run.undoes ? Json(*run.undoes) : Json(nullptr)},
            {"counts", counts}};
}

void PrintJson(std::ostream& out, const Json& document) {
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

// "before -> after" lines under a printer: what differs (check) or what was changed.
void PrintChanges(std::ostream& out, const fleet::PrinterResult& result) {
    const bool check = result.outcome == fleet::PrinterOutcome::kDrifted;
    const bool show = check || result.outcome == fleet::PrinterOutcome::kApplied ||
                      result.outcome == fleet::PrinterOutcome::kWouldApply ||
                      result.outcome == fleet::PrinterOutcome::kFailed;
    if (!show) {
        return;
    }
    for (const fleet::SettingChange& change : result.changes) {
        out << "    " << Readable(change.key) << ": ";
        if (check) {
            out << "baseline \"" << Readable(change.after) << "\", printer \""
                << Readable(change.before) << "\"\n";
        } else {
            out << "\"" << Readable(change.before) << "\" -> \"" << Readable(change.after)
                << "\"\n";
        }
    }
}

void PrintResultLine(std::ostream& out, const fleet::PrinterResult& result) {
    out << result.address << "  " << Readable(result.group) << "  " << ModelName(result.model)
        << "  " << OrDash(result.serial) << "  " << fleet::OutcomeName(result.outcome) << ": "
        << Readable(result.detail) << "\n";
}

std::string CountsText(const std::vector<std::pair<std::string, int>>& counts) {
    std::string text;
    for (const auto& [outcome, count] : counts) {
        text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + outcome;
    }
    return text.empty() ? "no printers" : text;
}

} // namespace

std::string Readable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < kFirstPrintable || c == kDelete) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

void PrintFleetRun(std::ostream& out, const std::string& command,
                   const fleet::FleetRunReport& report, double seconds, bool json) {
    std::vector<std::pair<std::string, int>> counts;
    for (const fleet::PrinterResult& result : report.results) {
        const std::string name = fleet::OutcomeName(result.outcome);
        auto at = std::find_if(counts.begin(), counts.end(),
                               [&](const auto& entry) { return entry.first == name; });
        if (at == counts.end()) {
            counts.emplace_back(name, 1);
        } else {
            ++at->second;
        }
    }
    if (json) {
        Json results = Json::array();
        for (const fleet::PrinterResult& result : report.results) {
            results.push_back(ResultJson(result));
        }
        Json duplicates = Json::array();
        for (const auto& [serial, addresses] : report.duplicates) {
            duplicates.push_back({{"serial", serial}, {"addresses", addresses}});
        }
        Json summary = Json::object();
        for (const auto& [outcome, count] : counts) {
            summary[outcome] = count;
        }
        PrintJson(out,
                  {{"run", report.runId},
                   {"command", command},
                   {"results", results},
                   {"duplicates", duplicates},
                   {"summary", summary},
                   {"interrupted", report.stopped},
                   {"seconds", static_cast<double>(static_cast<long>(seconds * 1000)) / 1000}});
        return;
    }
    for (const fleet::PrinterResult& result : report.results) {
        PrintResultLine(out, result);
        PrintChanges(out, result);
    }
    for (const auto& [serial, addresses] : report.duplicates) {
        out << "duplicate serial number " << Readable(serial) << " at";
        for (const std::string& address : addresses) {
            out << " " << address;
        }
        out << "\n";
    }
    char time[32];
    std::snprintf(time, sizeof time, "%.2f s", seconds);
    out << command << ": " << report.results.size()
        << (report.results.size() == 1 ? " printer: " : " printers: ") << CountsText(counts)
        << (report.stopped ? " (interrupted)" : "") << "; run " << report.runId << ", " << time
        << "\n";
}

void PrintRunList(std::ostream& out, const std::vector<fleet::RunInfo>& runs, bool json) {
    if (json) {
        Json list = Json::array();
        for (const fleet::RunInfo& run : runs) {
            list.push_back(RunJson(run));
        }
        PrintJson(out, list);
        return;
    }
    for (const fleet::RunInfo& run : runs) {
        out << run.id << "  " << run.startedAt << "  " << (run.endedAt.empty() ? "-" : run.endedAt)
            << "  " << Readable(run.user) << "  " << run.command
            << (run.undoes ? " of run " + std::to_string(*run.undoes) : "") << "  "
            << fleet::RunStatusName(run.status) << "  " << CountsText(run.counts) << "\n";
    }
}

void PrintRunDetail(std::ostream& out, const fleet::RunInfo& run,
                    const std::vector<fleet::PrinterResult>& results, bool json) {
    if (json) {
        Json document = RunJson(run);
        Json rows = Json::array();
        for (const fleet::PrinterResult& result : results) {
            rows.push_back(ResultJson(result));
        }
        document["results"] = rows;
        PrintJson(out, document);
        return;
    }
    out << "run " << run.id << ": " << run.command
        << (run.undoes ? " of run " + std::to_string(*run.undoes) : "") << " of "
        << Readable(run.fleetFile)
        << (run.group.empty() ? "" : " (group " + Readable(run.group) + ")")
        << (run.options.empty() ? "" : " " + Readable(run.options)) << ", by " << Readable(run.user)
        << ", " << run.startedAt << " to " << (run.endedAt.empty() ? "-" : run.endedAt) << ", "
        << fleet::RunStatusName(run.status) << "\n";
    for (const fleet::PrinterResult& result : results) {
        PrintResultLine(out, result);
        PrintChanges(out, result);
    }
    out << CountsText(run.counts) << "\n";
}

void PrintInventory(std::ostream& out, const std::vector<fleet::InventoryEntry>& entries,
                    bool json) {
    if (json) {
        Json list = Json::array();
        for (const fleet::InventoryEntry& entry : entries) {
            list.push_back(
                {{"serial", entry.serial},
                 {"model", entry.model ? Json(*entry.model) : Json(nullptr)},
                 {"modelName", ModelName(entry.model)},
                 {"address", entry.address},
                 {"group", entry.group},
                 {"firstSeen", entry.firstSeen},
                 {"lastSeen", entry.lastSeen},
                 {"lastResult", entry.lastResult},
                 {"movedFrom",
                  entry.previousAddress.empty() ? Json(nullptr) : Json(entry.previousAddress)},
                 {"movedAt", entry.movedAt.empty() ? Json(nullptr) : Json(entry.movedAt)},
                 {"duplicateAt", entry.duplicateAddresses}});
        }
        PrintJson(out, list);
        return;
    }
    for (const fleet::InventoryEntry& entry : entries) {
        out << Readable(entry.serial) << "  " << ModelName(entry.model) << "  " << entry.address
            << "  " << Readable(entry.group) << "  first " << entry.firstSeen << "  last "
            << entry.lastSeen << "  " << entry.lastResult;
        if (!entry.previousAddress.empty()) {
            out << "  moved from " << entry.previousAddress << " at " << entry.movedAt;
        }
        for (const std::string& address : entry.duplicateAddresses) {
            out << "  duplicate: also at " << address;
        }
        out << "\n";
    }
}

} // namespace qm::cli
