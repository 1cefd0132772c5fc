// quillmark-cli receive and send, run in-process against a printer on a loopback port.
#include "cli/CliFolderTest.h"
#include "cli/CliRun.h"
#include "connection/ConnectionTestSupport.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace qm {
namespace {

using test::RunCli;
using RunResult = test::CliRun;

class CliReceiveSend : public test::CliFolderTest {};

const std::string kMarkerA("~!!\r\n\x02\x1b~A\r\n", 11);

std::string PrinterAnswer(const std::string& request) {
    if (request.find("SEND MACHINE INFO") != std::string::npos) {
        return kMarkerA + "Model Number\t:\tVexa Alder\r\nSerial Number\t:\tQM42\r\n"
                          "Emulation\t:\tCODE_KORVANE\r\nEND\r\n";
    }
    if (request.find("SEND CONFIG\t:\tALL") != std::string::npos) {
        return "~!!\r\n\x02\x1b~A\r\nPRINT SPEED\t:\t6 IPS\r\nPRINT DARKNESS\t:\t12\r\nEND\r\n";
    }
    if (request.find("SERIAL NUMBER CHECK:") != std::string::npos) {
        return "Serial Number : QM42\r\nPrint Counter Length 12.5 m\r\n"
               "Service Counter Length 3.0 m\r\nCut Counter 7\r\n";
    }
    if (request == "\x01"
                   "A") {
        return "NNNYNNNN\r";
    }
    return "?";
}

TEST_F(CliReceiveSend, ReceiveAllPrintsSettingsStatusAndCounters) {
    test::PrinterServer printer(PrinterAnswer);
    RunResult run = RunCli({"receive", "--json", "--net",
                            "127.0.0.1:" + std::to_string(printer.Port()), "--scope", "all"});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["model"], 0);
    EXPECT_EQ(out["status"], "NNNYNNNN\r");
    EXPECT_EQ(out["counters"]["serialNumber"], "QM42");
    EXPECT_EQ(out["counters"]["cutCounter"], "7");
    EXPECT_EQ(out["items"][1]["key"], "PRINT SPEED");
    EXPECT_EQ(out["items"][1]["ticked"], 1);
    EXPECT_EQ(out["items"][1]["value"], "6 IPS");
    EXPECT_NE(out["configuration"].get<std::string>().find("PRINT SPEED\t:\t6 IPS"),
              std::string::npos);
    // The model asked, then full menu, status and counters, each on its own connection.
    std::vector<std::string> requests = printer.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0], test::kLeadInBytes + "SEND MACHINE INFO\r\nEXIT\r\n");
    requests.erase(requests.begin());
    EXPECT_EQ(requests[0], test::kLeadInBytes + "SEND CONFIG\t:\tALL\r\nEXIT\r\n");
    EXPECT_EQ(requests[1], "\x01"
                           "A");
    EXPECT_EQ(requests[2].rfind(test::kLeadInBytes + "SERIAL NUMBER CHECK:", 0), 0u);
}

TEST_F(CliReceiveSend, ReceiveFailuresShowTheProgramsMessages) {
    test::LoopbackServer gone;
    int port = gone.Port();
    ::close(gone.Listener());
    RunResult run = RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(port)});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("code : 30\r\nOpen port error."), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());

    // A reply without any lead-in marker is an acquisition error.
    test::PrinterServer odd(
        [](const std::string&) { return std::string("xxPRINT SPEED\r\nEND\r\n"); });
    run = RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(odd.Port()),
                  "--scope", "standard", "--model", "0"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("code : 32\r\nAcquisition data has an error."), std::string::npos);

    EXPECT_EQ(RunCli({"receive", "--json", "--net", "127.0.0.1:99999"}).status, 2);
    EXPECT_EQ(RunCli({"receive", "--json", "--com", "COM1", "--serial", "9600 8 1 N"}).status, 2);
    run = RunCli({"receive", "--json", "--com", "COM1", "--serial", "9600 8 3 N X"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--serial"), std::string::npos) << run.err;
    EXPECT_NE(RunCli({"receive", "--json", "--scope", "all"}).status, 0); // no interface
}

TEST_F(CliReceiveSend, WithoutModelThePrinterIsAskedWhichModelItIs) {
    // The family name and the running language choose the model; the status form follows it.
    std::string info;
    test::PrinterServer printer([&info](const std::string& request) {
        return request.find("SEND MACHINE INFO") != std::string::npos ? kMarkerA + info + "END\r\n"
                                                                      : kMarkerA + "END\r\n";
    });
    const std::string net = "127.0.0.1:" + std::to_string(printer.Port());
    info = "Model Number\t:\tVexa Juniper\r\nEmulation\t:\tCODE_ZEBRA\r\n";
    RunResult run = RunCli({"receive", "--json", "--net", net, "--scope", "standard"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["model"], 30) << run.out;

    info = "Model Number\t:\tVexa Oak\x1b]0;x\x07\r\n";
    run = RunCli({"status", "--json", "--net", net});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillmark-cli status: the printer reported the model \"Vexa "
                       "Oak\\x1b]0;x\\x07\", which is none of the 38 models; give its model with "
                       "--model\n");

    info = "Serial Number\t:\tQM1\r\n";
    run = RunCli({"receive", "--json", "--net", net});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quillmark-cli receive: the printer reported no model name; give its "
                       "model with --model\n");
    EXPECT_TRUE(run.out.empty());
}

