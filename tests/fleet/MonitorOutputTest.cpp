// What the monitor serves, from printers in each state: the metrics (checked by promtool where
// it is installed), the JSON list, the status page, and the token file's rules.

#include "fleet/MonitorOutput.h"
#include "fleet/MonitorServer.h"

#include "FleetTestFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::fleet {
namespace {

using test::ScratchDir;

constexpr char kPromtool[] = "/usr/bin/promtool";

// One printer in each state the page tells apart; the serial number of the first is hostile.
std::vector<MonitoredPrinter> Fleet() {
    std::vector<MonitoredPrinter> printers(5);
    const char* addresses[] = {"10.0.0.1:9100", "10.0.0.2:9100", "10.0.0.3:9100", "10.0.0.4:9100",
                               "10.0.0.5:9100"};
    for (size_t i = 0; i < printers.size(); ++i) {
        printers[i].address = addresses[i];
        printers[i].group = "dock";
        printers[i].model = 0;
    }
    // Up and healthy, with counters, drifted.
    printers[0].reading =
        PrinterReading::FromReplies(0,
                                    "\x02"
                                    "AYNNNNNNN",
                                    "Serial Number : QS1\r\nPrint Counter Length 1234.5 m\r\n"
                                    "Service Counter Length 567.8 m\r\nCut Counter 89\r\n");
    printers[0].reading.paperError = false;
    printers[0].serial = "Q\"S\\1\n<b>\xFF";
    printers[0].driftedSettings = 3;
    printers[0].lastPoll = printers[0].lastSeen = 1'800'000'000;
    // Up with a paper error.
    printers[1].reading.reach = Reachability::kUp;
    printers[1].reading.paperError = true;
    printers[1].serial = "QS2";
    printers[1].lastPoll = 1'800'000'000;
    // No answer, down, never polled.
    printers[2].reading.reach = Reachability::kNoAnswer;
    printers[2].lastPoll = 1'800'000'000;
    printers[3].reading.reach = Reachability::kDown;
    printers[3].lastPoll = 1'800'000'000;
    return printers;
}

std::string Lines(const std::string& text, const std::string& prefix) {
    std::string found;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        if (line.rfind(prefix, 0) == 0) {
            found += line + "\n";
        }
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return found;
}

TEST(MonitorOutputTest, MetricsShowEachStateAndPassPromtool) {
    MonitorStats stats;
    stats.polls = 3;
    stats.failures = 1;
    stats.bucketCounts[0] = 2;
    stats.bucketCounts.back() = 1;
    stats.durationSum = 12.5;
    const std::string text = MetricsText(Fleet(), stats);

    // The label values escaped as the format asks, invalid bytes replaced.
    const std::string first = "{printer=\"10.0.0.1:9100\",group=\"dock\",model=\"Vexa Alder\","
                              "serial=\"Q\\\"S\\\\1\\n<b>\xEF\xBF\xBD\"}";
    EXPECT_EQ(Lines(text, "quillmark_printer_up{"),
              "quillmark_printer_up" + first + " 1\n" +
                  "quillmark_printer_up{printer=\"10.0.0.2:9100\",group=\"dock\",model=\"Vexa "
                  "Alder\",serial=\"QS2\"} 1\n"
                  "quillmark_printer_up{printer=\"10.0.0.3:9100\",group=\"dock\",model=\"Vexa "
                  "Alder\",serial=\"\"} 0\n"
                  "quillmark_printer_up{printer=\"10.0.0.4:9100\",group=\"dock\",model=\"Vexa "
                  "Alder\",serial=\"\"} 0\n");
    // A printer that does not answer has no status series; one never polled has none at all.
    EXPECT_EQ(Lines(text, "quillmark_printer_paper_error{"),
              "quillmark_printer_paper_error" + first +
                  " 0\nquillmark_printer_paper_error{printer=\"10.0.0.2:9100\",group=\"dock\","
                  "model=\"Vexa Alder\",serial=\"QS2\"} 1\n");
    EXPECT_EQ(Lines(text, "quillmark_printer_no_answer{printer=\"10.0.0.3"),
              "quillmark_printer_no_answer{printer=\"10.0.0.3:9100\",group=\"dock\",model=\"Vexa "
              "Alder\",serial=\"\"} 1\n");
    EXPECT_EQ(Lines(text, "quillmark_printer_print_length_meters{"),
              "quillmark_printer_print_length_meters" + first + " 1234.5\n");
    EXPECT_EQ(Lines(text, "quillmark_printer_cuts{"), "quillmark_printer_cuts" + first + " 89\n");
    EXPECT_EQ(Lines(text, "quillmark_printer_drifted_settings{"),
              "quillmark_printer_drifted_settings" + first + " 3\n");
    EXPECT_EQ(Lines(text, "quillmark_monitor_poll_duration_seconds_bucket{le=\"0.1\"}"),
              "quillmark_monitor_poll_duration_seconds_bucket{le=\"0.1\"} 2\n");
    EXPECT_EQ(Lines(text, "quillmark_monitor_poll_duration_seconds_bucket{le=\"+Inf\"}"),
              "quillmark_monitor_poll_duration_seconds_bucket{le=\"+Inf\"} 3\n");
    EXPECT_EQ(Lines(text, "quillmark_monitor_poll_failures_total "),
              "quillmark_monitor_poll_failures_total 1\n");

    if (::access(kPromtool, X_OK) != 0) {
        GTEST_SKIP() << "promtool is not installed";
    }
    ScratchDir dir;
    const std::string path = dir.Write("metrics.txt", text);
    const std::string command = std::string(kPromtool) + " check metrics < " + path + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string said;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        said += buffer;
    }
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << said;
}

