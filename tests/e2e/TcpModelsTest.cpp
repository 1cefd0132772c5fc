// Every printer model over TCP: a full receive brings every value the printer holds, an edited
// settings file sent back changes exactly what was edited, and a file with a value out of range
// is refused before anything reaches the printer.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <string>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// Every setting line of `after` equals the one of `before`, except the keys in `changed`,
// which must hold the new value.
void ExpectOnlyChanged(const std::string& before, const std::string& after,
                       const std::map<std::string, std::string>& changed) {
    std::vector<ReplyLine> old = SettingLines(before);
    std::vector<ReplyLine> now = SettingLines(after);
    ASSERT_EQ(old.size(), now.size()) << "the menu lost or gained settings";
    for (size_t i = 0; i < old.size(); ++i) {
        ASSERT_EQ(old[i].key, now[i].key);
        auto wanted = changed.find(old[i].key);
        if (wanted != changed.end()) {
            EXPECT_EQ(now[i].value, wanted->second) << old[i].key << " was not changed";
        } else {
            EXPECT_EQ(now[i].value, old[i].value) << old[i].key << " changed without an edit";
        }
    }
}

void CheckModel(int model) {
    SCOPED_TRACE("model " + std::to_string(model));
    TempDir dir;
    const std::string log = dir.Path("sim.log");
    const std::string serial = "E2E" + std::to_string(model * 7919);
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", std::to_string(model), "--log", log,
                    "--serial", serial});
    ASSERT_TRUE(sim.Ready());
    const std::string net = "127.0.0.1:" + std::to_string(sim.TcpPort());
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    const std::string m = std::to_string(model);

    const std::string held = RawAllReply(sim.TcpPort());
    ASSERT_GT(held.size(), 1000u);

    // Receive everything, also into a settings file.
    const std::string received = dir.Path("received.prn");
    CliResult r = RunCli(
        {"receive", "--json", "--net", net, "--scope", "all", "--model", m, "-o", received}, env);
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << r.out;
    EXPECT_EQ(doc.value("model", -1), model);
    std::vector<std::string> red = RedItems(doc);
    EXPECT_TRUE(red.empty()) << "red items:\n" << Joined(red);
    std::vector<std::string> missing = MissingValues(held, doc);
    EXPECT_TRUE(missing.empty()) << "values that did not arrive:\n" << Joined(missing);
    EXPECT_FALSE(doc.value("status", "").empty());
    ASSERT_TRUE(doc.contains("counters"));
    EXPECT_EQ(doc["counters"].value("serialNumber", ""), serial);
    EXPECT_EQ(doc["counters"].value("cutCounter", ""), "89");

    // inspect reads the same reply bytes and the written file into the same record.
    const std::string replyFile = dir.Path("reply.bin");
    ASSERT_TRUE(WriteFile(replyFile, held));
    CliResult fromReply =
        RunCli({"inspect", "--json", replyFile, "--reply", "--model", m, "--advanced"});
    ASSERT_EQ(fromReply.status, 0) << fromReply.err;
    nlohmann::json replyDoc = nlohmann::json::parse(fromReply.out, nullptr, false);
    ASSERT_FALSE(replyDoc.is_discarded());
    EXPECT_TRUE(MissingValues(held, replyDoc).empty()) << Joined(MissingValues(held, replyDoc));
    CliResult fromFile = RunCli({"inspect", "--json", received, "--model", m, "--advanced"});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    nlohmann::json fileDoc = nlohmann::json::parse(fromFile.out, nullptr, false);
    ASSERT_FALSE(fileDoc.is_discarded());
    EXPECT_EQ(fileDoc.value("configuration", "?"), doc.value("configuration", "!"))
        << "the settings file written by receive reads back differently";
    EXPECT_TRUE(RedItems(fileDoc).empty()) << Joined(RedItems(fileDoc));

    // Edit the file and send it: exactly the edited values change on the printer.
    std::string text = ReadFile(received);
    ASSERT_FALSE(text.empty());
    std::map<std::string, std::string> changed;
    const std::string darkness = ValueOf(held, "PRINT DARKNESS") == "12" ? "14" : "12";
    ASSERT_TRUE(ReplaceValue(text, "PRINT DARKNESS", darkness)) << text;
    changed["PRINT DARKNESS"] = darkness;
    const bool inches = ValueOf(held, "METRIC/INCH") == "INCH";
    const std::string length = inches ? "5.50\tINCH" : "139.7\tMM";
    ASSERT_TRUE(ReplaceValue(text, "CONTINUOUS MEDIA LENGTH", length));
    changed["CONTINUOUS MEDIA LENGTH"] = length;
    if (ReplaceValue(text, "HOST NAME", "E2EHOST")) {
        changed["HOST NAME"] = "E2EHOST";
    }
    const std::string edited = dir.Path("edited.prn");
    ASSERT_TRUE(WriteFile(edited, text));
    CliResult sent = RunCli({"send", edited, "--net", net, "--model", m, "--advanced"}, env);
    ASSERT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(sent.out.rfind("configuration sent to " + net + " (", 0), 0) << sent.out;

    const std::string after = RawAllReply(sim.TcpPort());
    ExpectOnlyChanged(held, after, changed);
    // raw, receive, the RFID check before a send with RFID items, send, raw
    const bool rfidCheck = text.find("\nRFID SETTINGS\t:\t") != std::string::npos;
    EXPECT_EQ(LogEvents(log, "RECV").size(), 0u + 1 + 3 + (rfidCheck ? 1 : 0) + 1 + 1)
        << ReadFile(log);
    EXPECT_TRUE(LogEvents(log, "REJECT").empty()) << Joined(LogEvents(log, "REJECT"));
    EXPECT_TRUE(LogEvents(log, "IGNORE").empty()) << Joined(LogEvents(log, "IGNORE"));

    CliResult again =
        RunCli({"receive", "--json", "--net", net, "--scope", "all", "--model", m}, env);
    ASSERT_EQ(again.status, 0) << again.err;
    nlohmann::json againDoc = nlohmann::json::parse(again.out, nullptr, false);
    ASSERT_FALSE(againDoc.is_discarded());
    EXPECT_TRUE(RedItems(againDoc).empty()) << Joined(RedItems(againDoc));
    EXPECT_TRUE(MissingValues(after, againDoc).empty()) << Joined(MissingValues(after, againDoc));
    auto items = ItemsByKey(againDoc);
    ASSERT_EQ(items.count("PRINT DARKNESS"), 1u);
    EXPECT_EQ(items.find("PRINT DARKNESS")->second.value("value", ""), darkness);

    // A value out of range is refused whole: exit 4, the key named, nothing sent.
    std::string bad = ReadFile(edited);
    ASSERT_TRUE(ReplaceValue(bad, "PRINT DARKNESS", "99"));
    const std::string badFile = dir.Path("bad.prn");
    ASSERT_TRUE(WriteFile(badFile, bad));
    const size_t connectsBefore = LogEvents(log, "CONNECT").size();
    CliResult refused = RunCli({"send", badFile, "--net", net, "--model", m, "--advanced"}, env);
    EXPECT_EQ(refused.status, 4) << refused.err;
    EXPECT_NE(refused.err.find("PRINT DARKNESS"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("code : 23"), std::string::npos) << refused.err;
    const std::string last = RawAllReply(sim.TcpPort()); // served after anything sent before
    EXPECT_EQ(ValueOf(last, "PRINT DARKNESS"), darkness);
    EXPECT_EQ(LogEvents(log, "CONNECT").size(), connectsBefore + 1) << ReadFile(log);
    EXPECT_EQ(ReadFile(log).find("PRINT DARKNESS\\t:\\t99"), std::string::npos);
}

void CheckModels(int first, int last) {
    for (int model = first; model <= last; ++model) {
        CheckModel(model);
    }
}

TEST(E2eTcpModels, Models00To04) {
    CheckModels(0, 4);
}
TEST(E2eTcpModels, Models05To09) {
    CheckModels(5, 9);
}
TEST(E2eTcpModels, Models10To14) {
    CheckModels(10, 14);
}
TEST(E2eTcpModels, Models15To19) {
    CheckModels(15, 19);
}
TEST(E2eTcpModels, Models20To24) {
    CheckModels(20, 24);
}
TEST(E2eTcpModels, Models25To28) {
    CheckModels(25, 28);
}
TEST(E2eTcpModels, Models29To32) {
    CheckModels(29, 32);
}
TEST(E2eTcpModels, Models33To37) {
    CheckModels(33, 37);
}

} // namespace
} // namespace qm::e2e
