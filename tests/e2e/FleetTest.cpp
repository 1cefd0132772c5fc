// Many printers at once: a fleet of simulators on loopback addresses of their own (one block
// 127.A.B.0/24 per test process, one port for all), two of them faulty (one never answers,
// one drops the connection in the middle of a reply), plus addresses where nothing listens.
// send to the fleet, diff before and after, discover over the block; --jobs 1 and --jobs 16
// agree; Ctrl+C stops a scan without starting further addresses.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

constexpr int kFleetSize = 16;
constexpr int kFirstHost = 10;     // the simulators sit on hosts 10-25 of the block
constexpr int kSilentHost = 12;    // never answers (still applies configurations)
constexpr int kDroppingHost = 17;  // closes the connection after 200 reply bytes
constexpr int kRangeFirstHost = 1; // discover scans hosts 1-40: 16 simulators, 24 empty
constexpr int kRangeLastHost = 40;
constexpr int kEmptyHostA = 30; // send targets where nothing listens
constexpr int kEmptyHostB = 31;

// A block of loopback addresses of this test process, so parallel runs do not meet.
std::string BlockPrefix() {
    const int pid = static_cast<int>(::getpid());
    return "127." + std::to_string(200 + pid % 50) + "." + std::to_string((pid / 50) % 250) + ".";
}

std::string Host(int host) {
    return BlockPrefix() + std::to_string(host);
}

// A port free on the block's first simulator address right now.
int FreePort() {
    return FreePortOn(Host(kFirstHost));
}

std::string Serial(int index) {
    return "QMFLEET" + std::to_string(100 + index);
}

// Sixteen model-0 simulators, each with its own state file and log.
class Fleet {
public:
    explicit Fleet(const TempDir& dir) : dir_(dir) {
        for (int attempt = 0; attempt < 5 && !Ready(); ++attempt) {
            sims_.clear();
            port_ = FreePort();
            for (int i = 0; i < kFleetSize && port_ != 0; ++i) {
                const int host = kFirstHost + i;
                std::vector<std::string> args = {
                    "--tcp",    Host(host) + ":" + std::to_string(port_),
                    "--model",  "0",
                    "--serial", Serial(i),
                    "--state",  StatePath(i),
                    "--log",    LogPath(i)};
                if (host == kSilentHost) {
                    args.push_back("--silent");
                } else if (host == kDroppingHost) {
                    args.insert(args.end(), {"--drop-after", "200"});
                }
                sims_.push_back(std::make_unique<SimProcess>(args));
                if (!sims_.back()->Ready()) {
                    break; // the port is taken on some address: another port
                }
            }
        }
    }

    bool Ready() const {
        if (sims_.size() != kFleetSize) {
            return false;
        }
        for (const auto& sim : sims_) {
            if (!sim->Ready()) {
                return false;
            }
        }
        return true;
    }
    int Port() const { return port_; }
    std::string Target(int host) const { return Host(host) + ":" + std::to_string(port_); }
    std::string StatePath(int index) const {
        return dir_.Path("sim" + std::to_string(index) + ".state");
    }
    std::string LogPath(int index) const {
        return dir_.Path("sim" + std::to_string(index) + ".log");
    }
    static bool Faulty(int host) { return host == kSilentHost || host == kDroppingHost; }

private:
    const TempDir& dir_;
    int port_ = 0;
    std::vector<std::unique_ptr<SimProcess>> sims_;
};

// A settings file that moves two settings away from the model's defaults (4 IPS, 10).
std::string WriteConfiguration(const TempDir& dir) {
    const std::string path = dir.Path("fleet.prn");
    WriteFile(path,
              simtest::LeadIn() + "PRINT SPEED\t:\t6 IPS\r\nPRINT DARKNESS\t:\t14\r\nEND\r\n");
    return path;
}

// A value of the simulator's state file ("KEY\t:\tVALUE" lines); "" when missing.
std::string StateValue(const std::string& state, const std::string& key) {
    const std::string start = "\n" + key + "\t:\t";
    size_t at = state.find(start);
    if (at == std::string::npos) {
        return {};
    }
    at += start.size();
    return state.substr(at, state.find_first_of("\r\n", at) - at);
}

std::vector<std::string> Env(const TempDir& dir) {
    return {"XDG_RUNTIME_DIR=" + dir.Path("")};
}

