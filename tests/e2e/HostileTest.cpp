// A printer that answers with bytes meant for the terminal or not UTF-8 at all, and a fleet send
// stopped by a service manager's SIGTERM or by a second interrupt: the output stays readable,
// the JSON stays valid, and the report of what was done is never lost.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// OSC 52 (writes the clipboard), BEL, a screen clear and a byte that is not UTF-8.
const std::string kHostileSerial = "S\x1b]52;c;aGk=\x07\x1b[2J\xff";

TEST(E2eHostile, APrintersBytesAreEscapedInTextAndReplacedInJson) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0", "--serial", kHostileSerial});
    ASSERT_TRUE(sim.Ready());
    const std::vector<std::string> discover = {"discover", "--range", "127.0.0.1-127.0.0.1",
                                               "--port", std::to_string(sim.TcpPort())};
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};

    CliResult text = RunCli(discover, env);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("serial \"S\\x1b]52;c;aGk=\\x07\\x1b[2J\\xff\""), std::string::npos)
        << text.out;
    for (char c : text.out + text.err) {
        EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 0x20) << static_cast<int>(c);
        EXPECT_NE(c, '\x7f');
    }

    std::vector<std::string> asJson = discover;
    asJson.push_back("--json");
    CliResult json = RunCli(asJson, env);
    ASSERT_EQ(json.status, 0) << json.err;
    nlohmann::json found;
    ASSERT_NO_THROW(found = nlohmann::json::parse(json.out)) << json.out;
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]["serial"], "S\x1b]52;c;aGk=\x07\x1b[2J\xef\xbf\xbd"); // U+FFFD
}

// Two printers that never answer, one at a time: `send --verify` waits for the first one's reply
// when the signals come.
class FleetSignals : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            sims_.push_back(std::make_unique<SimProcess>(
                std::vector<std::string>{"--tcp", "127.0.0.1:0", "--silent", "--log", Log(i)}));
            ASSERT_TRUE(sims_.back()->Ready());
        }
        WriteFile(dir_.Path("fleet.prn"), simtest::LeadIn() + "PRINT SPEED\t:\t6 IPS\r\nEND\r\n");
    }
    std::string Log(int i) const { return dir_.Path("sim" + std::to_string(i) + ".log"); }
    std::string Target(int i) const {
        return "127.0.0.1:" + std::to_string(sims_[static_cast<size_t>(i)]->TcpPort());
    }
    CliResult Send(const std::vector<int>& signals) {
        return RunCli(
            {"send", dir_.Path("fleet.prn"), "--net", Target(0), "--net", Target(1), "--jobs", "1",
             "--verify", "--json", "--model", "0"},
            {"XDG_RUNTIME_DIR=" + dir_.Path("")}, 30000,
            [&] { return ReadFile(Log(0)).find("RECV") != std::string::npos; }, signals);
    }

    TempDir dir_;
    std::vector<std::unique_ptr<SimProcess>> sims_;
};

TEST_F(FleetSignals, SigtermIsTakenAsTheFirstInterruptAndTheReportIsPrinted) {
    CliResult r = Send({SIGTERM});
    EXPECT_EQ(r.status, 3) << r.err;
    nlohmann::json report;
    ASSERT_NO_THROW(report = nlohmann::json::parse(r.out)) << r.out << r.err;
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0]["target"], Target(0));
    EXPECT_NE(report[0]["code"], -1); // it ran to its end
    EXPECT_EQ(report[1]["code"], -1);
    EXPECT_EQ(report[1]["message"], "not started: interrupted");
    EXPECT_EQ(ReadFile(Log(1)).find("CONNECT"), std::string::npos);
}

TEST_F(FleetSignals, ASecondInterruptPrintsWhatIsKnownBeforeEnding) {
    // SIGHUP starts the stop, SIGTERM ends the wait.
    CliResult r = Send({SIGHUP, SIGTERM});
    EXPECT_EQ(r.status, 128 + SIGTERM) << r.err;
    nlohmann::json report;
    ASSERT_NO_THROW(report = nlohmann::json::parse(r.out)) << r.out << r.err;
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0]["code"], -2); // not waited for
    EXPECT_NE(report[0]["message"].get<std::string>().find("may have taken the configuration"),
              std::string::npos);
    EXPECT_EQ(report[1]["code"], -1);
}

} // namespace
} // namespace qm::e2e
