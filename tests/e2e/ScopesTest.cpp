// The receive scopes: which requests go to the printer, which items come back ticked, and the
// status form of each command language.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

std::set<int> TickedEntries(const nlohmann::json& doc) {
    std::set<int> entries;
    for (const nlohmann::json& item : doc.value("items", nlohmann::json::array())) {
        if (item.value("ticked", 0) != 0) {
            entries.insert(item.value("entry", -1));
        }
    }
    return entries;
}

// The request kinds the simulator logged, in order ("menu-all", "status-flags", ...).
std::vector<std::string> Requests(const std::string& log) {
    std::vector<std::string> kinds;
    for (const std::string& line : LogEvents(log, "RECV")) {
        std::istringstream fields(line);
        std::string time, transport, event, kind;
        fields >> time >> transport >> event >> kind;
        kinds.push_back(kind);
    }
    return kinds;
}

struct StatusForm {
    int model;
    const char* request;  // what the simulator logs for the status request
    std::string expected; // the status reply with paper out and head up
};

TEST(E2eScopes, ScopesAndStatusForms) {
    const std::vector<StatusForm> forms = {
        {2, "status-flags", "NYNNNNNY\r"},
        {3, "host-status",
         "\x02"
         "030,1,0,0813,000,0,0,0,000,0,0,0\x03\r\n\x02"
         "000,0,1,0,0,0,0,0,00000000,1,000\x03\r\n\x02" // direct thermal only: no TT bit
         "1234,0\x03\r\n"},
        {4, "error-code", "11\r\n"},
    };
    for (const StatusForm& form : forms) {
        SCOPED_TRACE("model " + std::to_string(form.model));
        TempDir dir;
        const std::string log = dir.Path("sim.log");
        SimProcess sim({"--tcp", "127.0.0.1:0", "--model", std::to_string(form.model),
                        "--paper-out", "--head-up", "--log", log});
        ASSERT_TRUE(sim.Ready());
        const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
        auto receive = [&](const std::string& scope, std::vector<std::string> more = {}) {
            std::vector<std::string> args = {
                "receive", "--json",
                "--net",   "127.0.0.1:" + std::to_string(sim.TcpPort()),
                "--model", std::to_string(form.model),
                "--scope", scope};
            args.insert(args.end(), more.begin(), more.end());
            CliResult r = RunCli(args, env);
            EXPECT_EQ(r.status, 0) << scope << ": " << r.err;
            nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
            EXPECT_FALSE(doc.is_discarded()) << r.out;
            return doc;
        };

        // Information: the status request (no lead-in) and the counters; no settings.
        nlohmann::json info = receive("information");
        EXPECT_EQ(info.value("status", ""), form.expected);
        EXPECT_FALSE(info.contains("items"));
        ASSERT_TRUE(info.contains("counters"));
        EXPECT_EQ(info["counters"].value("printCounter", ""), "1234.5 m");
        EXPECT_EQ(info["counters"].value("serviceCounter", ""), "567.8 m");
        EXPECT_EQ(Requests(log), (std::vector<std::string>{form.request, "counters"}));
        EXPECT_TRUE(LogEvents(log, "INCOMPLETE").empty()) << ReadFile(log);

        // Easy keeps the six Easy items only (models 2-4 print direct thermal only and report
        // no Print Method).
        nlohmann::json easy = receive("easy");
        EXPECT_EQ(TickedEntries(easy), (std::set<int>{6, 7, 13, 38, 45}));
        EXPECT_FALSE(easy.contains("status"));

        // Standard and Advanced tick their own halves of the record.
        std::set<int> standard = TickedEntries(receive("standard"));
        ASSERT_GT(standard.size(), 40u);
        EXPECT_LE(*standard.rbegin(), 113);
        std::set<int> advanced = TickedEntries(receive("advanced"));
        ASSERT_GT(advanced.size(), 20u);
        EXPECT_GE(*advanced.begin(), 114);
        EXPECT_LE(*advanced.rbegin(), 178);
        std::vector<std::string> requests = Requests(log);
        ASSERT_EQ(requests.size(), 5u);
        EXPECT_EQ(requests[2], "menu-standard"); // the Easy scope asks for the standard menu
        EXPECT_EQ(requests[3], "menu-standard");
        EXPECT_EQ(requests[4], "menu-advanced");
    }

    // --status-class overrides the model's own status form.
    TempDir dir;
    SimProcess sim(
        {"--tcp", "127.0.0.1:0", "--model", "2", "--ribbon-out", "--log", dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    CliResult r =
        RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(sim.TcpPort()),
                "--model", "2", "--scope", "information", "--status-class", "2"},
               {"XDG_RUNTIME_DIR=" + dir.Path("")});
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    EXPECT_EQ(doc.value("status", ""), "07\r\n");
    EXPECT_EQ(Requests(dir.Path("sim.log")).front(), "error-code");
}

} // namespace
} // namespace qm::e2e
