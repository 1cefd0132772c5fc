// The fleet commands against simulated printers on loopback addresses of this test process
// (a block 127.24.B.0/24, one ephemeral port for all): check, backup, apply with its verify,
// canary and failure limit, rollback, history, inventory, and runs killed at random moments.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <memory>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

constexpr int kExitDrift = 1;
constexpr int kExitPrinter = 3;

// The block of this test process: parallel test runs meet only on a pid clash modulo 250
// and, even then, on different ephemeral ports.
std::string Host(int host) {
    return "127.24." + std::to_string(1 + ::getpid() % 250) + "." + std::to_string(host);
}

int FreePort() {
    return FreePortOn(Host(1));
}

// Simulated printers on hosts of the block, started on demand.
class Printers {
public:
    explicit Printers(const TempDir& dir) : dir_(dir), port_(FreePort()) {}

    bool Start(int host, const std::string& serial, const std::vector<std::string>& extra = {},
               int model = 0) {
        std::vector<std::string> args = {
            "--tcp",    Address(host), "--model", std::to_string(model),
            "--serial", serial,        "--state", dir_.Path("state" + std::to_string(host))};
        args.insert(args.end(), extra.begin(), extra.end());
        sims_[host] = std::make_unique<SimProcess>(args);
        return sims_[host]->Ready();
    }
    void Stop(int host) { sims_.erase(host); }
    std::string Address(int host) const { return Host(host) + ":" + std::to_string(port_); }

private:
    const TempDir& dir_;
    int port_;
    std::map<int, std::unique_ptr<SimProcess>> sims_;
};

class E2eFleetCommands : public ::testing::Test {
protected:
    CliResult Fleet(std::vector<std::string> args, int timeoutMs = 30000) {
        args.insert(args.begin(), "fleet");
        args.insert(args.end(), {"--db", Db()});
        return RunCli(args, {"XDG_RUNTIME_DIR=" + dir_.Path("")}, timeoutMs);
    }
    nlohmann::json Json(const CliResult& result) {
        return nlohmann::json::parse(result.out, nullptr, false);
    }
    std::string Db() const { return dir_.Path("fleet.sqlite"); }

    // A fleet file of groups: {name, baseline, model or "", hosts}.
    struct Group {
        std::string name;
        std::string baseline;
        std::string model;
        std::vector<int> hosts;
    };
    std::string WriteFleet(const std::vector<Group>& groups,
                           const std::string& name = "fleet.toml") {
        std::string text = "[fleet]\nname = \"Test\"\njobs = 4\n";
        for (const Group& group : groups) {
            text += "[[group]]\nname = \"" + group.name + "\"\nbaseline = \"" + group.baseline +
                    "\"\n" + (group.model.empty() ? "" : "model = " + group.model + "\n") +
                    "printers = [";
            for (int host : group.hosts) {
                text += "\"" + printers_.Address(host) + "\", ";
            }
            text += "]\n";
        }
        WriteFile(dir_.Path(name), text);
        return dir_.Path(name);
    }

    // The settings of `host` as a settings file (fleet backup --dir), with PRINT DARKNESS set.
    std::string Baseline(int host, const std::string& serial, const std::string& darkness,
                         const std::string& name) {
        const std::string fleet = WriteFleet({{"one", "unused.prn", "", {host}}}, "one.toml");
        WriteFile(dir_.Path("unused.prn"),
                  ReadFile(std::string(QM_SOURCE_DIR) + "/examples/model0-standard.prn"));
        EXPECT_EQ(Fleet({"backup", fleet, "--dir", dir_.Path("bk")}).status, 0);
        std::string text = ReadFile(dir_.Path("bk/" + serial + ".prn"));
        EXPECT_TRUE(ReplaceValue(text, "PRINT DARKNESS", darkness));
        WriteFile(dir_.Path(name), text);
        return name;
    }

    // Sends one darkness to a printer with the single-printer command.
    void Drift(int host, const std::string& darkness) {
        WriteFile(dir_.Path("drift.prn"),
                  simtest::LeadIn() + "PRINT DARKNESS\t:\t" + darkness + "\r\nEND\r\n");
        ASSERT_EQ(RunCli({"send", dir_.Path("drift.prn"), "--net", printers_.Address(host)}).status,
                  0);
    }

