// quillmark-cli set and get against the simulator, over TCP and over its pseudo-terminal as
// COM1, with the model asked from the printer.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// The values `get --json` printed, with their units, one per key asked for.
std::vector<std::string> GotValues(const CliResult& run) {
    std::vector<std::string> values;
    const nlohmann::json doc = nlohmann::json::parse(run.out, nullptr, false);
    if (doc.is_discarded() || !doc.contains("settings")) {
        return values;
    }
    for (const nlohmann::json& setting : doc["settings"]) {
        const std::string unit = setting.value("unit", "");
        values.push_back(setting.value("value", "") + (unit.empty() ? "" : " " + unit));
    }
    return values;
}

TEST(E2eGetSet, SetThenGetOverTcpAndAPseudoTerminal) {
    TempDir dir;
    const std::string devRoot = dir.Path("dev");
    const std::string log = dir.Path("sim.log");
    std::filesystem::create_directories(devRoot);
    SimProcess sim({"--tcp", "127.0.0.1:0", "--pty", "--link", devRoot + "/ttyS0", "--model", "29",
                    "--log", log});
    ASSERT_TRUE(sim.Ready());
    const std::vector<std::string> env = {"QUILLMARK_DEV_ROOT=" + devRoot,
                                          "XDG_RUNTIME_DIR=" + dir.Path("")};
    const std::string net = "127.0.0.1:" + std::to_string(sim.TcpPort());

    CliResult set = RunCli(
        {"set", "print-darkness=7", "continuous-media-length=50.8 MM", "--net", net, "--verify"},
        env);
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(ValueOf(RawAllReply(sim.TcpPort()), "PRINT DARKNESS"), "7");
    CliResult got = RunCli(
        {"get", "PRINT DARKNESS", "continuous-media-length", "--com", "COM1", "--json"}, env);
    ASSERT_EQ(got.status, 0) << got.err;
    const std::vector<std::string> values = GotValues(got);
    ASSERT_EQ(values.size(), 2u) << got.out;
    EXPECT_EQ(values[0], "7");
    EXPECT_TRUE(values[1] == "50.8 MM" || values[1] == "2.00 INCH") << got.out;

    set = RunCli({"set", "print-darkness=9", "--com", "COM1", "--verify"}, env);
    ASSERT_EQ(set.status, 0) << set.err;
    got = RunCli({"get", "print-darkness", "--net", net, "--json"}, env);
    ASSERT_EQ(got.status, 0) << got.err;
    EXPECT_EQ(GotValues(got), std::vector<std::string>{"9"});
    EXPECT_TRUE(LogEvents(log, "REJECT").empty()) << Joined(LogEvents(log, "REJECT"));
}

} // namespace
} // namespace qm::e2e