TEST(MonitorOutputTest, JsonIsValidUtf8WithNullForWhatIsNotKnown) {
    const nlohmann::json list = nlohmann::json::parse(PrintersJson(Fleet()))["printers"];
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0]["serial"], "Q\"S\\1\n<b>\xEF\xBF\xBD");
    EXPECT_EQ(list[0]["state"], "up");
    EXPECT_EQ(list[0]["printLengthMeters"], 1234.5);
    EXPECT_EQ(list[0]["driftedSettings"], 3);
    EXPECT_EQ(list[1]["state"], "error");
    EXPECT_EQ(list[2]["state"], "no answer");
    EXPECT_TRUE(list[2]["paperError"].is_null());
    EXPECT_EQ(list[3]["state"], "down");
    EXPECT_EQ(list[4]["state"], "not polled");
    EXPECT_TRUE(list[4]["lastPoll"].is_null());
}

TEST(MonitorOutputTest, PageEscapesPrinterTextColoursRowsAndSorts) {
    const std::string page = StatusPageHtml(Fleet(), "state", false, 30, 1'800'000'000);
    EXPECT_NE(page.find("Q&quot;S\\1\xEF\xBF\xBD&lt;b&gt;\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("<meta http-equiv=\"refresh\" content=\"30; url=?sort=state\">"),
              std::string::npos);
    // Sorted by state: the error first, then the unreachable ones, the healthy one, the new one.
    const size_t error = page.find("<tr class=\"error\" data-printer=\"10.0.0.2:9100\"");
    const size_t noAnswer = page.find("<tr class=\"unreachable\" data-printer=\"10.0.0.3:9100\"");
    const size_t drift = page.find("<tr class=\"drift\" data-printer=\"10.0.0.1:9100\"");
    const size_t fresh = page.find("<tr class=\"unreachable\" data-printer=\"10.0.0.5:9100\"");
    ASSERT_NE(error, std::string::npos);
    ASSERT_NE(noAnswer, std::string::npos);
    ASSERT_NE(drift, std::string::npos);
    ASSERT_NE(fresh, std::string::npos);
    EXPECT_LT(error, noAnswer);
    EXPECT_LT(noAnswer, drift);
    EXPECT_LT(drift, fresh);
    // An unknown sort key sorts by name; the page loads nothing from elsewhere.
    const std::string byName = StatusPageHtml(Fleet(), "<script>", true, 30, 0);
    EXPECT_LT(byName.find("data-printer=\"10.0.0.5"), byName.find("data-printer=\"10.0.0.1"));
    EXPECT_EQ(byName.find("<script"), std::string::npos);
    EXPECT_EQ(byName.find("http"), byName.find("http-equiv"));
}

TEST(MonitorOutputTest, TokenFileMustBePrivateAndOneLine) {
    ScratchDir dir;
    std::string token;
    std::string error;
    const std::string good = dir.Write("good", "s3cret-Token\n");
    ::chmod(good.c_str(), 0600);
    ASSERT_TRUE(ReadTokenFile(good, token, error)) << error;
    EXPECT_EQ(token, "s3cret-Token");

    ::chmod(good.c_str(), 0640);
    EXPECT_FALSE(ReadTokenFile(good, token, error));
    EXPECT_NE(error.find("chmod 600"), std::string::npos);
    for (const std::string& bytes :
         {std::string("\n"), std::string("one\ntwo\n"), std::string(5000, 'x')}) {
        const std::string path = dir.Write("bad", bytes);
        ::chmod(path.c_str(), 0600);
        EXPECT_FALSE(ReadTokenFile(path, token, error)) << bytes.size();
    }
    EXPECT_FALSE(ReadTokenFile(dir.Path("missing"), token, error));
    EXPECT_TRUE(IsLoopbackHost("127.25.0.1"));
    EXPECT_TRUE(IsLoopbackHost("::1"));
    EXPECT_FALSE(IsLoopbackHost("0.0.0.0"));
    EXPECT_FALSE(IsLoopbackHost("10.1.2.3"));
}

} // namespace
} // namespace qm::fleet
