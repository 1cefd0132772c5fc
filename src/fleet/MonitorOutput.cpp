#include "fleet/MonitorOutput.h"

#include "platform/Encoding.h"
#include "settings/ModelTable.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>

namespace qm::fleet {
namespace {

// Untrusted bytes as valid UTF-8 (invalid sequences replaced).
std::string Utf8(const std::string& text) {
    return Utf16ToUtf8(AnsiToWide(text));
}

std::string ModelName(const std::optional<int>& model) {
    return model ? Utf16ToUtf8(ModelTable::DisplayName(*model)) : std::string();
}

// A label value as the text format asks: backslash, double quote and line feed escaped.
std::string LabelValue(const std::string& text) {
    std::string out;
    for (char c : Utf8(text)) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '"') {
            out += "\\\"";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

// The shortest text that reads back as the same double.
std::string Number(double value) {
    char text[64];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

struct PrinterMetric {
    const char* name;
    const char* type;
    const char* help;
    std::function<std::optional<double>(const MonitoredPrinter&)> value;
};

std::optional<double> Flag(const std::optional<bool>& flag) {
    if (!flag) {
        return std::nullopt;
    }
    return *flag ? 1 : 0;
}

bool Up(const MonitoredPrinter& p) {
    return p.reading.reach == Reachability::kUp;
}

// The status of a printer that does not answer is not known: those series are left out.
template <typename T> std::optional<double> WhenUp(const MonitoredPrinter& p, const T& value) {
    if (!Up(p) || !value) {
        return std::nullopt;
    }
    return static_cast<double>(*value);
}

const std::vector<PrinterMetric>& PrinterMetrics() {
    static const std::vector<PrinterMetric> kMetrics = {
        {"quillmark_printer_up", "gauge",
         "Whether the printer answered its last status request (1) or not (0).",
         [](const MonitoredPrinter& p) -> std::optional<double> {
             if (p.reading.reach == Reachability::kUnknown) {
                 return std::nullopt;
             }
             return Up(p) ? 1 : 0;
         }},
        {"quillmark_printer_no_answer", "gauge",
         "Whether the printer took the connection but did not answer the status request.",
         [](const MonitoredPrinter& p) -> std::optional<double> {
             if (p.reading.reach == Reachability::kUnknown) {
                 return std::nullopt;
             }
             return p.reading.reach == Reachability::kNoAnswer ? 1 : 0;
         }},
        {"quillmark_printer_paper_error", "gauge", "Paper error (1) as the status reports it.",
         [](const MonitoredPrinter& p) {
             return Up(p) ? Flag(p.reading.paperError) : std::nullopt;
         }},
        {"quillmark_printer_ribbon_error", "gauge", "Ribbon error (1) as the status reports it.",
         [](const MonitoredPrinter& p) {
             return Up(p) ? Flag(p.reading.ribbonError) : std::nullopt;
         }},
        {"quillmark_printer_paused", "gauge", "Paused (1) as the status reports it.",
         [](const MonitoredPrinter& p) { return Up(p) ? Flag(p.reading.paused) : std::nullopt; }},
        {"quillmark_printer_printing", "gauge", "Printing (1) as the status reports it.",
         [](const MonitoredPrinter& p) { return Up(p) ? Flag(p.reading.printing) : std::nullopt; }},
        {"quillmark_printer_waiting_for_peeling", "gauge",
         "A label waiting to be taken (1) as the status reports it.",
         [](const MonitoredPrinter& p) {
             return Up(p) ? Flag(p.reading.waitingForPeeling) : std::nullopt;
         }},
        {"quillmark_printer_error_code", "gauge",
         "The error code of the printer's error-code status, 0 for none.",
         [](const MonitoredPrinter& p) {
             return WhenUp(p, std::optional<int>(p.reading.errorCode));
         }},
        {"quillmark_printer_print_length_meters", "gauge", "The print counter, in meters.",
         [](const MonitoredPrinter& p) { return WhenUp(p, p.reading.printLengthMeters); }},
        {"quillmark_printer_service_length_meters", "gauge", "The service counter, in meters.",
         [](const MonitoredPrinter& p) { return WhenUp(p, p.reading.serviceLengthMeters); }},
        {"quillmark_printer_cuts", "gauge", "The cut counter.",
         [](const MonitoredPrinter& p) { return WhenUp(p, p.reading.cutCount); }},
        {"quillmark_printer_drifted_settings", "gauge",
         "Settings of the group's baseline the printer does not hold, at the last drift check.",
         [](const MonitoredPrinter& p) -> std::optional<double> {
             if (!p.driftedSettings) {
                 return std::nullopt;
             }
             return *p.driftedSettings;
         }},
        {"quillmark_printer_last_poll_timestamp_seconds", "gauge",
         "When the printer was last polled (Unix time).",
         [](const MonitoredPrinter& p) -> std::optional<double> {
             if (p.lastPoll <= 0) {
                 return std::nullopt;
             }
             return p.lastPoll;
         }},
    };
    return kMetrics;
}

std::string Labels(const MonitoredPrinter& p) {
    return "{printer=\"" + LabelValue(p.address) + "\",group=\"" + LabelValue(p.group) +
           "\",model=\"" + LabelValue(ModelName(p.model)) + "\",serial=\"" + LabelValue(p.serial) +
           "\"}";
}

void Header(std::string& out, const char* name, const char* type, const char* help) {
    out += std::string("# HELP ") + name + " " + help + "\n";
    out += std::string("# TYPE ") + name + " " + type + "\n";
}

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : Utf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            // Control characters are shown as U+FFFD rather than passed to the browser.
            out += static_cast<unsigned char>(c) < 0x20 ? std::string("\xEF\xBF\xBD")
                                                        : std::string(1, c);
        }
    }
    return out;
}

std::string Optional(const std::optional<double>& value, int decimals) {
    if (!value) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value);
    return text;
}