TEST_F(CliReceiveSend, SendRefusesInvalidItemsAndSendsTheRest) {
    test::PrinterServer printer([](const std::string&) { return std::string(); });
    std::string dir = dir_;
    std::ofstream(dir + "/good.prn", std::ios::binary)
        << test::kLeadInBytes << "PRINT SPEED\t:\t6 IPS\r\nEND\r\n";
    std::ofstream(dir + "/bad.prn", std::ios::binary)
        << test::kLeadInBytes << "PRINT SPEED\t:\t99 IPS\r\nEND\r\n";
    const std::string net = "127.0.0.1:" + std::to_string(printer.Port());

    RunResult bad = RunCli({"send", dir + "/bad.prn", "--net", net, "--model", "0"});
    EXPECT_EQ(bad.status, 4);
    EXPECT_NE(bad.err.find("PRINT SPEED"), std::string::npos) << bad.err;

    RunResult good = RunCli({"send", dir + "/good.prn", "--net", net, "--model", "0"});
    ASSERT_EQ(good.status, 0) << good.err;
    ASSERT_TRUE(test::WaitUntil([&] { return printer.Requests().size() == 1; }));
    std::string sent = printer.Requests()[0];
    EXPECT_EQ(sent.rfind(test::kLeadInBytes, 0), 0u);
    EXPECT_NE(sent.find("PRINT SPEED\t:\t6 IPS\r\n"), std::string::npos);
    EXPECT_EQ(sent.substr(sent.size() - 5), "END\r\n");

    EXPECT_EQ(RunCli({"send", dir + "/missing.prn", "--net", net}).status, 2);
}

} // namespace
} // namespace qm

namespace qm {
namespace {

// After the numbered message, one line says what happened on the connection.
TEST_F(CliReceiveSend, AFailedExchangeSaysWhatFailed) {
    // The line after the message "code : NN" and its text.
    auto secondLine = [](const RunResult& run) {
        EXPECT_EQ(run.status, 3) << run.err;
        EXPECT_EQ(run.err.rfind("code : ", 0), 0u) << run.err;
        const size_t line = run.err.find("\nquillmark-cli ");
        return line == std::string::npos
                   ? run.err
                   : run.err.substr(line + 1, run.err.find('\n', line + 1) - line - 1);
    };
    int port = 0;
    {
        test::LoopbackServer gone;
        port = gone.Port();
    }
    const std::string refused = "127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(secondLine(RunCli({"receive", "--json", "--net", refused, "--model", "0"})),
              "quillmark-cli receive: connection refused by " + refused);
    EXPECT_EQ(secondLine(RunCli({"status", "--json", "--net", "printer-3.invalid"})),
              "quillmark-cli status: host name printer-3.invalid not found");
    {
        test::FakeDeviceTree tree;
        EXPECT_EQ(secondLine(RunCli({"receive", "--json", "--com", "COM34", "--model", "0"})),
                  "quillmark-cli receive: no such device " + tree.Dev("ttyUSB1") +
                      " (is the adapter plugged in?)");
    }

    // A printer that sends part of a reply and hangs up.
    test::LoopbackServer cut;
    std::thread printer([&cut] {
        cut.Accept();
        std::string request;
        test::WaitUntil([&] {
            request += cut.Take();
            return request.find("EXIT\r\n") != std::string::npos;
        });
        cut.Send("~!!\r\nMod");
        ::shutdown(cut.Peer(), SHUT_RDWR);
    });
    const RunResult closed = RunCli(
        {"receive", "--json", "--net", "127.0.0.1:" + std::to_string(cut.Port()), "--model", "0"});
    printer.join();
    EXPECT_EQ(secondLine(closed),
              "quillmark-cli receive: the printer closed the connection after 8 bytes");

    // A printer that takes the request and says nothing.
    test::LoopbackServer silent;
    std::thread mute([&silent] { silent.Accept(); });
    const RunResult quiet =
        RunCli({"receive", "--json", "--net", "127.0.0.1:" + std::to_string(silent.Port()),
                "--model", "0", "--scope", "easy"});
    mute.join();
    EXPECT_EQ(secondLine(quiet), "quillmark-cli receive: no reply within 3.2 s");
}

} // namespace
} // namespace qm
