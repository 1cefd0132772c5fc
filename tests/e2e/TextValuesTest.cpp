// Values the printer holds that are not its factory settings: texts with blanks and
// punctuation, values outside the program's ranges. What the program refuses arrives red and
// is never sent back; what it accepts arrives whole.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

// Configures the simulator directly (no program code) with `lines` and waits until it applied
// them: the next request on a new connection is served after the configuration.
std::string Configure(int port, const std::string& lines) {
    int fd = simtest::ConnectTcp(port);
    EXPECT_GE(fd, 0);
    if (fd >= 0) {
        EXPECT_TRUE(simtest::WriteAll(fd, simtest::LeadIn() + lines + "END\r\n"));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ::close(fd);
    }
    return RawAllReply(port);
}

std::string ItemValue(const nlohmann::json& doc, const std::string& key) {
    auto items = ItemsByKey(doc);
    auto it = items.find(key);
    return it == items.end() ? "<missing>" : it->second.value("value", "");
}

TEST(E2eValues, RefusedValuesArriveRedAndAreNeverSentBack) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24", "--log", dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    const std::string net = "127.0.0.1:" + std::to_string(sim.TcpPort());
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    const std::string held =
        Configure(sim.TcpPort(), "WLAN SSID\t:\tLAB PRINTER 7\r\n"        // blanks
                                 "EAP ANONYMOUS NAME\t:\tA;B (guest)\r\n" // ";" inside
                                 "STANDBY TIMER\t:\t0\r\n"                // below range
                                 "PEEL WAIT DELAY\t:\t9.9\r\n"            // above range
                                 "HOST NAME\t:\tABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n" // 36
                                 "CONTINUOUS MEDIA LENGTH\t:\t99.99\tINCH\r\n" // near the top
                                 "VERTICAL POSITION\t:\t-1.00\tINCH\r\n");
    ASSERT_EQ(ValueOf(held, "WLAN SSID"), "LAB PRINTER 7");

    const std::string file = dir.Path("received.prn");
    CliResult r = RunCli(
        {"receive", "--json", "--net", net, "--scope", "all", "--model", "24", "-o", file}, env);
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    EXPECT_EQ(ItemValue(doc, "WLAN SSID"), "LAB PRINTER 7");
    EXPECT_EQ(ItemValue(doc, "EAP ANONYMOUS NAME"), "A;B (guest)");
    EXPECT_EQ(ItemValue(doc, "CONTINUOUS MEDIA LENGTH"), "99.99");
    EXPECT_EQ(ItemValue(doc, "VERTICAL POSITION"), "-1.00");
    std::vector<std::string> red = RedItems(doc);
    std::vector<std::string> wanted = {"29 STANDBY TIMER=0", "44 PEEL WAIT DELAY=0.0"};
    for (const std::string& item : wanted) {
        EXPECT_NE(std::find(red.begin(), red.end(), item), red.end()) << item << " not red; red:\n"
                                                                      << Joined(red);
    }
    ASSERT_TRUE(std::any_of(red.begin(), red.end(), [](const std::string& i) {
        return i.find("HOST NAME") != i.npos;
    })) << Joined(red);
    const std::string configuration = doc.value("configuration", "");
    EXPECT_EQ(configuration.find("STANDBY TIMER"), std::string::npos);
    EXPECT_EQ(configuration.find("PEEL WAIT DELAY"), std::string::npos);
    EXPECT_EQ(configuration.find("HOST NAME"), std::string::npos);

    // Sending the received file back changes nothing on the printer: the red items are not in
    // it, and what is in it is what the printer holds.
    CliResult sent = RunCli({"send", file, "--net", net, "--model", "24", "--advanced"}, env);
    ASSERT_EQ(sent.status, 0) << sent.err;
    EXPECT_EQ(RawAllReply(sim.TcpPort()), held);
    EXPECT_TRUE(LogEvents(dir.Path("sim.log"), "REJECT").empty());
}

// A text value holding "," or ":" (allowed characters of WLAN SSID, HOST NAME and the EAP names)
// arrives whole and goes back whole: never "CAFE" for the printer's "CAFE,GUEST".
TEST(E2eValues, TextsWithCommaOrColonSurviveReceiveAndSend) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24", "--log", dir.Path("sim.log")});
    ASSERT_TRUE(sim.Ready());
    const std::string net = "127.0.0.1:" + std::to_string(sim.TcpPort());
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    const std::string held = Configure(
        sim.TcpPort(),
        "WLAN SSID\t:\tCAFE,GUEST\r\nHOST NAME\t:\tLAB:2\r\nEAP USER NAME\t:\tDOM:USER\r\n");
    ASSERT_EQ(ValueOf(held, "WLAN SSID"), "CAFE,GUEST");

    CliResult r =
        RunCli({"receive", "--json", "--net", net, "--scope", "all", "--model", "24"}, env);
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(doc.is_discarded());
    EXPECT_EQ(ItemValue(doc, "WLAN SSID"), "CAFE,GUEST");
    EXPECT_EQ(ItemValue(doc, "HOST NAME"), "LAB:2");
    EXPECT_EQ(ItemValue(doc, "EAP USER NAME"), "DOM:USER");
    EXPECT_TRUE(MissingValues(held, doc).empty()) << Joined(MissingValues(held, doc));

    // A settings file with such a text reaches the printer whole (or is refused), never cut.
    const std::string file = dir.Path("ssid.prn");
    ASSERT_TRUE(WriteFile(file, simtest::LeadIn() + "WLAN SSID\t:\tHOME,5G\r\nEND\r\n"));
    CliResult sent = RunCli({"send", file, "--net", net, "--model", "24"}, env);
    if (sent.status == 0) {
        EXPECT_EQ(ValueOf(RawAllReply(sim.TcpPort()), "WLAN SSID"), "HOME,5G");
    } else {
        EXPECT_EQ(sent.status, 4) << sent.err;
        EXPECT_EQ(ValueOf(RawAllReply(sim.TcpPort()), "WLAN SSID"), "CAFE,GUEST");
    }
}

} // namespace
} // namespace qm::e2e
