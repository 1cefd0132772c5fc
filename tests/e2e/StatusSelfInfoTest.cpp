// quillmark-cli status and selfinfo: a printer's status and counters, the Self Information
// report, and saved status replies decoded for support.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

std::string Net(const SimProcess& sim) {
    return "127.0.0.1:" + std::to_string(sim.TcpPort());
}

// The requests the simulator logged, in order ("status-flags", "counters", ...).
std::vector<std::string> Requests(const std::string& log) {
    std::vector<std::string> kinds;
    for (const std::string& line : LogEvents(log, "RECV")) {
        const size_t at = line.find(" RECV ");
        kinds.push_back(line.substr(at + 6, line.find(' ', at + 6) - at - 6));
    }
    return kinds;
}

nlohmann::json Parsed(const CliResult& r) {
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    EXPECT_FALSE(doc.is_discarded()) << r.out << r.err;
    return doc;
}

TEST(E2eStatus, DecodesSavedReplies) {
    TempDir dir;
    struct Case {
        std::string reply;
        int form;
        std::string language;
        nlohmann::json expected;
    };
    const Case cases[] = {
        {"NNNYNNNNN",
         0,
         "en",
         {{"form", 0},
          {"paperError", "No"},
          {"ribbonError", "No"},
          {"printing", "Yes"},
          {"pause", "No"},
          {"waitingForPeeling", "No"},
          {"errorCode", ""},
          {"message", ""}}},
        {"\x02"
         "030,1,0,10400,000,0,0,0,000,0,0,0\x03\r\n\x02"
         "000,0,0,1,0,0,0,1,00000000,1,000\x03\r\n",
         1,
         "en",
         {{"form", 1},
          {"paperError", "Yes"},
          {"ribbonError", "Yes"},
          {"printing", "No"},
          {"pause", "No"},
          {"waitingForPeeling", "Yes"},
          {"errorCode", ""},
          {"message", ""}}},
        {"11\r\n",
         2,
         "ja",
         {{"form", 2},
          {"paperError", ""},
          {"ribbonError", ""},
          {"printing", ""},
          {"pause", ""},
          {"waitingForPeeling", ""},
          {"errorCode", "11"},
          {"message", "ヘッドアップ"}}},
        {"\xff\xfe",
         2,
         "ko",
         {{"form", 2},
          {"paperError", ""},
          {"ribbonError", ""},
          {"printing", ""},
          {"pause", ""},
          {"waitingForPeeling", ""},
          {"errorCode", "\xef\xbf\xbd\xef\xbf\xbd"},
          {"message", "Other error"}}},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Path("reply.bin");
        ASSERT_TRUE(WriteFile(path, c.reply));
        CliResult r = RunCli({"status", "--json", "--decode", path, "--form",
                              std::to_string(c.form), "--language", c.language});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Parsed(r), c.expected) << c.reply;
    }
}

TEST(E2eStatus, RefusesWhatItCannotDecode) {
    TempDir dir;
    const std::string path = dir.Path("reply.bin");
    ASSERT_TRUE(WriteFile(path, std::string(4097, 'N')));
    CliResult big = RunCli({"status", "--json", "--decode", path, "--form", "0"});
    EXPECT_EQ(big.status, 2);
    EXPECT_NE(big.err.find("4096-byte receive buffer"), std::string::npos) << big.err;
    EXPECT_TRUE(big.out.empty());

    ASSERT_TRUE(WriteFile(path, "00\r\n"));
    EXPECT_EQ(RunCli({"status", "--json", "--decode", path}).status, 2); // no form
    EXPECT_EQ(RunCli({"status", "--json", "--decode", path, "--form", "3"}).status,
              2); // no such form
    EXPECT_EQ(RunCli({"status", "--json", "--decode", dir.Path("missing"), "--form", "2"}).status,
              2);
    EXPECT_EQ(
        RunCli({"status", "--json", "--decode", path, "--form", "2", "--language", "fr"}).status,
        2);
    EXPECT_EQ(RunCli({"status", "--json", "--net", "127.0.0.1:1", "--decode", path, "--form", "2"})
                  .status,
              2); // one source only
}