std::string TimeText(double unixTime) {
    if (unixTime <= 0) {
        return "never";
    }
    const std::time_t seconds = static_cast<std::time_t>(unixTime);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%SZ", &utc);
    return text;
}

std::string DriftText(const MonitoredPrinter& p) {
    if (!p.driftedSettings) {
        return p.driftDetail.empty() ? "not checked" : "unknown";
    }
    if (*p.driftedSettings == 0) {
        return "none";
    }
    return std::to_string(*p.driftedSettings) +
           (*p.driftedSettings == 1 ? " setting" : " settings");
}

// Why a printer is in error, in words ("paper error, paused").
std::string Problems(const MonitoredPrinter& p) {
    std::string text;
    auto add = [&](bool on, const std::string& what) {
        if (on) {
            text += (text.empty() ? "" : ", ") + what;
        }
    };
    add(p.reading.paperError.value_or(false), "paper error");
    add(p.reading.ribbonError.value_or(false), "ribbon error");
    add(p.reading.paused.value_or(false), "paused");
    add(p.reading.errorCode != 0, "error code " + std::to_string(p.reading.errorCode));
    add(!p.duplicates.empty(), "serial number also at another address");
    return text;
}

struct SortColumn {
    const char* key;
    const char* title;
};

constexpr SortColumn kColumns[] = {
    {"name", "Printer"}, {"group", "Group"},     {"model", "Model"},         {"serial", "Serial"},
    {"state", "State"},  {"print", "Print (m)"}, {"service", "Service (m)"}, {"cuts", "Cuts"},
    {"drift", "Drift"},  {"seen", "Last seen"},
};

// Errors first when sorting by state.
int StateRank(const MonitoredPrinter& p) {
    const std::string state = PrinterStateText(p);
    if (state == "error") {
        return 0;
    }
    if (state == "down" || state == "no answer") {
        return 1;
    }
    if (state == "not polled") {
        return 3;
    }
    return 2;
}

bool Less(const std::string& key, const MonitoredPrinter& a, const MonitoredPrinter& b) {
    auto number = [](const std::optional<double>& v) { return v.value_or(-1); };
    if (key == "group") {
        return a.group < b.group;
    }
    if (key == "model") {
        return ModelName(a.model) < ModelName(b.model);
    }
    if (key == "serial") {
        return a.serial < b.serial;
    }
    if (key == "state") {
        return StateRank(a) < StateRank(b);
    }
    if (key == "print") {
        return number(a.reading.printLengthMeters) < number(b.reading.printLengthMeters);
    }
    if (key == "service") {
        return number(a.reading.serviceLengthMeters) < number(b.reading.serviceLengthMeters);
    }
    if (key == "cuts") {
        return a.reading.cutCount.value_or(-1) < b.reading.cutCount.value_or(-1);
    }
    if (key == "drift") {
        return a.driftedSettings.value_or(-1) < b.driftedSettings.value_or(-1);
    }
    if (key == "seen") {
        return a.lastSeen < b.lastSeen;
    }
    return a.address < b.address;
}