    TempDir dir_;
    Printers printers_{dir_};
};

// Results without what differs from run to run (run id, times).
nlohmann::json Outcomes(nlohmann::json report) {
    nlohmann::json rows = nlohmann::json::array();
    for (auto& row : report["results"]) {
        rows.push_back({row["address"], row["serial"], row["result"], row["changes"]});
    }
    return rows;
}

TEST_F(E2eFleetCommands, CheckTellsCompliantDriftedUnreachableAndDuplicates) {
    ASSERT_TRUE(printers_.Start(1, "QMC1"));
    ASSERT_TRUE(printers_.Start(2, "QMC2"));
    ASSERT_TRUE(printers_.Start(4, "QMC1")); // the same serial number as host 1
    ASSERT_TRUE(printers_.Start(5, "QMC5"));
    const std::string baseline = Baseline(1, "QMC1", "10", "dock.prn");
    Drift(2, "14");
    Drift(5, "3");
    const std::string fleet = WriteFleet(
        {{"dock", baseline, "", {1, 2, 3, 4}}, {"line", baseline, "\"Vexa Alder\"", {5}}});

    const CliResult check = Fleet({"check", fleet});
    EXPECT_EQ(check.status, kExitPrinter) << check.out << check.err;
    const std::string a = printers_.Address(1);
    EXPECT_NE(check.out.find(a + "  dock  Vexa Alder  QMC1  compliant"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find(printers_.Address(2) +
                             "  dock  Vexa Alder  QMC2  drifted: 1 setting not as the baseline\n"
                             "    PRINT DARKNESS: baseline \"10\", printer \"14\"\n"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find(printers_.Address(3) + "  dock  -  -  unreachable: "),
              std::string::npos);
    EXPECT_NE(
        check.out.find("duplicate serial number QMC1 at " + a + " " + printers_.Address(4) + "\n"),
        std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("check: 5 printers: 2 compliant, 2 drifted, 1 unreachable"),
              std::string::npos)
        << check.out;

    // One group alone: drift without unreachable printers is status 1.
    const CliResult line = Fleet({"check", fleet, "--group", "line", "--json"});
    EXPECT_EQ(line.status, kExitDrift);
    EXPECT_EQ(Json(line)["results"][0]["changes"][0]["before"], "3");

    // As many exchanges at once as printers, or one at a time: the same results.
    const CliResult one = Fleet({"check", fleet, "--jobs", "1", "--json"});
    const CliResult many = Fleet({"check", fleet, "--jobs", "32", "--json"});
    EXPECT_EQ(Outcomes(Json(one)), Outcomes(Json(many)));
    EXPECT_EQ(Json(one)["duplicates"], Json(many)["duplicates"]);
    EXPECT_EQ(Json(one)["results"].size(), 5u);
}

TEST_F(E2eFleetCommands, ApplyVerifiesAndRollbackPutsBackTheExactSettings) {
    ASSERT_TRUE(printers_.Start(1, "QMA1"));
    ASSERT_TRUE(printers_.Start(2, "QMA2"));
    ASSERT_TRUE(printers_.Start(3, "QMA3"));
    ASSERT_TRUE(printers_.Start(6, "QMG6", {}, 24));
    Drift(2, "7"); // the printers differ before the change; each must get its own back
    const std::string dark = Baseline(1, "QMA1", "22", "dark.prn");
    // A Vexa Gorse baseline holds settings a Vexa Alder does not have: sent to host 3 (the group
    // says the printers are Gorse), the printer ignores them and the verify must see it.
    Baseline(6, "QMG6", "10", "gorse.prn");
    const std::string fleet =
        WriteFleet({{"dock", dark, "", {1, 2}}, {"gorse", "gorse.prn", "24", {3}}});
    const std::string before1 = ReadFile(dir_.Path("bk/QMA1.prn"));
    ASSERT_EQ(Fleet({"backup", fleet, "--group", "dock", "--dir", dir_.Path("before")}).status, 0);

    const CliResult dry = Fleet({"apply", fleet, "--group", "dock", "--dry-run", "--json"});
    EXPECT_EQ(dry.status, 0) << dry.out << dry.err;
    EXPECT_EQ(Json(dry)["summary"]["would apply"], 2);

    const CliResult apply = Fleet({"apply", fleet, "--json"});
    EXPECT_EQ(apply.status, kExitPrinter) << apply.out << apply.err;
    const nlohmann::json report = Json(apply);
    const nlohmann::json expected = nlohmann::json::parse(R"([
        ["applied", [{"key": "PRINT DARKNESS", "before": "10", "after": "22"}]],
        ["applied", [{"key": "PRINT DARKNESS", "before": "7", "after": "22"}]],
        ["failed", null]])");
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(report["results"][i]["result"], expected[i][0]) << apply.out;
        if (!expected[i][1].is_null()) {
            EXPECT_EQ(report["results"][i]["changes"], expected[i][1]);
        }
    }
    const std::string failed = report["results"][2]["detail"];
    EXPECT_EQ(failed.rfind("sent, but the printer does not report", 0), 0u) << failed;
    EXPECT_EQ(Fleet({"check", fleet, "--group", "dock"}).status, 0);

    const int run = report["run"];
    const CliResult rollback = Fleet({"rollback", std::to_string(run), "--json"});
    const nlohmann::json undo = Json(rollback);
    ASSERT_EQ(undo["results"].size(), 3u) << rollback.out;
    EXPECT_EQ(undo["results"][0]["result"], "applied");
    EXPECT_EQ(undo["results"][1]["changes"][0]["after"], "7");
    // Host 3 ignored the change, so it still holds its snapshot's settings.
    EXPECT_EQ(undo["results"][2]["result"], "unchanged") << rollback.out;
    EXPECT_EQ(rollback.status, 0) << rollback.out;

    // The printers hold byte for byte what they held before the apply.
    ASSERT_EQ(Fleet({"backup", fleet, "--group", "dock", "--dir", dir_.Path("after")}).status, 0);
    EXPECT_EQ(ReadFile(dir_.Path("after/QMA1.prn")), before1);
    EXPECT_EQ(ReadFile(dir_.Path("after/QMA2.prn")), ReadFile(dir_.Path("before/QMA2.prn")));
    const std::string restored = WriteFleet({{"dock", "before/QMA2.prn", "", {2}}}, "r.toml");
    EXPECT_EQ(Fleet({"check", restored}).status, 0);

    const nlohmann::json history = Json(Fleet({"history", "--json"}));
    const auto undoRun = std::find_if(history.begin(), history.end(), [&](const auto& entry) {
        return entry["run"] == undo["run"];
    });
    ASSERT_NE(undoRun, history.end());
    EXPECT_EQ((*undoRun)["command"], "rollback");
    EXPECT_EQ((*undoRun)["undoes"], run);
    const CliResult detail = Fleet({"history", std::to_string(run)});
    EXPECT_NE(detail.out.find("    PRINT DARKNESS: \"7\" -> \"22\"\n"), std::string::npos)
        << detail.out;
}