TEST(E2eStatus, EveryCommandLanguageWithItsFlags) {
    struct Case {
        int model; // native, Zebra and Eltron variants of one family
        const char* request;
        std::vector<std::string> flags; // the simulator's options
        nlohmann::json expected;        // the fields that differ by form
    };
    const Case cases[] = {
        {2, "status-flags", {}, {{"form", 0}, {"paperError", "No"}, {"printing", "No"}}},
        {2,
         "status-flags",
         {"--paper-out", "--busy", "--label-waiting"},
         {{"form", 0},
          {"paperError", "Yes"},
          {"ribbonError", "No"},
          {"printing", "Yes"},
          {"pause", "No"},
          {"waitingForPeeling", "Yes"},
          {"errorCode", ""},
          {"message", ""}}},
        {3,
         "host-status",
         {"--head-up", "--ribbon-out", "--paused"},
         {{"form", 1},
          {"paperError", "Yes"},
          {"ribbonError", "Yes"},
          {"printing", "No"},
          {"pause", "Yes"},
          {"waitingForPeeling", "No"},
          {"errorCode", ""},
          {"message", ""}}},
        {4, "error-code", {}, {{"form", 2}, {"errorCode", "00"}, {"message", "No error"}}},
        {4,
         "error-code",
         {"--paper-out"},
         {{"form", 2},
          {"paperError", ""},
          {"printing", ""},
          {"errorCode", "07"},
          {"message", "Paper end / Ribbon end"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + " " + ::testing::PrintToString(c.flags));
        TempDir dir;
        std::vector<std::string> args = {
            "--tcp",    "127.0.0.1:0", "--model", std::to_string(c.model),
            "--serial", "GX4-123456",  "--log",   dir.Path("sim.log")};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        SimProcess sim(args);
        ASSERT_TRUE(sim.Ready());
        CliResult r =
            RunCli({"status", "--json", "--net", Net(sim), "--model", std::to_string(c.model)},
                   {"XDG_RUNTIME_DIR=" + dir.Path("")});
        ASSERT_EQ(r.status, 0) << r.err;
        nlohmann::json doc = Parsed(r);
        for (const auto& [key, value] : c.expected.items()) {
            EXPECT_EQ(doc.value(key, nlohmann::json()), value) << key;
        }
        EXPECT_EQ(doc.value("serialNumber", ""), "GX4-123456");
        EXPECT_EQ(doc.value("printCounter", ""), "1234.5 m");
        EXPECT_EQ(doc.value("serviceCounter", ""), "567.8 m");
        EXPECT_EQ(doc.value("cutCounter", ""), "89");
        EXPECT_EQ(Requests(dir.Path("sim.log")), (std::vector<std::string>{c.request, "counters"}));
    }
}

TEST(E2eStatus, ExchangeFailuresEndWithTheProgramsMessage) {
    TempDir dir;
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    {
        SimProcess sim({"--tcp", "127.0.0.1:0", "--silent"});
        ASSERT_TRUE(sim.Ready());
        CliResult r = RunCli({"status", "--json", "--net", Net(sim)}, env);
        EXPECT_EQ(r.status, 3);
        EXPECT_NE(r.err.find("code : 32"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    int freePort = 0;
    {
        SimProcess gone({"--tcp", "127.0.0.1:0"});
        ASSERT_TRUE(gone.Ready());
        freePort = gone.TcpPort();
    }
    CliResult r =
        RunCli({"status", "--json", "--net", "127.0.0.1:" + std::to_string(freePort)}, env);
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("code : 30"), std::string::npos) << r.err;
}

TEST(E2eStatus, OverAComPort) {
    TempDir dir;
    const std::string devRoot = dir.Path("dev");
    std::filesystem::create_directories(devRoot);
    SimProcess sim(
        {"--pty", "--link", devRoot + "/ttyS0", "--model", "2", "--paper-out", "--trailing-t"});
    ASSERT_TRUE(sim.Ready());
    CliResult r = RunCli({"status", "--json", "--com", "COM1", "--model", "2"},
                         {"QUILLMARK_DEV_ROOT=" + devRoot, "XDG_RUNTIME_DIR=" + dir.Path("")});
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json doc = Parsed(r);
    EXPECT_EQ(doc.value("form", -1), 0);
    EXPECT_EQ(doc.value("paperError", ""), "Yes");
    EXPECT_EQ(doc.value("ribbonError", ""), "No");
    EXPECT_EQ(doc.value("cutCounter", ""), "89");
}

TEST(E2eSelfInfo, TextsAndTheSavedReport) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24", "--serial", "GX4-123456", "--log",
                    dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};

    CliResult shown = RunCli({"selfinfo", "--json", "--net", Net(sim), "--model", "24"}, env);
    ASSERT_EQ(shown.status, 0) << shown.err;
    nlohmann::json doc = Parsed(shown);
    const std::string machine = doc.value("machineText", "");
    const std::string menu = doc.value("menuText", "");
    EXPECT_EQ(machine.rfind("Model Number\t:\tVexa Gorse\r\nSerial Number\t:\tGX4-123456\r\n\r\n"
                            "Boot Version",
                            0),
              0u)
        << machine;
    EXPECT_NE(machine.find("\r\nPRINT SPEED\t:\t"), std::string::npos) << machine;
    EXPECT_EQ(machine.substr(machine.size() - 17), "Head Check\t:\tOK\r\n");
    EXPECT_NE(menu.find("GLOBAL CONFIG\t:\t"), std::string::npos) << menu;
    EXPECT_EQ(menu.find("END\r\n"), std::string::npos);
    EXPECT_FALSE(doc.contains("file"));
    EXPECT_EQ(Requests(dir.Path("sim.log")),
              (std::vector<std::string>{"machine-info", "menu-standard"}));

    const std::string saveDir = dir.Path("reports");
    std::filesystem::create_directory(saveDir);
    CliResult saved = RunCli(
        {"selfinfo", "--json", "--net", Net(sim), "--model", "24", "--save-dir", saveDir}, env);
    ASSERT_EQ(saved.status, 0) << saved.err;
    nlohmann::json savedDoc = Parsed(saved);
    const std::string file = savedDoc.value("file", "");
    EXPECT_TRUE(std::regex_match(file, std::regex(saveDir + "/([0-9]{8})/Vexa Gorse_GX4-123456_"
                                                            "\\1_[0-9]{6}_\\.csv")))
        << file;
    const std::string content = ReadFile(file);
    EXPECT_NE(content.find("Model Number,Vexa Gorse\r\n"), std::string::npos) << content;
    EXPECT_NE(content.find("Print Counter,1234.5 m\r\n"), std::string::npos) << content;
    EXPECT_EQ(content.find("\t:\t"), std::string::npos);
    EXPECT_EQ(savedDoc.value("machineText", ""), machine);
}

TEST(E2eSelfInfo, ASerialThatIsNoFileNameAndAMissingFolder) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "3", "--serial", "../../X/Y"});
    ASSERT_TRUE(sim.Ready());
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    const std::string saveDir = dir.Path("reports");
    std::filesystem::create_directory(saveDir);
    CliResult saved = RunCli(
        {"selfinfo", "--json", "--net", Net(sim), "--model", "3", "--save-dir", saveDir}, env);
    ASSERT_EQ(saved.status, 0) << saved.err;
    const std::string file = Parsed(saved).value("file", "");
    // The name stays in its date folder: every "/" of the serial became "_".
    EXPECT_EQ(std::filesystem::path(file).parent_path().parent_path(), saveDir) << file;
    EXPECT_NE(file.find("_.._.._X_Y_"), std::string::npos) << file;
    EXPECT_TRUE(std::filesystem::exists(file));

    CliResult missing = RunCli(
        {"selfinfo", "--json", "--net", Net(sim), "--model", "3", "--save-dir", dir.Path("absent")},
        env);
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("Error: Could not create a folder."), std::string::npos)
        << missing.err;
    // The received texts are still printed: a failed save loses nothing.
    EXPECT_FALSE(Parsed(missing).value("machineText", "").empty()) << missing.out;
    EXPECT_FALSE(Parsed(missing).contains("file"));
}

} // namespace
} // namespace qm::e2e