// The report without its times, which differ from run to run.
nlohmann::json WithoutSeconds(nlohmann::json report) {
    for (auto& row : report) {
        row.erase("seconds");
    }
    return report;
}

TEST(E2eFleet, SendReportsEachTargetAndDiffTellsBeforeFromAfter) {
    TempDir dir;
    Fleet fleet(dir);
    ASSERT_TRUE(fleet.Ready());
    const std::string file = WriteConfiguration(dir);

    auto diff = [&](int host) {
        return RunCli({"diff", file, "--net", fleet.Target(host), "--json"}, Env(dir));
    };
    for (int host : {kFirstHost, kSilentHost, kDroppingHost}) {
        CliResult before = diff(host);
        SCOPED_TRACE("diff before, host " + std::to_string(host));
        if (Fleet::Faulty(host)) {
            EXPECT_EQ(before.status, 3) << before.out << before.err;
            EXPECT_NE(before.err.find("code : 32"), std::string::npos) << before.err;
            continue;
        }
        ASSERT_EQ(before.status, 1) << before.out << before.err;
        nlohmann::json report = nlohmann::json::parse(before.out);
        EXPECT_FALSE(report["agree"].get<bool>());
        ASSERT_EQ(report["differ"].size(), 2u) << before.out;
        EXPECT_EQ(report["differ"][0]["key"], "PRINT SPEED");
        EXPECT_EQ(report["differ"][0]["file"], "6 IPS");
        EXPECT_EQ(report["differ"][0]["printer"], "4 IPS");
        EXPECT_EQ(report["differ"][1]["key"], "PRINT DARKNESS");
        EXPECT_EQ(report["differ"][1]["printer"], "10");
    }

    std::vector<std::string> send = {"send", file, "--json", "--model", "0"};
    std::vector<std::string> expectedTargets;
    for (int i = 0; i < kFleetSize; ++i) {
        expectedTargets.push_back(fleet.Target(kFirstHost + i));
    }
    expectedTargets.push_back(fleet.Target(kEmptyHostA));
    expectedTargets.push_back(fleet.Target(kEmptyHostB));
    // Half on the command line, half in a target list with comments and blank lines.
    std::string list = "# the second half of the line\n\n";
    for (size_t i = 0; i < expectedTargets.size(); ++i) {
        if (i % 2 == 0) {
            send.insert(send.end(), {"--net", expectedTargets[i]});
        } else {
            list += "  " + expectedTargets[i] + "   # printer " + std::to_string(i) + "\n";
        }
    }
    WriteFile(dir.Path("targets.txt"), list);
    send.insert(send.end(), {"--targets", dir.Path("targets.txt")});

    std::vector<std::string> wide = send;
    wide.insert(wide.end(), {"--jobs", "16"});
    CliResult sent = RunCli(wide, Env(dir));
    ASSERT_EQ(sent.status, 3) << sent.out << sent.err; // two targets have no printer
    // Standard error is a pipe here: no progress line, no colour.
    EXPECT_EQ(sent.err.find('\x1b'), std::string::npos) << sent.err;
    nlohmann::json report = nlohmann::json::parse(sent.out);
    ASSERT_EQ(report.size(), expectedTargets.size());
    // The command line's targets come first, then the list's, each in its order.
    std::vector<std::string> order;
    for (size_t i = 0; i < expectedTargets.size(); i += 2) {
        order.push_back(expectedTargets[i]);
    }
    for (size_t i = 1; i < expectedTargets.size(); i += 2) {
        order.push_back(expectedTargets[i]);
    }
    for (size_t i = 0; i < order.size(); ++i) {
        const nlohmann::json& row = report[i];
        SCOPED_TRACE(row.dump());
        EXPECT_EQ(row["target"], order[i]);
        const bool empty =
            order[i] == fleet.Target(kEmptyHostA) || order[i] == fleet.Target(kEmptyHostB);
        // A send reads no reply: the silent and the dropping printer take it like the others.
        EXPECT_EQ(row["ok"].get<bool>(), !empty);
        EXPECT_EQ(row["code"].get<int>(), empty ? 30 : 0);
        EXPECT_EQ(row["message"],
                  empty ? "code : 30 Open port error. (connection refused by " + order[i] + ")"
                        : "configuration sent");
        EXPECT_GE(row["seconds"].get<double>(), 0.0);
    }

    // Every printer holds the new settings, the faulty ones too: they were given all of it.
    for (int i = 0; i < kFleetSize; ++i) {
        SCOPED_TRACE("simulator " + std::to_string(i));
        const std::string state = ReadFile(fleet.StatePath(i));
        EXPECT_EQ(StateValue(state, "PRINT SPEED"), "6 IPS") << state;
        EXPECT_EQ(StateValue(state, "PRINT DARKNESS"), "14") << state;
        int configurations = 0;
        for (const std::string& line : LogEvents(fleet.LogPath(i), "RECV")) {
            configurations += line.find("RECV configuration") != std::string::npos ? 1 : 0;
        }
        EXPECT_EQ(configurations, 1); // one whole configuration, once
    }

    for (int host : {kFirstHost, kFirstHost + 15, kSilentHost, kDroppingHost}) {
        CliResult after = diff(host);
        SCOPED_TRACE("diff after, host " + std::to_string(host));
        if (Fleet::Faulty(host)) {
            EXPECT_EQ(after.status, 3) << after.out << after.err;
            continue;
        }
        ASSERT_EQ(after.status, 0) << after.out << after.err;
        nlohmann::json agree = nlohmann::json::parse(after.out);
        EXPECT_TRUE(agree["agree"].get<bool>());
        EXPECT_EQ(agree["compared"], 2);
    }

    // One at a time gives the same report.
    std::vector<std::string> narrow = send;
    narrow.insert(narrow.end(), {"--jobs", "1"});
    CliResult one = RunCli(narrow, Env(dir));
    EXPECT_EQ(one.status, 3) << one.err;
    EXPECT_EQ(WithoutSeconds(nlohmann::json::parse(one.out)), WithoutSeconds(report));

    // --verify receives each printer's settings after the send: only a printer that reports
    // every sent value counts, so the silent and the dropping one fail now.
    std::vector<std::string> verify = wide;
    verify.push_back("--verify");
    CliResult checked = RunCli(verify, Env(dir));
    ASSERT_EQ(checked.status, 3) << checked.err;
    nlohmann::json verified = nlohmann::json::parse(checked.out);
    ASSERT_EQ(verified.size(), order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const nlohmann::json& row = verified[i];
        SCOPED_TRACE(row.dump());
        const bool empty =
            order[i] == fleet.Target(kEmptyHostA) || order[i] == fleet.Target(kEmptyHostB);
        const bool faulty =
            order[i] == fleet.Target(kSilentHost) || order[i] == fleet.Target(kDroppingHost);
        EXPECT_EQ(row["ok"].get<bool>(), !empty && !faulty);
        EXPECT_EQ(row["code"].get<int>(), empty ? 30 : faulty ? 32 : 0);
        if (!empty && !faulty) {
            EXPECT_EQ(row["message"], "configuration sent and verified (2 settings)");
        }
    }
}

