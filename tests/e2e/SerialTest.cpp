// quillmark-cli on a COM port: the simulator's pseudo-terminal linked as ttyS0 in a fake device
// tree (QUILLMARK_DEV_ROOT), with the serial quirk of a "T" after every terminated reply.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// A fake device tree with the simulator's pty as ttyS0 (COM1); the simulator also serves TCP
// so the test can read what it holds without going through the program.
struct ComPrinter {
    explicit ComPrinter(const std::vector<std::string>& extra, int model = 12)
        : devRoot(dir.Path("dev")), log(dir.Path("sim.log")) {
        std::filesystem::create_directories(devRoot);
        std::vector<std::string> args = {
            "--tcp",   "127.0.0.1:0",         "--pty", "--link", devRoot + "/ttyS0",
            "--model", std::to_string(model), "--log", log};
        args.insert(args.end(), extra.begin(), extra.end());
        sim = std::make_unique<SimProcess>(args);
        env = {"QUILLMARK_DEV_ROOT=" + devRoot, "XDG_RUNTIME_DIR=" + dir.Path("")};
    }
    TempDir dir;
    std::string devRoot;
    std::string log;
    std::unique_ptr<SimProcess> sim;
    std::vector<std::string> env;
};

TEST(E2eSerial, ReceiveEditSendReceiveOverComWithTrailingT) {
    ComPrinter printer({"--trailing-t"});
    ASSERT_TRUE(printer.sim->Ready());
    ASSERT_TRUE(std::filesystem::is_symlink(printer.devRoot + "/ttyS0"));
    const std::string held = RawAllReply(printer.sim->TcpPort());

    const std::string received = printer.dir.Path("received.prn");
    CliResult r = RunCli(
        {"receive", "--json", "--com", "COM1", "--scope", "all", "--model", "12", "-o", received},
        printer.env);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_LT(r.elapsedMs, 15000);
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded()) << r.out;
    EXPECT_TRUE(RedItems(doc).empty()) << Joined(RedItems(doc));
    EXPECT_TRUE(MissingValues(held, doc).empty()) << Joined(MissingValues(held, doc));
    // The status flags: eight Y/N and CR, nothing of the "T" left over from the menu reply.
    EXPECT_EQ(doc.value("status", ""), "NNNNNNNN\r");
    ASSERT_TRUE(doc.contains("counters"));
    EXPECT_EQ(doc["counters"].value("cutCounter", ""), "89");

    std::string text = ReadFile(received);
    ASSERT_TRUE(ReplaceValue(text, "PRINT DARKNESS", "17"));
    ASSERT_TRUE(ReplaceValue(text, "DARKNESS ADJUST", "-3"));
    const std::string edited = printer.dir.Path("edited.prn");
    ASSERT_TRUE(WriteFile(edited, text));
    CliResult sent =
        RunCli({"send", edited, "--com", "COM1:", "--model", "12", "--advanced"}, printer.env);
    ASSERT_EQ(sent.status, 0) << sent.err;

    CliResult again =
        RunCli({"receive", "--json", "--com", "COM1", "--scope", "standard", "--model", "12"},
               printer.env);
    ASSERT_EQ(again.status, 0) << again.err;
    nlohmann::json againDoc = nlohmann::json::parse(again.out, nullptr, false);
    ASSERT_FALSE(againDoc.is_discarded());
    auto items = ItemsByKey(againDoc);
    ASSERT_EQ(items.count("PRINT DARKNESS"), 1u);
    EXPECT_EQ(items.find("PRINT DARKNESS")->second.value("value", ""), "17");
    ASSERT_EQ(items.count("DARKNESS ADJUST"), 1u);
    EXPECT_EQ(items.find("DARKNESS ADJUST")->second.value("value", ""), "-3");

    const std::string after = RawAllReply(printer.sim->TcpPort());
    EXPECT_EQ(ValueOf(after, "PRINT DARKNESS"), "17");
    EXPECT_EQ(ValueOf(after, "DARKNESS ADJUST"), "-3");
    EXPECT_TRUE(LogEvents(printer.log, "REJECT").empty())
        << Joined(LogEvents(printer.log, "REJECT"));
    EXPECT_TRUE(LogEvents(printer.log, "INCOMPLETE").empty()) << ReadFile(printer.log);
}