// apply asks a printer for RFID support before RFID items go out, as a send does: a printer
// without RFID gets and is verified on the rest; one with RFID gets them all.
TEST_F(E2eFleetCommands, ApplyChecksRfidSupportFirst) {
    ASSERT_TRUE(printers_.Start(1, "QMR1", {"--log", dir_.Path("sim1.log")}, 0));
    ASSERT_TRUE(printers_.Start(2, "QMR2", {}, 32));
    WriteFile(dir_.Path("rfid.prn"),
              simtest::LeadIn() + "PRINT SPEED\t:\t6 IPS\r\nRFID SETTINGS\t:\tFIXED\r\nEND\r\n");
    const std::string fleet =
        WriteFleet({{"plain", "rfid.prn", "0", {1}}, {"rfid", "rfid.prn", "32", {2}}});
    const CliResult apply = Fleet({"apply", fleet, "--json"});
    EXPECT_EQ(apply.status, 0) << apply.out << apply.err;
    const nlohmann::json report = Json(apply);
    ASSERT_EQ(report["results"].size(), 2u) << apply.out;
    EXPECT_EQ(report["results"][0]["result"], "applied") << apply.out;
    EXPECT_NE(report["results"][0]["detail"].get<std::string>().find("RFID settings left out"),
              std::string::npos)
        << apply.out;
    EXPECT_EQ(report["results"][1]["result"], "applied") << apply.out;
    EXPECT_EQ(report["results"][1]["detail"].get<std::string>().find("RFID"), std::string::npos)
        << apply.out;
    printers_.Stop(1);
    const std::string applied = Joined(LogEvents(dir_.Path("sim1.log"), "APPLY"));
    EXPECT_NE(applied.find("PRINT SPEED"), std::string::npos) << applied;
    EXPECT_EQ(applied.find("RFID"), std::string::npos) << applied;
}