TEST(E2eFleet, VerifyReportsASettingThePrinterDoesNotKeep) {
    // Model 5 has no Bluetooth: the simulator ignores the device name, which a plain send
    // cannot see and --verify reports.
    TempDir dir;
    SimProcess sim({"--tcp", Host(kFirstHost) + ":0", "--model", "5"});
    ASSERT_TRUE(sim.Ready());
    const std::string target = Host(kFirstHost) + ":" + std::to_string(sim.TcpPort());
    const std::string file = dir.Path("bt.prn");
    WriteFile(file,
              simtest::LeadIn() + "PRINT SPEED\t:\t6 IPS\r\nBT DEVICE NAME\t:\tVEXA-1\r\nEND\r\n");
    CliResult plain = RunCli({"send", file, "--net", target, "--json", "--model", "5"}, Env(dir));
    ASSERT_EQ(plain.status, 0) << plain.out << plain.err;
    CliResult r =
        RunCli({"send", file, "--net", target, "--verify", "--json", "--model", "5"}, Env(dir));
    ASSERT_EQ(r.status, 3) << r.out << r.err;
    nlohmann::json row = nlohmann::json::parse(r.out).at(0);
    EXPECT_FALSE(row["ok"].get<bool>());
    EXPECT_EQ(row["code"], 1);
    EXPECT_EQ(row["message"], "configuration sent, but the printer reports 0 different and 1 "
                              "missing settings (BT DEVICE NAME not reported)");
}