constexpr char kStyle[] = R"css(
body{font-family:sans-serif;margin:0.5em;color:#222;background:#fff}
h1{font-size:1.3em;margin:0.2em 0}
p.summary{margin:0.3em 0 0.6em}
.wrap{overflow-x:auto}
table{border-collapse:collapse;width:100%;font-size:0.95em}
th,td{padding:0.35em 0.5em;border-bottom:1px solid #ddd;text-align:left;white-space:nowrap}
th a{color:inherit;text-decoration:none}
th a:hover{text-decoration:underline}
td.num{text-align:right}
tr.error td{background:#fde0e0;color:#900}
tr.drift td{background:#fff1cc;color:#7a5200}
tr.unreachable td{background:#eee;color:#777}
.problem,.detail{font-size:0.85em;display:block;white-space:normal}
@media (max-width:40em){th.wide,td.wide,.detail{display:none}table{font-size:0.9em}}
)css";

} // namespace

std::string PrinterStateText(const MonitoredPrinter& p) {
    switch (p.reading.reach) {
    case Reachability::kUnknown:
        return "not polled";
    case Reachability::kNoAnswer:
        return "no answer";
    case Reachability::kDown:
        return "down";
    case Reachability::kUp:
        break;
    }
    return p.reading.InError() || p.reading.paused.value_or(false) || !p.duplicates.empty()
               ? "error"
               : "up";
}

std::string MetricsText(const std::vector<MonitoredPrinter>& printers, const MonitorStats& stats) {
    std::string out;
    out.reserve(printers.size() * 1600 + 2048);
    std::vector<std::string> labels;
    labels.reserve(printers.size());
    for (const MonitoredPrinter& p : printers) {
        labels.push_back(Labels(p));
    }
    for (const PrinterMetric& metric : PrinterMetrics()) {
        Header(out, metric.name, metric.type, metric.help);
        for (size_t i = 0; i < printers.size(); ++i) {
            if (const std::optional<double> value = metric.value(printers[i])) {
                out += metric.name;
                out += labels[i];
                out += ' ';
                out += Number(*value);
                out += '\n';
            }
        }
    }
    constexpr char kDuration[] = "quillmark_monitor_poll_duration_seconds";
    Header(out, kDuration, "histogram", "How long one printer's poll took.");
    uint64_t cumulative = 0;
    for (size_t i = 0; i < stats.bucketCounts.size(); ++i) {
        cumulative += stats.bucketCounts[i];
        const std::string bound =
            i < MonitorStats::kBuckets.size() ? Number(MonitorStats::kBuckets[i]) : "+Inf";
        out += std::string(kDuration) + "_bucket{le=\"" + bound + "\"} " +
               std::to_string(cumulative) + "\n";
    }
    out += std::string(kDuration) + "_sum " + Number(stats.durationSum) + "\n";
    out += std::string(kDuration) + "_count " + std::to_string(stats.polls) + "\n";
    Header(out, "quillmark_monitor_poll_failures_total", "counter",
           "Polls that got no status from the printer.");
    out += "quillmark_monitor_poll_failures_total " + std::to_string(stats.failures) + "\n";
    Header(out, "quillmark_monitor_printers", "gauge", "Printers in the fleet file.");
    out += "quillmark_monitor_printers " + std::to_string(printers.size()) + "\n";
    return out;
}

std::string PrintersJson(const std::vector<MonitoredPrinter>& printers) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    auto optional = [](const auto& value) {
        return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
    };
    for (const MonitoredPrinter& p : printers) {
        const PrinterReading& r = p.reading;
        nlohmann::ordered_json duplicates = nlohmann::ordered_json::array();
        for (const std::string& address : p.duplicates) {
            duplicates.push_back(Utf8(address));
        }
        list.push_back({
            {"printer", Utf8(p.address)},
            {"group", Utf8(p.group)},
            {"model", ModelName(p.model)},
            {"serial", Utf8(p.serial)},
            {"state", PrinterStateText(p)},
            {"reachability", ReachabilityName(r.reach)},
            {"paperError", optional(r.paperError)},
            {"ribbonError", optional(r.ribbonError)},
            {"paused", optional(r.paused)},
            {"printing", optional(r.printing)},
            {"waitingForPeeling", optional(r.waitingForPeeling)},
            {"errorCode", r.errorCode},
            {"printLengthMeters", optional(r.printLengthMeters)},
            {"serviceLengthMeters", optional(r.serviceLengthMeters)},
            {"cuts", optional(r.cutCount)},
            {"driftedSettings", optional(p.driftedSettings)},
            {"movedFrom", Utf8(p.movedFrom)},
            {"duplicates", duplicates},
            {"lastPoll", p.lastPoll > 0 ? nlohmann::ordered_json(p.lastPoll) : nullptr},
            {"lastSeen", p.lastSeen > 0 ? nlohmann::ordered_json(p.lastSeen) : nullptr},
            {"failures", p.failures},
            {"detail", Utf8(r.detail.empty() ? p.driftDetail : r.detail)},
        });
    }
    return nlohmann::ordered_json{{"printers", list}}.dump();
}

std::string StatusPageHtml(const std::vector<MonitoredPrinter>& printers,
                           const std::string& sortKey, bool descending, int refreshSeconds,
                           double now) {
    std::string key = "name";
    for (const SortColumn& column : kColumns) {
        if (sortKey == column.key) {
            key = column.key;
        }
    }
    std::vector<const MonitoredPrinter*> rows;
    for (const MonitoredPrinter& p : printers) {
        rows.push_back(&p);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const auto* a, const auto* b) {
        return descending ? Less(key, *b, *a) : Less(key, *a, *b);
    });
    int up = 0;
    int errors = 0;
    int unreachable = 0;
    int drifted = 0;
    for (const MonitoredPrinter& p : printers) {
        const std::string state = PrinterStateText(p);
        up += state == "up" ? 1 : 0;
        errors += state == "error" ? 1 : 0;
        unreachable += state == "down" || state == "no answer" ? 1 : 0;
        drifted += p.driftedSettings.value_or(0) > 0 ? 1 : 0;
    }

    const std::string sortQuery = "?sort=" + key + (descending ? "&amp;order=desc" : "");
    std::string html;
    html.reserve(4096 + printers.size() * 600);
    html += "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n";
    html += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
    html += "<meta http-equiv=\"refresh\" content=\"" + std::to_string(refreshSeconds) +
            "; url=" + sortQuery + "\">\n";
    html += "<title>Quillmark fleet</title>\n<style>";
    html += kStyle;
    html += "</style></head><body>\n<h1>Quillmark fleet</h1>\n";
    html += "<p class=\"summary\" id=\"summary\">" + std::to_string(printers.size()) +
            " printers: " + std::to_string(up) + " up, " + std::to_string(errors) + " in error, " +
            std::to_string(unreachable) + " unreachable, " + std::to_string(drifted) +
            " drifted. Updated " + TimeText(now) + ".</p>\n";
    html += "<div class=\"wrap\"><table id=\"printers\"><thead><tr>";
    for (const SortColumn& column : kColumns) {
        const bool current = key == column.key;
        const bool nextDescending = current && !descending;
        const bool wide = std::string(column.key) == "group" ||
                          std::string(column.key) == "model" ||
                          std::string(column.key) == "service" ||
                          std::string(column.key) == "cuts" || std::string(column.key) == "seen";
        html += std::string("<th") + (wide ? " class=\"wide\"" : "") +
                "><a href=\"?sort=" + column.key + (nextDescending ? "&amp;order=desc" : "") +
                "\">" + column.title + (current ? (descending ? " &#9660;" : " &#9650;") : "") +
                "</a></th>";
    }
    html += "</tr></thead>\n<tbody>\n";
    for (const MonitoredPrinter* p : rows) {
        const std::string state = PrinterStateText(*p);
        std::string rowClass = "ok";
        if (state == "error") {
            rowClass = "error";
        } else if (state == "down" || state == "no answer" || state == "not polled") {
            rowClass = "unreachable";
        } else if (p->driftedSettings.value_or(0) > 0) {
            rowClass = "drift";
        }
        const std::string problems = Problems(*p);
        std::string stateCell = HtmlEscaped(state);
        if (!problems.empty()) {
            stateCell += "<span class=\"problem\">" + HtmlEscaped(problems) + "</span>";
        } else if (!p->reading.detail.empty() && state != "up") {
            stateCell += "<span class=\"detail\">" + HtmlEscaped(p->reading.detail) + "</span>";
        }
        html += "<tr class=\"" + rowClass + "\" data-printer=\"" + HtmlEscaped(p->address) +
                "\"><td>" + HtmlEscaped(p->address) + "</td><td class=\"wide\">" +
                HtmlEscaped(p->group) + "</td><td class=\"wide\">" +
                HtmlEscaped(ModelName(p->model)) + "</td><td>" + HtmlEscaped(p->serial) +
                "</td><td>" + stateCell + "</td><td class=\"num\">" +
                Optional(p->reading.printLengthMeters, 1) + "</td><td class=\"num wide\">" +
                Optional(p->reading.serviceLengthMeters, 1) + "</td><td class=\"num wide\">" +
                Optional(p->reading.cutCount
                             ? std::optional<double>(static_cast<double>(*p->reading.cutCount))
                             : std::nullopt,
                         0) +
                "</td><td>" + HtmlEscaped(DriftText(*p)) + "</td><td class=\"wide\">" +
                TimeText(p->lastSeen) + "</td></tr>\n";
    }
    html += "</tbody></table></div>\n</body></html>\n";
    return html;
}

} // namespace qm::fleet
