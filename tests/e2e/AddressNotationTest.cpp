// Addresses in the JSON of inspect and receive read as people write them (IPv4 dotted, IPv6 in
// eight groups of four hex digits); the configuration for the printer keeps the comma forms.

#include "E2eSupport.h"
#include "printer-sim/SimHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

namespace qm::e2e {
namespace {

using simtest::SimProcess;
using simtest::TempDir;

constexpr const char* kIpv6Comma = "254,128,0,0,0,0,0,0,2,17,34,255,254,51,68,85";
constexpr const char* kIpv6Groups = "fe80:0000:0000:0000:0211:22ff:fe33:4455";

std::string ItemValue(const nlohmann::json& doc, const std::string& key) {
    auto items = ItemsByKey(doc);
    auto it = items.find(key);
    return it == items.end() ? "<missing>" : it->second.value("value", "");
}

bool HasLine(const nlohmann::json& doc, const std::string& line) {
    return doc.value("configuration", "").find(line + "\r\n") != std::string::npos;
}

void ExpectUsualNotation(const nlohmann::json& doc) {
    EXPECT_EQ(ItemValue(doc, "IPV4 ADDRESS"), "192.168.0.1");
    EXPECT_EQ(ItemValue(doc, "IPV4 SUBNET MASK"), "255.255.255.0");
    EXPECT_EQ(ItemValue(doc, "IPV6 ADDRESS"), kIpv6Groups);
    EXPECT_EQ(ItemValue(doc, "IPV6 GATEWAY"), "0000:0000:0000:0000:0000:0000:0000:0001");
    EXPECT_TRUE(HasLine(doc, "IPV4 ADDRESS\t:\t192,168,0,1")) << doc.value("configuration", "");
    EXPECT_TRUE(HasLine(doc, std::string("IPV6 ADDRESS\t:\t") + kIpv6Comma));
    EXPECT_TRUE(HasLine(doc, "IPV6 GATEWAY\t:\t0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1"));
}

TEST(E2eAddresses, ReceiveAndInspectShowUsualNotation) {
    TempDir dir;
    SimProcess sim({"--tcp", "127.0.0.1:0", "--model", "24"});
    ASSERT_TRUE(sim.Ready());
    int fd = simtest::ConnectTcp(sim.TcpPort());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(simtest::WriteAll(fd, simtest::LeadIn() +
                                          "IPV4 ADDRESS\t:\t192,168,0,1\r\n"
                                          "IPV4 SUBNET MASK\t:\t255,255,255,0\r\n"
                                          "IPV6 ADDRESS\t:\t" +
                                          kIpv6Comma +
                                          "\r\n"
                                          "IPV6 GATEWAY\t:\t0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1\r\n"
                                          "END\r\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ::close(fd);

    const std::string file = dir.Path("received.prn");
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.Path("")};
    CliResult r =
        RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(sim.TcpPort()),
                "--scope", "standard", "--model", "24", "-o", file},
               env);
    ASSERT_EQ(r.status, 0) << r.err;
    nlohmann::json received = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_FALSE(received.is_discarded()) << r.out;
    ExpectUsualNotation(received);

    CliResult inspected = RunCli({"inspect", "--json", file, "--model", "24"});
    ASSERT_EQ(inspected.status, 0) << inspected.err;
    nlohmann::json fromFile = nlohmann::json::parse(inspected.out, nullptr, false);
    ASSERT_FALSE(fromFile.is_discarded()) << inspected.out;
    ExpectUsualNotation(fromFile);
}

} // namespace
} // namespace qm::e2e