// As the window's Send Configuration does, send asks a printer for its settings before RFID
// items go out: a printer without RFID gets the rest of the configuration only.
TEST(E2eFleet, SendChecksRfidSupportFirst) {
    for (const auto& [model, rfid] : {std::pair{"0", false}, std::pair{"32", true}}) {
        SCOPED_TRACE(model);
        TempDir dir;
        SimProcess sim(
            {"--tcp", Host(kFirstHost) + ":0", "--model", model, "--log", dir.Path("sim.log")});
        ASSERT_TRUE(sim.Ready());
        const std::string file = dir.Path("rfid.prn");
        WriteFile(file, simtest::LeadIn() +
                            "PRINT SPEED\t:\t6 IPS\r\nRFID SETTINGS\t:\tFIXED\r\nEND\r\n");
        const std::string target = Host(kFirstHost) + ":" + std::to_string(sim.TcpPort());
        CliResult r = RunCli({"send", file, "--net", target, "--model", model}, Env(dir));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.find("does not support RFID") != std::string::npos, !rfid) << r.err;
        ASSERT_EQ(sim.Stop(SIGTERM), 0);
        const std::string applied = Joined(LogEvents(dir.Path("sim.log"), "APPLY"));
        EXPECT_NE(applied.find("PRINT SPEED"), std::string::npos) << applied;
        EXPECT_EQ(applied.find("RFID SETTINGS") != std::string::npos, rfid) << applied;
    }
}

// Every example file takes on the simulator of its model ("modelN-..."): each of its settings
// is one that model's printer has, keeps and reports back.
TEST(E2eFleet, EveryExampleFileVerifiesOnItsModel) {
    const std::filesystem::path examples = std::filesystem::path(QM_SOURCE_DIR) / "examples";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".prn") {
            continue;
        }
        SCOPED_TRACE(name);
        ASSERT_TRUE(name.starts_with("model"));
        const std::string model = std::to_string(std::stoi(name.substr(5)));
        TempDir dir;
        SimProcess sim({"--tcp", Host(kFirstHost) + ":0", "--model", model});
        ASSERT_TRUE(sim.Ready());
        const std::string target = Host(kFirstHost) + ":" + std::to_string(sim.TcpPort());
        CliResult r = RunCli({"send", entry.path().string(), "--net", target, "--model", model,
                              "--verify", "--json"},
                             Env(dir));
        EXPECT_EQ(r.status, 0) << r.out << r.err;
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(E2eFleet, DiscoverFindsTheAnsweringPrintersAndSendsNothingElse) {
    TempDir dir;
    Fleet fleet(dir);
    ASSERT_TRUE(fleet.Ready());
    const std::string range = Host(kRangeFirstHost) + "-" + Host(kRangeLastHost);
    auto discover = [&](const std::string& jobs) {
        return RunCli({"discover", "--range", range, "--port", std::to_string(fleet.Port()),
                       "--jobs", jobs, "--json"},
                      Env(dir));
    };
    CliResult wide = discover("16");
    ASSERT_EQ(wide.status, 0) << wide.err;
    nlohmann::json found = nlohmann::json::parse(wide.out);
    nlohmann::json expected = nlohmann::json::array();
    for (int i = 0; i < kFleetSize; ++i) {
        const int host = kFirstHost + i;
        if (!Fleet::Faulty(host)) {
            expected.push_back({{"address", Host(host)},
                                {"port", fleet.Port()},
                                {"model", "Vexa Alder"},
                                {"serial", Serial(i)}});
        }
    }
    EXPECT_EQ(found, expected) << wide.out;
    EXPECT_EQ(discover("1").out, wide.out);

    // Each printer was asked for its machine information and for nothing else.
    for (int i = 0; i < kFleetSize; ++i) {
        SCOPED_TRACE("simulator " + std::to_string(i));
        std::vector<std::string> received = LogEvents(fleet.LogPath(i), "RECV");
        EXPECT_EQ(received.size(), 2u) << Joined(received); // the two scans
        for (const std::string& line : received) {
            EXPECT_NE(line.find("RECV machine-info"), std::string::npos) << line;
        }
        EXPECT_TRUE(LogEvents(fleet.LogPath(i), "APPLY").empty());
    }

    // The text form: one line per printer and the summary.
    CliResult text =
        RunCli({"discover", "--range", range, "--port", std::to_string(fleet.Port())}, Env(dir));
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find(Host(kFirstHost) + ":" + std::to_string(fleet.Port()) +
                            "  model \"Vexa Alder\"  serial \"" + Serial(0) + "\""),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("14 printers answered of 40 addresses"), std::string::npos) << text.out;
}

