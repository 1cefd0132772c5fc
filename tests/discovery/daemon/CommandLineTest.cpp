#ifdef QM_CLI_PATH

#include "discovery/FakeDeviceTree.h"
#include "discovery/daemon/CupsTestSupport.h"
#include "support/ProgramRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace qm {
namespace {

// quillmark-cli's standard output (and its exit status) for a shell command line.
std::string RunCli(const std::string& arguments, int& status) {
    const test::ProgramRun run = test::RunCommand(std::string(QM_CLI_PATH) + " " + arguments);
    status = run.status;
    return run.out;
}

const nlohmann::json* Named(const nlohmann::json& list, const std::string& name) {
    for (const auto& entry : list) {
        if (entry.value("name", "") == name) {
            return &entry;
        }
    }
    return nullptr;
}

TEST(PortsCommand, ListsTheTreesPortsAndTheSchedulersQueues) {
    test::FakeDeviceTree tree;
    test::PseudoTerminal pty;
    tree.AddSerialPort("ttyS1", pty.SlavePath());
    tree.AddParallelNode(0);
    tree.AddUsbPrinter(2, "0a5f", "00d1", "Z1", true);
    const std::string serialQueue = test::UniqueQueueName("cli_serial");
    const std::string netQueue = test::UniqueQueueName("cli_net");
    ASSERT_TRUE(test::AddQueue(serialQueue, "serial:" + pty.SlavePath() + "?baud=57600"));
    ASSERT_TRUE(test::AddQueue(netQueue, "socket://192.0.2.7:9100"));

    int status = 0;
    const std::string text = RunCli("ports --json", status);
    test::DeleteQueue(serialQueue);
    test::DeleteQueue(netQueue);
    ASSERT_EQ(status, 0) << text;
    const nlohmann::json ports = nlohmann::json::parse(text, nullptr, false);
    ASSERT_FALSE(ports.is_discarded()) << text;

    ASSERT_EQ(ports["com"].size(), 1u);
    EXPECT_EQ(ports["com"][0]["name"], "COM2:");
    EXPECT_EQ(ports["com"][0]["device"], tree.Dev("ttyS1"));
    ASSERT_EQ(ports["lpt"].size(), 1u);
    EXPECT_EQ(ports["lpt"][0]["name"], "LPT1:");
    ASSERT_EQ(ports["usb"].size(), 2u);
    EXPECT_EQ(ports["usb"][0]["name"], "USB003");
    EXPECT_EQ(ports["usb"][0]["present"], true);
    EXPECT_EQ(ports["usb"][0]["devicePath"],
              "\\\\?\\USB#VID_0A5F&PID_00D1#Z1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}");
    EXPECT_EQ(ports["usb"][1]["name"], "USB_AUTO");

    const nlohmann::json* serial = Named(ports["queues"], serialQueue);
    ASSERT_NE(serial, nullptr) << text;
    EXPECT_EQ((*serial)["kind"], 2);
    EXPECT_EQ((*serial)["detail"], "COM2, 57600, 8, 1, None, None");
    const nlohmann::json* net = Named(ports["queues"], netQueue);
    ASSERT_NE(net, nullptr) << text;
    EXPECT_EQ((*net)["kind"], 5);
    EXPECT_EQ((*net)["detail"], "192.0.2.7, 9100");

    // The text form carries the same lines.
    const std::string plain = RunCli("ports", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(plain.find("COM2:"), std::string::npos) << plain;
    EXPECT_NE(plain.find("USB_AUTO"), std::string::npos) << plain;
}

TEST(SendCommand, QueueSendsTheConfigurationAsOneRawJob) {
    test::TcpSink sink;
    const std::string queue = test::UniqueQueueName("cli_send");
    ASSERT_TRUE(test::AddQueue(queue, "socket://127.0.0.1:" + std::to_string(sink.Port())));
    const std::string leadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);
    const std::string file =
        (std::filesystem::temp_directory_path() / ("qm-send-" + queue + ".prn")).string();
    std::ofstream(file, std::ios::binary) << leadIn << "PRINT SPEED\t:\t6 IPS\r\nEND\r\n";

    int status = 0;
    const std::string out =
        RunCli("send '" + file + "' --model 0 --queue '" + queue + "' 2>&1", status);
    EXPECT_EQ(status, 0) << out;
    std::string sent;
    for (int wait = 0; wait < 100 && !sent.ends_with("END\r\n"); ++wait) {
        sent = sink.WaitFor(sent.size() + 1, 200);
    }
    EXPECT_EQ(sent.rfind(leadIn, 0), 0u) << sent;
    EXPECT_NE(sent.find("PRINT SPEED\t:\t6 IPS\r\n"), std::string::npos) << sent;
    EXPECT_EQ(sent.substr(sent.size() >= 5 ? sent.size() - 5 : 0), "END\r\n");

    // A queue that does not exist cannot be opened: the open-failure message.
    const std::string missing =
        RunCli("send '" + file + "' --model 0 --queue qm_no_such_queue 2>&1", status);
    EXPECT_NE(status, 0);
    EXPECT_NE(missing.find("code : 30"), std::string::npos) << missing;
    test::DeleteQueue(queue);
    std::filesystem::remove(file);
}

} // namespace
} // namespace qm

#endif