TEST_F(E2eFleetCommands, CanaryAndFailureLimitStopTheRollout) {
    for (int host = 1; host <= 6; ++host) {
        std::vector<std::string> faults;
        if (host == 2) {
            faults = {"--drop-after", "200"}; // drops in the middle of its settings reply
        } else if (host == 4) {
            faults = {"--silent"};
        }
        ASSERT_TRUE(printers_.Start(host, "QMF" + std::to_string(host), faults));
    }
    const std::string dark = Baseline(1, "QMF1", "22", "dark.prn");
    const std::string fleet = WriteFleet({{"all", dark, "", {1, 2, 3, 4, 5, 6}}});

    const CliResult canary = Fleet({"apply", fleet, "--canary", "2", "--jobs", "1", "--json"});
    EXPECT_EQ(canary.status, kExitPrinter);
    const nlohmann::json first = Json(canary);
    EXPECT_EQ(first["results"][0]["result"], "applied") << canary.out;
    EXPECT_EQ(first["results"][1]["result"], "unreachable");
    for (size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(first["results"][i]["result"], "not started");
        EXPECT_EQ(first["results"][i]["detail"], "not started: the canary printers did not all "
                                                 "succeed");
    }

    // With one failure allowed: host 2 fails, host 3 goes on, host 4 (silent) is the second
    // failure, so neither 5 nor 6 starts.
    const CliResult limited =
        Fleet({"apply", fleet, "--max-failures", "1", "--jobs", "1", "--json"});
    const nlohmann::json second = Json(limited);
    const std::vector<std::string> outcomes = {"unchanged",   "unreachable", "applied",
                                               "unreachable", "not started", "not started"};
    for (size_t i = 0; i < outcomes.size(); ++i) {
        EXPECT_EQ(second["results"][i]["result"], outcomes[i]) << limited.out;
    }
    EXPECT_EQ(second["results"][4]["detail"], "not started: more than 1 printers failed");
}

TEST_F(E2eFleetCommands, InventoryShowsAPrinterThatMoved) {
    ASSERT_TRUE(printers_.Start(1, "QMM1"));
    const std::string baseline = Baseline(1, "QMM1", "10", "dock.prn");
    const std::string fleet = WriteFleet({{"dock", baseline, "", {1, 2}}});
    EXPECT_EQ(Fleet({"check", fleet}).status, kExitPrinter);
    printers_.Stop(1);
    ASSERT_TRUE(printers_.Start(2, "QMM1"));
    EXPECT_EQ(Fleet({"check", fleet}).status, kExitPrinter);

    const nlohmann::json inventory = Json(Fleet({"inventory", "--json"}));
    ASSERT_EQ(inventory.size(), 1u);
    EXPECT_EQ(inventory[0]["serial"], "QMM1");
    EXPECT_EQ(inventory[0]["address"], printers_.Address(2));
    EXPECT_EQ(inventory[0]["movedFrom"], printers_.Address(1));
    EXPECT_EQ(inventory[0]["lastResult"], "compliant");
    const CliResult text = Fleet({"inventory"});
    EXPECT_NE(text.out.find("  moved from " + printers_.Address(1) + " at "), std::string::npos);
}