TEST(E2eFleet, CtrlCLetsTheRunningTargetFinishAndStartsNoOther) {
    // Three printers that never answer, one at a time: the first one's reply wait is long
    // enough for Ctrl+C to arrive while it runs.
    TempDir dir;
    const int port = FreePort();
    ASSERT_NE(port, 0);
    std::vector<std::unique_ptr<SimProcess>> sims;
    for (int i = 0; i < 3; ++i) {
        sims.push_back(std::make_unique<SimProcess>(std::vector<std::string>{
            "--tcp", Host(kFirstHost + i) + ":" + std::to_string(port), "--silent", "--log",
            dir.Path("sim" + std::to_string(i) + ".log")}));
        ASSERT_TRUE(sims.back()->Ready());
    }
    const std::string firstLog = dir.Path("sim0.log");
    CliResult r =
        RunCli({"discover", "--range", Host(kFirstHost) + "-" + Host(kFirstHost + 2), "--port",
                std::to_string(port), "--jobs", "1", "--timeout-ms", "2000"},
               Env(dir), 30000,
               [&] { return ReadFile(firstLog).find("RECV machine-info") != std::string::npos; });
    EXPECT_EQ(r.status, 3) << r.out << r.err;
    EXPECT_NE(r.out.find("0 printers answered of 3 addresses"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("interrupted: 2 addresses not asked"), std::string::npos) << r.out;
    for (auto& sim : sims) {
        EXPECT_EQ(sim->Stop(SIGTERM), 0); // its log is complete
    }
    EXPECT_NE(ReadFile(firstLog).find("CLOSE"), std::string::npos); // the first one finished
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(ReadFile(dir.Path("sim" + std::to_string(i) + ".log")).find("CONNECT"),
                  std::string::npos);
    }
}

TEST(E2eFleet, BadTargetsAndRangesAreRefusedBeforeAnythingIsSent) {
    TempDir dir;
    const std::string file = WriteConfiguration(dir);
    WriteFile(dir.Path("bad.txt"), "# fleet\n127.0.0.1:9100\n127.0.0.2:99999\n");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"send", file, "--targets", dir.Path("bad.txt")}, "bad.txt:3: --net: \"99999\""},
        {{"send", file, "--targets", dir.Path("missing.txt")}, "cannot read"},
        {{"send", file, "--targets", "/dev/zero"}, "larger than 1024 KiB"},
        {{"send", file, "--net", "127.0.0.1", "--net", ":9100"}, "needs a host"},
        {{"send", file, "--net", "::1"}, "is an IPv6 address; only IPv4"},
        {{"send", file, "--net", "127.0.0.1", "--com", "COM1"}, "network printers only"},
        {{"send", file, "--targets", dir.Path("bad.txt"), "--queue", "q"}, "network printers only"},
        {{"send", file, "--com", "COM1", "--lpt", "LPT1"}, "choose one interface"},
        {{"discover", "--range", "10.0.0.9-10.0.0.1"}, "comes after"},
        {{"discover", "--range", "10.0.0.0-10.0.4.0"}, "1025 addresses"},
        {{"discover", "--range", "10.0.0.1-10.0.0.256"}, "not an IPv4 address"},
        {{"discover", "--range", "10.0.0.1"}, "FIRST-LAST"},
        {{"diff", dir.Path("missing.prn"), "--net", "127.0.0.1"}, "cannot read"},
    };
    for (const Case& c : cases) {
        CliResult r = RunCli(c.args, Env(dir));
        SCOPED_TRACE(Joined(c.args));
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    // Options before FILE take one value each: FILE is not read as a second target or list.
    WriteFile(dir.Path("two.txt"), Host(kEmptyHostA) + ":9\n");
    CliResult before = RunCli({"send", "--net", Host(kEmptyHostB) + ":9", "--targets",
                               dir.Path("two.txt"), "--model", "0", file, "--json"},
                              Env(dir));
    EXPECT_EQ(before.status, 3) << before.err;
    ASSERT_FALSE(before.out.empty()) << before.err;
    EXPECT_EQ(nlohmann::json::parse(before.out).size(), 2u) << before.out;
}

} // namespace
} // namespace qm::e2e
