// The simulator's faults over TCP, as the program must survive them: a printer that never
// answers, a connection cut in the middle of a reply, stray bytes before the reply, a reply
// without its end, a reply larger than the receive buffer, a reply that trickles in; and a
// receive started while another one runs.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// One receive of scope `scope` (model 0) against a simulator started with `faults`.
struct FaultRun {
    CliResult result;
    std::string log;
};

FaultRun ReceiveWith(const std::vector<std::string>& faults, const std::string& scope = "all") {
    TempDir dir;
    std::vector<std::string> args = {"--tcp", "127.0.0.1:0", "--model",
                                     "0",     "--log",       dir.Path("sim.log")};
    args.insert(args.end(), faults.begin(), faults.end());
    FaultRun run;
    {
        SimProcess sim(args);
        EXPECT_TRUE(sim.Ready());
        if (!sim.Ready()) {
            return run;
        }
        run.result =
            RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(sim.TcpPort()),
                    "--scope", scope, "--model", "0"},
                   {"XDG_RUNTIME_DIR=" + dir.Path("")});
    } // the simulator stops cleanly (checked by SimProcess) before its log is read
    run.log = ReadFile(dir.Path("sim.log"));
    return run;
}

// The failed read: exit 3, the acquisition message, nothing on standard output, no crash.
void ExpectAcquisitionError(const CliResult& r, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("code : 32"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Acquisition data has an error."), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

std::string ModelZeroReply() {
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0"});
    EXPECT_TRUE(sim.Ready());
    return sim.Ready() ? RawAllReply(sim.TcpPort()) : std::string();
}

TEST(E2eFaults, SilentPrinterAndMissingEnd) {
    FaultRun silent = ReceiveWith({"--silent"});
    ExpectAcquisitionError(silent.result, "--silent");
    EXPECT_LT(silent.result.elapsedMs, 12000);
    EXPECT_NE(silent.log.find("RECV menu-all"), std::string::npos) << silent.log;

    FaultRun noEnd = ReceiveWith({"--no-end"});
    ExpectAcquisitionError(noEnd.result, "--no-end");
    EXPECT_LT(noEnd.result.elapsedMs, 12000);
}

TEST(E2eFaults, SilentPrinterStillTakesASend) {
    // A send reads no reply, so a printer that never answers still takes the configuration.
    TempDir dir;
    SimProcess sim(
        {"--tcp", "127.0.0.1:0", "--model", "3", "--silent", "--log", dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    const std::string file = dir.Path("one.prn");
    ASSERT_TRUE(WriteFile(file, simtest::LeadIn() + "PRINT DARKNESS\t:\t21\r\nEND\r\n"));
    CliResult r = RunCli(
        {"send", file, "--net", "127.0.0.1:" + std::to_string(sim.TcpPort()), "--model", "3"},
        {"XDG_RUNTIME_DIR=" + dir.Path("")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_LT(r.elapsedMs, 12000);
    ASSERT_EQ(sim.Stop(SIGTERM), 0);
    std::vector<std::string> applied = LogEvents(dir.Path("sim.log"), "APPLY");
    ASSERT_EQ(applied.size(), 1u) << ReadFile(dir.Path("sim.log"));
    EXPECT_NE(applied[0].find("PRINT DARKNESS"), std::string::npos) << applied[0];
    EXPECT_NE(applied[0].find("21"), std::string::npos) << applied[0];
}

TEST(E2eFaults, CutStrayOversizeAndTrickle) {
    const std::string whole = ModelZeroReply();
    ASSERT_GT(whole.size(), 1000u);

    // A connection closed part-way through the menu reply, also inside its "END\r\n".
    for (size_t cut : {size_t{100}, size_t{1000}, whole.size() - 4, whole.size() - 1}) {
        FaultRun run = ReceiveWith({"--drop-after", std::to_string(cut)});
        ExpectAcquisitionError(run.result, "--drop-after " + std::to_string(cut));
        EXPECT_NE(run.log.find("DROP"), std::string::npos) << run.log;
    }
    // Closed right after the whole reply: nothing is missing.
    FaultRun exact = ReceiveWith({"--drop-after", std::to_string(whole.size())});
    ASSERT_EQ(exact.result.status, 0) << exact.result.err;
    nlohmann::json exactDoc = nlohmann::json::parse(exact.result.out, nullptr, false);
    ASSERT_FALSE(exactDoc.is_discarded());
    EXPECT_TRUE(MissingValues(whole, exactDoc).empty()) << Joined(MissingValues(whole, exactDoc));

    // One stray byte before the reply is dropped; two make the reply unusable.
    FaultRun oneStray = ReceiveWith({"--stray-bytes", "1"}, "standard");
    ASSERT_EQ(oneStray.result.status, 0) << oneStray.result.err;
    nlohmann::json strayDoc = nlohmann::json::parse(oneStray.result.out, nullptr, false);
    ASSERT_FALSE(strayDoc.is_discarded());
    EXPECT_TRUE(RedItems(strayDoc).empty()) << Joined(RedItems(strayDoc));
    auto items = ItemsByKey(strayDoc);
    ASSERT_EQ(items.count("GLOBAL CONFIG"), 1u);
    EXPECT_EQ(items.find("GLOBAL CONFIG")->second.value("value", ""), "CONFIG SET 1");
    EXPECT_EQ(items.find("GLOBAL CONFIG")->second.value("ticked", 0), 1);
    ExpectAcquisitionError(ReceiveWith({"--stray-bytes", "2"}, "standard").result,
                           "--stray-bytes 2");

    // The counters reply cut after the status came: exit 3, the failed request named, and the
    // status that was received still printed.
    FaultRun counters = ReceiveWith({"--drop-after", "40"}, "information");
    EXPECT_EQ(counters.result.status, 3) << counters.result.err;
    EXPECT_NE(counters.result.err.find("code : 32"), std::string::npos) << counters.result.err;
    EXPECT_NE(counters.result.err.find("the counters request failed"), std::string::npos)
        << counters.result.err;
    nlohmann::json partial = nlohmann::json::parse(counters.result.out, nullptr, false);
    ASSERT_FALSE(partial.is_discarded()) << counters.result.out;
    EXPECT_EQ(partial.value("failed", ""), "counters");
    EXPECT_TRUE(partial.contains("status"));
    EXPECT_FALSE(partial.contains("counters"));

    // A reply of about 5000 bytes does not fit the 4096-byte receive buffer.
    FaultRun oversize = ReceiveWith({"--oversize"});
    ExpectAcquisitionError(oversize.result, "--oversize");

    // A reply in 64-byte pieces 20 ms apart arrives whole.
    FaultRun trickle = ReceiveWith({"--trickle", "64:20"});
    ASSERT_EQ(trickle.result.status, 0) << trickle.result.err;
    nlohmann::json trickleDoc = nlohmann::json::parse(trickle.result.out, nullptr, false);
    ASSERT_FALSE(trickleDoc.is_discarded());
    EXPECT_TRUE(RedItems(trickleDoc).empty()) << Joined(RedItems(trickleDoc));
    EXPECT_TRUE(MissingValues(whole, trickleDoc).empty())
        << Joined(MissingValues(whole, trickleDoc));
    EXPECT_EQ(trickleDoc.value("status", ""), "NNNNNNNN\r");
}

TEST(E2eFaults, ReceiveWhileAnotherRuns) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "0", "--log", dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    const std::vector<std::string> args = {
        "receive", "--net", "127.0.0.1:" + std::to_string(sim.TcpPort()), "--scope", "easy",
        "--model", "0"};
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};

    // Another receive holds the "mtx_recv_config" lock of this user.
    int fd = ::open(dir.Path("mtx_recv_config.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    CliResult busy = RunCli(args, env);
    EXPECT_EQ(busy.status, 5) << busy.err;
    EXPECT_TRUE(busy.out.empty());
    EXPECT_TRUE(LogEvents(dir.Path("sim.log"), "CONNECT").empty()) << ReadFile(dir.Path("sim.log"));
    // A send asks the printer for its model without the lock: it is not turned away.
    const std::string file = dir.Path("one.prn");
    ASSERT_TRUE(WriteFile(file, simtest::LeadIn() + "PRINT DARKNESS\t:\t12\r\nEND\r\n"));
    CliResult send =
        RunCli({"send", file, "--net", "127.0.0.1:" + std::to_string(sim.TcpPort())}, env);
    EXPECT_EQ(send.status, 0) << send.err;
    ::close(fd);

    CliResult free = RunCli(args, env);
    EXPECT_EQ(free.status, 0) << free.err;
}

} // namespace
} // namespace qm::e2e