// SIGKILL during apply at random moments: after each, the database passes its integrity
// check, the killed run reads as interrupted (or finished, when the kill came after its end),
// no printer stays in flight, and every result recorded before is still there.
TEST_F(E2eFleetCommands, ARunKilledAtAnyMomentLeavesASoundJournal) {
    constexpr int kKills = 50;
    constexpr int kHosts = 4;
    for (int host = 1; host <= kHosts; ++host) {
        ASSERT_TRUE(printers_.Start(host, "QMK" + std::to_string(host)));
    }
    const std::string dark = Baseline(1, "QMK1", "22", "dark.prn");
    const std::string light = Baseline(1, "QMK1", "10", "light.prn");
    const std::string darkFleet = WriteFleet({{"k", dark, "", {1, 2, 3, 4}}}, "dark.toml");
    const std::string lightFleet = WriteFleet({{"k", light, "", {1, 2, 3, 4}}}, "light.toml");
    const std::string cli = QM_CLI;

    // How long one run takes, so the kills fall over its whole length.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Fleet({"apply", darkFleet, "--jobs", "4"}).status, 0);
    const long runMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();

    std::mt19937 random(static_cast<unsigned>(::getpid()));
    std::map<int, nlohmann::json> kept; // run id -> its results as last seen
    for (int kill = 0; kill < kKills; ++kill) {
        const std::string fleet = kill % 2 == 0 ? lightFleet : darkFleet;
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::execl(cli.c_str(), cli.c_str(), "fleet", "apply", fleet.c_str(), "--jobs", "4",
                    "--db", Db().c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % (runMs + 1)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(Db().c_str(), &db), SQLITE_OK);
        std::string integrity;
        sqlite3_exec(
            db, "PRAGMA integrity_check",
            [](void* out, int, char** values, char**) {
                *static_cast<std::string*>(out) = values[0] != nullptr ? values[0] : "";
                return 0;
            },
            &integrity, nullptr);
        sqlite3_close(db);
        ASSERT_EQ(integrity, "ok") << "after kill " << kill;

        const nlohmann::json runs = Json(Fleet({"history", "--json"}));
        ASSERT_TRUE(runs.is_array());
        for (const nlohmann::json& run : runs) {
            ASSERT_NE(run["status"], "running") << run.dump();
            ASSERT_FALSE(run["counts"].contains("in flight")) << run.dump();
            const int id = run["run"];
            auto seen = kept.find(id);
            if (seen != kept.end()) {
                // Nothing recorded before is lost (in-flight printers may have become unknown).
                for (const auto& [outcome, count] : seen->second.items()) {
                    if (outcome != "in flight") {
                        ASSERT_EQ(run["counts"].value(outcome, 0), count) << run.dump();
                    }
                }
            }
            kept[id] = run["counts"];
        }
    }
    EXPECT_GE(kept.size(), 2u);
}

TEST_F(E2eFleetCommands, CtrlCStartsNoFurtherPrinterAndEndsTheRun) {
    for (int host = 1; host <= 4; ++host) {
        ASSERT_TRUE(printers_.Start(host, "QMI" + std::to_string(host),
                                    host == 1 ? std::vector<std::string>{"--silent"}
                                              : std::vector<std::string>{}));
    }
    const std::string baseline = Baseline(2, "QMI2", "22", "dark.prn");
    const std::string fleet = WriteFleet({{"i", baseline, "", {1, 2, 3, 4}}});
    const auto start = std::chrono::steady_clock::now();
    const CliResult run = RunCli(
        {"fleet", "apply", fleet, "--jobs", "1", "--max-failures", "9", "--json", "--db", Db()}, {},
        30000, [&] { return std::chrono::steady_clock::now() - start > std::chrono::seconds(1); });
    EXPECT_EQ(run.status, kExitPrinter) << run.err;
    const nlohmann::json report = Json(run);
    EXPECT_EQ(report["interrupted"], true) << run.out;
    EXPECT_EQ(report["results"][0]["result"], "unreachable"); // finished after the Ctrl+C
    EXPECT_EQ(report["results"][3]["detail"], "not started: interrupted");
    const nlohmann::json history = Json(Fleet({"history", "--json"}));
    EXPECT_EQ(history.back()["status"], "interrupted");
    EXPECT_FALSE(history.back()["ended"].is_null());
}

} // namespace
} // namespace qm::e2e