TEST(E2eSerial, LineSettingsMustMatchThePrinters) {
    // With --strict-line the printer hears garble while the port's line differs from its own
    // RS-232C settings (9600 8 N 1).
    ComPrinter printer({"--strict-line", "--trailing-t"}, 5);
    ASSERT_TRUE(printer.sim->Ready());

    CliResult wrong = RunCli({"receive", "--json", "--com", "COM1", "--serial", "19200 8 1 N N",
                              "--scope", "standard", "--model", "5"},
                             printer.env);
    EXPECT_EQ(wrong.status, 3) << wrong.err;
    EXPECT_NE(wrong.err.find("code : 32"), std::string::npos) << wrong.err;
    EXPECT_LT(wrong.elapsedMs, 15000);
    EXPECT_FALSE(LogEvents(printer.log, "GARBLED").empty()) << ReadFile(printer.log);

    CliResult right = RunCli({"receive", "--json", "--com", "COM1", "--serial", "9600 8 1 N N",
                              "--scope", "standard", "--model", "5"},
                             printer.env);
    ASSERT_EQ(right.status, 0) << right.err;
    nlohmann::json doc = nlohmann::json::parse(right.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    EXPECT_TRUE(RedItems(doc).empty()) << Joined(RedItems(doc));
    auto items = ItemsByKey(doc);
    ASSERT_EQ(items.count("RS-232C BAUD"), 1u);
    EXPECT_EQ(items.find("RS-232C BAUD")->second.value("value", ""), "9600");
}

TEST(E2eSerial, SilentTrickleAndMissingPort) {
    {
        // A printer that never answers: the acquisition message within the time-outs.
        ComPrinter printer({"--silent"});
        ASSERT_TRUE(printer.sim->Ready());
        CliResult r =
            RunCli({"receive", "--json", "--com", "COM1", "--scope", "easy", "--model", "12"},
                   printer.env);
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find("code : 32"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Acquisition data has an error."), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_LT(r.elapsedMs, 15000);
    }
    {
        // A reply in small pieces with pauses still arrives whole, "T" and all.
        ComPrinter printer({"--trickle", "200:15", "--trailing-t"}, 24);
        ASSERT_TRUE(printer.sim->Ready());
        const std::string held = RawAllReply(printer.sim->TcpPort());
        CliResult r = RunCli(
            {"receive", "--json", "--com", "COM1", "--scope", "all", "--model", "24"}, printer.env);
        ASSERT_EQ(r.status, 0) << r.err;
        nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
        ASSERT_FALSE(doc.is_discarded());
        EXPECT_TRUE(RedItems(doc).empty()) << Joined(RedItems(doc));
        EXPECT_TRUE(MissingValues(held, doc).empty()) << Joined(MissingValues(held, doc));
        EXPECT_EQ(doc.value("status", ""), "NNNNNNNN\r");
    }
    {
        // COM2 (ttyS1) is not in the tree: the open-port message, at once.
        TempDir dir;
        std::filesystem::create_directories(dir.Path("dev"));
        CliResult r =
            RunCli({"receive", "--json", "--com", "COM2", "--scope", "easy"},
                   {"QUILLMARK_DEV_ROOT=" + dir.Path("dev"), "XDG_RUNTIME_DIR=" + dir.Path("")});
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find("code : 30"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Open port error."), std::string::npos) << r.err;
    }
}

TEST(E2eSerial, OversizeAndStrayBytesAreFailedReads) {
    for (const char* fault : {"--oversize", "--stray-bytes"}) {
        SCOPED_TRACE(fault);
        std::vector<std::string> extra = {fault, "--trailing-t"};
        if (std::string(fault) == "--stray-bytes") {
            extra.insert(extra.begin() + 1, "2");
        }
        ComPrinter printer(extra, 0);
        ASSERT_TRUE(printer.sim->Ready());
        CliResult r =
            RunCli({"receive", "--json", "--com", "COM1", "--scope", "standard"}, printer.env);
        EXPECT_EQ(r.status, 3) << r.err;
        EXPECT_NE(r.err.find("code : 32"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_LT(r.elapsedMs, 15000);
    }
}

// On a COM port a menu reply that never brings its "END" (cut off, or sent without it) ends with
// the read time-out; it is an incomplete reply and gives the acquisition error, as over TCP.
TEST(E2eSerial, ReplyWithoutEndIsAFailedRead) {
    for (std::vector<std::string> fault :
         {std::vector<std::string>{"--drop-after", "1000"}, std::vector<std::string>{"--no-end"}}) {
        SCOPED_TRACE(fault.front());
        ComPrinter printer(fault, 0);
        ASSERT_TRUE(printer.sim->Ready());
        CliResult r =
            RunCli({"receive", "--json", "--com", "COM1", "--scope", "standard"}, printer.env);
        EXPECT_EQ(r.status, 3) << r.out.substr(0, 200);
        EXPECT_NE(r.err.find("code : 32"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_LT(r.elapsedMs, 15000);
    }
}

} // namespace
} // namespace qm::e2e
